#pragma once

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
using DesktopOpenHandler = std::function<void(const QUrl &url, const OpenFailed &failed)>;

void openWithDesktop(const QUrl &url, const OpenFailed &failed = {});

DesktopOpenHandler setDesktopOpenHandler(DesktopOpenHandler handler);

} // namespace karvo
