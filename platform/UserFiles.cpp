#include "platform/UserFiles.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// Asked with the identity and capabilities the writes themselves will have:
// QFileInfo::isWritable() asks access(), which answers for the real user and
// so may promise a folder that the write is then refused.
bool programFolderWritable()
{
    const QString folder = programFolder();
    return QFileInfo(folder).isDir()
        && ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

QString fileName(UserFile file)
{
    return file == UserFile::Settings ? u"karvo.ini"_s : u"karvo.doc"_s;
}

QString fallbackFolder(UserFile file)
{
    if (file == UserFile::Settings)
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u"/karvo"_s;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace

bool portableProgramFolder()
{
    // Root may write into an installed folder; what it left there would
    // outlive the package's removal.
    return programFolderWritable() && !QFileInfo::exists(programFile(kInstalledMark));
}

QString userFilePath(UserFile file)
{
    if (portableProgramFolder())
        return programFile(fileName(file));
    const QString folder = fallbackFolder(file);
    // The writer needs the folder to exist; a read of a file in a missing
    // folder simply finds nothing, so creating it here costs nothing.
    QDir().mkpath(folder);
    return QDir(folder).filePath(fileName(file));
}

} // namespace karvo
