// The journal of calculations with 100,000 entries against 10, offscreen:
// importing 100,000 entries of one minute against 100,000 of distinct
// minutes (at most twice as long), the peak memory of `karvo
// --import-journal` with 1,000,000 entries (under 100 MB), the time until the
// window shows its first rows (the one with 100,000 may take at most 1.5
// times as long), a search over 100,000 entries (under 50 ms) and adding an
// entry (at most 5 ms). Each figure is printed beside the figure it is
// compared with, from the same run.

#include "journal/JournalSamples.h" // tests/journal/JournalSamples.h

#include "journal/JournalCsv.h"
#include "journal/JournalModel.h"
#include "journal/JournalStore.h"
#include "journal/JournalWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>

#include <sys/resource.h>

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

// A CSV of `count` different calculations, as an agent's journal arrives on
// a new computer; all of one minute when `oneMinute`, else ten minutes apart.
bool writeCsv(const QString &csv, int count, bool oneMinute)
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
            // The other texts repeat every 9,000 entries: within one minute
            // the note alone tells them apart.
            .note = notes[i % notes.size()] + (oneMinute ? u" №"_s + QString::number(i) : QString()),
            .time = oneMinute ? start : start.addSecs(qint64(i) * 600) });
        file.write(csvRecord(entry).toUtf8());
    }
    return true;
}

bool importInto(const QString &path, const QString &csv, int count)
{
    JournalStore store(path);
    const JournalImported imported = store.importCsv(csv);
    if (!imported.ok || imported.added != count) {
        std::fprintf(stderr, "bench_journal: imported %d of %d: %s\n", imported.added, count,
            qPrintable(imported.error));
        return false;
    }
    return true;
}

bool makeJournal(const QString &path, int count, const QString &csv)
{
    return writeCsv(csv, count, false) && importInto(path, csv, count);
}

// `karvo --import-journal` of `count` entries in a process of its own, so that
// its peak memory is the command's alone. Returns the peak in MB, or -1.
double importMemory(const QString &folder, int count, double *milliseconds)
{
    const QString program = QDir(folder).filePath(u"karvo"_s);
    const QString csv = QDir(folder).filePath(u"million.csv"_s);
    // A copy of the program: a portable program keeps its journal beside it.
    if (!QFile::copy(u"" KARVO_PATH ""_s, program) || !writeCsv(csv, count, false))
        return -1;
    QElapsedTimer timer;
    timer.start();
    QProcess karvo;
    karvo.start(program, { u"--import-journal"_s, csv });
    if (!karvo.waitForFinished(-1) || karvo.exitCode() != 0) {
        std::fprintf(stderr, "bench_journal: %s\n", karvo.readAllStandardError().constData());
        return -1;
    }
    *milliseconds = double(timer.elapsed());
    QFile::remove(csv);
    struct rusage usage
    {
    };
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kB
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

    // The peak memory of a child is all that getrusage() keeps of it: the
    // one child is measured first.
    double millionMs = 0;
    const double peak = importMemory(folder.path(), 1'000'000, &millionMs);
    std::printf(
        "journal: karvo --import-journal of 1000000 entries: peak memory %.1f MB (under 100 MB), %.0f ms\n",
        peak, millionMs);

    const QString distinctCsv = folder.filePath(u"distinct.csv"_s);
    const QString oneMinuteCsv = folder.filePath(u"one-minute.csv"_s);
    writeCsv(distinctCsv, kLarge, false);
    writeCsv(oneMinuteCsv, kLarge, true);
    const double distinct = milliseconds([&] { importInto(large, distinctCsv, kLarge); });
    const double oneMinute
        = milliseconds([&] { importInto(folder.filePath(u"one-minute.sqlite"_s), oneMinuteCsv, kLarge); });
    std::printf(
        "journal: importing %d entries: %.0f ms of distinct minutes, %.0f ms of one minute: %.2f times "
        "(at most 2)\n",
        kLarge, distinct, oneMinute, oneMinute / distinct);
    makeJournal(small, 10, folder.filePath(u"small.csv"_s));

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
