#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The log-on entry is an XDG autostart desktop entry. Its Exec line is read
// by the desktop's own parser, which undoes two layers of escaping and then
// expands field codes, so a program path is written with all three in mind:
// a folder named with blanks, quotes, "$", "%", "=" or backslashes must still
// start exactly that program and nothing else. TryExec names the program
// itself, so that desktops skip the entry once the program is gone.
namespace karvo {

// The Exec value that runs `program` without arguments; nothing when the
// path holds a control character that a desktop entry cannot carry.
std::optional<QString> desktopExecValue(const QString &program);

// The TryExec value for `program` (string escapes only), or nothing as above.
std::optional<QString> desktopTryExecValue(const QString &program);

// The whole file "karvo.desktop" for `program`, or nothing as above.
std::optional<QByteArray> autostartEntry(const QString &program);

} // namespace karvo
