#pragma once

#include <QUrl>

#include <functional>

// Hands a file or an address to the user's desktop, which opens it with the
// associated program. Like the message box, the karvo program installs the real
// opener and tests install a recorder. Failures are silent by design: a missing
// note or viewer must not interrupt the wizard.
namespace karvo {

using DesktopOpenHandler = std::function<bool(const QUrl &url)>;

bool openWithDesktop(const QUrl &url);

DesktopOpenHandler setDesktopOpenHandler(DesktopOpenHandler handler);

} // namespace karvo
