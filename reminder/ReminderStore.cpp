#include "reminder/ReminderStore.h"

#include "platform/FileFailure.h"
#include "reminder/AutostartEntry.h"
#include "reminder/ReminderTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>

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

// What failed, followed by its cause in brackets.
bool fail(QString *error, const QString &what, const QString &cause)
{
    return fail(error, what + u" ("_s + cause + u')');
}

// QSettings reports a failed write only through its status after sync().
bool commit(QSettings &settings, QString *error)
{
    errno = 0;
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    const int errorNumber = errno;
    return fail(error, reminder_texts::kCannotWriteFile.arg(settings.fileName()),
        fileFailureReason(settings.fileName(), FileAccess::Write, errorNumber));
}

} // namespace

QString XdgReminderStore::reminderDate() const
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganization);
    const QVariant value = settings.value(kDateValue);
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

bool XdgReminderStore::setReminderDate(const QString &date, QString *error)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganization);
    settings.setValue(kDateValue, date);
    return commit(settings, error);
}

bool XdgReminderStore::removeReminderDate(QString *error)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kOrganization);
    if (!settings.contains(kDateValue))
        return true;
    settings.remove(kDateValue);
    if (!commit(settings, error))
        return false;
    // The date was all the file held: leave no empty file behind. One that
    // stays is harmless, so a refusal here is no failure of the removal.
    if (settings.allKeys().isEmpty())
        QFile::remove(settings.fileName());
    return true;
}

QString XdgReminderStore::logOnEntryPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(kEntryFile);
}

bool XdgReminderStore::setLogOnEntry(const QString &launcher, QString *error)
{
    const std::optional<QByteArray> entry = autostartEntry(launcher);
    if (!entry)
        return fail(error, reminder_texts::kUnusablePath.arg(launcher));

    const QString path = logOnEntryPath();
    const QString folder = QFileInfo(path).absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int errorNumber = errno;
        return fail(error, reminder_texts::kCannotCreateFolder.arg(folder),
            fileFailureReason(folder, FileAccess::MakeFolder, errorNumber));
    }

    // Written aside and renamed into place: the session never sees half an entry.
    if (const std::optional<QString> cause = replaceFile(path, *entry))
        return fail(error, reminder_texts::kCannotWriteFile.arg(path), *cause);
    return true;
}

bool XdgReminderStore::removeLogOnEntry(QString *error)
{
    const QString path = logOnEntryPath();
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return true;
    errno = 0;
    if (!QFile::remove(path)) {
        const int errorNumber = errno;
        return fail(error, reminder_texts::kCannotRemoveFile.arg(path),
            fileFailureReason(path, FileAccess::Write, errorNumber));
    }
    return true;
}

} // namespace karvo
