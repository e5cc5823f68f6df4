#pragma once

#include <QDir>
#include <QTemporaryDir>

// The per-user store lives under $XDG_CONFIG_HOME, and QSettings fixes its
// folders on first use, so the variable points at a private folder before
// main() runs. Each test empties the folder with resetConfigHome().
namespace reminder_test {

inline QString configHome()
{
    static const QTemporaryDir dir;
    return dir.path();
}

inline void resetConfigHome()
{
    QFile::setPermissions(configHome(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(configHome()).removeRecursively();
    QDir().mkpath(configHome());
}

inline void useTemporaryConfigHome()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
}
Q_CONSTRUCTOR_FUNCTION(useTemporaryConfigHome)

} // namespace reminder_test
