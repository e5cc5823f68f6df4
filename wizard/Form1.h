#pragma once

#include "wizard/StepWindow.h"

class QComboBox;
class QListWidget;
class QRadioButton;
class QTimer;

// Steps 1 and 2: the vehicle category (ТБ) with the check for vehicles
// registered abroad, and the region and town of main use (КТ). Every choice
// goes to the sheet through the tariff model; the value boxes show the sheet.
namespace karvo {

class PremiumSheet;

class Form1 : public StepWindow
{
    Q_OBJECT

public:
    explicit Form1(PremiumSheet &sheet);

    // Choices made in code have exactly the effects of the user's click.
    void selectCategory(int row);
    int selectedCategory() const; // 0 when none
    void selectKtVariant(const QString &variant);
    void selectTownGroup(int row);

    // Step 2 "<<Назад ": the town list, the region text and КТ are emptied.
    void emptyTerritory();

    QString regionText() const;
    void setRegionText(const QString &text);
    QString selectedTownGroup() const;
    void addAndSelectTownGroup(const QString &townGroup);

    // The value of "ch" read at start, kept for the steps 8-10 window.
    QString rememberedReminder() const;
    void setRememberedReminder(const QString &value);

    void setStep1NextEnabled(bool enabled);
    QTimer *restoreTimer() const { return m_restoreTimer; }

signals:
    void foreignRegisteredToggled(bool on);
    void restoreClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectRegion();
    void showForeignState(bool on);
    void watchForeignCheck();

    PremiumSheet &m_sheet;
    QList<QRadioButton *> m_categories;
    QComboBox *m_regions;
    QListWidget *m_towns;
    QWidget *m_step1Frame;
    QWidget *m_attention;
    QTimer *m_restoreTimer;
};

} // namespace karvo
