// Writes karvo.doc a hundred times into a temporary program folder, picture
// included, and prints the time per report. The click of "Отчет в файл" should
// stay well under 20 ms.
#include "platform/ProgramFolder.h"
#include "report/ReportBuilder.h"

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

    karvo::ReportInputs in;
    in.tbTitle = u"Базовые страховые тарифы (ТБ)"_s;
    in.tb = u"1980"_s;
    in.kt = u"1,7"_s;
    in.kbm = u"0,95"_s;
    in.ko = u"1"_s;
    in.kvs = u"1,8"_s;
    in.km = u"1,1"_s;
    in.ks = u"1"_s;
    in.kp = u"0,5"_s;
    in.kn = u"1,5"_s;
    in.t = u"5790,37"_s;
    in.foreignRegistered = true;
    in.dateText = u"14.02.2012"_s;
    in.timeText = u"9:05"_s;
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
