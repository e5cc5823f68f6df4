#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace karvo {
namespace {
QString &overrideFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString programFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

QString programFile(const QString &relative)
{
    return QDir(programFolder()).filePath(relative);
}

void setProgramFolder(const QString &folder)
{
    overrideFolder() = folder;
}

} // namespace karvo
