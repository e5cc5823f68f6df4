#include "platform/DesktopOpener.h"

namespace karvo {
namespace {
DesktopOpenHandler &currentHandler()
{
    static DesktopOpenHandler handler = [](const QUrl &) { return false; };
    return handler;
}
} // namespace

bool openWithDesktop(const QUrl &url)
{
    return currentHandler()(url);
}

DesktopOpenHandler setDesktopOpenHandler(DesktopOpenHandler handler)
{
    DesktopOpenHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

} // namespace karvo
