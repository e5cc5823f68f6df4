#include "platform/CommandLine.h"
#include "reminder/ReminderDate.h"
#include "reminder/ReminderStore.h"

#include <QCoreApplication>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

// Runs at every log-on of a user who set a reminder: on the reminder day, and
// at every log-on after it until the user answers "Нет" or sets a new day, it
// starts the calculator from its own folder, telling it which reminder is
// due, and in every case it ends at once. It shows nothing and exits with 0;
// a missing date or a missing calculator simply means there is nothing to
// do. Its command line only answers -h/--help and -v/--version.
int main(int argc, char *argv[])
{
    const karvo::ProgramInfo program { u"dremo"_s, QStringLiteral(KARVO_VERSION),
        karvo::command_line_texts::kDremoSummary };
    if (const karvo::CommandLineOutcome outcome
        = karvo::readCommandLine(karvo::argumentsOf(argc, argv), program, karvo::QtOptions::Refuse);
        !outcome.run)
        return karvo::finish(outcome);

    const QCoreApplication app(argc, argv);
    const karvo::XdgReminderStore store;
    if (const std::optional<QString> due = karvo::dueReminder(store.reminderDate(), QDate::currentDate()))
        QProcess::startDetached(QCoreApplication::applicationDirPath() + u"/karvo"_s,
            { karvo::command_line_texts::kReminderOption, *due });
    return 0;
}
