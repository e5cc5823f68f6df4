#pragma once

#include "model/PremiumSheet.h"

#include <QObject>

#include <memory>

// The calculator's user interface: one premium sheet, the record of the
// calculation, and three step windows that show it ten steps at a time.
// CategoryWindow (steps 1-2) is built at the start, DriversWindow (steps 3-7)
// and PremiumWindow (steps 8-10) the first time anything needs them; each
// shows what the sheet holds when it is built and follows it from then on.
// None is destroyed before the end: they are only shown and hidden, and each
// keeps the step it was left on. The wizard runs the navigation between the
// steps with the checks that stop it; the windows write the user's choices
// into the sheet through the model's operations. What later services do
// (saving the inputs, the report, the reminder, the restore) is asked for
// through the signals below.
namespace karvo {

class CategoryWindow;
class DriversWindow;
class PremiumWindow;
class StepWindow;

class TariffWizard : public QObject
{
    Q_OBJECT

public:
    explicit TariffWizard(QObject *parent = nullptr);
    ~TariffWizard() override;

    // Starts the calculation: its start time and the remembered reminder
    // tick into the sheet, the windows with their defaults, step 1 shown.
    void start();

    PremiumSheet &sheet() { return m_sheet; }
    CategoryWindow *categoryWindow() const { return m_categoryWindow.get(); }
    DriversWindow *driversWindow(); // created on first use
    PremiumWindow *premiumWindow(); // created on first use
    bool hasPremiumWindow() const { return bool(m_premiumWindow); }
    bool hasDriversWindow() const { return bool(m_driversWindow); }

    // The "Далее >>" and "<<Назад " of a step.
    void next(int step);
    void back(int step);
    // Step 1 in front, the other windows hidden: where a replay of inputs
    // from elsewhere than step 1 leaves the user to walk on.
    void showFirstStep();
    // "Выход": ends the program at once, asking nothing and saving nothing.
    void exit();

signals:
    void exiting();
    // "Загрузить сохраненные данные".
    void restoreRequested();
    // "Расчет" with "Сохранить исходные данные" ticked, after Т was written.
    void saveInputsRequested();
    void reportRequested();
    void reportOpenRequested();
    // The reminder "ОК" with the reminder check ticked.
    void reminderRequested();
    // "Расчет" showed Т.
    void calculated();
    // The link "Журнал расчетов" of step 1 or step 10.
    void journalRequested();

private:
    // Tells the user why `step` cannot be left forward, if it cannot.
    bool mayLeave(int step);
    void wire(StepWindow *window);
    void switchWindow(StepWindow *from, StepWindow *to);

    PremiumSheet m_sheet;
    std::unique_ptr<CategoryWindow> m_categoryWindow;
    std::unique_ptr<DriversWindow> m_driversWindow;
    std::unique_ptr<PremiumWindow> m_premiumWindow;
};

} // namespace karvo
