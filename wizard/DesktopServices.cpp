#include "wizard/DesktopServices.h"

#include "platform/DesktopOpener.h"
#include "platform/Messages.h"

#include <QDesktopServices>
#include <QMessageBox>

namespace karvo {

std::unique_ptr<QMessageBox> createMessageBox(const QString &title, const QString &text)
{
    return std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}

void installDesktopServices()
{
    setMessageHandler(
        [](const QString &title, const QString &text) { createMessageBox(title, text)->exec(); });
    setDesktopOpenHandler([](const QUrl &url) { return QDesktopServices::openUrl(url); });
}

} // namespace karvo
