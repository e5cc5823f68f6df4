#pragma once

#include <QString>

// Where karvo keeps the files it writes. Beside the program when its folder
// is writable and no package installed it (the portable case); otherwise the
// settings go to $XDG_CONFIG_HOME/karvo and the report to the user's
// documents folder, whoever runs it. Every reader and writer asks here.
namespace karvo {

enum class UserFile {
    Settings, // karvo.ini
    Report, // karvo.doc
};

QString userFilePath(UserFile file);

// The file a package puts into the program folder it installs.
inline const QString kInstalledMark = QStringLiteral("installed");

// Whether the files are kept beside the program.
bool portableProgramFolder();

} // namespace karvo
