#include "reminder/RegistryStore.h"
#include "reminder/ReminderDate.h"

#include <QCoreApplication>
#include <QProcess>

using namespace Qt::Literals::StringLiterals;

// Runs at every log-on of a user who set a reminder: on the reminder day it
// starts the calculator from its own folder, and in every case it ends at
// once. It shows nothing, reads no command line and always exits with 0; a
// missing date or a missing calculator simply means there is nothing to do.
int main(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    const karvo::XdgRegistryStore store;
    if (karvo::reminderFallsOn(store.reminderDate(), QDate::currentDate()))
        QProcess::startDetached(QCoreApplication::applicationDirPath() + u"/karvo"_s, {});
    return 0;
}
