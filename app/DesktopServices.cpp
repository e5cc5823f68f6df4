#include "app/DesktopServices.h"

#include "platform/DesktopOpener.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

QWidget *visibleProgramWindow()
{
    QWidget *active = QApplication::activeWindow();
    if (active && active->isVisible() && active->windowType() == Qt::Window)
        return active;
    // Without a window manager nothing is active: the step window is the one
    // visible ordinary window (boxes are dialogs, menus are pop-ups).
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->isVisible() && window->windowType() == Qt::Window)
            return window;
    }
    return nullptr;
}

} // namespace

bool installQtTranslation()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(u"qtbase_ru"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

std::unique_ptr<QMessageBox> createMessageBox(const QString &title, const QString &text)
{
    QWidget *over = visibleProgramWindow();
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, text, QMessageBox::Ok, over);
    box->button(QMessageBox::Ok)->setText(kOkButton);
    // A dialog does not take its parent's colours by itself; the box belongs
    // to the window's design, not to the desktop's theme.
    if (over)
        box->setPalette(over->palette());
    return box;
}

void openWithXdgOpen(const QUrl &url, std::function<void(bool opened)> done, std::chrono::milliseconds watch)
{
    const QString opener = QStandardPaths::findExecutable(u"xdg-open"_s);
    if (opener.isEmpty()) {
        done(false);
        return;
    }
    // The first of the outcomes answers; the others find nobody to tell.
    auto answer = std::make_shared<std::function<void(bool)>>(std::move(done));
    auto reply = [answer](bool opened) {
        if (!*answer)
            return;
        const std::function<void(bool)> tell = std::move(*answer);
        *answer = nullptr;
        tell(opened);
    };

    // Owned by the application, so that an opener still waiting for its
    // viewer does not keep anything else alive.
    auto *process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    // A path, not a file URL: every opener understands it, Cyrillic included.
    process->setArguments({ url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded) });
    // No pipes: the viewer inherits them and would die writing to a closed one
    // once karvo has ended.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(
        process, &QProcess::errorOccurred, process, [process, reply](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return; // the end is reported by finished()
            reply(false);
            process->deleteLater();
        });
    QObject::connect(
        process, &QProcess::finished, process, [process, reply](int exitCode, QProcess::ExitStatus status) {
            reply(status == QProcess::NormalExit && exitCode == 0);
            process->deleteLater();
        });
    QTimer::singleShot(watch, process, [reply] { reply(true); });
    // An opener that waits for its viewer ends with karvo; the viewer, its
    // child, stays open.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, process, [process] {
        if (process->state() == QProcess::NotRunning)
            return;
        process->kill();
        process->waitForFinished();
    });
    process->start();
}

void installDesktopServices()
{
    setMessageHandler(
        [](const QString &title, const QString &text) { createMessageBox(title, text)->exec(); });
    // QDesktopServices::openUrl only starts xdg-open and reports success
    // whatever it then finds; xdg-open's own outcome tells the truth.
    setDesktopOpenHandler([](const QUrl &url, const OpenFailed &failed) {
        openWithXdgOpen(url, [failed](bool opened) {
            if (!opened && failed)
                failed();
        });
    });
}

} // namespace karvo
