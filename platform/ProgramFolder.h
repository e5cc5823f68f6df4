#pragma once

#include <QString>

// Every file the programs read or write is found through the program folder:
// the folder that holds the running executable. Tests point it at a temporary
// folder instead.
namespace karvo {

QString programFolder();

// A path below the program folder; `relative` uses forward slashes ("k/tb.txt").
QString programFile(const QString &relative);

// Overrides the folder for the rest of the process (tests); an empty text
// restores the executable's folder.
void setProgramFolder(const QString &folder);

} // namespace karvo
