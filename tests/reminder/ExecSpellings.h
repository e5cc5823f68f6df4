#pragma once

#include <QString>

#include <span>

// Folder names and how the Exec line of a desktop entry must spell them
// inside a quoted argument, so that the desktop reads back exactly the name.
// The table lives in its own file because moc cannot read raw strings that
// contain quotes.
namespace reminder_test {

struct ExecSpelling
{
    const char *row;
    QString folder;
    QString spelled;
};

std::span<const ExecSpelling> execSpellings();

} // namespace reminder_test
