#pragma once

// Stand-ins for the desktop in window tests: messages and openings are
// recorded instead of shown, and the program folder is a fresh temporary one.

#include "platform/DesktopOpener.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

namespace karvo {

struct Recorders
{
    Recorders()
    {
        setProgramFolder(folder.path());
        setMessageHandler([this](const QString &title, const QString &text) {
            titles << title;
            messages << text;
        });
        setDesktopOpenHandler([this](const QUrl &url) {
            opened << url;
            return true;
        });
    }
    ~Recorders()
    {
        setMessageHandler([](const QString &, const QString &) {});
        setDesktopOpenHandler([](const QUrl &) { return false; });
        setProgramFolder(QString());
    }

    QTemporaryDir folder;
    QStringList titles;
    QStringList messages;
    QList<QUrl> opened;
};

} // namespace karvo
