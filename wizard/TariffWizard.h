#pragma once

#include "model/PremiumSheet.h"
#include "storage/SavedInputs.h"

#include <QObject>

#include <memory>

// The calculator's user interface: one premium sheet and three step windows
// that show the ten steps one at a time. Form1 (steps 1-2) and Form3 (steps
// 8-10) exist from the start, Form2 (steps 3-7) from the first time anything
// touches it; none is ever destroyed before the end, they are only shown and
// hidden, and each keeps the step it was left on. The wizard runs the
// navigation between the steps with the checks that stop it; the windows run
// the choices inside a step. What later services do (saving the inputs, the
// report, the reminder, the restore) is asked for through the signals below.
namespace karvo {

class Form1;
class Form2;
class Form3;
class StepWindow;

class TariffWizard : public QObject, public SavedInputsForm
{
    Q_OBJECT

public:
    explicit TariffWizard(QObject *parent = nullptr);
    ~TariffWizard() override;

    // Reads the remembered reminder state, creates the windows with their
    // defaults and shows step 1.
    void start();

    PremiumSheet &sheet() { return m_sheet; }
    Form1 *form1() const { return m_form1.get(); }
    Form2 *form2(); // created on first use
    Form3 *form3() const { return m_form3.get(); }
    bool hasForm2() const { return bool(m_form2); }

    // The "Далее >>" and "<<Назад " of a step.
    void next(int step);
    void back(int step);
    // "Выход": ends the program at once, asking nothing and saving nothing.
    void exit();

    // The step-1 check for vehicles registered abroad.
    void setForeignRegistered(bool on) override;

    // What the saved inputs read from and replay into the windows.
    QString regionText() const override;
    QString selectedTownGroup() const override;
    QString endClassText() const override;
    QString periodText() const override;
    void ensureStepWindows() override;
    void setStep1NextEnabled(bool enabled) override;
    void setPeriodText(const QString &text) override;
    void setReminderDateText(const QString &text) override;
    void selectCategory(int row) override;
    void selectKtVariant(const QString &variant) override;
    void setRegionText(const QString &text) override;
    void addAndSelectTownGroup(const QString &townGroup) override;
    void selectContractKind(ContractKind kind) override;
    void setStartClassText(const QString &text) override;
    void selectKo(int choice) override;
    void selectKvsIndex(int index) override;
    void selectKmIndex(int index) override;
    void selectOwnerKind(OwnerKind kind) override;
    void selectRegistrationCase(RegistrationCase registrationCase) override;
    void selectVehicleGroup(VehicleGroup group) override;

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
    // The restore read the reminder date for the reminder window.
    void reminderDateLoaded(const QString &text);

private:
    bool requireCoefficient(Coefficient coefficient);
    void wire(StepWindow *window);
    void switchWindow(StepWindow *from, StepWindow *to);

    PremiumSheet m_sheet;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form3> m_form3;
};

} // namespace karvo
