#pragma once

#include "model/PremiumSheet.h"
#include "wizard/StepWindow.h"

class QComboBox;
class QLineEdit;
class QListWidget;

// Steps 3 to 7: the bonus-malus class (КБМ), the limit on permitted drivers
// (КО), age and experience (КВС), engine power (КМ) and the period of use (КС).
// Created the first time anything touches it; its creation writes the
// defaults of steps 3 to 6 to the sheet.
namespace karvo {

class DriversWindow : public StepWindow
{
    Q_OBJECT

public:
    explicit DriversWindow(PremiumSheet &sheet);

    // Choices made in code have exactly the effects of the user's click.
    void selectContractKind(ContractKind kind);
    // The payouts as picked: with a renewal, the class at the end and КБМ.
    void selectPayouts(const QString &payouts);
    void selectKo(int choice); // 0 limited drivers, 1 any driver
    void selectKvsIndex(int index);
    void selectKmIndex(int index);

private:
    void chooseStartClass();
    void choosePayouts();
    void showRenewalOutcome();
    void showFigureInKilowatts();
    void showForeignState(bool on);

    PremiumSheet &m_sheet;
    QComboBox *m_startClass;
    QComboBox *m_payouts;
    QLineEdit *m_endClass;
    QComboBox *m_period;
    QListWidget *m_kvsList;
    QListWidget *m_kmList;
};

} // namespace karvo
