// The command line of both programs, run as the programs they are and without
// a display: help and version answer and end, anything else is refused in one
// line, and karvo without a display says so in one line.

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutADisplay_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // the start of stdout
        QTest::addColumn<QString>("err"); // the start of stderr, which is one line
        const QString karvo = QStringLiteral(KARVO_PATH);
        const QString dremo = QStringLiteral(DREMO_PATH);
        const QString version = QStringLiteral(PROJECT_VERSION);
        QTest::newRow("karvo --version")
            << karvo << QStringList { u"--version"_s } << 0 << u"karvo "_s + version + u'\n' << QString();
        QTest::newRow("karvo -v") << karvo << QStringList { u"-v"_s } << 0 << u"karvo "_s + version + u'\n'
                                  << QString();
        QTest::newRow("karvo --help") << karvo << QStringList { u"--help"_s } << 0
                                      << u"Использование: karvo [ПАРАМЕТР]\n"_s << QString();
        QTest::newRow("karvo -h") << karvo << QStringList { u"-h"_s } << 0
                                  << u"Использование: karvo [ПАРАМЕТР]\n"_s << QString();
        QTest::newRow("karvo --bogus") << karvo << QStringList { u"--bogus"_s, u"--help"_s } << 2 << QString()
                                       << u"karvo: неизвестный параметр «--bogus» (справка: karvo --help)"_s;
        // What Qt does not take as its own is refused too.
        QTest::newRow("karvo -platform offscreen file")
            << karvo << QStringList { u"-platform"_s, u"offscreen"_s, u"karvo.doc"_s } << 2 << QString()
            << u"karvo: неизвестный параметр «karvo.doc»"_s;
        QTest::newRow("karvo without a display")
            << karvo << QStringList() << 1 << QString() << u"karvo: нет графического дисплея"_s;
        // Unknown is unknown before the display is looked for; Qt's options
        // and karvo's own still wait for it.
        QTest::newRow("karvo -x") << karvo << QStringList { u"-x"_s } << 2 << QString()
                                  << u"karvo: неизвестный параметр «-x» (справка: karvo --help)"_s;
        QTest::newRow("karvo extra") << karvo << QStringList { u"extra"_s } << 2 << QString()
                                     << u"karvo: неизвестный параметр «extra»"_s;
        QTest::newRow("karvo -style Fusion") << karvo << QStringList { u"-style"_s, u"Fusion"_s } << 1
                                             << QString() << u"karvo: нет графического дисплея"_s;
        QTest::newRow("karvo --reminder DATE") << karvo << QStringList { u"--reminder"_s, u"20.12.2030"_s }
                                               << 1 << QString() << u"karvo: нет графического дисплея"_s;
        QTest::newRow("karvo --reminder without a date")
            << karvo << QStringList { u"--reminder"_s } << 2 << QString()
            << u"karvo: у параметра «--reminder» нет значения (справка: karvo --help)"_s;
        QTest::newRow("dremo --version")
            << dremo << QStringList { u"--version"_s } << 0 << u"dremo "_s + version + u'\n' << QString();
        QTest::newRow("dremo -h") << dremo << QStringList { u"-h"_s } << 0
                                  << u"Использование: dremo [ПАРАМЕТР]\n"_s << QString();
        QTest::newRow("dremo -x") << dremo << QStringList { u"-x"_s } << 2 << QString()
                                  << u"dremo: неизвестный параметр «-x» (справка: dremo --help)"_s;
    }

    void answersWithoutADisplay()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s })
            environment.remove(name);
        // dremo must not find a reminder for today and start anything.
        environment.insert(u"XDG_CONFIG_HOME"_s, u"/nonexistent"_s);
        // Else Qt warns on stderr that it chose one.
        const QTemporaryDir runtime;
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        QVERIFY(process.waitForFinished());
        const QString stdOut = QString::fromUtf8(process.readAllStandardOutput());
        const QString stdErr = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY2(stdOut.startsWith(out), qPrintable(stdOut));
        if (out.isEmpty())
            QCOMPARE(stdOut, QString());
        if (stdOut.startsWith(u"Использование"_s)) {
            QVERIFY(stdOut.contains(u"-h, --help"_s));
            QVERIFY(stdOut.contains(u"-v, --version"_s));
            QCOMPARE(stdOut.contains(u"--reminder ДАТА"_s), program == QStringLiteral(KARVO_PATH));
        }
        QVERIFY2(stdErr.startsWith(err), qPrintable(stdErr));
        QCOMPARE(stdErr.count(u'\n'), err.isEmpty() ? 0 : 1);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
