#pragma once

#include "model/PremiumSheet.h"
#include "wizard/StepWindow.h"

class QCheckBox;
class QComboBox;

// Steps 8 to 10: the insurance term of a vehicle registered abroad (КП), the
// violations coefficient (КН), and the owner, registration and vehicle choices
// with "Расчет", which writes Т and explains it until the sheet changes. The
// step-10 choices mirror the sheet both ways, so whoever sets them (the user,
// a category of step 1, the foreign check, the restore) the window shows the
// same.
namespace karvo {

class PremiumExplanation;

class PremiumWindow : public StepWindow
{
    Q_OBJECT

public:
    explicit PremiumWindow(PremiumSheet &sheet);

    QString reminderCaption() const;
    void setReminderCaption(const QString &caption);
    // The report's progress box ("Формируется отчет в Word" and its "ОК").
    QWidget *reportBox() const;

    // "Расчет": Т into the sheet, then the save of the inputs when asked for.
    void calculate();

    // How the last "Расчет" made Т, as the explanation window shows it; empty
    // when there is none, or once anything that can change Т has changed.
    QString explanation() const;

signals:
    void saveInputsRequested();
    void reportRequested();
    // The progress box's "ОК": open the report, then hide the box.
    void reportOpenRequested();
    void reminderRequested();
    // "Расчет" showed Т.
    void calculated();
    void journalClicked();

private:
    void applySkip(bool skip);
    void showTerm(const QString &term);
    void showOwnerKind(OwnerKind kind);
    void showRegistrationCase(RegistrationCase registrationCase);
    void showVehicleGroup(VehicleGroup group);
    void showForeignState(bool on);
    void askForReminder();
    void showExplanation();
    void clearExplanation();

    PremiumSheet &m_sheet;
    QCheckBox *m_skip;
    QComboBox *m_terms;
    QCheckBox *m_reminder;
    PremiumExplanation *m_explanation = nullptr;
};

} // namespace karvo
