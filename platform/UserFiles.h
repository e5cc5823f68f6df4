#pragma once

#include <QString>

// Where karvo keeps the files it writes. Beside the program when its folder
// is writable (the portable case); when the program is installed in a folder
// the user cannot write to, the settings go to $XDG_CONFIG_HOME/karvo and the
// report to the user's documents folder. Every reader and writer asks here.
namespace karvo {

enum class UserFile {
    Settings, // karvo.ini
    Report, // karvo.doc
};

QString userFilePath(UserFile file);

} // namespace karvo
