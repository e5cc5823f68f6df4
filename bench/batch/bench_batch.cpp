// `karvo --calculate` against `karvo --import-journal` of the same file of
// 100,000 calculations (pricing should take at most the import's time), the
// same list with its coefficients and Т left for the program to fill, and the
// peak memory of pricing 1,000,000 rows (under 100 MB, as the file is
// streamed). The figures are printed side by side, from one run.

#include "CalculationSamples.h" // tests/CalculationSamples.h

#include "journal/CsvWriter.h"
#include "journal/JournalCsv.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

constexpr int kRows = 100'000;
constexpr int kMillion = 1'000'000;
// Distinct calculations, repeated to make the long files.
constexpr int kDistinct = 5'000;

// The journal's CSV of `count` calculations made as a user makes them; with
// the coefficients and Т empty when `emptied`.
bool writeList(const QString &path, const std::vector<Calculation> &made, int count, bool emptied)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QStringList titles = csvTitles();
    file.write("\xEF\xBB\xBF" + csvHeader().toUtf8());
    for (int i = 0; i < count; ++i) {
        JournalEntry entry = journalEntryOf(made[std::size_t(i % kDistinct)]);
        // Distinct entries for the import: none is a duplicate of another.
        entry.note = u"А%1ВС 77"_s.arg(i);
        QStringList fields = csvTexts(entry);
        if (emptied) {
            for (int column = 0; column < titles.size(); ++column) {
                if (column >= titles.size() - qsizetype(kAllCoefficients.size())
                    || titles[column] == u"Т, руб."_s || titles[column] == u"КБМ"_s)
                    fields[column].clear();
            }
        }
        file.write(csvLine(fields).toUtf8());
    }
    return file.error() == QFile::NoError;
}

// Runs the program in `folder` (a copy: a portable program keeps its journal
// beside it); the time in ms, or -1.
double run(const QString &folder, const QStringList &arguments)
{
    QProcess karvo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_DATA_HOME"_s, QDir(folder).filePath(u"data"_s));
    karvo.setProcessEnvironment(environment);
    karvo.setWorkingDirectory(folder);
    QElapsedTimer timer;
    timer.start();
    karvo.start(QDir(folder).filePath(u"karvo"_s), arguments);
    if (!karvo.waitForFinished(-1) || karvo.exitStatus() != QProcess::NormalExit || karvo.exitCode() > 1) {
        std::fprintf(stderr, "bench_batch: %s\n", karvo.readAllStandardError().constData());
        return -1;
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

double peakOfChildrenMb()
{
    struct rusage usage
    {
    };
    ::getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid() || !QFile::copy(u"" KARVO_PATH ""_s, folder.filePath(u"karvo"_s)))
        return 1;
    QRandomGenerator random(20261208);
    std::vector<Calculation> made;
    for (int i = 0; i < kDistinct; ++i)
        made.push_back(samples::madeCalculation(random));

    // The peak memory of a child is all that getrusage() keeps of it: the
    // million is run first, so that the peak is its own.
    const QString million = folder.filePath(u"million.csv"_s);
    if (!writeList(million, made, kMillion, true))
        return 1;
    const double millionMs
        = run(folder.path(), { u"--calculate"_s, million, folder.filePath(u"m-out.csv"_s) });
    const double peak = peakOfChildrenMb();
    QFile::remove(million);
    QFile::remove(folder.filePath(u"m-out.csv"_s));
    std::printf("batch: karvo --calculate of %d rows: peak memory %.1f MB (under 100 MB), %.0f ms\n",
        kMillion, peak, millionMs);

    const QString full = folder.filePath(u"full.csv"_s);
    const QString emptied = folder.filePath(u"emptied.csv"_s);
    if (!writeList(full, made, kRows, false) || !writeList(emptied, made, kRows, true))
        return 1;
    const double priced = run(folder.path(), { u"--calculate"_s, full, folder.filePath(u"out1.csv"_s) });
    const double filled = run(folder.path(), { u"--calculate"_s, emptied, folder.filePath(u"out2.csv"_s) });
    const double imported = run(folder.path(), { u"--import-journal"_s, full });
    std::printf("batch: %d rows: karvo --calculate %.0f ms | karvo --import-journal of the same file %.0f ms "
                "(ratio %.2f, at most 1)\n",
        kRows, priced, imported, imported > 0 ? priced / imported : 0.0);
    std::printf("batch: %d rows with coefficients and Т empty: karvo --calculate %.0f ms\n", kRows, filled);
    return priced < 0 || filled < 0 || imported < 0 || millionMs < 0 ? 1 : 0;
}
