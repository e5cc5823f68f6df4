#pragma once

#include "reminder/ReminderStore.h"

#include <QString>

#include <memory>

// Turns the reminder on and off: the date and the log-on entry in the
// per-user store are the reminder. "ch" and "dt" in karvo.ini only let the
// next start of the calculator show its state, so a karvo.ini that refuses
// leaves the reminder switched all the same. The window around it decides
// what the user is told.
namespace karvo {

struct ReminderOutcome
{
    QString failure; // why the store did not take the switch; empty when it did
    QString iniFailure; // why karvo.ini did not take it; empty when it did

    bool succeeded() const { return failure.isEmpty(); }
};

class ReminderSwitch
{
public:
    explicit ReminderSwitch(std::unique_ptr<ReminderStore> store);

    // `launcher` is the full path of dremo. When the store refuses the date
    // or the entry, it is put back as it was (a reminder set before keeps its
    // date and entry, so the launcher goes on as before) and karvo.ini is
    // left alone.
    ReminderOutcome activate(const QString &date, const QString &launcher);

    // Tries every removal even after one fails: removing the date alone
    // already keeps the launcher from firing, and that is what the user
    // asked for.
    ReminderOutcome deactivate();

private:
    void restore(const QString &previousDate);

    std::unique_ptr<ReminderStore> m_store;
};

} // namespace karvo
