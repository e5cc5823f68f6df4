#pragma once

#include "model/PremiumSheet.h"
#include "wizard/StepWindow.h"

class QComboBox;
class QListWidget;
class QRadioButton;

// Steps 1 and 2: the vehicle category (ТБ) with the check for vehicles
// registered abroad, and the region and town of main use (КТ). Every choice
// goes to the sheet through the tariff model, and every control shows what
// the sheet holds, whoever changed it.
namespace karvo {



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

private:
    void showCategory(int row);
    void showColumn(TerritoryColumn column);
    void showRegion(const QString &region);
    void showTowns(const QStringList &towns);
    void showTownGroup(const QString &townGroup);
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
