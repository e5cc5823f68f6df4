// Writes karvo.doc a hundred times into a temporary program folder, picture
// included, and prints the time per report. The click of "Отчет в файл" should
// stay well under 20 ms.
#include "platform/ProgramFolder.h"
#include "report/ReportBuilder.h"
#include "report/ReportSamples.h" // tests/report

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr int kReports = 100;

    QTemporaryDir folder;
    karvo::setProgramFolder(folder.path());
    QDir(folder.path()).mkdir(u"k"_s);
    if (!QFile::copy(QStringLiteral(KARVO_SOURCE_DIR "/k/astr.gif"), karvo::reportPicturePath())) {
        std::fprintf(stderr, "bench_report: cannot copy the picture k/astr.gif\n");
        return 1;
    }

    // The tests' foreign case: every value set, Т computed.
    karvo::ReportInputs in = report_samples::sampleInputs(true);
    in.picturePath = karvo::reportPicturePath();

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kReports; ++i) {
        QString error;
        if (!karvo::writeReport(karvo::reportPath(), in, &error)) {
            std::fprintf(stderr, "bench_report: %s\n", qPrintable(error));
            return 1;
        }
    }
    const double perReport = double(timer.nsecsElapsed()) / 1e6 / kReports;
    std::printf("report: %.3f ms per report (%d reports, %lld bytes each)\n", perReport, kReports,
        QFileInfo(karvo::reportPath()).size());
    return 0;
}
