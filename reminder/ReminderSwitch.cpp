#include "reminder/ReminderSwitch.h"

#include "storage/IniFile.h"
#include "storage/SettingsKeys.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace K = SettingsKeys;

void mirror(const QString &flag, const QString &date, ReminderOutcome &outcome)
{
    const QString file = settingsFilePath();
    QString error;
    if (!SetValue(K::kReminderFlagSection, K::kReminderFlag, flag, file, &error))
        outcome.settingsFailure = error;
    if (!SetValue(K::kReminderSection, K::kReminderDate, date, file, &error)
        && outcome.settingsFailure.isEmpty())
        outcome.settingsFailure = error;
}

void append(QString &reasons, const QString &reason)
{
    if (!reasons.isEmpty())
        reasons += u"; "_s;
    reasons += reason;
}

} // namespace

ReminderSwitch::ReminderSwitch(std::unique_ptr<RegistryStore> store)
    : m_store(store ? std::move(store) : std::make_unique<XdgRegistryStore>())
{
}

ReminderOutcome ReminderSwitch::activate(const QString &date, const QString &launcher)
{
    ReminderOutcome outcome;
    if (!m_store->setReminderDate(date, &outcome.entryFailure))
        return outcome;
    if (!m_store->setLogOnEntry(launcher, &outcome.entryFailure))
        return outcome;
    mirror(u"1"_s, date, outcome);
    return outcome;
}

ReminderOutcome ReminderSwitch::deactivate()
{
    ReminderOutcome outcome;
    QString error;
    if (!m_store->removeLogOnEntry(&error))
        append(outcome.entryFailure, error);
    if (!m_store->removeReminderDate(&error))
        append(outcome.entryFailure, error);
    mirror(u"0"_s, QString(), outcome);
    return outcome;
}

} // namespace karvo
