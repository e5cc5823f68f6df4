#include "model/PremiumFormula.h"
#include "platform/FileFailure.h"
#include "platform/FolderPermissionsApply.h"
#include "platform/ProgramFolder.h"
#include "report/ReportBuilder.h"
#include "report/ReportSamples.h"
#include "report/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace report_samples;

namespace {

// Paragraph numbers count from 1, as a reader of the report counts them.
const ReadParagraph &paragraph(const ReadDocument &document, int number)
{
    return document.paragraphs.at(std::size_t(number - 1));
}

const ReadRun *runStartingWith(const ReadParagraph &paragraph, const QString &start)
{
    for (const ReadRun &run : paragraph.runs)
        if (run.text.startsWith(start))
            return &run;
    return nullptr;
}

QStringList texts(const ReadDocument &document)
{
    QStringList all;
    for (const ReadParagraph &p : document.paragraphs)
        all << p.text();
    return all;
}

// The reason of a failed write holds no English once the path is left out.
bool isRussian(QString reason, const QString &path)
{
    return !reason.remove(QDir::toNativeSeparators(path)).contains(QRegularExpression(u"[A-Za-z]"_s));
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ReportTest : public QObject
{
    Q_OBJECT

private slots:
    void paragraphs_data();
    void paragraphs();
    void pageMargins();
    void blockFormat_data();
    void blockFormat();
    void onlyTheBlueBlocksAreBlue();
    void readersWithoutUnicodeShowCyrillic();
    void awkwardTexts_data();
    void awkwardTexts();
    void pictureIsEmbedded();
    void missingPictureLeavesTheRest();
    void secondReportReplacesTheFirst();
    void failedWriteKeepsEarlierReport_data();
    void failedWriteKeepsEarlierReport();
    void pathThatIsNoFile_data();
    void pathThatIsNoFile();
};

void ReportTest::paragraphs_data()
{
    QTest::addColumn<bool>("foreign");
    QTest::addColumn<QString>("warning");
    // ТБ … КН of a sheet calculated with "Расчет" for an individual, whose
    // inputs the report then takes from the sheet; empty: the sample inputs.
    QTest::addColumn<QStringList>("sheet");
    QTest::newRow("foreign vehicle, КП shown") << true << QString() << QStringList();
    QTest::newRow("domestic vehicle, КП excluded, no Т yet") << false << QString() << QStringList();
    QTest::newRow("above the legal maximum, warned after the total")
        << true << u"Т превышает предельный размер: страховая премия не может превышать 1000 руб."_s
        << QStringList();
    QTest::newRow("above the legal maximum, the calculated sheet's warning")
        << false << u"Т превышает предельный размер: страховая премия не может превышать 19800 руб."_s
        << QStringList { u"1980"_s, u"2"_s, u"2,45"_s, u"1,7"_s, u"1,8"_s, u"1,6"_s, u"1"_s, u"1"_s,
               u"1,5"_s };
}

void ReportTest::paragraphs()
{
    QFETCH(bool, foreign);
    QFETCH(QString, warning);
    QFETCH(QStringList, sheet);
    karvo::ReportInputs in = sampleInputs(foreign);
    in.maximumWarning = warning;
    if (!sheet.isEmpty()) {
        karvo::PremiumSheet calculated;
        for (karvo::Coefficient c : karvo::kAllCoefficients)
            calculated.setCoefficient(c, sheet.at(int(c)));
        calculated.setOwnerKind(karvo::OwnerKind::Individual);
        calculated.setForeignRegisteredFlag(foreign);
        QCOMPARE(karvo::computePremium(calculated), QString());
        in = karvo::reportInputsOf(calculated, in.dateText);
    }
    karvo::ReportInputs expected = in;
    expected.maximumWarning = warning;
    QCOMPARE(texts(readRtf(karvo::buildReport(in))), expectedParagraphs(expected));
}

void ReportTest::pageMargins()
{
    const ReadDocument document = readRtf(karvo::buildReport(sampleInputs(true)));
    // 3 cm, 1,5 cm, 2 cm, 2 cm, each rounded to the nearest twip (850,39 → 850).
    QCOMPARE(document.header.value("margl"), 1701);
    QCOMPARE(document.header.value("margr"), 850);
    QCOMPARE(document.header.value("margt"), 1134);
    QCOMPARE(document.header.value("margb"), 1134);
}

void ReportTest::blockFormat_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("runStart");
    QTest::addColumn<QString>("font");
    QTest::addColumn<qreal>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("blue");
    QTest::addColumn<char>("alignment");

    const QString tahoma = u"Tahoma"_s, times = u"Times New Roman"_s, wingdings = u"Wingdings"_s;
    QTest::newRow("title") << 3 << u"Страховые"_s << tahoma << 12.0 << true << false << true << 'c';
    QTest::newRow("decree") << 11 << u"от 8"_s << tahoma << 10.0 << true << false << false << 'l';
    QTest::newRow("first rule, size untouched")
        << 15 << u"="_s << times << 12.0 << false << false << false << 'l';
    QTest::newRow("bullet") << 17 << u"❶"_s << wingdings << 12.0 << false << false << false << 'l';
    QTest::newRow("entry") << 17 << u"Базовые"_s << times << 11.0 << false << false << false << 'l';
    QTest::newRow("law, plain part") << 32 << u"     закона"_s << times << 11.0 << false << false << false
                                     << 'l';
    QTest::newRow("law title") << 32 << u"Об обязательном"_s << times << 11.0 << true << true << false << 'l';
    QTest::newRow("law title, second line")
        << 33 << u"     транспортных"_s << times << 11.0 << true << true << false << 'l';
    QTest::newRow("КН value") << 33 << u"(KH)"_s << times << 11.0 << false << false << false << 'l';
    QTest::newRow("total") << 37 << u"ИТОГО"_s << tahoma << 10.0 << true << false << false << 'l';
    QTest::newRow("site") << 41 << karvo::kAuthorSite << tahoma << 10.0 << true << false << true << 'l';
    QTest::newRow("date") << 46 << u"14.02"_s << tahoma << 10.0 << true << false << false << 'l';
    QTest::newRow("rights notice") << 54 << u"©"_s << times << 8.0 << false << false << false << 'r';
}

void ReportTest::blockFormat()
{
    QFETCH(int, number);
    QFETCH(QString, runStart);
    QFETCH(QString, font);
    QFETCH(qreal, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, blue);
    QFETCH(char, alignment);

    const ReadDocument document = readRtf(karvo::buildReport(sampleInputs(true)));
    const ReadParagraph &p = paragraph(document, number);
    const ReadRun *run = runStartingWith(p, runStart);
    QVERIFY2(run, qPrintable(u"no run starts with \""_s + runStart + u"\" in: "_s + p.text()));
    QCOMPARE(run->font, font);
    QCOMPARE(run->pointSize, size);
    QCOMPARE(run->bold, bold);
    QCOMPARE(run->italic, italic);
    QCOMPARE(run->colour, blue ? QColor(0, 0, 255) : QColor());
    QCOMPARE(p.alignment, alignment);
}

void ReportTest::onlyTheBlueBlocksAreBlue()
{
    const ReadDocument document = readRtf(karvo::buildReport(sampleInputs(true)));
    std::set<int> blue;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i)
        for (const ReadRun &run : document.paragraphs[i].runs)
            if (!run.text.isEmpty() && run.colour.isValid())
                blue.insert(int(i) + 1);
    QCOMPARE(blue, (std::set<int> { 3, 41, 42 }));
}

void ReportTest::readersWithoutUnicodeShowCyrillic()
{
    const QByteArray rtf = karvo::buildReport(sampleInputs(true));
    QStringList expected = texts(readRtf(rtf));
    // The bullets have no Windows-1251 byte.
    for (QString &text : expected)
        for (QChar &c : text)
            if (c.unicode() >= 0x2776 && c.unicode() <= 0x277E)
                c = u'?';
    QCOMPARE(texts(readRtf(rtf, UnicodeEscapes::Ignore)), expected);
}

void ReportTest::awkwardTexts_data()
{
    QTest::addColumn<QString>("dateText");
    QTest::addColumn<QString>("withoutUnicode");
    QTest::newRow("RTF's own signs") << u"{\\par} \\b1"_s << u"{\\par} \\b1"_s;
    QTest::newRow("outside Windows-1251") << u"Ж€✓😀"_s << u"Ж€???"_s;
    QTest::newRow("tab and line break") << u"1\t2\n3"_s << u"1\t2\n3"_s;
}

void ReportTest::awkwardTexts()
{
    QFETCH(QString, dateText);
    QFETCH(QString, withoutUnicode);
    karvo::ReportInputs in = sampleInputs(true);
    in.dateText = dateText;
    const QByteArray rtf = karvo::buildReport(in);
    const ReadDocument read = readRtf(rtf);
    QCOMPARE(read.paragraphs.size(), std::size_t(54));
    QCOMPARE(paragraph(read, 46).text(), dateText);
    QCOMPARE(paragraph(readRtf(rtf, UnicodeEscapes::Ignore), 46).text(), withoutUnicode);
}

void ReportTest::pictureIsEmbedded()
{
    const ReadDocument document = readRtf(karvo::buildReport(sampleInputs(true)));
    const ReadParagraph &first = paragraph(document, 1);
    QCOMPARE(first.runs.size(), std::size_t(1));
    const QImage embedded = QImage::fromData(first.runs.front().picture, "PNG");
    const QImage original(kPicture);
    QVERIFY(!original.isNull());
    QCOMPARE(
        embedded.convertToFormat(QImage::Format_ARGB32), original.convertToFormat(QImage::Format_ARGB32));
    // Shown at 96 dpi: 15 twips to the pixel.
    QCOMPARE(document.header.value("picwgoal"), original.width() * 15);
    QCOMPARE(first.alignment, 'c');
}

void ReportTest::missingPictureLeavesTheRest()
{
    karvo::ReportInputs in = sampleInputs(true);
    in.picturePath = u"/nonexistent/astr.gif"_s;
    const QByteArray rtf = karvo::buildReport(in);
    QVERIFY(!rtf.contains("\\pict"));
    QCOMPARE(texts(readRtf(rtf)), expectedParagraphs(in));
}

void ReportTest::secondReportReplacesTheFirst()
{
    QTemporaryDir folder;
    karvo::setProgramFolder(folder.path());
    karvo::ReportInputs first = sampleInputs(true);
    karvo::ReportInputs second = sampleInputs(false);
    QString error;
    QVERIFY(karvo::writeReport(karvo::reportPath(), first, &error));
    QVERIFY(karvo::writeReport(karvo::reportPath(), second, &error));
    QCOMPARE(fileBytes(folder.filePath(u"karvo.doc"_s)), karvo::buildReport(second));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { u"karvo.doc"_s });
    karvo::setProgramFolder({});
}

void ReportTest::failedWriteKeepsEarlierReport_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only folder") << u"folder"_s << karvo::file_failure_texts::kReadOnlyFolder;
    QTest::newRow("file-size limit, as on a full disk")
        << u"size"_s << karvo::file_failure_texts::kFileTooLarge;
}

void ReportTest::failedWriteKeepsEarlierReport()
{
    QFETCH(QString, how);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"karvo.doc"_s);
    const karvo::ReportInputs earlier = sampleInputs(true);
    QVERIFY(karvo::writeReport(path, earlier));

    rlimit oldLimit {};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
    if (how == u"folder") {
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    } else {
        rlimit small = oldLimit;
        small.rlim_cur = 1024; // far less than a report
        setrlimit(RLIMIT_FSIZE, &small);
    }

    QString error;
    bool written = false;
    bool applies = true;
    {
        std::optional<FolderPermissionsApply> permissions;
        if (how == u"folder")
            permissions.emplace();
        applies = !permissions || permissions->applies();
        written = applies && karvo::writeReport(path, sampleInputs(false), &error);
    }

    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldSignal);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY2(applies, "root could not set aside its right to write anywhere");
    QVERIFY(!written);
    QVERIFY2(error.contains(path) && error.contains(reason) && isRussian(error, path), qPrintable(error));
    QCOMPARE(fileBytes(path), karvo::buildReport(earlier));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { u"karvo.doc"_s });
}

// A folder, a FIFO or a device named karvo.doc is refused at once, and stays.
void ReportTest::pathThatIsNoFile_data()
{
    QTest::addColumn<mode_t>("type");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a folder") << mode_t(S_IFDIR) << karvo::file_failure_texts::kIsFolder;
    QTest::newRow("a FIFO") << mode_t(S_IFIFO) << karvo::file_failure_texts::kNotRegularFile;
    QTest::newRow("a device") << mode_t(S_IFCHR) << karvo::file_failure_texts::kNotRegularFile;
}

void ReportTest::pathThatIsNoFile()
{
    QFETCH(mode_t, type);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"karvo.doc"_s);
    const QByteArray native = QFile::encodeName(path);
    // A device node of its own (the null device), never the system's.
    const int made = type == S_IFDIR ? ::mkdir(native.constData(), 0700)
                                     : ::mknod(native.constData(), type | 0600, makedev(1, 3));
    if (made != 0) {
        // Root, as CI runs, makes any node: there it must not be skipped.
        QVERIFY2(::geteuid() != 0, "root could not make the node");
        QSKIP("this user cannot make such a node");
    }

    QString error;
    QVERIFY(!karvo::writeReport(path, sampleInputs(true), &error));
    QVERIFY2(error.contains(path) && error.contains(reason) && isRussian(error, path), qPrintable(error));
    struct stat status
    {
    };
    QCOMPARE(::lstat(native.constData(), &status), 0);
    QCOMPARE(status.st_mode & S_IFMT, type);
}

QTEST_GUILESS_MAIN(ReportTest)
#include "tst_report.moc"
