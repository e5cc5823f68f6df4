// Steps 3 to 7 on their own window: what a calculation starts with, the
// bonus-malus class moves, the power figures in kilowatts, the period of use.

#include "WindowFixture.h"
#include "WizardDriver.h"

#include "model/DriverCoefficients.h"
#include "model/PremiumSheet.h"
#include "wizard/DriversWindow.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

class TestDriversWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture.build(); }
    void cleanup() { m_fixture.reset(); }

    void showsWhatACalculationStartsWith()
    {
        QCOMPARE(m_fixture.window->currentStep(), 3);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kbm), u"1"_s);
        QCOMPARE(driver::find<QComboBox>(m_fixture.window.get(), u"startClassBox"_s)->currentText(), u"3"_s);
        QVERIFY(!driver::find(m_fixture.window.get(), u"renewalGroup"_s)->isEnabled());
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Ko), u"1"_s);
        QCOMPARE(m_fixture.sheet->driversLimit(), DriversLimit::Limited);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kvs), u"1,8"_s);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Km), u"0,6"_s);
        QCOMPARE(kilowatts(u"firstKilowatts"_s), u"36,775 кВт"_s);
        QCOMPARE(kilowatts(u"secondKilowatts"_s), QString());
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Ks), QString());
        for (const QString &hint : { u"step3ForeignHint"_s, u"step4ForeignHint"_s, u"step5ForeignHint"_s,
                 u"step6ForeignHint"_s, u"step7ForeignHint"_s })
            QVERIFY(driver::find(m_fixture.window.get(), hint)->isHidden());
    }

    void renewalComputesTheEndClass_data()
    {
        QTest::addColumn<QStringList>("picks"); // combo name, item, combo name, item...
        QTest::addColumn<QString>("endClass");
        QTest::addColumn<QString>("kbm");
        QTest::newRow("class 3, no payouts")
            << QStringList { u"startClassBox"_s, u"3"_s, u"payoutsBox"_s, u"0"_s } << u"4"_s << u"0,95"_s;
        QTest::newRow("payouts first, then class 9")
            << QStringList { u"payoutsBox"_s, u"2"_s, u"startClassBox"_s, u"9"_s } << u"2"_s << u"1,4"_s;
        QTest::newRow("class 13 stays")
            << QStringList { u"startClassBox"_s, u"13"_s, u"payoutsBox"_s, u"0"_s } << u"13"_s << u"0,5"_s;
        QTest::newRow("four payouts end in M")
            << QStringList { u"startClassBox"_s, u"11"_s, u"payoutsBox"_s, u"4"_s } << u"M"_s << u"2,45"_s;
        QTest::newRow("payouts alone compute nothing")
            << QStringList { u"payoutsBox"_s, u"1"_s } << QString() << QString();
    }
    void renewalComputesTheEndClass()
    {
        QFETCH(QStringList, picks);
        QFETCH(QString, endClass);
        QFETCH(QString, kbm);
        driver::click(m_fixture.window.get(), u"renewalContract"_s);
        QCOMPARE(m_fixture.sheet->contractKind(), ContractKind::Renewal);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kbm), QString());
        for (int i = 0; i + 1 < picks.size(); i += 2)
            driver::pick(m_fixture.window.get(), picks[i], picks[i + 1]);
        QCOMPARE(driver::text(m_fixture.window.get(), u"endClassBox"_s), endClass);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kbm), kbm);
    }

    void firstTimeAgainResetsClassThree()
    {
        driver::click(m_fixture.window.get(), u"renewalContract"_s);
        driver::pick(m_fixture.window.get(), u"startClassBox"_s, u"5"_s);
        driver::pick(m_fixture.window.get(), u"payoutsBox"_s, u"1"_s);
        driver::click(m_fixture.window.get(), u"firstContract"_s);
        QCOMPARE(driver::find<QComboBox>(m_fixture.window.get(), u"startClassBox"_s)->currentText(), u"3"_s);
        QCOMPARE(driver::find<QComboBox>(m_fixture.window.get(), u"payoutsBox"_s)->currentText(), QString());
        QCOMPARE(driver::text(m_fixture.window.get(), u"endClassBox"_s), QString());
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kbm), u"1"_s);
        // A first contract may start in any class.
        driver::pick(m_fixture.window.get(), u"startClassBox"_s, u"M"_s);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kbm), u"2,45"_s);
        QCOMPARE(driver::text(m_fixture.window.get(), u"endClassBox"_s), QString());
    }

    void typedClassComputesNothing()
    {
        driver::click(m_fixture.window.get(), u"renewalContract"_s);
        driver::pick(m_fixture.window.get(), u"payoutsBox"_s, u"0"_s);
        driver::replaceText(
            driver::find<QComboBox>(m_fixture.window.get(), u"startClassBox"_s)->lineEdit(), u"7"_s);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kbm), QString());
    }

    void powerShowsKilowatts_data()
    {
        QTest::addColumn<int>("row");
        // Chosen in the sheet before the window is built (a load of saved
        // inputs before step 3 was ever shown), or picked on the window.
        QTest::addColumn<bool>("beforeTheWindow");
        QTest::addColumn<QString>("km");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("50 to 70") << 1 << false << u"1"_s << u"36,775 кВт"_s << u"51,485 кВт"_s;
        QTest::newRow("120 to 150 rounds to four places")
            << 4 << false << u"1,4"_s << u"88,26 кВт"_s << u"110,3249 кВт"_s;
        QTest::newRow("over 150 names one figure")
            << 5 << false << u"1,6"_s << u"110,3249 кВт"_s << QString();
        QTest::newRow("50 to 70 chosen before the window")
            << 1 << true << u"1"_s << u"36,775 кВт"_s << u"51,485 кВт"_s;
    }
    void powerShowsKilowatts()
    {
        QFETCH(int, row);
        QFETCH(bool, beforeTheWindow);
        QFETCH(QString, km);
        QFETCH(QString, first);
        QFETCH(QString, second);
        if (beforeTheWindow) {
            m_fixture.reset();
            m_fixture.build([row](PremiumSheet &sheet) { chooseKm(sheet, kmRows()[std::size_t(row)].item); });
        }
        m_fixture.window->showStep(6);
        if (!beforeTheWindow)
            driver::pickRow(driver::find<QListWidget>(m_fixture.window.get(), u"kmList"_s), row);
        QCOMPARE(driver::text(m_fixture.window.get(), u"kmBox"_s), km);
        QCOMPARE(m_fixture.sheet->kmRow(), row);
        QCOMPARE(kilowatts(u"firstKilowatts"_s), first);
        QCOMPARE(kilowatts(u"secondKilowatts"_s), second);
    }

    void koAndKvsChoices()
    {
        m_fixture.window->showStep(4);
        driver::click(m_fixture.window.get(), u"driversUnlimited"_s);
        QCOMPARE(driver::text(m_fixture.window.get(), u"koBox"_s), u"1,8"_s);
        QCOMPARE(m_fixture.sheet->driversLimit(), DriversLimit::Unlimited);
        m_fixture.window->showStep(5);
        driver::pickRow(driver::find<QListWidget>(m_fixture.window.get(), u"kvsList"_s), 3);
        QCOMPARE(driver::text(m_fixture.window.get(), u"kvsBox"_s), u"1"_s);
        QCOMPARE(m_fixture.sheet->kvsRow(), 3);
    }

    void periodOfUse_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("ks");
        QTest::newRow("three months") << u"3 месяца"_s << u"0,5"_s;
        QTest::newRow("ten months and more, trailing blank") << u"10 месяцев и более "_s << u"1"_s;
    }
    void periodOfUse()
    {
        QFETCH(QString, period);
        QFETCH(QString, ks);
        m_fixture.window->showStep(7);
        driver::pick(m_fixture.window.get(), u"periodBox"_s, period);
        QCOMPARE(driver::text(m_fixture.window.get(), u"ksBox"_s), ks);
        QCOMPARE(driver::find<QComboBox>(m_fixture.window.get(), u"periodBox"_s)->currentText(), period);
    }

private:
    QString kilowatts(const QString &label) const
    {
        return driver::find<QLabel>(m_fixture.window.get(), label)->text();
    }

    WindowFixture<DriversWindow> m_fixture;
};

QTEST_MAIN(TestDriversWindow)
#include "tst_driverswindow.moc"
