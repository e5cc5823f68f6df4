#pragma once

#include <QString>
#include <QStringList>

// The two programs' command line: both read -h/--help and -v/--version, which
// print and end, so that both answer without a display; karvo also takes
// --reminder DATE, with which dremo starts it when a reminder is due.
namespace karvo {

namespace command_line_texts {

// %1 the program's name; followed by the program's summary line.
inline const QString kUsage = QStringLiteral("Использование: %1 [ПАРАМЕТР]\n");
inline const QString kOptions = QStringLiteral("\nПараметры:\n"
                                               "  -h, --help     показать эту справку и выйти\n"
                                               "  -v, --version  показать версию и выйти\n");
// karvo's own option, after the common ones.
inline const QString kReminderOption = QStringLiteral("--reminder");
inline const QString kReminderHelp = QStringLiteral(
    "      --reminder ДАТА\n"
    "                 напомнить, что пора продлить полис ОСАГО (так karvo запускает dremo)\n");
inline const QString kKarvoSummary
    = QStringLiteral("Калькулятор страховой премии ОСАГО по тарифам 2011 года.\n");
inline const QString kDremoSummary = QStringLiteral(
    "Напоминание о продлении ОСАГО: при входе в систему, начиная с дня, выбранного в karvo, запускает "
    "karvo.\n");
// %1 the program's name, %2 the argument.
inline const QString kUnknownOption = QStringLiteral("%1: неизвестный параметр «%2» (справка: %1 --help)\n");
// %1 the program's name, %2 the option.
inline const QString kMissingValue
    = QStringLiteral("%1: у параметра «%2» нет значения (справка: %1 --help)\n");
// karvo started where no window can be shown.
inline const QString kNoDisplay = QStringLiteral("karvo: нет графического дисплея (не заданы DISPLAY и "
                                                 "WAYLAND_DISPLAY); запустите karvo в графическом сеансе\n");
inline const QString kDisplayFailed
    = QStringLiteral("karvo: не удалось открыть графический дисплей; запустите karvo в графическом сеансе\n");

} // namespace command_line_texts

struct ProgramInfo
{
    QString name; // "karvo"
    QString version; // the project's version
    QString summary; // one line
    bool takesReminder = false; // --reminder DATE
};

// Qt's own options and their values (-style Fusion, -session <id>, which
// session managers add) are left to the application object, which takes
// them; whatever else it leaves is refused then. Anything that is no option
// of ours or of Qt's is refused at once, display or not.
enum class QtOptions { LeaveToQt, Refuse };

struct CommandLineOutcome
{
    bool run = true; // false: end at once with exitCode
    int exitCode = 0; // 0 after help or version, 2 after an unknown argument
    QString out = {}; // for stdout
    QString err = {}; // for stderr
    QString reminderDate = {}; // of --reminder; empty without it
};

// Reads the arguments after the program's name, in order: the first that is
// help or version, or that is not known, decides. The help lists
// `moreOptions`, the program's own, after help and version.
CommandLineOutcome readCommandLine(
    const QStringList &arguments, const ProgramInfo &program, QtOptions qt, const QString &moreOptions = {});

// The arguments of main() without the program's name, before any
// application object exists.
QStringList argumentsOf(int argc, const char *const *argv);

// Prints the outcome's texts and returns its exit code.
int finish(const CommandLineOutcome &outcome);

} // namespace karvo
