#include "platform/CommandLine.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

CommandLineOutcome readCommandLine(
    const QStringList &arguments, const ProgramInfo &program, QtOptions qt, const QString &moreOptions)
{
    namespace texts = command_line_texts;
    for (const QString &argument : arguments) {
        if (argument == u"-h"_s || argument == u"--help"_s)
            return { false, 0,
                texts::kUsage.arg(program.name) + program.summary + texts::kOptions + moreOptions, {} };
        if (argument == u"-v"_s || argument == u"--version"_s)
            return { false, 0, program.name + u' ' + program.version + u'\n', {} };
        // Qt's options have one dash, and some take a value.
        if (qt == QtOptions::LeaveToQt && !argument.startsWith(u"--"_s))
            continue;
        return { false, 2, {}, texts::kUnknownOption.arg(program.name, argument) };
    }
    return {};
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
