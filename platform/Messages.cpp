#include "platform/Messages.h"

#include <QDebug>

namespace karvo {
namespace {
MessageHandler &currentHandler()
{
    // Without a window system there is nobody to show a box to: say it on stderr.
    static MessageHandler handler
        = [](const QString &title, const QString &text) { qWarning().noquote() << title << ":" << text; };
    return handler;
}
} // namespace

void showMessage(const QString &text, const QString &title)
{
    currentHandler()(title, text);
}

void tellUser(const QString &text)
{
    showMessage(text);
}

MessageHandler setMessageHandler(MessageHandler handler)
{
    MessageHandler previous = std::move(currentHandler());
    currentHandler() = std::move(handler);
    return previous;
}

} // namespace karvo
