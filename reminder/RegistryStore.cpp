#include "reminder/RegistryStore.h"

#include "reminder/AutostartEntry.h"
#include "reminder/ReminderTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

const QString kOrganization = u"KARVO"_s;
const QString kDateValue = u"date"_s;
const QString kEntryFile = u"autostart/karvo.desktop"_s;

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// QSettings reports a failed write only through its status after sync().
bool commit(QSettings &settings, QString *error)
{
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    return fail(error, reminder_texts::kCannotWriteFile.arg(settings.fileName()));
}

} // namespace

QString XdgRegistryStore::reminderDate() const
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganization);
    const QVariant value = settings.value(kDateValue);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool XdgRegistryStore::setReminderDate(const QString &date, QString *error)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganization);
    settings.setValue(kDateValue, date);
    return commit(settings, error);
}

bool XdgRegistryStore::removeReminderDate(QString *error)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganization);
    if (!settings.contains(kDateValue))
        return true;
    settings.remove(kDateValue);
    return commit(settings, error);
}

QString XdgRegistryStore::logOnEntryPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(kEntryFile);
}

bool XdgRegistryStore::setLogOnEntry(const QString &launcher, QString *error)
{
    const std::optional<QByteArray> entry = autostartEntry(launcher);
    if (!entry)
        return fail(error, reminder_texts::kUnusablePath.arg(launcher));

    const QString path = logOnEntryPath();
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(error, reminder_texts::kCannotCreateFolder.arg(folder));

    // Written aside and renamed into place: the session never sees half an entry.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*entry) != entry->size() || !file.commit())
        return fail(error, reminder_texts::kCannotWriteFile.arg(path));
    return true;
}

bool XdgRegistryStore::removeLogOnEntry(QString *error)
{
    const QString path = logOnEntryPath();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    if (!QFile::remove(path))
        return fail(error, reminder_texts::kCannotRemoveFile.arg(path));
    return true;
}

} // namespace karvo
