// The wizard together with its services: saved inputs stored by "Расчет" and
// replayed into a fresh calculator, the report and its "ОК", the reminder
// window opened from step 10.

#include "Recorders.h"
#include "WizardDriver.h"
#include "WizardWalk.h"

#include "app/Calculator.h"
#include "journal/JournalWindow.h"
#include "reminder/ReminderWindow.h"
#include "report/ReportBuilder.h"
#include "storage/IniFile.h"
#include "wizard/CategoryWindow.h"
#include "wizard/DriversWindow.h"
#include "wizard/PremiumWindow.h"

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

// Category row 3, Bashkortostan / Ufa in column "17", a renewal from class 6
// with no payouts (ending in 7), КО for any driver, КВС row 3, КМ row 2, five
// months, a legal entity travelling to the place of registration with a
// trailer. Registered abroad, the vehicle has a term of five months and cannot
// be travelling to registration: it stays in the foreign case.
void walkAndCalculate(Calculator &calculator, bool save, bool foreign = false)
{
    QStringList step10 = { u"legalEntityOwner"_s, u"travellingToRegistration"_s, u"groupTrailer"_s };
    if (save)
        step10 << u"saveInputsCheck"_s;
    driver::walk(calculator.wizard(),
        { .category = 3,
            .foreign = foreign,
            .region = u"Республика Башкортостан"_s,
            .town = u"Уфа"_s,
            .renewal = true,
            .startClass = u"6"_s,
            .payouts = u"0"_s,
            .drivers = u"driversUnlimited"_s,
            .kvsRow = 3,
            .kmRow = 2,
            .period = u"5 месяцев"_s,
            .term = foreign ? u"5 месяцев"_s : QString(),
            .step10 = step10 });
}

// Only what the steps demand (Moscow, ten months and more, travelling to
// registration on step 10); everything else as the windows start.
void walkWithTheDefaults(Calculator &calculator)
{
    driver::walk(calculator.wizard(),
        { .region = u"Москва"_s,
            .period = u"10 месяцев и более "_s,
            .step10 = { u"travellingToRegistration"_s, u"saveInputsCheck"_s } });
}

// After a load: from step 1 on with "Далее >>", completing step 3 with no
// payouts and step 8 with the term the calculation had, then "Расчет".
void walkOnAndCalculate(Calculator &calculator)
{
    const bool foreign = calculator.wizard().sheet().foreignRegistered();
    driver::walk(calculator.wizard(), { .payouts = u"0"_s, .term = foreign ? u"5 месяцев"_s : QString() });
}

QString iniPath()
{
    return settingsFilePath();
}

} // namespace

class TestCalculator : public QObject
{
    Q_OBJECT

private slots:
    void storedInputsComeBackInAFreshCalculator()
    {
        Recorders recorders;
        {
            Calculator first;
            first.start();
            walkAndCalculate(first, true);
            QCOMPARE(recorders.messages, QStringList());
        }
        QCOMPARE(readIniValue(u"t"_s, u"kbm2"_s, iniPath()), u"7"_s);
        QCOMPARE(readIniValue(u"t"_s, u"t1"_s, iniPath()), u"2"_s);
        QCOMPARE(readIniValue(u"t"_s, u"t2"_s, iniPath()), u"5"_s);
        QCOMPARE(readIniValue(u"t"_s, u"t3"_s, iniPath()), u"9"_s);

        Calculator calculator;
        calculator.start();
        TariffWizard &wizard = calculator.wizard();
        CategoryWindow *categoryWindow = wizard.categoryWindow();
        driver::click(categoryWindow, u"category1"_s); // something else, to see it replaced
        driver::click(categoryWindow, u"restoreLink"_s);
        auto *next = driver::find<QPushButton>(categoryWindow, u"step1Next"_s);
        QVERIFY(!next->isEnabled());
        QTRY_VERIFY(next->isEnabled());
        QCOMPARE(recorders.messages, QStringList());

        const PremiumSheet &sheet = wizard.sheet();
        QCOMPARE(sheet.category(), 3);
        QCOMPARE(sheet.coefficient(Coefficient::Tb), u"1980"_s);
        // Step 2, built only now, shows what was restored.
        driver::click(categoryWindow, u"step1Next"_s);
        QCOMPARE(categoryWindow->currentStep(), 2);
        QVERIFY(driver::find<QRadioButton>(categoryWindow, u"vehiclesColumn"_s)->isChecked());
        QCOMPARE(driver::find<QComboBox>(categoryWindow, u"regionBox"_s)->currentText(),
            u"Республика Башкортостан"_s);
        auto *towns = driver::find<QListWidget>(categoryWindow, u"townList"_s);
        QCOMPARE(towns->count(), 1);
        QCOMPARE(towns->currentItem()->text(), u"Уфа"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,8"_s);

        DriversWindow *driversWindow = wizard.driversWindow();
        QVERIFY(driver::find<QRadioButton>(driversWindow, u"renewalContract"_s)->isChecked());
        QCOMPARE(driver::find<QComboBox>(driversWindow, u"startClassBox"_s)->currentText(), u"7"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kbm), QString()); // until the payouts are chosen
        QVERIFY(driver::find<QRadioButton>(driversWindow, u"driversUnlimited"_s)->isChecked());
        QCOMPARE(sheet.coefficient(Coefficient::Ko), u"1,8"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kvs), u"1"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Km), u"1,1"_s);
        QCOMPARE(driver::find<QComboBox>(driversWindow, u"periodBox"_s)->currentText(), u"5 месяцев"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Ks), u"0,65"_s);
        QCOMPARE(sheet.ownerKind(), OwnerKind::LegalEntity);
        QCOMPARE(sheet.registrationCase(), RegistrationCase::TravellingToRegistration);
        QCOMPARE(sheet.vehicleGroup(), VehicleGroup::GroupTrailer);

        // Completing step 3 from the restored class: 7 with no payouts ends in 8.
        driver::pick(driversWindow, u"payoutsBox"_s, u"0"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kbm), u"0,75"_s);
    }

    // What "Расчет" saves, a fresh calculator loads into a calculation the
    // user could have made by hand, with the same Т: also when a load failed
    // before the save, and for a vehicle registered abroad, whose check the
    // load sets again.
    void savedCalculationComesBackWithTheSameT_data()
    {
        QTest::addColumn<bool>("failedLoadFirst");
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<bool>("defaults");
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("town");
        QTest::newRow("registered in Russia") << false << false << false << u"1980"_s << u"Уфа"_s;
        QTest::newRow("defaults saved after a load that failed")
            << true << false << true << u"2138,4"_s << u"Москва"_s;
        QTest::newRow("registered abroad") << false << true << false << u"2187,9"_s << u"Уфа"_s;
    }
    void savedCalculationComesBackWithTheSameT()
    {
        QFETCH(bool, failedLoadFirst);
        QFETCH(bool, foreign);
        QFETCH(bool, defaults);
        QFETCH(QString, t);
        QFETCH(QString, town);
        Recorders recorders;
        {
            Calculator first;
            first.start();
            if (failedLoadFirst) {
                driver::click(first.wizard().categoryWindow(), u"restoreLink"_s);
                QTRY_COMPARE(recorders.messages, QStringList { u"Не сохранены данные"_s });
                recorders.messages.clear();
            }
            if (defaults)
                walkWithTheDefaults(first);
            else
                walkAndCalculate(first, true, foreign);
            QCOMPARE(first.wizard().sheet().text(SheetText::T), t);
        }

        Calculator calculator;
        calculator.start();
        TariffWizard &wizard = calculator.wizard();
        driver::click(wizard.categoryWindow(), u"restoreLink"_s);
        QTRY_VERIFY(driver::find<QPushButton>(wizard.categoryWindow(), u"step1Next"_s)->isEnabled());
        QCOMPARE(recorders.messages, QStringList());
        QCOMPARE(driver::find<QCheckBox>(wizard.categoryWindow(), u"foreignCheck"_s)->isChecked(), foreign);
        for (const QString &option :
            { u"registeredInRussia"_s, u"travellingToRegistration"_s, u"foreignVehicle"_s }) {
            auto *choice = driver::find<QRadioButton>(wizard.premiumWindow(), option);
            QVERIFY2(!choice->isChecked() || choice->isEnabled(), qPrintable(option));
        }
        walkOnAndCalculate(calculator);
        QCOMPARE(recorders.messages, QStringList());
        QCOMPARE(wizard.sheet().text(SheetText::T), t);
        // Walked through, step 2 still shows the territory the next save keeps.
        QCOMPARE(
            driver::find<QListWidget>(wizard.categoryWindow(), u"townList"_s)->currentItem()->text(), town);
    }

    // "Открыть" in the journal brings back the calculation itself, whatever
    // the windows show: walked on without a change, "Расчет" gives its Т
    // again. A calculation made in between may differ in its step-10
    // choices, or be of a vehicle registered abroad, whose check then stays
    // ticked on step 1 until the entry is opened.
    void journalEntryReopensWithTheSameT_data()
    {
        QTest::addColumn<int>("made");
        QTest::addColumn<bool>("foreignBetween");
        QTest::newRow("renewal from class 6 with one payout") << 0 << false;
        QTest::newRow("vehicle registered abroad, for 5 to 15 days") << 1 << false;
        QTest::newRow("first contract in class M") << 2 << false;
        QTest::newRow("Russian vehicle after a foreign one, the check left ticked") << 0 << true;
        QTest::newRow("first contract in class M after a foreign one") << 2 << true;
    }
    void journalEntryReopensWithTheSameT()
    {
        QFETCH(int, made);
        QFETCH(bool, foreignBetween);
        const std::array<driver::Walk, 3> walks = { {
            { .category = 3,
                .region = u"Республика Башкортостан"_s,
                .town = u"Уфа"_s,
                .renewal = true,
                .startClass = u"6"_s,
                .payouts = u"1"_s,
                .period = u"5 месяцев"_s },
            { .category = 3, .foreign = true, .term = u"от 5 до 15 дней"_s },
            { .category = 3,
                .region = u"Москва"_s,
                .startClass = u"M"_s,
                .period = u"10 месяцев и более "_s },
        } };
        Recorders recorders;
        Calculator calculator;
        calculator.start();
        TariffWizard &wizard = calculator.wizard();
        driver::walk(wizard, walks[std::size_t(made)]);
        const QString t = wizard.sheet().text(SheetText::T);
        QVERIFY(!t.isEmpty());
        if (foreignBetween) {
            wizard.showFirstStep();
            driver::walk(wizard, { .foreign = true, .term = u"2 месяца"_s });
            QVERIFY(wizard.sheet().foreignRegistered());
        } else {
            driver::walk(wizard, { .from = 10, .step10 = { u"groupTrailer"_s } });
        }
        QVERIFY(wizard.sheet().text(SheetText::T) != t);

        driver::click(wizard.premiumWindow(), u"journalLink"_s);
        JournalWindow *journal = calculator.journal().window();
        QVERIFY(journal && journal->isVisible());
        auto *table = driver::find<QTableView>(journal, u"entryTable"_s);
        QTRY_COMPARE(table->model()->rowCount(), 2);
        table->selectRow(1); // newest first: the first calculation
        driver::click(journal, u"openButton"_s);
        QVERIFY(wizard.categoryWindow()->isVisible());
        QVERIFY(driver::find<QPushButton>(wizard.categoryWindow(), u"step1Next"_s)->isEnabled());
        driver::walk(wizard, {});
        QCOMPARE(recorders.messages, QStringList());
        QCOMPARE(wizard.sheet().text(SheetText::T), t);
    }

    // Back from step 10 and on again changes nothing: Т stays, and so does
    // the report it allows.
    void backAndOnKeepsT()
    {
        Recorders recorders;
        Calculator calculator;
        calculator.start();
        TariffWizard &wizard = calculator.wizard();
        driver::walk(wizard, { .region = u"Москва"_s, .period = u"10 месяцев и более "_s });
        const QString t = wizard.sheet().text(SheetText::T);
        QVERIFY(!t.isEmpty());
        driver::click(wizard.premiumWindow(), u"step10Back"_s);
        driver::click(wizard.premiumWindow(), u"step9Next"_s);
        QCOMPARE(wizard.sheet().text(SheetText::T), t);
        QCOMPARE(recorders.messages, QStringList());
    }

    void restoreWithoutAFileSaysSo()
    {
        Recorders recorders;
        Calculator calculator;
        calculator.start();
        CategoryWindow *categoryWindow = calculator.wizard().categoryWindow();
        driver::click(categoryWindow, u"restoreLink"_s);
        QTRY_COMPARE(recorders.messages, QStringList { u"Не сохранены данные"_s });
        QVERIFY(driver::find<QPushButton>(categoryWindow, u"step1Next"_s)->isEnabled());
        QVERIFY(!QFile::exists(iniPath()));
    }

    void restoreFillsTheReminderDate()
    {
        Recorders recorders;
        {
            Calculator first;
            first.start();
            walkAndCalculate(first, true);
        }
        QVERIFY(writeIniValue(u"dt"_s, u"dt"_s, u"20.12.2030"_s, iniPath()));
        Calculator calculator;
        calculator.start();
        driver::click(calculator.wizard().categoryWindow(), u"restoreLink"_s);
        QTRY_VERIFY(
            driver::find<QPushButton>(calculator.wizard().categoryWindow(), u"step1Next"_s)->isEnabled());
        QCOMPARE(calculator.reminder()->dateText(), u"20.12.2030"_s);
        QVERIFY(!calculator.reminder()->isVisible());
    }

    void reportIsWrittenAndOpened()
    {
        Recorders recorders;
        Calculator calculator;
        calculator.start();
        walkAndCalculate(calculator, false);
        PremiumWindow *premiumWindow = calculator.wizard().premiumWindow();
        driver::click(premiumWindow, u"reportButton"_s);
        QVERIFY(premiumWindow->reportBox()->isVisible());
        QCOMPARE(
            driver::find<QLabel>(premiumWindow, u"reportProgress"_s)->text(), u"Отчет в Word сформирован"_s);
        QFile report(reportPath());
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray rtf = report.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains(calculator.wizard().sheet().text(SheetText::T).toUtf8()));
        QVERIFY(rtf.contains(QDate::currentDate().toString(u"dd.MM.yyyy"_s).toLatin1()));

        // Read as it shows, not as it showed when the box was built.
        QCOMPARE(driver::spokenName(driver::find<QLabel>(premiumWindow, u"reportProgress"_s)),
            u"Отчет в Word сформирован"_s);

        driver::click(premiumWindow, u"reportOk"_s);
        QCOMPARE(recorders.opened, QList<QUrl> { QUrl::fromLocalFile(reportPath()) });
        QVERIFY(!premiumWindow->reportBox()->isVisible());
        QCOMPARE(recorders.messages, QStringList());
    }

    void reportThatNothingOpensSaysWhereItIs_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("message");
        QTest::newRow("no program for it") << false << u"Не удалось открыть отчет. Файл сохранен: "_s;
        QTest::newRow("removed meanwhile") << true << u"Не найден файл отчета: "_s;
    }

    void reportThatNothingOpensSaysWhereItIs()
    {
        QFETCH(bool, removed);
        QFETCH(QString, message);
        Recorders recorders;
        recorders.desktopOpens = false;
        Calculator calculator;
        calculator.start();
        walkAndCalculate(calculator, false);
        PremiumWindow *premiumWindow = calculator.wizard().premiumWindow();
        driver::click(premiumWindow, u"reportButton"_s);
        if (removed)
            QVERIFY(QFile::remove(reportPath()));
        driver::click(premiumWindow, u"reportOk"_s);
        QCOMPARE(recorders.messages, QStringList { message + reportPath() });
        QVERIFY(!premiumWindow->reportBox()->isVisible());
        QCOMPARE(recorders.opened.size(), removed ? 0 : 1);
    }

    // No report for a Т that cannot be written, nor for one that is not there.
    void reportThatIsNotWrittenIsNotAnnouncedAsDone_data()
    {
        QTest::addColumn<bool>("folderInTheWay");
        QTest::addColumn<QString>("message");
        QTest::newRow("karvo.doc is a folder") << true << u"Не удалось сохранить отчет: "_s;
        QTest::newRow("an input changed after Расчет") << false << kReportNeedsPremium;
    }
    void reportThatIsNotWrittenIsNotAnnouncedAsDone()
    {
        QFETCH(bool, folderInTheWay);
        QFETCH(QString, message);
        Recorders recorders;
        if (folderInTheWay)
            QVERIFY(QDir(recorders.folder.path()).mkdir(u"karvo.doc"_s)); // not replaceable by a file
        Calculator calculator;
        calculator.start();
        walkAndCalculate(calculator, false);
        PremiumWindow *premiumWindow = calculator.wizard().premiumWindow();
        if (!folderInTheWay)
            driver::click(premiumWindow, u"individualOwner"_s);
        driver::click(premiumWindow, u"reportButton"_s);
        QCOMPARE(recorders.messages.size(), 1);
        QVERIFY(recorders.messages[0].startsWith(message));
        QVERIFY(!premiumWindow->reportBox()->isVisible());
        QCOMPARE(QFileInfo(reportPath()).isFile(), false);
    }

    void reminderWindowOpensFromStepTenAndUnticksOnNo()
    {
        Recorders recorders;
        Calculator calculator;
        calculator.start();
        walkAndCalculate(calculator, false);
        PremiumWindow *premiumWindow = calculator.wizard().premiumWindow();
        calculator.wizard().sheet().setReminderWanted(true);
        driver::click(premiumWindow, u"reminderOk"_s);
        ReminderWindow *reminder = calculator.reminder();
        QCOMPARE(reminder->parentWidget(), premiumWindow);
        QVERIFY(reminder->isVisible());
        driver::click(reminder, u"noButton"_s);
        QVERIFY(!driver::find<QCheckBox>(premiumWindow, u"reminderCheck"_s)->isChecked());
        QVERIFY(!reminder->isVisible());
        QCOMPARE(recorders.messages, QStringList { u"Автозапуск деактивирован"_s });
    }
};

QTEST_MAIN(TestCalculator)
#include "tst_calculator.moc"
