#include "platform/FileFailure.h"

#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

namespace karvo {
namespace {

using namespace file_failure_texts;

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// A write through a symbolic link replaces the file it points to, in that
// file's folder.
QString writtenPath(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

std::optional<struct stat> statOf(const QByteArray &path)
{
    struct stat status
    {
    };
    if (::stat(path.constData(), &status) != 0)
        return std::nullopt;
    return status;
}

// Whether this process, with its effective identity and capabilities, may.
bool allowed(const QByteArray &path, int mode)
{
    return ::faccessat(AT_FDCWD, path.constData(), mode, AT_EACCESS) == 0;
}

bool isPermissionError(int errorNumber)
{
    return errorNumber == EACCES || errorNumber == EPERM;
}

QString readFailure(const QByteArray &native, const std::optional<struct stat> &file, int errorNumber)
{
    if (!file || errorNumber == ENOENT)
        return kMissingFile;
    if (isPermissionError(errorNumber) || !allowed(native, R_OK))
        return kNoPermission;
    return {};
}

QString writeFailure(
    const QString &path, const std::optional<struct stat> &file, int errorNumber, qint64 bytesToWrite)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const std::optional<struct stat> folderStatus = statOf(folder);
    if (!folderStatus || !S_ISDIR(folderStatus->st_mode))
        return kMissingFolder;
    struct statvfs fileSystem
    {
    };
    const bool knowFileSystem = ::statvfs(folder.constData(), &fileSystem) == 0;
    if (errorNumber == EROFS || (knowFileSystem && (fileSystem.f_flag & ST_RDONLY)))
        return kReadOnlyFileSystem;
    if (file && (file->st_mode & kAnyWrite) == 0)
        return kReadOnlyFile;
    if ((folderStatus->st_mode & kAnyWrite) == 0)
        return kReadOnlyFolder;
    if (isPermissionError(errorNumber) || !allowed(folder, W_OK | X_OK)
        || (file && !allowed(QFile::encodeName(path), W_OK)))
        return kNoPermission;
    // The failing call's errno may be lost (a flush inside Qt); a disk that
    // has less room left than the write needed is the likely cause then.
    if (knowFileSystem
        && qint64(fileSystem.f_bavail) * qint64(fileSystem.f_frsize) < qMax<qint64>(bytesToWrite, 1))
        return kNoSpace;
    return {};
}

} // namespace

QString fileFailureReason(const QString &path, FileAccess access, int errorNumber, qint64 bytesToWrite)
{
    if (errorNumber == ENOSPC || errorNumber == EDQUOT)
        return kNoSpace;
    if (errorNumber == EFBIG)
        return kFileTooLarge;
    const QString target = access == FileAccess::Write ? writtenPath(path) : path;
    const QByteArray native = QFile::encodeName(target);
    const std::optional<struct stat> file = statOf(native);
    if (access == FileAccess::MakeFolder && file && !S_ISDIR(file->st_mode))
        return kNotAFolder;
    if ((file && S_ISDIR(file->st_mode)) || errorNumber == EISDIR)
        return kIsFolder;
    if (file && !S_ISREG(file->st_mode))
        return kNotRegularFile;
    const QString found = access == FileAccess::Read ? readFailure(native, file, errorNumber)
                                                     : writeFailure(target, file, errorNumber, bytesToWrite);
    if (!found.isEmpty())
        return found;
    if (errorNumber == EIO)
        return kInputOutput;
    if (errorNumber != 0)
        return kSystemError.arg(errorNumber);
    return kUnknown;
}

std::optional<QString> unwritableTargetReason(const QString &path)
{
    const std::optional<struct stat> file = statOf(QFile::encodeName(path));
    if (!file)
        return std::nullopt; // missing, or a dangling link: the write itself tells
    if (S_ISDIR(file->st_mode))
        return kIsFolder;
    if (!S_ISREG(file->st_mode))
        return kNotRegularFile;
    if ((file->st_mode & kAnyWrite) == 0)
        return kReadOnlyFile;
    return std::nullopt;
}

RegularFileRead readRegularFile(const QString &path)
{
    RegularFileRead read;
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int errorNumber = errno;
        if (errorNumber == ENOENT || errorNumber == ENOTDIR)
            return read;
        read.found = true;
        read.failure = fileFailureReason(path, FileAccess::Read, errorNumber);
        return read;
    }
    read.found = true;
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int errorNumber = errno;
        ::close(fd);
        read.failure = S_ISDIR(status.st_mode) ? kIsFolder
            : status.st_mode != 0              ? kNotRegularFile
                                               : fileFailureReason(path, FileAccess::Read, errorNumber);
        return read;
    }
    read.bytes.reserve(qsizetype(status.st_size));
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0) {
            read.bytes.append(buffer, qsizetype(count));
        } else if (count == 0) {
            break;
        } else if (errno != EINTR) {
            const int errorNumber = errno;
            ::close(fd);
            read.bytes.clear();
            read.failure = fileFailureReason(path, FileAccess::Read, errorNumber);
            return read;
        }
    }
    ::close(fd);
    return read;
}

std::optional<QString> replaceFile(const QString &path, const QByteArray &bytes)
{
    if (std::optional<QString> refused = unwritableTargetReason(path))
        return refused;
    QSaveFile out(path);
    errno = 0;
    // The explicit flush matters: Qt 6.4's commit() still renames, and reports
    // success, when its own final flush fails (a full disk), which would put a
    // cut file in place of the old one. Without commit() the temporary file is
    // removed.
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush()
        || out.error() != QFileDevice::NoError || !out.commit()) {
        const int errorNumber = errno;
        out.cancelWriting();
        return fileFailureReason(path, FileAccess::Write, errorNumber, bytes.size());
    }
    return std::nullopt;
}

} // namespace karvo
