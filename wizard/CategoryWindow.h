#pragma once

#include "wizard/StepWindow.h"

class QComboBox;
class QListWidget;
class QRadioButton;

// Steps 1 and 2: the vehicle category (ТБ) with the check for vehicles
// registered abroad, and the region and town of main use (КТ). Every choice
// goes to the sheet through the tariff model; the value boxes show the sheet.
namespace karvo {

class PremiumSheet;

class CategoryWindow : public StepWindow
{
    Q_OBJECT

public:
    explicit CategoryWindow(PremiumSheet &sheet);

    // Choices made in code have exactly the effects of the user's click.
    void selectCategory(int row);
    void selectKtVariant(const QString &variant);
    void selectTownGroup(int row);

    // Step 2 "<<Назад ": the town list, the region text and КТ are emptied.
    void emptyTerritory();

    // The replay of saved inputs: the region text as stored, and the stored
    // town group as the one entry of the (just emptied) town list.
    void setRegionText(const QString &text);
    void addAndSelectTownGroup(const QString &townGroup);

    void setStep1NextEnabled(bool enabled);

signals:
    void foreignRegisteredToggled(bool on);
    void restoreClicked();
    void journalClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void selectRegion();
    void emptyTowns();
    void showForeignState(bool on);
    void watchForeignCheck();

    PremiumSheet &m_sheet;
    QList<QRadioButton *> m_categories;
    QComboBox *m_regions;
    QListWidget *m_towns;
    QWidget *m_step1Frame;
    QWidget *m_attention;
};

} // namespace karvo
