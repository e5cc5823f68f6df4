#include "model/BaseTariffs.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "storage/IniFile.h"
#include "storage/SavedInputs.h"
#include "wizard/CategoryWindow.h"
#include "wizard/PremiumWindow.h"
#include "wizard/SavedInputsReplay.h"
#include "wizard/TariffWizard.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
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
    QStringList m_messages;
    MessageHandler m_previous;

    QString iniPath() const { return m_dir.filePath(u"karvo.ini"_s); }

    // Stores the example with one key changed, then loads and replays it into
    // a fresh wizard at once, as the timer's tick would.
    bool replayWithStored(const QString &key, const QString &value, TariffWizard &wizard)
    {
        if (!writeStoredInputs(example()).isEmpty() || !writeIniValue(u"t"_s, key, value, iniPath()))
            qFatal("cannot write the example");
        wizard.start();
        SavedInputsReplay replay(wizard);
        replay.loadSavedInputs();
        const bool replayed = replay.replay();
        if (replay.timer().isActive())
            qFatal("the replay left its timer running");
        return replayed;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        setProgramFolder(m_dir.path());
        m_previous = setMessageHandler([this](const QString &, const QString &text) { m_messages << text; });
    }
    void cleanupTestCase()
    {
        setMessageHandler(m_previous);
        setProgramFolder(QString());
    }
    void init()
    {
        m_messages.clear();
        QFile::remove(iniPath());
    }

    // The record goes to the file and comes back through the windows whole:
    // every field is what the user would have had to choose.
    void recordFileRecord()
    {
        QVERIFY(writeStoredInputs(example()).isEmpty());
        writeIniValue(u"dt"_s, u"dt"_s, u"20.12.2030"_s, iniPath());
        QCOMPARE(readStoredInputs(), example());

        TariffWizard wizard;
        wizard.start();
        SavedInputsReplay replay(wizard);
        QStringList dates;
        connect(&replay, &SavedInputsReplay::reminderDateLoaded, this,
            [&dates](const QString &d) { dates << d; });
        auto *next = wizard.categoryWindow()->findChild<QPushButton *>(u"step1Next"_s);
        replay.loadSavedInputs();
        QVERIFY(!next->isEnabled());
        QVERIFY(replay.timer().isActive());
        QCOMPARE(replay.timer().interval(), 500);
        QCOMPARE(dates, QStringList { u"20.12.2030"_s });
        QCOMPARE(wizard.sheet().text(SheetText::Period), example().period);
        QCOMPARE(wizard.sheet().text(SheetText::CategoryCode), u"3"_s); // nothing chosen before the tick

        QTRY_VERIFY(!replay.timer().isActive());
        QVERIFY(next->isEnabled());
        QVERIFY(m_messages.isEmpty());
        // The replay is a renewal from the stored class: walked on, its term
        // ends in the class the stored one started in.
        StoredInputs back = storedInputsOf(wizard.sheet());
        QCOMPARE(wizard.sheet().text(SheetText::StartClass), u"7"_s);
        back.startClass = wizard.sheet().text(SheetText::StartClass);
        QCOMPARE(back, example());
    }

    void firstTimeContractIsStoredAsRenewalFromClassFour()
    {
        PremiumSheet sheet;
        sheet.setContractKind(ContractKind::Renewal);
        sheet.setText(SheetText::EndClass, u"7"_s);
        QCOMPARE(storedInputsOf(sheet).startClass, u"7"_s);
        sheet.setContractKind(ContractKind::FirstTime);
        QCOMPARE(storedInputsOf(sheet).startClass, u"4"_s);
        QCOMPARE(storedInputsOf(sheet).contractKind, u"11"_s);
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
        TariffWizard wizard;
        wizard.start();
        QCOMPARE(wizard.sheet().reminderWanted(), ticked);
        QCOMPARE(wizard.premiumWindow()->findChild<QCheckBox *>(u"reminderCheck"_s)->isChecked(), ticked);
    }

    // A replay that meets a code it cannot use stops there with the message,
    // keeps what it already replayed, and never runs a second time.
    void brokenFiles_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("category"); // replayed before the stop, or the default
        QTest::addColumn<QString>("owner");
        QTest::newRow("no category") << u"tb"_s << QString() << u"3"_s << u"1"_s;
        QTest::newRow("category not a number") << u"tb"_s << u"три"_s << u"3"_s << u"1"_s;
        QTest::newRow("category too large") << u"tb"_s << u"99999999999999999999"_s << u"3"_s << u"1"_s;
        QTest::newRow("no variant") << u"kt4"_s << QString() << u"5"_s << u"1"_s;
        QTest::newRow("no contract kind") << u"kbm1"_s << QString() << u"5"_s << u"1"_s;
        QTest::newRow("ko not a number") << u"ko"_s << u"x"_s << u"5"_s << u"1"_s;
        QTest::newRow("kvs past the list") << u"kvs"_s << u"4"_s << u"5"_s << u"1"_s;
        QTest::newRow("kvs negative") << u"kvs"_s << u"-1"_s << u"5"_s << u"1"_s;
        QTest::newRow("km past the list") << u"km"_s << u"6"_s << u"5"_s << u"1"_s;
        QTest::newRow("no owner") << u"t1"_s << QString() << u"5"_s << u"1"_s;
        QTest::newRow("no registration") << u"t2"_s << QString() << u"5"_s << u"2"_s;
        QTest::newRow("no vehicle group") << u"t3"_s << QString() << u"5"_s << u"2"_s;
    }

    void brokenFiles()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, category);
        QFETCH(QString, owner);
        TariffWizard wizard;
        QVERIFY(!replayWithStored(key, value, wizard));
        QVERIFY(wizard.categoryWindow()->findChild<QPushButton *>(u"step1Next"_s)->isEnabled());
        QCOMPARE(m_messages, QStringList { kNotSavedMessage });
        QCOMPARE(wizard.sheet().text(SheetText::CategoryCode), category);
        QCOMPARE(wizard.sheet().text(SheetText::OwnerCode), owner);
    }

    // How each stored code is read back, and the fallbacks for codes the file
    // may hold but no choice has: unknown category, registration and group
    // codes choose nothing.
    void codesReplayAs_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<SheetText>("field");
        QTest::addColumn<QString>("replayed");
        QTest::newRow("column 17") << u"kt4"_s << u"17"_s << SheetText::KtVariant << u"17"_s;
        QTest::newRow("column 18") << u"kt4"_s << u"18"_s << SheetText::KtVariant << u"18"_s;
        QTest::newRow("any other column is 18") << u"kt4"_s << u"0"_s << SheetText::KtVariant << u"18"_s;
        QTest::newRow("contract 0 is a first contract") << u"kbm1"_s << u"0"_s << SheetText::Kbm << u"1"_s;
        QTest::newRow("any other contract is a renewal")
            << u"kbm1"_s << u"3"_s << SheetText::Kbm << QString();
        QTest::newRow("КО 1 is the first choice") << u"ko"_s << u"1"_s << SheetText::KoCode << u"1"_s;
        QTest::newRow("any other КО is the second") << u"ko"_s << u"5"_s << SheetText::KoCode << u"2"_s;
        QTest::newRow("owner 1 is a person") << u"t1"_s << u"1"_s << SheetText::OwnerCode << u"1"_s;
        QTest::newRow("any other owner is a legal entity")
            << u"t1"_s << u"0"_s << SheetText::OwnerCode << u"2"_s;
        QTest::newRow("registered in Russia") << u"t2"_s << u"4"_s << SheetText::RegistrationCode << u"4"_s;
        QTest::newRow("abroad brings back the foreign check")
            << u"t2"_s << u"6"_s << SheetText::RegistrationCode << u"6"_s;
        QTest::newRow("unknown category") << u"tb"_s << u"17"_s << SheetText::CategoryCode << u"3"_s;
        QTest::newRow("unknown registration") << u"t2"_s << u"9"_s << SheetText::RegistrationCode << u"4"_s;
        QTest::newRow("unknown group") << u"t3"_s << u"3"_s << SheetText::VehicleGroupCode << u"7"_s;
    }
    void codesReplayAs()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(SheetText, field);
        QFETCH(QString, replayed);
        TariffWizard wizard;
        QVERIFY(replayWithStored(key, value, wizard));
        QCOMPARE(wizard.sheet().text(field), replayed);
        QCOMPARE(
            wizard.sheet().foreignRegistered(), wizard.sheet().text(SheetText::RegistrationCode) == u"6"_s);
    }

    void noFileGivesTheMessageAfterTheLoad()
    {
        TariffWizard wizard;
        wizard.start();
        PremiumSheet &sheet = wizard.sheet();
        SavedInputsReplay replay(wizard);
        replay.loadSavedInputs();
        QVERIFY(!QFile::exists(iniPath()));
        QCOMPARE(sheet.text(SheetText::Period), QString());
        QTRY_COMPARE(m_messages, QStringList { kNotSavedMessage });
        QCOMPARE(sheet.text(SheetText::KoCode), u"1"_s);
        QVERIFY(wizard.categoryWindow()->findChild<QPushButton *>(u"step1Next"_s)->isEnabled());
    }

    void unwritableFileGivesTheReason()
    {
        // A folder where the file should be cannot be replaced by it, even by
        // root, who writes into read-only folders regardless.
        QVERIFY(QDir(m_dir.path()).mkdir(u"karvo.ini"_s));
        const QString error = writeStoredInputs(example());
        QDir(m_dir.path()).rmdir(u"karvo.ini"_s);
        QVERIFY(!error.isEmpty());
        QVERIFY(m_messages.isEmpty());
    }
};

QTEST_MAIN(TestSavedInputs)
#include "tst_savedinputs.moc"
