#pragma once

// Stand-ins for the desktop in window tests: messages and openings are
// recorded instead of shown, and the program folder is a fresh temporary one.

#include "platform/DesktopOpener.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        setDesktopOpenHandler([this](const QUrl &url, const OpenFailed &failed) {
            opened << url;
            if (!desktopOpens && failed)
                failed();
        });
    }
    ~Recorders()
    {
        setMessageHandler([](const QString &, const QString &) {});
        setDesktopOpenHandler([](const QUrl &, const OpenFailed &) {});
        setProgramFolder(QString());
    }

    // Creates an empty file in the program folder, such as a note "k/tb.txt",
    // and returns its path.
    QString addFile(const QString &relative) const
    {
        const QString path = folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot create %s", qPrintable(path));
        return path;
    }

    QTemporaryDir folder;
    QStringList titles;
    QStringList messages;
    QList<QUrl> opened;
    // false: nothing on the desktop opens what is handed to it.
    bool desktopOpens = true;
};

} // namespace karvo
