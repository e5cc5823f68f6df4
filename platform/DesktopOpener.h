#pragma once

#include <QString>
#include <QUrl>

#include <functional>

// Hands a file or an address to the user's desktop, which opens it with the
// associated program. Like the message box, the karvo program installs the real
// opener and tests install a recorder.
//
// Whether anything could open it is known only later: the desktop's opener is
// another program, and the wizard must not wait for it. A caller that wants to
// tell the user passes `failed`, which is called at most once, possibly after
// openWithDesktop has returned.
namespace karvo {

using OpenFailed = std::function<void()>;
// How a service that opens something for the user (a note, the report) tells
// them that it could not, with the text to say: the window that asked gives
// it, and says it. The services themselves show nothing.
using TellUser = std::function<void(const QString &text)>;
using DesktopOpenHandler = std::function<void(const QUrl &url, const OpenFailed &failed)>;

void openWithDesktop(const QUrl &url, const OpenFailed &failed = {});

// A `failed` for openWithDesktop that tells `text` through `tell`; an empty
// `tell` tells nobody.
OpenFailed tellingFailure(const TellUser &tell, const QString &text);

DesktopOpenHandler setDesktopOpenHandler(DesktopOpenHandler handler);

} // namespace karvo
