#pragma once

#include "reminder/RegistryStore.h"

#include <QString>

#include <memory>

// Turns the reminder on and off: the date and the log-on entry in the
// per-user store, mirrored as "ch" and "dt" in karvo.ini so that the next
// start of the calculator shows the reminder's state. The window around it
// decides what the user is told.
namespace karvo {

struct ReminderOutcome
{
    QString entryFailure; // the store refused; empty when both entries took
    QString settingsFailure; // karvo.ini refused the mirror; the entries stand

    bool succeeded() const { return entryFailure.isEmpty(); }
};

class ReminderSwitch
{
public:
    explicit ReminderSwitch(std::unique_ptr<RegistryStore> store);

    // `launcher` is the full path of dremo. Stops at the first entry that
    // cannot be written and then leaves karvo.ini alone, so the tick restored
    // at the next start never claims a reminder that is not there.
    ReminderOutcome activate(const QString &date, const QString &launcher);

    // Tries every removal even after one fails: removing the date alone
    // already keeps the launcher from firing.
    ReminderOutcome deactivate();

private:
    std::unique_ptr<RegistryStore> m_store;
};

} // namespace karvo
