#pragma once

#include <QString>

#include <span>

// Folder names and how the desktop entry must spell them: inside the quoted
// argument of the Exec line, and as the TryExec value, so that the desktop
// reads back exactly the name. The table lives in its own file because moc
// cannot read raw strings that contain quotes.
namespace reminder_test {

struct ExecSpelling
{
    const char *row;
    QString folder;
    QString spelled; // in Exec
    QString tryExec;
};

std::span<const ExecSpelling> execSpellings();

} // namespace reminder_test
