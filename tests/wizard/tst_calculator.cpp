// The wizard together with its services: saved inputs stored by "Расчет" and
// replayed into a fresh calculator, the report and its "ОК", the reminder
// window opened from step 10.

#include "Recorders.h"
#include "WizardDriver.h"

#include "reminder/ReminderWindow.h"
#include "report/ReportBuilder.h"
#include "storage/IniFile.h"
#include "wizard/Calculator.h"
#include "wizard/Form1.h"
#include "wizard/Form2.h"
#include "wizard/Form3.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

// Category row 3, Bashkortostan / Ufa in column "17", a renewal from class 6
// with no payouts (ending in 7), КО Option2, КВС row 3, КМ row 2, five months,
// a legal entity travelling to the place of registration with a trailer.
// Registered abroad, the vehicle has a term of five months and cannot be
// travelling to registration: it stays in the foreign case.
void walkAndCalculate(Calculator &calculator, bool save, bool foreign = false)
{
    TariffWizard &wizard = calculator.wizard();
    Form1 *form1 = wizard.form1();
    driver::click(form1, u"Option3"_s);
    if (foreign)
        driver::click(form1, u"Check1"_s);
    driver::click(form1, u"Command1"_s);
    driver::pick(form1, u"Combo1"_s, u"Республика Башкортостан"_s);
    driver::pick(driver::find<QListWidget>(form1, u"List1"_s), u"Уфа"_s);
    driver::click(form1, u"Command2"_s);

    Form2 *form2 = wizard.form2();
    driver::click(form2, u"Option11"_s);
    driver::pick(form2, u"Combo1"_s, u"6"_s);
    driver::pick(form2, u"Combo5"_s, u"0"_s);
    driver::click(form2, u"Command2"_s);
    driver::click(form2, u"Option2"_s);
    driver::click(form2, u"Command1"_s);
    driver::pickRow(driver::find<QListWidget>(form2, u"List10"_s), 3);
    driver::click(form2, u"Command7"_s);
    driver::pickRow(driver::find<QListWidget>(form2, u"List1"_s), 2);
    driver::click(form2, u"Command8"_s);
    driver::pick(form2, u"Combo2"_s, u"5 месяцев"_s);
    driver::click(form2, u"Command10"_s);

    Form3 *form3 = wizard.form3();
    if (foreign)
        driver::pick(form3, u"Combo1"_s, u"5 месяцев"_s);
    driver::click(form3, u"Command10"_s);
    driver::click(form3, u"Command2"_s);
    driver::click(form3, u"Option2"_s);
    driver::click(form3, u"Option5"_s);
    driver::click(form3, u"Option9"_s);
    if (save)
        driver::click(form3, u"Check2"_s);
    driver::click(form3, u"Command3"_s);
}

// Only what the steps demand (Moscow, ten months and more, travelling to
// registration on step 10); everything else as the windows start.
void walkWithTheDefaults(Calculator &calculator)
{
    TariffWizard &wizard = calculator.wizard();
    driver::click(wizard.form1(), u"Command1"_s);
    driver::pick(wizard.form1(), u"Combo1"_s, u"Москва"_s);
    driver::click(wizard.form1(), u"Command2"_s);
    Form2 *form2 = wizard.form2();
    for (const QString &next : { u"Command2"_s, u"Command1"_s, u"Command7"_s, u"Command8"_s })
        driver::click(form2, next);
    driver::pick(form2, u"Combo2"_s, u"10 месяцев и более "_s);
    driver::click(form2, u"Command10"_s);
    Form3 *form3 = wizard.form3();
    for (const QString &control : { u"Command10"_s, u"Command2"_s, u"Option5"_s, u"Check2"_s, u"Command3"_s })
        driver::click(form3, control);
}

// After a load: from step 1 on with "Далее >>", completing step 3 with no
// payouts and step 8 with the term the calculation had, then "Расчет".
void walkOnAndCalculate(Calculator &calculator)
{
    TariffWizard &wizard = calculator.wizard();
    driver::click(wizard.form1(), u"Command1"_s);
    driver::click(wizard.form1(), u"Command2"_s);
    Form2 *form2 = wizard.form2();
    driver::pick(form2, u"Combo5"_s, u"0"_s);
    for (const QString &next : { u"Command2"_s, u"Command1"_s, u"Command7"_s, u"Command8"_s, u"Command10"_s })
        driver::click(form2, next);
    Form3 *form3 = wizard.form3();
    if (wizard.sheet().foreignRegistered())
        driver::pick(form3, u"Combo1"_s, u"5 месяцев"_s);
    driver::click(form3, u"Command10"_s);
    driver::click(form3, u"Command2"_s);
    driver::click(form3, u"Command3"_s);
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
        Form1 *form1 = wizard.form1();
        driver::click(form1, u"Option1"_s); // something else, to see it replaced
        driver::click(form1, u"Label12"_s);
        auto *next = driver::find<QPushButton>(form1, u"Command1"_s);
        QVERIFY(!next->isEnabled());
        QTRY_VERIFY(next->isEnabled());
        QCOMPARE(recorders.messages, QStringList());

        const PremiumSheet &sheet = wizard.sheet();
        QCOMPARE(sheet.text(SheetText::CategoryCode), u"3"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Tb), u"1980"_s);
        QVERIFY(driver::find<QRadioButton>(form1, u"Option17"_s)->isChecked());
        QCOMPARE(form1->regionText(), u"Республика Башкортостан"_s);
        auto *towns = driver::find<QListWidget>(form1, u"List1"_s);
        QCOMPARE(towns->count(), 1);
        QCOMPARE(form1->selectedTownGroup(), u"Уфа"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,8"_s);

        Form2 *form2 = wizard.form2();
        QVERIFY(driver::find<QRadioButton>(form2, u"Option11"_s)->isChecked());
        QCOMPARE(form2->startClassText(), u"7"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kbm), QString()); // until the payouts are chosen
        QVERIFY(driver::find<QRadioButton>(form2, u"Option2"_s)->isChecked());
        QCOMPARE(sheet.coefficient(Coefficient::Ko), u"1,8"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kvs), u"1"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Km), u"1,1"_s);
        QCOMPARE(form2->periodText(), u"5 месяцев"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Ks), u"0,65"_s);
        QCOMPARE(sheet.ownerKind(), OwnerKind::LegalEntity);
        QCOMPARE(sheet.registrationCase(), RegistrationCase::TravellingToRegistration);
        QCOMPARE(sheet.vehicleGroup(), VehicleGroup::GroupTrailer);

        // Completing step 3 from the restored class: 7 with no payouts ends in 8.
        driver::pick(form2, u"Combo5"_s, u"0"_s);
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
                driver::click(first.wizard().form1(), u"Label12"_s);
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
        driver::click(wizard.form1(), u"Label12"_s);
        QTRY_VERIFY(driver::find<QPushButton>(wizard.form1(), u"Command1"_s)->isEnabled());
        QCOMPARE(recorders.messages, QStringList());
        QCOMPARE(driver::find<QCheckBox>(wizard.form1(), u"Check1"_s)->isChecked(), foreign);
        for (const QString &option : { u"Option4"_s, u"Option5"_s, u"Option6"_s }) {
            auto *choice = driver::find<QRadioButton>(wizard.form3(), option);
            QVERIFY2(!choice->isChecked() || choice->isEnabled(), qPrintable(option));
        }
        walkOnAndCalculate(calculator);
        QCOMPARE(recorders.messages, QStringList());
        QCOMPARE(wizard.sheet().text(SheetText::T), t);
        // Walked through, step 2 still shows the territory the next save keeps.
        QCOMPARE(wizard.form1()->selectedTownGroup(), town);
    }

    void restoreWithoutAFileSaysSo()
    {
        Recorders recorders;
        Calculator calculator;
        calculator.start();
        Form1 *form1 = calculator.wizard().form1();
        driver::click(form1, u"Label12"_s);
        QTRY_COMPARE(recorders.messages, QStringList { u"Не сохранены данные"_s });
        QVERIFY(driver::find<QPushButton>(form1, u"Command1"_s)->isEnabled());
        QVERIFY(!form1->restoreTimer()->isActive());
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
        driver::click(calculator.wizard().form1(), u"Label12"_s);
        QTRY_VERIFY(driver::find<QPushButton>(calculator.wizard().form1(), u"Command1"_s)->isEnabled());
        QCOMPARE(calculator.reminder()->dateText(), u"20.12.2030"_s);
        QVERIFY(!calculator.reminder()->isVisible());
    }

    void reportIsWrittenAndOpened()
    {
        Recorders recorders;
        Calculator calculator;
        calculator.start();
        walkAndCalculate(calculator, false);
        Form3 *form3 = calculator.wizard().form3();
        driver::click(form3, u"Command8"_s);
        QVERIFY(form3->reportBox()->isVisible());
        QCOMPARE(driver::find<QLabel>(form3, u"Label13"_s)->text(), u"Отчет в Word сформирован"_s);
        QFile report(reportPath());
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray rtf = report.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.contains(calculator.wizard().sheet().text(SheetText::T).toUtf8()));

        // Read as it shows, not as it showed when the box was built.
        QCOMPARE(
            driver::spokenName(driver::find<QLabel>(form3, u"Label13"_s)), u"Отчет в Word сформирован"_s);

        driver::click(form3, u"Command12"_s);
        QCOMPARE(recorders.opened, QList<QUrl> { QUrl::fromLocalFile(reportPath()) });
        QVERIFY(!form3->reportBox()->isVisible());
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
        Form3 *form3 = calculator.wizard().form3();
        driver::click(form3, u"Command8"_s);
        if (removed)
            QVERIFY(QFile::remove(reportPath()));
        driver::click(form3, u"Command12"_s);
        QCOMPARE(recorders.messages, QStringList { message + reportPath() });
        QVERIFY(!form3->reportBox()->isVisible());
        QCOMPARE(recorders.opened.size(), removed ? 0 : 1);
    }

    void reportThatCannotBeWrittenIsNotAnnouncedAsDone()
    {
        Recorders recorders;
        QVERIFY(QDir(recorders.folder.path()).mkdir(u"karvo.doc"_s)); // not replaceable by a file
        Calculator calculator;
        calculator.start();
        walkAndCalculate(calculator, false);
        Form3 *form3 = calculator.wizard().form3();
        driver::click(form3, u"Command8"_s);
        QCOMPARE(recorders.messages.size(), 1);
        QVERIFY(recorders.messages[0].startsWith(u"Не удалось сохранить отчет: "_s));
        QVERIFY(!form3->reportBox()->isVisible());
    }

    void reminderWindowOpensFromStepTenAndUnticksOnNo()
    {
        Recorders recorders;
        Calculator calculator;
        calculator.start();
        walkAndCalculate(calculator, false);
        Form3 *form3 = calculator.wizard().form3();
        form3->setReminderWanted(true);
        driver::click(form3, u"Command9"_s);
        ReminderWindow *reminder = calculator.reminder();
        QCOMPARE(reminder->parentWidget(), form3);
        QVERIFY(reminder->isVisible());
        driver::click(reminder, u"noButton"_s);
        QVERIFY(!form3->reminderWanted());
        QVERIFY(!reminder->isVisible());
        QCOMPARE(recorders.messages, QStringList { u"Автозапуск деактивирован"_s });
    }
};

QTEST_MAIN(TestCalculator)
#include "tst_calculator.moc"
