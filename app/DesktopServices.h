#pragma once

#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>

class QMessageBox;

// The real message box and desktop opener of the karvo program. Tests leave
// them out and install recorders instead.
namespace karvo {

void installDesktopServices();

// Qt's own words (the OK of a box, the menu of a text box, Qt's reasons) in
// Russian, whatever the system's language. Without Qt's translation karvo
// runs all the same, with Qt's English; returns whether it was found.
bool installQtTranslation();

// The program's message box: no icon, the title, the text and one OK button,
// over the karvo window the user works in (the active one, else the visible
// one) and with its colours.
std::unique_ptr<QMessageBox> createMessageBox(const QString &title, const QString &text);

// How long the desktop's opener is watched. An opener that is still running
// by then has handed the file to a viewer (some openers wait for the viewer
// to close), so it counts as opened.
inline constexpr std::chrono::milliseconds kOpenerWatch = std::chrono::seconds(10);

// Hands `url` to xdg-open, the desktop's opener, and tells `done` later
// whether it opened it: false when xdg-open is missing, cannot start, or ends
// with an error (no program for the file, a missing file); true when it
// succeeds or is still running after `watch`. Never waits.
void openWithXdgOpen(
    const QUrl &url, std::function<void(bool opened)> done, std::chrono::milliseconds watch = kOpenerWatch);

} // namespace karvo
