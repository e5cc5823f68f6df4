#pragma once

#include "reminder/ReminderStore.h"

#include <QString>

#include <memory>

// Turns the reminder on and off: the date and the log-on entry in the
// per-user store, mirrored as "ch" and "dt" in karvo.ini so that the next
// start of the calculator shows the reminder's state. The window around it
// decides what the user is told.
namespace karvo {

struct ReminderOutcome
{
    QString failure; // why the switch did not take; empty when it did

    bool succeeded() const { return failure.isEmpty(); }
};

class ReminderSwitch
{
public:
    explicit ReminderSwitch(std::unique_ptr<ReminderStore> store);

    // `launcher` is the full path of dremo. All or nothing: when the store or
    // karvo.ini refuses, the store is put back as it was (a reminder set
    // before keeps its date and entry, so the launcher goes on as before) and
    // karvo.ini keeps its tick, so the failure the user is told is the state
    // the calculator shows at its next start.
    ReminderOutcome activate(const QString &date, const QString &launcher);

    // Tries every removal even after one fails: removing the date alone
    // already keeps the launcher from firing, and that is what the user
    // asked for. A karvo.ini that refuses still says "on" at the next start,
    // so it is a failure too, but the entries stay removed.
    ReminderOutcome deactivate();

private:
    void restore(const QString &previousDate);

    std::unique_ptr<ReminderStore> m_store;
};

} // namespace karvo
