#include "app/Calculator.h"
#include "app/DesktopServices.h"
#include "journal/BatchCommand.h"
#include "journal/BatchTexts.h"
#include "journal/JournalCommand.h"
#include "journal/JournalTexts.h"
#include "layout/FontConfigWarmUp.h"
#include "layout/LayoutTable.h"
#include "platform/CommandLine.h"
#include "platform/Messages.h"
#include "reminder/ReminderTexts.h"

#include <QApplication>
#include <QLocale>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

const karvo::ProgramInfo kProgram { u"karvo"_s, QStringLiteral(KARVO_VERSION),
    karvo::command_line_texts::kKarvoSummary, true };

// For the package's smoke test and the start-up benchmark: once the first
// window is shown and the event loop has nothing left to do, name the visible
// windows on stdout and end. The command line is the user's, so this is an
// environment variable.
void endWhenIdleForSmokeTest(QApplication &app)
{
    if (qEnvironmentVariableIsEmpty("KARVO_SMOKE_TEST"))
        return;
    QTimer::singleShot(0, &app, [] {
        QTextStream out(stdout);
        for (const QWidget *window : QApplication::topLevelWidgets()) {
            if (window->isVisible())
                out << window->objectName() << Qt::endl;
        }
        // exit(), not quit(): quit() asks the windows, and step windows refuse to close.
        QCoreApplication::exit(0);
    });
}

bool displayNamed(const QStringList &arguments)
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || arguments.contains(u"-platform"_s);
}

// While the application object connects to the display, Qt's messages are
// held back: if it cannot, Qt ends the program with a page of text about
// plug-ins, and the user gets one line instead. If it can, they are passed on.
class DisplayConnectionGuard
{
public:
    DisplayConnectionGuard() { s_previous = qInstallMessageHandler(&hold); }
    ~DisplayConnectionGuard()
    {
        qInstallMessageHandler(s_previous);
        for (const Held &message : s_held) {
            const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
            s_previous(message.type, context, message.text);
        }
        s_held.clear();
    }
    DisplayConnectionGuard(const DisplayConnectionGuard &) = delete;
    DisplayConnectionGuard &operator=(const DisplayConnectionGuard &) = delete;

private:
    struct Held
    {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtFatalMsg) {
            std::fputs(karvo::command_line_texts::kDisplayFailed.toLocal8Bit().constData(), stderr);
            std::_Exit(1);
        }
        s_held.push_back({ type, QByteArray(context.category), text });
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::vector<Held> s_held;
};

QString optionsHelp()
{
    return karvo::journal_texts::kOptionsHelp + karvo::batch_texts::kOptionsHelp;
}

} // namespace

int main(int argc, char *argv[])
{
    // Before the application object: help and version need no display.
    const QStringList arguments = karvo::argumentsOf(argc, argv);
    // The journal's export and import work on files only: no window, no display.
    if (karvo::isJournalCommand(arguments)) {
        const QCoreApplication core(argc, argv);
        return karvo::finish(*karvo::runJournalCommand(arguments));
    }
    // So does the pricing of a list of vehicles.
    if (karvo::isBatchCommand(arguments)) {
        const QCoreApplication core(argc, argv);
        return karvo::finish(*karvo::runBatchCommand(arguments));
    }
    if (const karvo::CommandLineOutcome early
        = karvo::readCommandLine(arguments, kProgram, karvo::QtOptions::LeaveToQt, optionsHelp());
        !early.run)
        return karvo::finish(early);
    if (!displayNamed(arguments)) {
        std::fputs(karvo::command_line_texts::kNoDisplay.toLocal8Bit().constData(), stderr);
        return 1;
    }

    karvo::FontConfigWarmUp fonts;
    std::unique_ptr<QApplication> application;
    {
        const DisplayConnectionGuard guard;
        application = std::make_unique<QApplication>(argc, argv);
    }
    // Qt has taken the options it knows; anything left is not understood.
    const karvo::CommandLineOutcome late = karvo::readCommandLine(
        QCoreApplication::arguments().mid(1), kProgram, karvo::QtOptions::Refuse, optionsHelp());
    if (!late.run)
        return karvo::finish(late);

    // The program speaks Russian whatever the system's language: Qt's own
    // words and Qt's number and date widgets too.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    karvo::installQtTranslation();
    // Lets the desktop match the windows to the menu entry (Wayland).
    QGuiApplication::setDesktopFileName(QStringLiteral(KARVO_APP_ID));
    karvo::installDesktopServices();
    // The windows' font for everything, message boxes included; set before
    // any widget exists, so that no control starts with another font first.
    fonts.wait();
    QApplication::setFont(karvo::defaultWindowFont());
    karvo::Calculator calculator;
    calculator.start();
    // Started by dremo: the user learns why the calculator came up by itself,
    // over its first window.
    if (!late.reminderDate.isEmpty()) {
        QTimer::singleShot(0, application.get(),
            [date = late.reminderDate] { karvo::showMessage(karvo::reminder_texts::kReminderDue + date); });
    }
    endWhenIdleForSmokeTest(*application);
    return application->exec();
}
