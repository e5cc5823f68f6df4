#include "platform/DesktopOpener.h"

namespace karvo {
namespace {
DesktopOpenHandler &currentHandler()
{
    // Without the program's opener nothing can be opened.
    static DesktopOpenHandler handler = [](const QUrl &, const OpenFailed &failed) {
        if (failed)
            failed();
    };
    return handler;
}
} // namespace

void openWithDesktop(const QUrl &url, const OpenFailed &failed)
{
    currentHandler()(url, failed);
}

OpenFailed tellingFailure(const TellUser &tell, const QString &text)
{
    if (!tell)
        return {};
    return [tell, text] { tell(text); };
}

DesktopOpenHandler setDesktopOpenHandler(DesktopOpenHandler handler)
{
    DesktopOpenHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

} // namespace karvo
