#include "platform/UserFiles.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

bool programFolderWritable()
{
    const QFileInfo folder(programFolder());
    return folder.isDir() && folder.isWritable();
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

QString userFilePath(UserFile file)
{
    if (programFolderWritable())
        return programFile(fileName(file));
    const QString folder = fallbackFolder(file);
    // The writer needs the folder to exist; a read of a file in a missing
    // folder simply finds nothing, so creating it here costs nothing.
    QDir().mkpath(folder);
    return QDir(folder).filePath(fileName(file));
}

} // namespace karvo
