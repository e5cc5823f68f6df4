#pragma once

#include "model/PremiumSheet.h"
#include "platform/DesktopOpener.h"

#include <QByteArray>
#include <QString>

// The report "karvo.doc": the calculation as a document beside the program.
// reportInputsOf() takes the texts from a calculation alone, the one of step
// 10 or one the journal kept; the builder
// lays them out as the thirty blocks of the report (ReportBlocks.cpp), one more
// when Т is above the legal maximum, in a ReportDocument and writes that as
// RTF. It reads only and changes nothing of the premium sheet.
namespace karvo {

// The progress box of step 10 while and after the report is written.
inline const QString kReportInProgress = QStringLiteral("Формируется отчет в Word");
inline const QString kReportDone = QStringLiteral("Отчет в Word сформирован");
// Followed by the reason, instead of kReportDone when the file was not written.
inline const QString kReportFailed = QStringLiteral("Не удалось сохранить отчет: ");

// The "ОК" of a report box when nothing opens the report, or when it was
// removed meanwhile; followed by the file's path.
inline const QString kReportNotOpened = QStringLiteral("Не удалось открыть отчет. Файл сохранен: ");
inline const QString kReportMissing = QStringLiteral("Не найден файл отчета: ");

// "Отчет в файл" before "Расчет", or after an input changed: there is no Т to report.
inline const QString kReportNeedsPremium
    = QStringLiteral("Сначала нажмите \"Расчет\": отчет пишется для рассчитанной премии Т");

// Every text exactly as the step windows show it at the moment of the click.
struct ReportInputs
{
    QString tbTitle; // the step-1 title, "Базовые страховые тарифы (ТБ)"
    QString tb;
    QString kt;
    QString kbm;
    QString ko;
    QString kvs;
    QString km;
    QString ks;
    QString kp;
    QString kn;
    QString t;
    bool foreignRegistered = false; // the КП line shows КП only for these
    QString dateText; // today, in the user's short date format
    QString timeText; // the time the calculation started
    QString picturePath; // a missing or unreadable picture is left out
    QString maximumWarning; // the window's sentence when Т is above the legal maximum
};

// The report of a calculation: its texts, its start time, today's date as
// given, the warning when Т exceeds the legal maximum, and the picture beside
// the program.
ReportInputs reportInputsOf(const Calculation &calculation, const QString &dateText);
inline ReportInputs reportInputsOf(const PremiumSheet &sheet, const QString &dateText)
{
    return reportInputsOf(sheet.value(), dateText);
}

// karvo.doc beside the program, or in the documents folder when the program
// folder is read-only: the one place the report lives.
QString reportPath();
// programFile("k/astr.gif").
QString reportPicturePath();

QByteArray buildReport(const ReportInputs &inputs);

// The "ОК" of a report box: the report at reportPath() opens with the
// desktop, or `tell` gets why not and where the file is (a missing file before
// this returns, a desktop that opens nothing whenever it says so).
void openReport(const TellUser &tell);

// Replaces `path` only once the whole report is written; on failure an earlier
// file stays as it was, and `error` (when given) receives the reason in Russian.
bool writeReport(const QString &path, const ReportInputs &inputs, QString *error = nullptr);

} // namespace karvo
