#include "model/DriverCoefficients.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

class TestDriverCoefficients : public QObject
{
    Q_OBJECT

private slots:
    void chooseKo_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("ko");
        QTest::addColumn<QString>("code");

        QTest::newRow("limited drivers") << 0 << u"1"_s << u"1"_s;
        QTest::newRow("any driver") << 1 << u"1,8"_s << u"2"_s;
        // Anything else selects nothing: the sheet keeps the earlier choice.
        QTest::newRow("below the table") << -1 << u"1,8"_s << u"2"_s;
        QTest::newRow("beyond the table") << 2 << u"1,8"_s << u"2"_s;
    }
    void chooseKo()
    {
        QFETCH(int, choice);
        QFETCH(QString, ko);
        QFETCH(QString, code);
        PremiumSheet sheet;
        karvo::chooseKo(sheet, 1);
        karvo::chooseKo(sheet, choice == 1 ? 0 : 1);
        karvo::chooseKo(sheet, choice);
        QCOMPARE(sheet.coefficient(Coefficient::Ko), ko);
        QCOMPARE(koChoices()[std::size_t(sheet.driversLimit())].code, code);
    }

    void chooseKvs_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("matches");
        QTest::addColumn<QString>("kvs");
        QTest::addColumn<QString>("index");

        QTest::newRow("young, new") << u"До 22 лет включительно со стажем вождения до 3 лет включительно"_s
                                    << true << u"1,8"_s << u"0"_s;
        QTest::newRow("older, new") << u"Более 22 лет со стажем вождения до 3 лет включительно"_s << true
                                    << u"1,7"_s << u"1"_s;
        QTest::newRow("young, experienced")
            << u"До 22 лет включительно со стажем вождения свыше 3 лет"_s << true << u"1,6"_s << u"2"_s;
        QTest::newRow("older, experienced")
            << u"Более 22 лет со стажем вождения свыше 3 лет"_s << true << u"1"_s << u"3"_s;
        QTest::newRow("trailing blank")
            << u"Более 22 лет со стажем вождения свыше 3 лет "_s << false << u"1,7"_s << u"1"_s;
        QTest::newRow("empty") << QString() << false << u"1,7"_s << u"1"_s;
    }
    void chooseKvs()
    {
        QFETCH(QString, item);
        QFETCH(bool, matches);
        QFETCH(QString, kvs);
        QFETCH(QString, index);
        PremiumSheet sheet;
        karvo::chooseKvs(sheet, kvsRows()[1].item);
        QCOMPARE(karvo::chooseKvs(sheet, item), matches);
        QCOMPARE(sheet.coefficient(Coefficient::Kvs), kvs);
        QCOMPARE(sheet.kvsRow(), index.isEmpty() ? -1 : index.toInt());
    }

    // Every КМ item with its coefficient and the kilowatt labels its row
    // gives: the first figure always, the second only when it is not 0.
    void chooseKm_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("km");
        QTest::addColumn<QString>("index");
        QTest::addColumn<QString>("firstLabel");
        QTest::addColumn<QString>("secondLabel");

        QTest::newRow("up to 50") << u"До 50"_s << u"0,6"_s << u"0"_s << u"36,775 кВт"_s << QString();
        QTest::newRow("50 to 70") << u"Свыше 50 до 70 включительно"_s << u"1"_s << u"1"_s << u"36,775 кВт"_s
                                  << u"51,485 кВт"_s;
        QTest::newRow("70 to 100") << u"Свыше 70 до 100 включительно"_s << u"1,1"_s << u"2"_s
                                   << u"51,485 кВт"_s << u"73,55 кВт"_s;
        QTest::newRow("100 to 120") << u"Свыше 100 до 120 включительно"_s << u"1,2"_s << u"3"_s
                                    << u"73,55 кВт"_s << u"88,26 кВт"_s;
        QTest::newRow("120 to 150") << u"Свыше 120 до 150 включительно"_s << u"1,4"_s << u"4"_s
                                    << u"88,26 кВт"_s << u"110,3249 кВт"_s;
        QTest::newRow("over 150") << u"Свыше 150"_s << u"1,6"_s << u"5"_s << u"110,3249 кВт"_s << QString();
    }
    void chooseKm()
    {
        QFETCH(QString, item);
        QFETCH(QString, km);
        QFETCH(QString, index);
        QFETCH(QString, firstLabel);
        QFETCH(QString, secondLabel);
        PremiumSheet sheet;
        const std::optional<KmRow> row = karvo::chooseKm(sheet, item);
        QVERIFY(row);
        QCOMPARE(row->item, item);
        QCOMPARE(sheet.coefficient(Coefficient::Km), km);
        QCOMPARE(sheet.kmRow(), index.toInt());
        const PowerKilowatts kilowatts = powerKilowatts(index.toInt());
        QCOMPARE(kilowatts.first, firstLabel);
        QCOMPARE(kilowatts.second, secondLabel);
    }

    void powerKilowattsOutsideTheList_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("no row chosen") << -1;
        QTest::newRow("past the last row") << 6;
    }
    void powerKilowattsOutsideTheList()
    {
        QFETCH(int, row);
        const PowerKilowatts kilowatts = powerKilowatts(row);
        QCOMPARE(kilowatts.first, QString());
        QCOMPARE(kilowatts.second, QString());
    }

    void chooseKmUnknownItem()
    {
        PremiumSheet sheet;
        karvo::chooseKm(sheet, u"Свыше 150"_s);
        QVERIFY(!karvo::chooseKm(sheet, u"свыше 150"_s));
        QVERIFY(!karvo::chooseKm(sheet, QString()));
        QCOMPARE(sheet.coefficient(Coefficient::Km), u"1,6"_s);
        QCOMPARE(sheet.kmRow(), 5);
    }

    void kilowattEdges_data()
    {
        QTest::addColumn<QString>("horsepower");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");

        QTest::newRow("zero") << u"0"_s << u"0 кВт"_s << QString();
        QTest::newRow("zero with decimals") << u"0,0"_s << u"0 кВт"_s << QString();
        QTest::newRow("one horsepower") << u"1"_s << u"0,7355 кВт"_s << u"0,7355 кВт"_s;
        // Not a figure at all: no label rather than a wrong one.
        QTest::newRow("not a number") << u"пятьдесят"_s << QString() << QString();
        QTest::newRow("empty") << QString() << QString() << QString();
    }
    void kilowattEdges()
    {
        QFETCH(QString, horsepower);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QCOMPARE(kilowattText(horsepower), first);
        QCOMPARE(secondKilowattText(horsepower), second);
    }

    void chooseKs_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<bool>("matches");
        QTest::addColumn<QString>("ks");

        QTest::newRow("3 months") << u"3 месяца"_s << true << u"0,5"_s;
        QTest::newRow("4 months") << u"4 месяца"_s << true << u"0,6"_s;
        QTest::newRow("5 months") << u"5 месяцев"_s << true << u"0,65"_s;
        QTest::newRow("9 months") << u"9 месяцев"_s << true << u"0,95"_s;
        QTest::newRow("10 months or more, with its blank") << u"10 месяцев и более "_s << true << u"1"_s;
        QTest::newRow("10 months or more, typed without the blank")
            << u"10 месяцев и более"_s << false << u"0,7"_s;
        QTest::newRow("typed text") << u"12 месяцев"_s << false << u"0,7"_s;
    }
    void chooseKs()
    {
        QFETCH(QString, period);
        QFETCH(bool, matches);
        QFETCH(QString, ks);
        PremiumSheet sheet;
        karvo::chooseKs(sheet, u"6 месяцев"_s);
        QCOMPARE(karvo::chooseKs(sheet, period), matches);
        QCOMPARE(sheet.coefficient(Coefficient::Ks), ks);
    }
};

QTEST_GUILESS_MAIN(TestDriverCoefficients)
#include "tst_drivercoefficients.moc"
