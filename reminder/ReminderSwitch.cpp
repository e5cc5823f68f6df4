#include "reminder/ReminderSwitch.h"

#include "storage/IniFile.h"
#include "storage/SettingsKeys.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace K = SettingsKeys;

bool writeFlag(const QString &flag, QString *error)
{
    return writeIniValue(K::kReminderFlagSection, K::kReminderFlag, flag, settingsFilePath(), error);
}

bool writeDate(const QString &date, QString *error)
{
    return writeIniValue(K::kReminderSection, K::kReminderDate, date, settingsFilePath(), error);
}

// Why karvo.ini did not take the tick and the date; empty when it did. One
// reason is enough: both keys live in the same file.
QString mirror(const QString &flag, const QString &date)
{
    QString error;
    if (!writeFlag(flag, &error) || !writeDate(date, &error))
        return error;
    return {};
}

void append(QString &reasons, const QString &reason)
{
    if (!reasons.isEmpty())
        reasons += u"; "_s;
    reasons += reason;
}

} // namespace

ReminderSwitch::ReminderSwitch(std::unique_ptr<ReminderStore> store)
    : m_store(store ? std::move(store) : std::make_unique<XdgReminderStore>())
{
}

ReminderOutcome ReminderSwitch::activate(const QString &date, const QString &launcher)
{
    ReminderOutcome outcome;
    const QString previousDate = m_store->reminderDate();
    if (!m_store->setReminderDate(date, &outcome.failure))
        return outcome;
    if (!m_store->setLogOnEntry(launcher, &outcome.failure)) {
        restore(previousDate);
        return outcome;
    }
    outcome.iniFailure = mirror(u"1"_s, date);
    return outcome;
}

// Best effort: the store has just taken a write, so it takes these too, and
// a reason for them would only hide the one the user needs.
void ReminderSwitch::restore(const QString &previousDate)
{
    QString ignored;
    if (previousDate.isEmpty()) {
        m_store->removeLogOnEntry(&ignored);
        m_store->removeReminderDate(&ignored);
    } else {
        // The entry of the earlier reminder runs the same launcher.
        m_store->setReminderDate(previousDate, &ignored);
    }
}

ReminderOutcome ReminderSwitch::deactivate()
{
    ReminderOutcome outcome;
    QString error;
    if (!m_store->removeLogOnEntry(&error))
        append(outcome.failure, error);
    if (!m_store->removeReminderDate(&error))
        append(outcome.failure, error);
    outcome.iniFailure = mirror(u"0"_s, QString());
    return outcome;
}

} // namespace karvo
