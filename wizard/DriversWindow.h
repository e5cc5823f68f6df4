#pragma once

#include "model/DriverCoefficients.h"
#include "model/PremiumSheet.h"
#include "wizard/StepWindow.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// Steps 3 to 7: the bonus-malus class (КБМ), the limit on permitted drivers
// (КО), age and experience (КВС), engine power (КМ) and the period of use (КС).
// Built the first time it is needed; every choice goes to the sheet through
// the tariff model, and every control shows what the sheet holds.
namespace karvo {

class ClickableLabel;

class DriversWindow : public StepWindow
{
    Q_OBJECT

public:
    explicit DriversWindow(PremiumSheet &sheet);

private:
    static constexpr int kFirstStep = 3;
    // What every step of the window has.
    struct StepControls
    {
        QWidget *frame = nullptr;
        QLabel *hint = nullptr; // of the foreign case
        QPushButton *back = nullptr;
        QPushButton *next = nullptr;
        ClickableLabel *note = nullptr;
    };

    struct StepRows;

    std::vector<ControlRow> layout();
    std::vector<ControlRow> stepRows(int step, const StepRows &rows);
    void showContractKind(ContractKind kind);
    void showKo(DriversLimit limit);
    void showKvs(int row);
    void showKm(int row);
    void showForeignState(bool on);

    PremiumSheet &m_sheet;

    std::array<StepControls, 5> m_steps {}; // steps 3 to 7
    QRadioButton *m_firstContract = nullptr;
    QRadioButton *m_renewalContract = nullptr;
    QComboBox *m_startClass = nullptr;
    QLineEdit *m_kbmBox = nullptr;
    QWidget *m_firstContractRule = nullptr;
    QWidget *m_renewalGroup = nullptr;
    QComboBox *m_payouts = nullptr;
    QLineEdit *m_endClass = nullptr;
    QRadioButton *m_driversLimited = nullptr;
    QRadioButton *m_driversUnlimited = nullptr;
    QLineEdit *m_koBox = nullptr;
    QListWidget *m_kvsList = nullptr;
    QLineEdit *m_kvsBox = nullptr;
    QListWidget *m_kmList = nullptr;
    QLabel *m_firstKilowatts = nullptr;
    QLabel *m_secondKilowatts = nullptr;
    QLineEdit *m_kmBox = nullptr;
    QComboBox *m_period = nullptr;
    QLineEdit *m_ksBox = nullptr;
};

} // namespace karvo
