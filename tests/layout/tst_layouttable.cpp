// A layout table that does not fit its window (a member of another type than
// its control, a parent that comes after its child) stops the program as the
// window is built, in the release build too, instead of leaving a null or
// mistyped member to crash later.

#include "layout/LayoutTable.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

// Set in the environment of a child that builds one faulty table and should
// not live to return from it.
constexpr char kFaultyTable[] = "KARVO_FAULTY_LAYOUT_TABLE";

void buildFaultyTable(const QByteArray &fault)
{
    QWidget window;
    QPushButton *button = nullptr;
    using K = ControlKind;
    if (fault == "member of another type") {
        const ControlRow rows[] = {
            { u"okLabel"_s, {}, K::Label, { 0, 0, 600, 255 }, Plain, u"ОК"_s, {}, {}, into(button) },
        };
        buildControls(&window, rows);
    } else {
        const ControlRow rows[] = {
            { u"okButton"_s, u"frame"_s, K::Button, { 0, 0, 600, 255 }, Plain, u"ОК"_s, {}, {},
                into(button) },
            { u"frame"_s, {}, K::Frame, { 0, 0, 6000, 2550 } },
        };
        buildControls(&window, rows);
    }
}

} // namespace

class TestLayoutTable : public QObject
{
    Q_OBJECT

private slots:
    void aTableThatDoesNotFitStopsTheProgram_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("member of another type")
            << QByteArray("member of another type") << u"okLabel is a QLabel, not a QPushButton"_s;
        QTest::newRow("parent after its child")
            << QByteArray("parent after its child") << u"okButton comes before its parent frame"_s;
    }
    void aTableThatDoesNotFitStopsTheProgram()
    {
        QFETCH(QByteArray, fault);
        QFETCH(QString, message);
        // Where a core dump of the child, if the system keeps one, is thrown away.
        QTemporaryDir dumps;
        QProcess child;
        child.setWorkingDirectory(dumps.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kFaultyTable), QString::fromUtf8(fault));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const QString output = QString::fromUtf8(child.readAllStandardError());
        QVERIFY2(output.contains(message), qPrintable(output));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (const QByteArray fault = qgetenv(kFaultyTable); !fault.isEmpty()) {
        buildFaultyTable(fault);
        return 0;
    }
    TestLayoutTable test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_layouttable.moc"
