#pragma once

#include "model/BaseTariffs.h"
#include "wizard/StepWindow.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// Steps 1 and 2: the vehicle category (ТБ) with the check for vehicles
// registered abroad, and the region and town of main use (КТ). Every choice
// goes to the sheet through the tariff model, and every control shows what
// the sheet holds, whoever changed it.
namespace karvo {

class ClickableLabel;
class PremiumSheet;

class CategoryWindow : public StepWindow
{
    Q_OBJECT

public:
    explicit CategoryWindow(PremiumSheet &sheet);

    void setStep1NextEnabled(bool enabled);

signals:
    void restoreClicked();
    void journalClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void buildStep(int step) override;

private:
    void showCategory(int row);
    void showColumn(TerritoryColumn column);
    void showRegion(const QString &region);
    void showTowns(const QStringList &towns);
    void showTownGroup(const QString &townGroup);
    void showForeignState(bool on);
    void watchForeignCheck();
    std::vector<ControlRow> step1Layout();
    std::vector<ControlRow> step2Layout();

    PremiumSheet &m_sheet;

    QWidget *m_step1Frame = nullptr;
    std::array<QRadioButton *, kCategoryCount> m_categories {};
    QLineEdit *m_tbBox = nullptr;
    QCheckBox *m_foreignCheck = nullptr;
    QPushButton *m_step1Next = nullptr;
    ClickableLabel *m_tbNoteLink = nullptr;
    ClickableLabel *m_restoreLink = nullptr;
    ClickableLabel *m_journalLink = nullptr;
    QWidget *m_attention = nullptr;

    // Null until step 2 is first shown, except the frame.
    QWidget *m_step2Frame = nullptr;
    QRadioButton *m_vehiclesColumn = nullptr;
    QRadioButton *m_tractorsColumn = nullptr;
    QComboBox *m_regions = nullptr;
    QLineEdit *m_ktBox = nullptr;
    QListWidget *m_towns = nullptr;
    QPushButton *m_step2Back = nullptr;
    QPushButton *m_step2Next = nullptr;
    QWidget *m_step2ForeignHint = nullptr;
    ClickableLabel *m_ktNoteLink = nullptr;
};

} // namespace karvo
