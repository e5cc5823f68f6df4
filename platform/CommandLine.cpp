#include "platform/CommandLine.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

namespace {

// The options the application object of Qt 6 takes (QCoreApplication,
// QGuiApplication, QApplication and the X11 platform plug-in), with one dash.
bool isQtOptionWithValue(const QString &argument)
{
    static const QStringList options { u"-platform"_s, u"-platformpluginpath"_s, u"-platformtheme"_s,
        u"-plugin"_s, u"-qwindowgeometry"_s, u"-geometry"_s, u"-qwindowicon"_s, u"-icon"_s,
        u"-qwindowtitle"_s, u"-title"_s, u"-session"_s, u"-style"_s, u"-stylesheet"_s, u"-display"_s,
        u"-name"_s, u"-visual"_s, u"-qmljsdebugger"_s };
    return options.contains(argument);
}

bool isQtFlag(const QString &argument)
{
    static const QStringList flags { u"-reverse"_s, u"-testability"_s, u"-widgetcount"_s, u"-nograb"_s,
        u"-dograb"_s, u"-qdebug"_s, u"-qdevel"_s };
    return flags.contains(argument) || argument.startsWith(u"-style="_s)
        || argument.startsWith(u"-stylesheet="_s) || argument.startsWith(u"-qmljsdebugger="_s);
}

} // namespace

CommandLineOutcome readCommandLine(
    const QStringList &arguments, const ProgramInfo &program, QtOptions qt, const QString &moreOptions)
{
    namespace texts = command_line_texts;
    CommandLineOutcome outcome;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == u"-h"_s || argument == u"--help"_s) {
            const QString options
                = texts::kOptions + (program.takesReminder ? texts::kReminderHelp : QString()) + moreOptions;
            return { false, 0, texts::kUsage.arg(program.name) + program.summary + options, {}, {} };
        }
        if (argument == u"-v"_s || argument == u"--version"_s)
            return { false, 0, program.name + u' ' + program.version + u'\n', {}, {} };
        if (program.takesReminder && argument == texts::kReminderOption) {
            if (++i == arguments.size())
                return { false, 2, {}, texts::kMissingValue.arg(program.name, argument), {} };
            outcome.reminderDate = arguments.at(i);
            continue;
        }
        if (program.takesReminder && argument.startsWith(texts::kReminderOption + u'=')) {
            outcome.reminderDate = argument.mid(texts::kReminderOption.size() + 1);
            continue;
        }
        if (qt == QtOptions::LeaveToQt && isQtFlag(argument))
            continue;
        if (qt == QtOptions::LeaveToQt && isQtOptionWithValue(argument)) {
            ++i;
            continue;
        }
        return { false, 2, {}, texts::kUnknownOption.arg(program.name, argument), {} };
    }
    return outcome;
}

QStringList argumentsOf(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int finish(const CommandLineOutcome &outcome)
{
    std::fputs(outcome.out.toLocal8Bit().constData(), stdout);
    std::fputs(outcome.err.toLocal8Bit().constData(), stderr);
    std::fflush(stdout);
    return outcome.exitCode;
}

} // namespace karvo
