// The report read back by a real word processor: LibreOffice Writer opens
// karvo.doc and saves it as plain text, one line per paragraph.
#include "platform/ProgramFolder.h"
#include "report/ReportBuilder.h"
#include "report/ReportSamples.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace report_samples;

// The plain "Text" filter writes in the locale's encoding, and falls back to
// ASCII question marks where that locale is not installed; ask for UTF-8.
const QString kTextFilter = u"txt:Text (encoded):UTF8"_s;

class ReportLibreOfficeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void paragraphs_data();
    void paragraphs();

private:
    QString m_soffice;
    QTemporaryDir m_profile; // a private profile, so parallel runs never meet
};

void ReportLibreOfficeTest::initTestCase()
{
    m_soffice = QStandardPaths::findExecutable(u"soffice"_s);
    // Failing rather than skipping: a machine without LibreOffice would
    // otherwise pass without the report ever being read.
    QVERIFY2(!m_soffice.isEmpty(),
        "soffice is not on the PATH: install libreoffice-writer-nogui (scripts/packages.txt) "
        "to read the report back");
    QVERIFY(m_profile.isValid());
}

void ReportLibreOfficeTest::paragraphs_data()
{
    QTest::addColumn<bool>("foreign");
    QTest::newRow("foreign vehicle") << true;
    QTest::newRow("domestic vehicle") << false;
}

void ReportLibreOfficeTest::paragraphs()
{
    QFETCH(bool, foreign);
    QTemporaryDir folder;
    karvo::setProgramFolder(folder.path());
    QDir(folder.path()).mkdir(u"k"_s);
    QVERIFY(QFile::copy(kPicture, karvo::reportPicturePath()));

    karvo::ReportInputs in = sampleInputs(foreign);
    in.picturePath = karvo::reportPicturePath();
    QString error;
    QVERIFY2(karvo::writeReport(karvo::reportPath(), in, &error), qPrintable(error));

    const QString out = folder.filePath(u"txt"_s);
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.start(m_soffice,
        { u"-env:UserInstallation="_s + QUrl::fromLocalFile(m_profile.path()).toString(), u"--headless"_s,
            u"--convert-to"_s, kTextFilter, u"--outdir"_s, out, karvo::reportPath() });
    QVERIFY(soffice.waitForFinished(180'000));
    const QByteArray log = soffice.readAll();
    QVERIFY2(soffice.exitStatus() == QProcess::NormalExit && soffice.exitCode() == 0, log.constData());

    QFile text(QDir(out).filePath(u"karvo.txt"_s));
    QVERIFY2(text.open(QIODevice::ReadOnly), log.constData());
    QByteArray bytes = text.readAll();
    // Writer's text export is UTF-8 with a byte order mark.
    QVERIFY2(bytes.startsWith("\xEF\xBB\xBF"), "the text export is not marked as UTF-8");
    bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString read = utf8.decode(bytes);
    QVERIFY2(!utf8.hasError(), "the text export is not valid UTF-8");

    read.replace(u"\r\n"_s, u"\n"_s);
    if (read.endsWith(u'\n'))
        read.chop(1);
    const QStringList lines = read.split(u'\n');
    const QStringList expected = expectedParagraphs(in);
    for (qsizetype i = 0; i < qMin(lines.size(), expected.size()); ++i)
        QVERIFY2(lines[i] == expected[i],
            qPrintable(u"paragraph %1: \"%2\", expected \"%3\""_s.arg(i + 1).arg(lines[i], expected[i])));
    QCOMPARE(lines.size(), expected.size());
    karvo::setProgramFolder({});
}

QTEST_GUILESS_MAIN(ReportLibreOfficeTest)
#include "tst_report_libreoffice.moc"
