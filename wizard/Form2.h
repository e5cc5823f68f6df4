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

class Form2 : public StepWindow
{
    Q_OBJECT

public:
    explicit Form2(PremiumSheet &sheet);

    // Choices made in code have exactly the effects of the user's click.
    void selectContractKind(ContractKind kind);
    void selectKo(int choice); // 0 Option1, 1 Option2
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
