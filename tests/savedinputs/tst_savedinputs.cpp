#include "model/BaseTariffs.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "storage/IniFile.h"
#include "storage/SavedInputs.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

// Records what the restore asks of the windows, in order, and hands out the
// control texts that storing reads.
class FakeForm : public SavedInputsForm
{
public:
    QString region, town, endClass, period, reminderDate, startClass;
    bool nextEnabled = true;
    bool windowsReady = false;
    QStringList calls;

    QString regionText() const override { return region; }
    QString selectedTownGroup() const override { return town; }
    QString endClassText() const override { return endClass; }
    QString periodText() const override { return period; }

    void ensureStepWindows() override { windowsReady = true; }
    void setStep1NextEnabled(bool enabled) override { nextEnabled = enabled; }
    void setPeriodText(const QString &text) override { period = text; }
    void setReminderDateText(const QString &text) override { reminderDate = text; }
    void selectCategory(int row) override { calls << u"category %1"_s.arg(row); }
    void selectKtVariant(const QString &variant) override { calls << u"variant "_s + variant; }
    void setRegionText(const QString &text) override { calls << u"region "_s + text; }
    void addAndSelectTownGroup(const QString &text) override { calls << u"town "_s + text; }
    void selectContractKind(ContractKind kind) override
    {
        calls << (kind == ContractKind::FirstTime ? u"first-time"_s : u"renewal"_s);
    }
    void setStartClassText(const QString &text) override { calls << u"start class "_s + text; }
    void selectKo(int choice) override { calls << u"ko %1"_s.arg(choice); }
    void selectKvsIndex(int index) override { calls << u"kvs %1"_s.arg(index); }
    void selectKmIndex(int index) override { calls << u"km %1"_s.arg(index); }
    void selectOwnerKind(OwnerKind kind) override { calls << u"owner %1"_s.arg(int(kind)); }
    void setForeignRegistered(bool on) override { calls << u"foreign %1"_s.arg(int(on)); }
    void selectRegistrationCase(RegistrationCase rc) override { calls << u"registration %1"_s.arg(int(rc)); }
    void selectVehicleGroup(VehicleGroup group) override { calls << u"group %1"_s.arg(int(group)); }
};

const QStringList kFullReplay = { u"category 3"_s, u"variant 17"_s, u"region Республика Башкортостан"_s,
    u"town Уфа"_s, u"renewal"_s, u"start class 7"_s, u"ko 1"_s, u"kvs 3"_s, u"km 2"_s, u"owner 2"_s,
    u"foreign 0"_s, u"registration 1"_s, u"group 2"_s };

} // namespace

class TestSavedInputs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_messages;
    MessageHandler m_previous;

    QString iniPath() const { return m_dir.filePath(u"karvo.ini"_s); }

    // Stores the example, changes one key of the file, loads and replays it
    // into a fresh form at once; the form records what was replayed.
    bool replayWithStored(const QString &key, const QString &value, FakeForm &form)
    {
        PremiumSheet stored;
        FakeForm storingForm;
        storeExample(stored, storingForm);
        if (!writeIniValue(u"t"_s, key, value, iniPath()))
            qFatal("cannot write the example");
        PremiumSheet sheet;
        QTimer timer;
        SavedInputsRestore restore(sheet, form, timer);
        restore.loadSavedInputs();
        const bool replayed = restore.replaySavedInputs();
        if (timer.isActive())
            qFatal("the replay left its timer running");
        return replayed;
    }

    void storeExample(PremiumSheet &sheet, FakeForm &form)
    {
        selectCategory(sheet, 3);
        selectKtVariant(sheet, u"17"_s);
        sheet.setContractKind(ContractKind::Renewal);
        form.region = u"Республика Башкортостан"_s;
        form.town = u"Уфа"_s;
        form.endClass = u"7"_s;
        form.period = u"10 месяцев и более "_s;
        sheet.setText(SheetText::KoCode, u"2"_s);
        sheet.setText(SheetText::KvsIndex, u"3"_s);
        sheet.setText(SheetText::KmIndex, u"2"_s);
        sheet.setText(SheetText::Ks, u"1"_s);
        sheet.setOwnerKind(OwnerKind::LegalEntity);
        sheet.setRegistrationCase(RegistrationCase::TravellingToRegistration);
        sheet.setVehicleGroup(VehicleGroup::GroupTrailer);
        QVERIFY(storeInputs(sheet, form));
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

    void storesEveryKeyAndReplaysThemInOrder()
    {
        PremiumSheet stored;
        FakeForm storingForm;
        storeExample(stored, storingForm);
        writeIniValue(u"dt"_s, u"dt"_s, u"20.12.2030"_s, iniPath());

        PremiumSheet sheet;
        FakeForm form;
        QTimer timer;
        SavedInputsRestore restore(sheet, form, timer);
        restore.loadSavedInputs();
        QVERIFY(!form.nextEnabled);
        QVERIFY(form.windowsReady);
        QVERIFY(timer.isActive());
        QCOMPARE(timer.interval(), 500);
        // The settings file trims the blanks around a value, as it always did.
        QCOMPARE(form.period, u"10 месяцев и более"_s);
        QCOMPARE(form.reminderDate, u"20.12.2030"_s);
        QCOMPARE(sheet.text(SheetText::Ks), u"1"_s);
        QVERIFY(form.calls.isEmpty()); // nothing is replayed before the tick

        QTRY_VERIFY(!timer.isActive());
        QCOMPARE(form.calls, kFullReplay);
        QVERIFY(form.nextEnabled);
        QVERIFY(m_messages.isEmpty());
    }

    void firstTimeContractIsStoredAsRenewalFromClassFour()
    {
        PremiumSheet stored;
        FakeForm storingForm;
        storeExample(stored, storingForm);
        stored.setContractKind(ContractKind::FirstTime);
        QVERIFY(storeInputs(stored, storingForm));
        QCOMPARE(readIniValue(u"t"_s, u"kbm1"_s, iniPath()), u"11"_s);
        QCOMPARE(readIniValue(u"t"_s, u"kbm2"_s, iniPath()), u"4"_s);
    }

    void storingLeavesTheReminderAlone()
    {
        writeIniValue(u"ch"_s, u"ch"_s, u"1"_s, iniPath());
        PremiumSheet stored;
        FakeForm form;
        storeExample(stored, form);
        QVERIFY(storeInputs(stored, form));
        QCOMPARE(readIniValue(u"ch"_s, u"ch"_s, iniPath()), u"1"_s);
    }

    // A replay that meets a code it cannot use stops there with the message,
    // keeps what it already replayed, and never runs a second time.
    void brokenFiles_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("replayedCalls");
        QTest::newRow("no category") << u"tb"_s << QString() << 0;
        QTest::newRow("category not a number") << u"tb"_s << u"три"_s << 0;
        QTest::newRow("category too large") << u"tb"_s << u"99999999999999999999"_s << 0;
        QTest::newRow("no variant") << u"kt4"_s << QString() << 1;
        QTest::newRow("no contract kind") << u"kbm1"_s << QString() << 4;
        QTest::newRow("ko not a number") << u"ko"_s << u"x"_s << 6;
        QTest::newRow("kvs past the list") << u"kvs"_s << u"4"_s << 7;
        QTest::newRow("kvs negative") << u"kvs"_s << u"-1"_s << 7;
        QTest::newRow("km past the list") << u"km"_s << u"6"_s << 8;
        QTest::newRow("no owner") << u"t1"_s << QString() << 9;
        QTest::newRow("no registration") << u"t2"_s << QString() << 10;
        QTest::newRow("no vehicle group") << u"t3"_s << QString() << 12;
    }

    void brokenFiles()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, replayedCalls);
        FakeForm form;
        QVERIFY(!replayWithStored(key, value, form));
        QVERIFY(form.nextEnabled);
        QCOMPARE(m_messages, QStringList { kNotSavedMessage });
        QCOMPARE(form.calls, kFullReplay.mid(0, replayedCalls));
    }

    // How each stored code is read back: the choice it replays, and the
    // fallbacks for codes the file may hold but no choice has.
    void codesReplayAs_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("replayed"); // in this order, among the calls
        QTest::newRow("column 17") << u"kt4"_s << u"17"_s << QStringList { u"variant 17"_s };
        QTest::newRow("column 18") << u"kt4"_s << u"18"_s << QStringList { u"variant 18"_s };
        QTest::newRow("any other column is 18") << u"kt4"_s << u"0"_s << QStringList { u"variant 18"_s };
        QTest::newRow("contract 0 is a first contract")
            << u"kbm1"_s << u"0"_s << QStringList { u"first-time"_s };
        QTest::newRow("any other contract is a renewal")
            << u"kbm1"_s << u"3"_s << QStringList { u"renewal"_s };
        QTest::newRow("КО 1 is the first choice") << u"ko"_s << u"1"_s << QStringList { u"ko 0"_s };
        QTest::newRow("any other КО is the second") << u"ko"_s << u"5"_s << QStringList { u"ko 1"_s };
        QTest::newRow("owner 1 is a person") << u"t1"_s << u"1"_s << QStringList { u"owner 1"_s };
        QTest::newRow("any other owner is a legal entity")
            << u"t1"_s << u"0"_s << QStringList { u"owner 2"_s };
        QTest::newRow("registered in Russia")
            << u"t2"_s << u"4"_s << QStringList { u"foreign 0"_s, u"registration 0"_s };
        QTest::newRow("travelling to registration")
            << u"t2"_s << u"5"_s << QStringList { u"foreign 0"_s, u"registration 1"_s };
        QTest::newRow("abroad brings back the foreign check")
            << u"t2"_s << u"6"_s << QStringList { u"foreign 1"_s, u"registration 2"_s };
    }
    void codesReplayAs()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QStringList, replayed);
        FakeForm form;
        QVERIFY(replayWithStored(key, value, form));
        const qsizetype at = form.calls.indexOf(replayed.first());
        QVERIFY2(at >= 0, qPrintable(form.calls.join(u'|')));
        QCOMPARE(form.calls.mid(at, replayed.size()), replayed);
    }

    void unknownCodesSelectNothing()
    {
        PremiumSheet stored;
        FakeForm storingForm;
        storeExample(stored, storingForm);
        writeIniValue(u"t"_s, u"tb"_s, u"17"_s, iniPath());
        writeIniValue(u"t"_s, u"t2"_s, u"9"_s, iniPath());
        writeIniValue(u"t"_s, u"t3"_s, u"3"_s, iniPath());

        PremiumSheet sheet;
        FakeForm form;
        QTimer timer;
        SavedInputsRestore restore(sheet, form, timer);
        restore.loadSavedInputs();
        QVERIFY(restore.replaySavedInputs());
        QVERIFY(!form.calls.contains(u"category 17"_s));
        QCOMPARE(form.calls.first(), u"variant 17"_s);
        QVERIFY(!form.calls.join(u'|').contains(u"registration"_s));
        QVERIFY(!form.calls.join(u'|').contains(u"group"_s));
    }

    void noFileGivesTheMessageAfterTheLoad()
    {
        PremiumSheet sheet;
        sheet.setText(SheetText::KoCode, u"2"_s);
        FakeForm form;
        form.period = u"5 месяцев"_s;
        QTimer timer;
        SavedInputsRestore restore(sheet, form, timer);
        restore.loadSavedInputs();
        QVERIFY(!QFile::exists(iniPath()));
        // The codes of the choices the windows show stay; only what the load
        // shows at once (the period and КС) is taken from the missing file.
        QCOMPARE(sheet.text(SheetText::KoCode), u"2"_s);
        QCOMPARE(form.period, QString());
        QTRY_COMPARE(m_messages, QStringList { kNotSavedMessage });
        QVERIFY(form.calls.isEmpty());
        QVERIFY(form.nextEnabled);
    }

    void unwritableFileIsReportedOnce()
    {
        // A folder where the file should be cannot be replaced by it, even by
        // root, who writes into read-only folders regardless.
        QVERIFY(QDir(m_dir.path()).mkdir(u"karvo.ini"_s));
        PremiumSheet sheet;
        FakeForm form;
        const bool stored = storeInputs(sheet, form);
        QDir(m_dir.path()).rmdir(u"karvo.ini"_s);
        QVERIFY(!stored);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(m_messages.first().startsWith(kSaveFailedMessage));
        QVERIFY(m_messages.first().size() > kSaveFailedMessage.size());
    }
};

QTEST_GUILESS_MAIN(TestSavedInputs)
#include "tst_savedinputs.moc"
