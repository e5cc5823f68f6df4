#pragma once

#include "app/SavedInputsReplay.h"
#include "journal/Journal.h"
#include "wizard/TariffWizard.h"

#include <QObject>

#include <memory>

// The calculator as the user meets it: the wizard and the services its step
// windows ask for. "Расчет" with "Сохранить исходные данные" stores the inputs,
// "Загрузить сохраненные данные" restores them, "Отчет в файл" writes the
// report and its "ОК" opens it, and the reminder "ОК" opens the reminder
// window. The windows only ask; this class answers.
namespace karvo {

class ReminderWindow;

class Calculator : public QObject
{
    Q_OBJECT

public:
    explicit Calculator(QObject *parent = nullptr);
    ~Calculator() override;

    void start();

    TariffWizard &wizard() { return m_wizard; }
    Journal &journal() { return m_journal; }
    // The reminder window, created inside the steps 8-10 window the first
    // time anything touches it (the restore writes its date into it).
    ReminderWindow *reminder();

    void produceReport();

private:
    TariffWizard m_wizard;
    Journal m_journal; // opens its file on first use
    std::unique_ptr<SavedInputsReplay> m_replay;
    ReminderWindow *m_reminder = nullptr; // owned by the steps 8-10 window
};

} // namespace karvo
