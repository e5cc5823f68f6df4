#include "platform/UserFiles.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

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
    const QFileInfo folder(programFolder());
    return folder.isDir() && folder.isWritable() && !QFileInfo::exists(programFile(kInstalledMark));
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
