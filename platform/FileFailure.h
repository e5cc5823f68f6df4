#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Why a file could not be read or written, in the user's language. Qt's own
// error strings are English and, after a failed flush or rename, often only
// "Unknown error"; the cause is found instead from the errno of the failing
// call and from what the path, its folder and its file system are now. The
// phrases follow a message such as "не удалось записать файл <path> (…)".
// Also the two file operations that must never hang or half-succeed: reading
// a file that may be a FIFO or a device, and replacing a file in one rename.
namespace karvo {

namespace file_failure_texts {

inline const QString kNoSpace = QStringLiteral("на диске нет свободного места");
inline const QString kFileTooLarge = QStringLiteral("превышен допустимый размер файла");
inline const QString kReadOnlyFile = QStringLiteral("файл доступен только для чтения");
inline const QString kReadOnlyFolder = QStringLiteral("папка доступна только для чтения");
inline const QString kReadOnlyFileSystem = QStringLiteral("диск доступен только для чтения");
inline const QString kIsFolder = QStringLiteral("по этому пути находится папка, а не файл");
inline const QString kNotAFolder = QStringLiteral("по этому пути находится файл, а не папка");
inline const QString kNotRegularFile
    = QStringLiteral("по этому пути находится не обычный файл, а канал, устройство или сокет");
inline const QString kNoPermission = QStringLiteral("нет прав доступа");
inline const QString kMissingFolder = QStringLiteral("папка не существует");
inline const QString kMissingFile = QStringLiteral("файл не существует");
inline const QString kBusy = QStringLiteral("файл сейчас записывает другая программа");
inline const QString kInputOutput = QStringLiteral("ошибка ввода-вывода");
// %1 is the system's error number.
inline const QString kSystemError = QStringLiteral("системная ошибка %1");
inline const QString kUnknown = QStringLiteral("причина неизвестна");

} // namespace file_failure_texts

// Write covers replacing and removing a file; MakeFolder is the creation of
// the folder `path`.
enum class FileAccess { Read, Write, MakeFolder };

// The cause of a failed read or write of `path`, as one of the phrases above.
// `errorNumber` is errno taken right after the failing call (0 when lost);
// `bytesToWrite` helps to recognise a full disk when it is.
QString fileFailureReason(
    const QString &path, FileAccess access, int errorNumber = 0, qint64 bytesToWrite = 0);

// The reason to refuse `path` as the target of a write: it exists and is a
// folder, a FIFO, a device or a socket, or it has no write permission at all
// (refused even for root, as the profile functions refuse a read-only file).
// A symbolic link counts as what it points to. Nothing is opened.
std::optional<QString> unwritableTargetReason(const QString &path);

struct RegularFileRead
{
    bool found = false; // false for a missing file, which is no failure
    QByteArray bytes;
    std::optional<QString> failure; // the reason, when found but not read
};

// Reads the whole of `path` only if it is a regular file. It is opened without
// blocking and checked on the open descriptor, so a FIFO or a device put at the
// path is refused at once rather than waited on.
RegularFileRead readRegularFile(const QString &path);

// Writes `bytes` beside `path` and renames the result over it, so a failure
// anywhere leaves the old file whole and no temporary file behind. Returns the
// reason on failure.
std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes);

} // namespace karvo
