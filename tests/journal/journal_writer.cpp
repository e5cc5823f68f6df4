// A second karvo for the store's tests: adds `count` entries to the journal at
// `path`, each a calculation of its own, and prints each id once it is stored.
// journal_writer <path> <count> <name>

#include "JournalSamples.h"

#include "journal/JournalStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    karvo::JournalStore store(QString::fromLocal8Bit(argv[1]));
    const int count = QByteArray(argv[2]).toInt();
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 0; i < count; ++i) {
        karvo::JournalEntry entry = karvo::samples::entry({ .region = name + QString::number(i) });
        entry.time = QDateTime::currentDateTime();
        const karvo::JournalAdded added = store.add(entry);
        if (added.result != karvo::JournalAdded::Added) {
            std::fprintf(stderr, "%s\n", qPrintable(added.error));
            return 1;
        }
        std::printf("%lld\n", static_cast<long long>(added.id));
        std::fflush(stdout);
    }
    return 0;
}
