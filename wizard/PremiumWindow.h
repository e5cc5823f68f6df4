#pragma once

#include "model/PremiumFormula.h"
#include "model/PremiumSheet.h"
#include "wizard/StepWindow.h"

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Steps 8 to 10: the insurance term of a vehicle registered abroad (КП), the
// violations coefficient (КН), and the owner, registration and vehicle choices
// with "Расчет", which writes Т and explains it until the sheet changes. The
// step-10 choices mirror the sheet both ways, so whoever sets them (the user,
// a category of step 1, the foreign check, the restore) the window shows the
// same.
namespace karvo {

class ClickableLabel;
class PremiumExplanation;

class PremiumWindow : public StepWindow
{
    Q_OBJECT

public:
    explicit PremiumWindow(PremiumSheet &sheet);

    // The reminder check's caption: "Запустить программу через " and the
    // period of use the sheet holds.
    QString reminderCaption() const;
    // The report's progress box ("Формируется отчет в Word" and its "ОК").
    QWidget *reportBox() const;
    // Shows the progress box over step 10 with the report's state.
    void showReportProgress(const QString &state);

    // "Расчет": Т into the sheet, then the save of the inputs when asked for.
    void calculate();

    // How the sheet's Т was made, as the explanation window shows it; empty
    // while there is no Т.
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
    std::vector<ControlRow> layout();
    void applySkip(bool skip);
    void showTerm(const QString &term);
    void showOwnerKind(OwnerKind kind);
    void showRegistrationCase(RegistrationCase registrationCase);
    void showVehicleGroup(VehicleGroup group);
    void showForeignState(bool on);
    void showReminderCaption();
    void askForReminder();
    std::optional<PremiumBreakdown> breakdown() const;
    void showExplanation();

    PremiumSheet &m_sheet;
    PremiumExplanation *m_explanation = nullptr;

    QWidget *m_step8Frame = nullptr;
    QCheckBox *m_skip = nullptr;
    QComboBox *m_terms = nullptr;
    QLabel *m_kpTitle = nullptr;
    QLineEdit *m_kpBox = nullptr;
    QPushButton *m_step8Back = nullptr;
    QPushButton *m_step8Next = nullptr;
    QLabel *m_step8ForeignHint = nullptr;
    ClickableLabel *m_kpNoteLink = nullptr;

    QWidget *m_step9Frame = nullptr;
    QLabel *m_knNote = nullptr;
    QLineEdit *m_knBox = nullptr;
    QPushButton *m_step9Back = nullptr;
    QPushButton *m_step9Next = nullptr;
    QLabel *m_step9ForeignHint = nullptr;

    QWidget *m_step10Frame = nullptr;
    std::array<QRadioButton *, 3> m_ownerOptions {}; // by OwnerKind
    std::array<QRadioButton *, 3> m_registrationOptions {}; // by RegistrationCase
    std::array<QRadioButton *, 3> m_vehicleGroupOptions {}; // by VehicleGroup
    ClickableLabel *m_journalLink = nullptr;
    ClickableLabel *m_decreeLink = nullptr;
    QCheckBox *m_saveInputs = nullptr;
    QCheckBox *m_reminder = nullptr;
    QLineEdit *m_premiumBox = nullptr;
    QPushButton *m_reminderOk = nullptr;
    QPushButton *m_step10Back = nullptr;
    QPushButton *m_calculateButton = nullptr;
    ClickableLabel *m_explanationLink = nullptr;
    QLabel *m_maximumWarning = nullptr;
    QPushButton *m_reportButton = nullptr;
    QWidget *m_reportBox = nullptr;
    QLabel *m_reportProgress = nullptr;
    QPushButton *m_reportOk = nullptr;
};

} // namespace karvo
