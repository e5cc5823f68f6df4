#include "model/BaseTariffs.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "model/StepChoices.h"
#include "platform/ProgramFolder.h"
#include "storage/IniFile.h"
#include "storage/SavedInputs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

// A renewal in Ufa, travelling to registration, whose every code differs from
// what a fresh calculator starts with.
StoredInputs example()
{
    StoredInputs inputs;
    inputs.category = u"5"_s;
    inputs.region = u"Республика Башкортостан"_s;
    inputs.townGroup = u"Уфа"_s;
    inputs.ktVariant = u"17"_s;
    inputs.contractKind = u"11"_s;
    inputs.startClass = u"7"_s;
    inputs.ko = u"2"_s;
    inputs.kvs = u"3"_s;
    inputs.km = u"2"_s;
    inputs.period = u"10 месяцев и более"_s;
    inputs.ks = u"1"_s;
    inputs.owner = u"2"_s;
    inputs.registration = u"5"_s;
    inputs.vehicleGroup = u"9"_s;
    return inputs;
}

} // namespace

class TestSavedInputs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString iniPath() const { return m_dir.filePath(u"karvo.ini"_s); }

    // A calculation as the calculator starts it: category 3, nothing else chosen.
    static void start(PremiumSheet &sheet)
    {
        startCalculation(sheet);
        selectCategory(sheet, kDefaultCategory);
    }

    // Stores the example with one key changed, then loads it from the file
    // and replays it into a fresh calculation.
    bool replayWithStored(const QString &key, const QString &value, PremiumSheet &sheet)
    {
        if (!writeStoredInputs(example()).isEmpty() || !writeIniValue(u"t"_s, key, value, iniPath()))
            qFatal("cannot write the example");
        start(sheet);
        const StoredInputs stored = readStoredInputs();
        loadStoredPeriod(sheet, stored);
        return replayStoredInputs(sheet, stored);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
    }
    void cleanupTestCase() { setProgramFolder(QString()); }
    void init() { QFile::remove(iniPath()); }

    // The record goes to the file and comes back whole through the choices a
    // user makes: every field is what the user would have had to choose.
    void recordFileRecord()
    {
        QVERIFY(writeStoredInputs(example()).isEmpty());
        QCOMPARE(readStoredInputs(), example());
        PremiumSheet sheet;
        QVERIFY(replayWithStored(u"tb"_s, example().category, sheet));
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,8"_s);
        // The replay is a renewal from the stored class: walked on, its term
        // ends in the class the stored one started in.
        StoredInputs back = storedInputsOf(sheet.value());
        QCOMPARE(sheet.text(SheetText::StartClass), u"7"_s);
        back.startClass = sheet.text(SheetText::StartClass);
        QCOMPARE(back, example());
    }

    void firstTimeContractIsStoredAsRenewalFromClassFour()
    {
        PremiumSheet sheet;
        sheet.setContractKind(ContractKind::Renewal);
        sheet.setText(SheetText::EndClass, u"7"_s);
        QCOMPARE(storedInputsOf(sheet.value()).startClass, u"7"_s);
        sheet.setContractKind(ContractKind::FirstTime);
        QCOMPARE(storedInputsOf(sheet.value()).startClass, u"4"_s);
        QCOMPARE(storedInputsOf(sheet.value()).contractKind, u"11"_s);
    }

    void storingLeavesTheReminderAlone()
    {
        writeIniValue(u"ch"_s, u"ch"_s, u"1"_s, iniPath());
        QVERIFY(writeStoredInputs(example()).isEmpty());
        QCOMPARE(readIniValue(u"ch"_s, u"ch"_s, iniPath()), u"1"_s);
    }

    void reminderTickFromRememberedValue_data()
    {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("1") << u"1"_s << true;
        QTest::newRow("0") << u"0"_s << false;
        QTest::newRow("missing") << QString() << false;
        QTest::newRow("not a number") << u"да"_s << false;
        QTest::newRow("another number") << u"2"_s << false;
    }
    void reminderTickFromRememberedValue()
    {
        QFETCH(QString, remembered);
        QFETCH(bool, ticked);
        if (!remembered.isEmpty())
            writeIniValue(u"ch"_s, u"ch"_s, remembered, iniPath());
        QCOMPARE(readRememberedReminderTick(), ticked);
    }

    // A replay that meets a code it cannot use stops there with the message,
    // keeps what it already replayed, and never runs a second time.
    void brokenFiles_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("category"); // replayed before the stop, or the default
        QTest::addColumn<QString>("owner"); // category 5 leaves the owner to step 10
        QTest::newRow("no category") << u"tb"_s << QString() << u"3"_s << u"1"_s;
        QTest::newRow("category not a number") << u"tb"_s << u"три"_s << u"3"_s << u"1"_s;
        QTest::newRow("category too large") << u"tb"_s << u"99999999999999999999"_s << u"3"_s << u"1"_s;
        QTest::newRow("no variant") << u"kt4"_s << QString() << u"5"_s << QString();
        QTest::newRow("no contract kind") << u"kbm1"_s << QString() << u"5"_s << QString();
        QTest::newRow("ko not a number") << u"ko"_s << u"x"_s << u"5"_s << QString();
        QTest::newRow("kvs past the list") << u"kvs"_s << u"4"_s << u"5"_s << QString();
        QTest::newRow("kvs negative") << u"kvs"_s << u"-1"_s << u"5"_s << QString();
        QTest::newRow("km past the list") << u"km"_s << u"6"_s << u"5"_s << QString();
        QTest::newRow("no owner") << u"t1"_s << QString() << u"5"_s << QString();
        QTest::newRow("no registration") << u"t2"_s << QString() << u"5"_s << u"2"_s;
        QTest::newRow("no vehicle group") << u"t3"_s << QString() << u"5"_s << u"2"_s;
    }

    void brokenFiles()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, category);
        QFETCH(QString, owner);
        PremiumSheet sheet;
        QVERIFY(!replayWithStored(key, value, sheet));
        QCOMPARE(storedInputsOf(sheet.value()).category, category);
        QCOMPARE(storedInputsOf(sheet.value()).owner, owner);
    }

    // How each stored code is read back, and the fallbacks for codes the file
    // may hold but no choice has: unknown category, registration and group
    // codes choose nothing. What was replayed is read as the file would store
    // it again (its key), or as КБМ ("kbm").
    void codesReplayAs_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readAs");
        QTest::addColumn<QString>("replayed");
        QTest::newRow("column 17") << u"kt4"_s << u"17"_s << u"kt4"_s << u"17"_s;
        QTest::newRow("column 18") << u"kt4"_s << u"18"_s << u"kt4"_s << u"18"_s;
        QTest::newRow("any other column is 18") << u"kt4"_s << u"0"_s << u"kt4"_s << u"18"_s;
        QTest::newRow("contract 0 is a first contract") << u"kbm1"_s << u"0"_s << u"kbm"_s << u"1"_s;
        QTest::newRow("any other contract is a renewal") << u"kbm1"_s << u"3"_s << u"kbm"_s << QString();
        QTest::newRow("КО 1 is the first choice") << u"ko"_s << u"1"_s << u"ko"_s << u"1"_s;
        QTest::newRow("any other КО is the second") << u"ko"_s << u"5"_s << u"ko"_s << u"2"_s;
        QTest::newRow("owner 1 is a person") << u"t1"_s << u"1"_s << u"t1"_s << u"1"_s;
        QTest::newRow("any other owner is a legal entity") << u"t1"_s << u"0"_s << u"t1"_s << u"2"_s;
        QTest::newRow("registered in Russia") << u"t2"_s << u"4"_s << u"t2"_s << u"4"_s;
        QTest::newRow("abroad brings back the foreign check") << u"t2"_s << u"6"_s << u"t2"_s << u"6"_s;
        QTest::newRow("unknown category") << u"tb"_s << u"17"_s << u"tb"_s << u"3"_s;
        QTest::newRow("unknown registration") << u"t2"_s << u"9"_s << u"t2"_s << u"4"_s;
        QTest::newRow("unknown group") << u"t3"_s << u"3"_s << u"t3"_s << u"7"_s;
    }
    void codesReplayAs()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, readAs);
        QFETCH(QString, replayed);
        PremiumSheet sheet;
        QVERIFY(replayWithStored(key, value, sheet));
        const StoredInputs back = storedInputsOf(sheet.value());
        QString actual = sheet.coefficient(Coefficient::Kbm);
        for (const auto &[stored, field] : storedInputFields()) {
            if (stored == readAs)
                actual = back.*field;
        }
        QCOMPARE(actual, replayed);
        QCOMPARE(sheet.foreignRegistered(), sheet.registrationCase() == RegistrationCase::ForeignVehicle);
    }

    void noFileReplaysNothing()
    {
        PremiumSheet sheet;
        start(sheet);
        chooseKo(sheet, 1);
        const StoredInputs stored = readStoredInputs();
        QVERIFY(!QFile::exists(iniPath()));
        loadStoredPeriod(sheet, stored);
        QVERIFY(!replayStoredInputs(sheet, stored));
        QCOMPARE(sheet.text(SheetText::Period), QString());
        QCOMPARE(sheet.driversLimit(), DriversLimit::Unlimited);
    }

    void unwritableFileGivesTheReason()
    {
        // A folder where the file should be cannot be replaced by it, even by
        // root, who writes into read-only folders regardless.
        QVERIFY(QDir(m_dir.path()).mkdir(u"karvo.ini"_s));
        const QString error = writeStoredInputs(example());
        QDir(m_dir.path()).rmdir(u"karvo.ini"_s);
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSavedInputs)
#include "tst_savedinputs.moc"
