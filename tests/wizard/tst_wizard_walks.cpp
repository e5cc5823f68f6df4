// Whole runs from the first choice to Т, every choice made through the
// controls of the three windows.

#include "Recorders.h"
#include "WizardDriver.h"
#include "WizardWalk.h"

#include "wizard/CategoryWindow.h"
#include "wizard/DriversWindow.h"
#include "wizard/PremiumWindow.h"
#include "wizard/TariffWizard.h"

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

class TestWizardWalks : public QObject
{
    Q_OBJECT

private slots:
    void walkToPremium_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("town");
        QTest::addColumn<QStringList>("renewal"); // start class, payouts; empty: first contract
        QTest::addColumn<QString>("koOption");
        QTest::addColumn<int>("kvsRow");
        QTest::addColumn<int>("kmRow");
        QTest::addColumn<QString>("period");
        QTest::addColumn<QString>("term");
        QTest::addColumn<QStringList>("step10"); // options clicked on step 10
        QTest::addColumn<QString>("t");

        const QString amur = u"Амурская область"_s;
        const QString otherTowns = u"Прочие города и населенные пункты"_s;
        const QString bashkortostan = u"Республика Башкортостан"_s;
        const QString ufa = u"Уфа"_s;
        // ТБ 1980 × КТ 0,85 × КБМ 0,95 (class 3 → 4) × КВС 1,7 × КО 1,8 × КМ 1,1 × КС 0,65 × КН 1
        QTest::newRow("registered in Russia, individual, category B")
            << 3 << false << amur << otherTowns << QStringList { u"3"_s, u"0"_s } << u"driversUnlimited"_s
            << 1 << 2 << u"5 месяцев"_s << QString() << QStringList() << u"3498,1239"_s;
        // (2375 × 1,8 × 1) × 1,8 × КМ 1,6 × КС 1 × КН 1
        QTest::newRow("legal entity, category B")
            << 2 << false << bashkortostan << ufa << QStringList() << u"driversLimited"_s << 0 << 5
            << u"10 месяцев и более "_s << QString() << QStringList() << u"12312"_s;
        // A trailer leaves the owner open: it is chosen on step 10. 810 × 1,8 × 1
        QTest::newRow("trailer of a lorry")
            << 9 << false << bashkortostan << ufa << QStringList() << u"driversLimited"_s << 0 << 0
            << u"10 месяцев и более "_s << QString()
            << QStringList { u"individualOwner"_s, u"groupTrailer"_s } << u"1458"_s;
        // КП defaults to 1 on leaving step 9: 1980 × КВС 1 × КО 1 × КМ 1 × КП 1
        QTest::newRow("travelling to the place of registration")
            << 3 << false << bashkortostan << ufa << QStringList() << u"driversLimited"_s << 3 << 1
            << u"3 месяца"_s << QString() << QStringList { u"travellingToRegistration"_s } << u"1980"_s;
        // 1980 × 1,7 × 1,7 × КМ 1 × КП 0,2 × КН 1
        QTest::newRow("registered abroad, term on step 8")
            << 3 << true << QString() << QString() << QStringList() << u"driversLimited"_s << 3 << 1
            << QString() << u"от 5 до 15 дней"_s << QStringList() << u"1144,44"_s;
    }
    void walkToPremium()
    {
        QFETCH(int, category);
        QFETCH(bool, foreign);
        QFETCH(QString, region);
        QFETCH(QString, town);
        QFETCH(QStringList, renewal);
        QFETCH(QString, koOption);
        QFETCH(int, kvsRow);
        QFETCH(int, kmRow);
        QFETCH(QString, period);
        QFETCH(QString, term);
        QFETCH(QStringList, step10);
        QFETCH(QString, t);

        Recorders recorders;
        TariffWizard wizard;
        wizard.start();
        driver::walk(wizard,
            { .category = category,
                .foreign = foreign,
                .region = region,
                .town = town,
                .renewal = !renewal.isEmpty(),
                .startClass = renewal.value(0),
                .payouts = renewal.value(1),
                .drivers = koOption,
                .kvsRow = kvsRow,
                .kmRow = kmRow,
                .period = period,
                .term = term,
                .step10 = step10 });
        PremiumWindow *premiumWindow = wizard.premiumWindow();
        QVERIFY(premiumWindow->isVisible());
        QCOMPARE(premiumWindow->currentStep(), 10);
        QCOMPARE(recorders.messages, QStringList());
        QCOMPARE(driver::text(premiumWindow, u"premiumBox"_s), t);
    }
};

QTEST_MAIN(TestWizardWalks)
#include "tst_wizard_walks.moc"
