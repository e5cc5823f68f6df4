#pragma once

#include <QString>

// What the reminder keeps outside the calculator: the reminder date, per
// user, which the launcher reads at log-on, and the log-on entry "karvo" that
// runs the launcher. The calculator writes and removes both; the launcher
// only reads the date.
namespace karvo {

class ReminderStore
{
public:
    virtual ~ReminderStore() = default;

    // The stored date text; empty when there is none or it is not a text.
    virtual QString reminderDate() const = 0;
    virtual bool setReminderDate(const QString &date, QString *error) = 0;
    // Succeeds when there is nothing to remove. Leaves no empty store behind.
    virtual bool removeReminderDate(QString *error) = 0;

    // Runs `launcher` (a full path) at every log-on of this user.
    virtual bool setLogOnEntry(const QString &launcher, QString *error) = 0;
    virtual bool removeLogOnEntry(QString *error) = 0;
};

// The store on a freedesktop system: the date as value "date" of the
// per-user settings of organisation "KARVO" ($XDG_CONFIG_HOME/KARVO.conf)
// and the entry as $XDG_CONFIG_HOME/autostart/karvo.desktop. Failures come
// back as a reason in the user's language.
class XdgReminderStore final : public ReminderStore
{
public:
    QString reminderDate() const override;
    bool setReminderDate(const QString &date, QString *error) override;
    bool removeReminderDate(QString *error) override;

    bool setLogOnEntry(const QString &launcher, QString *error) override;
    bool removeLogOnEntry(QString *error) override;

    static QString logOnEntryPath();
};

} // namespace karvo
