#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/prctl.h>
#include <sys/wait.h>

using namespace Qt::Literals::StringLiterals;

// dremo starts the calculator detached and ends, so whatever it started is
// an orphan by then. With the test process as subreaper such orphans become
// its children; once all of them have ended, the stand-in's marker tells for
// certain whether karvo ran, with no timeout to guess.
static void reapAdoptedChildren()
{
    while (waitpid(-1, nullptr, 0) > 0) { }
}

static bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

class TestDremo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(prctl(PR_SET_CHILD_SUBREAPER, 1) == 0); }

    void startsKarvoOnAndAfterTheDay_data()
    {
        QTest::addColumn<QByteArray>("settings"); // KARVO.conf; empty: no file
        QTest::addColumn<bool>("karvoPresent");
        QTest::addColumn<QByteArray>("reminded"); // the day karvo is told of; empty: not started
        QTest::addColumn<QByteArray>("locale"); // LC_ALL of the launcher; empty: the tests' ru_RU

        // The launcher's rendering of today is dd.MM.yyyy whatever the locale.
        const QDate today = QDate::currentDate();
        const QByteArray day = today.toString(u"dd.MM.yyyy"_s).toLatin1();
        const QByteArray general = "[General]\n";
        // What older versions stored under other locales.
        const QByteArray usDay = QLocale(u"en_US"_s).toString(today, QLocale::ShortFormat).toLatin1();
        const QByteArray cDay = QLocale::c().toString(today, QLocale::ShortFormat).toLatin1();

        QTest::newRow("the day") << general + "date=" + day + "\n" << true << day << QByteArray();
        QTest::newRow("the day, under C.UTF-8") << general + "date=" + day + "\n"
                                                << true << day << QByteArray("C.UTF-8");
        QTest::newRow("the day, under en_US") << general + "date=" + day + "\n"
                                              << true << day << QByteArray("en_US.UTF-8");
        QTest::newRow("the day as en_US wrote it, under en_US") << general + "date=" + usDay + "\n"
                                                                << true << day << QByteArray("en_US.UTF-8");
        QTest::newRow("the day as C wrote it, under C.UTF-8") << general + "date=\"" + cDay + "\"\n"
                                                              << true << day << QByteArray("C.UTF-8");
        QTest::newRow("the day as en_US wrote it, under ru_RU") << general + "date=" + usDay + "\n"
                                                                << true << QByteArray() << QByteArray();
        QTest::newRow("the day, quoted") << general + "date=\"" + day + "\"\n" << true << day << QByteArray();
        QTest::newRow("the day, karvo missing") << general + "date=" + day + "\n"
                                                << false << QByteArray() << QByteArray();
        const QByteArray yesterday = today.addDays(-1).toString(u"dd.MM.yyyy"_s).toLatin1();
        QTest::newRow("the day after") << general + "date=" + yesterday + "\n"
                                       << true << yesterday << QByteArray();
        const QByteArray yearAgo = today.addYears(-1).toString(u"dd.MM.yyyy"_s).toLatin1();
        QTest::newRow("a year after") << general + "date=" + yearAgo + "\n"
                                      << true << yearAgo << QByteArray();
        QTest::newRow("tomorrow") << general + "date=" + today.addDays(1).toString(u"dd.MM.yyyy"_s).toLatin1()
                + "\n" << true << QByteArray()
                                  << QByteArray();
        QTest::newRow("two-digit year") << general + "date=" + today.toString(u"dd.MM.yy"_s).toLatin1() + "\n"
                                        << true << QByteArray() << QByteArray();
        QTest::newRow("trailing blank") << general + "date=\"" + day + " \"\n"
                                        << true << QByteArray() << QByteArray();
        QTest::newRow("a list, not a text") << general + "date=" + day + ", " + day + "\n"
                                            << true << QByteArray() << QByteArray();
        QTest::newRow("bytes, not a text") << general + "date=@ByteArray(" + day + ")\n"
                                           << true << QByteArray() << QByteArray();
        QTest::newRow("no date value") << general + "other=" + day + "\n"
                                       << true << QByteArray() << QByteArray();
        QTest::newRow("no settings file") << QByteArray() << true << QByteArray() << QByteArray();
    }

    void startsKarvoOnAndAfterTheDay()
    {
        QFETCH(QByteArray, settings);
        QFETCH(bool, karvoPresent);
        QFETCH(QByteArray, reminded);
        QFETCH(QByteArray, locale);

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString dremo = folder.filePath(u"dremo"_s);
        QVERIFY(QFile::copy(QStringLiteral(DREMO_PATH), dremo));
        const QString marker = folder.filePath(u"karvo was started"_s);
        if (karvoPresent) {
            const QString karvo = folder.filePath(u"karvo"_s);
            QVERIFY(writeFile(
                karvo, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/karvo was started\"\n"));
            QVERIFY(QFile::setPermissions(karvo, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        }
        const QString config = folder.filePath(u"config"_s);
        QVERIFY(QDir().mkpath(config));
        if (!settings.isEmpty())
            QVERIFY(writeFile(config + u"/KARVO.conf"_s, settings));

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, config);
        if (!locale.isEmpty()) {
            environment.insert(u"LANG"_s, QString::fromLatin1(locale));
            environment.insert(u"LC_ALL"_s, QString::fromLatin1(locale));
        }
        process.setProcessEnvironment(environment);
        process.start(dremo, {});
        QVERIFY(process.waitForFinished(10'000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(), QByteArray());
        QCOMPARE(process.readAllStandardError(), QByteArray());

        reapAdoptedChildren();
        QCOMPARE(QFile::exists(marker), !reminded.isEmpty());
        if (!reminded.isEmpty()) {
            QFile arguments(marker);
            QVERIFY(arguments.open(QIODevice::ReadOnly));
            QCOMPARE(arguments.readAll(), "--reminder\n" + reminded + "\n");
        }
    }
};

QTEST_GUILESS_MAIN(TestDremo)
#include "tst_dremo.moc"
