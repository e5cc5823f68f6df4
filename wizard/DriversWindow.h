#pragma once

#include "model/DriverCoefficients.h"
#include "model/PremiumSheet.h"
#include "wizard/StepWindow.h"

class QComboBox;
class QLineEdit;
class QListWidget;

// Steps 3 to 7: the bonus-malus class (КБМ), the limit on permitted drivers
// (КО), age and experience (КВС), engine power (КМ) and the period of use (КС).
// Built the first time it is needed; every choice goes to the sheet through
// the tariff model, and every control shows what the sheet holds.
namespace karvo {

class DriversWindow : public StepWindow
{
    Q_OBJECT

public:
    explicit DriversWindow(PremiumSheet &sheet);

private:
    void showContractKind(ContractKind kind);
    void showKo(DriversLimit limit);
    void showKvs(int row);
    void showKm(int row);
    void showInKilowatts(const KmRow &row);
    void showForeignState(bool on);

    PremiumSheet &m_sheet;
    QComboBox *m_startClass;
    QComboBox *m_payouts;
    QLineEdit *m_endClass;
    QComboBox *m_period;
    QListWidget *m_kvsList;
    QListWidget *m_kmList;
    // The figures of the power whose kilowatts are shown.
    QString m_firstFigure;
    QString m_secondFigure;
};

} // namespace karvo
