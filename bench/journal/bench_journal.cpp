// The journal of calculations with 100,000 entries against 10, offscreen:
// the time until the window shows its first rows (the one with 100,000 may
// take at most 1.5 times as long), a search over 100,000 entries (under
// 50 ms) and adding an entry (at most 5 ms). Each figure is printed beside
// the figure it is compared with, from the same run.

#include "journal/JournalSamples.h" // tests/journal/JournalSamples.h

#include "journal/JournalCsv.h"
#include "journal/JournalModel.h"
#include "journal/JournalStore.h"
#include "journal/JournalWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

constexpr int kRuns = 15;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double milliseconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// A journal of `count` different calculations, written as an agent's CSV
// and imported, the way a large journal arrives on a new computer.
bool makeJournal(const QString &path, int count, const QString &csv)
{
    const QStringList regions { u"Москва"_s, u"Санкт-Петербург"_s, u"Тверская область"_s,
        u"Республика Татарстан"_s };
    const QStringList notes { {}, u"Иванов И. И."_s, u"А123ВС 77"_s, u"продление"_s };
    QFile file(csv);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("\xEF\xBB\xBF" + csvHeader().toUtf8());
    const QDateTime start(QDate(2020, 1, 1), QTime(8, 0));
    for (int i = 0; i < count; ++i) {
        JournalEntry entry = samples::entry({ .region = regions[i % regions.size()],
            .kbm = i % 3 ? u"1"_s : u"0,95"_s,
            .t = QString::number(1000 + i % 9000) + u',' + QString::number(i % 10),
            .note = notes[i % notes.size()],
            .time = start.addSecs(qint64(i) * 600) });
        file.write(csvRecord(entry).toUtf8());
    }
    file.close();
    JournalStore store(path);
    const JournalImported imported = store.importCsv(csv);
    return imported.ok && imported.added == count;
}

// From nothing to the first rows painted: the store opened, the window made,
// shown and drawn.
double firstRows(const QString &path)
{
    return milliseconds([&] {
        JournalStore store(path);
        JournalWindow window(store);
        window.show();
        QApplication::processEvents();
        window.grab();
        if (window.model()->rowCount() == 0)
            std::fprintf(stderr, "bench_journal: no rows shown\n");
    });
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QTemporaryDir folder;
    const QString large = folder.filePath(u"large.sqlite"_s);
    const QString small = folder.filePath(u"small.sqlite"_s);
    constexpr int kLarge = 100'000;

    const double importing = milliseconds([&] {
        if (!makeJournal(large, kLarge, folder.filePath(u"large.csv"_s)))
            std::fprintf(stderr, "bench_journal: cannot make the large journal\n");
    });
    makeJournal(small, 10, folder.filePath(u"small.csv"_s));
    std::printf("journal: importing %d entries from CSV took %.0f ms\n", kLarge, importing);

    // Alternated, so that both meet the same machine.
    std::vector<double> largeRuns;
    std::vector<double> smallRuns;
    for (int run = 0; run < kRuns; ++run) {
        largeRuns.push_back(firstRows(large));
        smallRuns.push_back(firstRows(small));
    }
    const double largeFirst = median(largeRuns);
    const double smallFirst = median(smallRuns);
    std::printf("journal: first rows shown: %.1f ms with %d entries, %.1f ms with 10 entries: %.2f times "
                "(at most 1.5)\n",
        largeFirst, kLarge, smallFirst, largeFirst / smallFirst);

    JournalStore store(large);
    JournalWindow window(store);
    window.show();
    QApplication::processEvents();
    const std::pair<const char *, QString> searches[] = {
        { "a word in a quarter of the entries", u"татарстан"_s },
        { "a Т that a dozen entries have", u"1234,4"_s },
        { "two words", u"москва продление"_s },
        { "nothing found", u"Казань"_s },
    };
    for (const auto &[what, text] : searches) {
        std::vector<double> runs;
        for (int run = 0; run < kRuns; ++run) {
            runs.push_back(milliseconds([&] {
                window.model()->setSearch(text);
                QApplication::processEvents();
            }));
            runs.push_back(milliseconds([&] {
                window.model()->setSearch({});
                QApplication::processEvents();
            }));
        }
        window.model()->setSearch(text);
        std::printf("journal: search over %d entries, %s (%d rows fetched): %.1f ms (under 50 ms)\n", kLarge,
            what, window.model()->rowCount(), median(runs));
    }
    window.close();

    std::vector<double> adds;
    for (int i = 0; i < 200; ++i) {
        const JournalEntry entry = samples::entry({ .t = QString::number(20000 + i) });
        adds.push_back(milliseconds([&] { store.add(entry); }));
    }
    std::sort(adds.begin(), adds.end());
    // The slowest include the write-ahead log's checkpoints, which copy it
    // into the file about once every thousand pages.
    std::printf("journal: adding an entry to %d entries: median %.2f ms, 95th percentile %.2f ms, slowest of "
                "200 %.2f ms (at most 5 ms)\n",
        kLarge, adds[adds.size() / 2], adds[adds.size() * 95 / 100], adds.back());
    return 0;
}
