#include "model/Money.h"
#include "model/TerritoryTable.h"

#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

const QString kOther = u"Прочие города и населенные пункты"_s;
const QString kNone = u"<none>"_s;

// Optionals compared as text, so that a failure shows both values.
// The table's columns are headed "17" and "18".
TerritoryColumn columnOf(const QString &heading)
{
    return heading == u"17"_s ? TerritoryColumn::Vehicles
        : heading == u"18"_s  ? TerritoryColumn::Tractors
                              : TerritoryColumn::Unset;
}

QString orNone(const std::optional<QString> &value)
{
    return value.value_or(kNone);
}
QString orNone(const std::optional<QStringList> &value)
{
    return value ? value->join(u'|') : kNone;
}

const QStringList kSingleEntryRegions = {
    u"Республика Адыгея"_s,
    u"Карачаево-Черкесская Республика"_s,
    u"Чеченская Республика"_s,
    u"Ленинградская область"_s,
    u"Московская область"_s,
    u"Москва"_s,
    u"Санкт-Петербург"_s,
    u"Ненецкий автономный округ"_s,
    u"Чукотский автономный округ"_s,
};

} // namespace

class TestTerritoryTable : public QObject
{
    Q_OBJECT

private slots:
    void shape()
    {
        QCOMPARE(TerritoryTable::rows().size(), std::size_t(261));
        const QStringList regions = TerritoryTable::regions();
        QCOMPARE(regions.size(), 83);
        QCOMPARE(QSet<QString>(regions.begin(), regions.end()).size(), 83);
        QCOMPARE(regions.first(), u"Республика Адыгея"_s);
        QCOMPARE(regions.at(13), u"Республики Саха (Якутия)"_s);
        QCOMPARE(regions.last(), u"Ямало-Ненецкий автономный округ"_s);

        const TerritoryRow &first = TerritoryTable::rows().front();
        QCOMPARE(first.region, u"Республика Адыгея"_s);
        QCOMPARE(first.townGroup, u"Республика Адыгея"_s);
        QCOMPARE(first.ktVehicles, u"1,1"_s);
        QCOMPARE(first.ktTractors, u"0,8"_s);
    }

    // The region box, the town lists and the lookup must all read one table:
    // walking the regions and their lists gives the rows in order.
    void listsFollowRows()
    {
        qsizetype index = 0;
        const auto rows = TerritoryTable::rows();
        for (const QString &region : TerritoryTable::regions()) {
            const std::optional<QStringList> towns = TerritoryTable::townGroups(region);
            QVERIFY2(towns.has_value(), qPrintable(region));
            for (const QString &town : *towns) {
                QCOMPARE(rows[std::size_t(index)].region, region);
                QCOMPARE(rows[std::size_t(index)].townGroup, town);
                ++index;
            }
        }
        QCOMPARE(index, qsizetype(rows.size()));
    }

    void coefficient_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("town");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("kt");

        QTest::newRow("Москва, vehicles") << u"Москва"_s << u"Москва"_s << u"17"_s << u"2"_s;
        QTest::newRow("Москва, tractors") << u"Москва"_s << u"Москва"_s << u"18"_s << u"1,2"_s;
        QTest::newRow("Башкортостан first entry")
            << u"Республика Башкортостан"_s << u"Благовещенск,Октябрьский"_s << u"17"_s << u"1,2"_s;
        QTest::newRow("Уфа") << u"Республика Башкортостан"_s << u"Уфа"_s << u"17"_s << u"1,8"_s;
        QTest::newRow("Уфа, tractors") << u"Республика Башкортостан"_s << u"Уфа"_s << u"18"_s << u"1"_s;
        QTest::newRow("Вологда") << u"Вологодская область"_s << u"Вологда"_s << u"17"_s << u"1,7"_s;
        QTest::newRow("Вологда, tractors") << u"Вологодская область"_s << u"Вологда"_s << u"18"_s << u"1"_s;
        QTest::newRow("Череповец") << u"Вологодская область"_s << u"Череповец"_s << u"17"_s << u"1,8"_s;
        QTest::newRow("Петрозаводск") << u"Республика Карелия"_s << u"Петрозаводск"_s << u"17"_s << u"1,3"_s;
        QTest::newRow("Карелия, others, tractors")
            << u"Республика Карелия"_s << kOther << u"18"_s << u"0,5"_s;
        QTest::newRow("Амурская, others: two decimals")
            << u"Амурская область"_s << kOther << u"17"_s << u"0,85"_s;
        QTest::newRow("Чеченская Республика")
            << u"Чеченская Республика"_s << u"Чеченская Республика"_s << u"17"_s << u"0,7"_s;
        QTest::newRow("Сургут") << u"Ханты-Мансийский автономный округ - Югра"_s << u"Сургут"_s << u"17"_s
                                << u"2"_s;
        QTest::newRow("Ямал, last row")
            << u"Ямало-Ненецкий автономный округ"_s << kOther << u"18"_s << u"0,8"_s;

        // Keys with the odd spacing and spelling the lists have always shown.
        QTest::newRow("Горно -Алтайск")
            << u"Республика Алтай"_s << u"Горно -Алтайск"_s << u"17"_s << u"1,3"_s;
        QTest::newRow("Йошкар -Ола") << u"Республика Марий Эл"_s << u"Йошкар -Ола"_s << u"17"_s << u"1,3"_s;
        QTest::newRow("Улан -Удэ") << u"Республика Бурятия"_s << u"Улан -Удэ"_s << u"17"_s << u"1,3"_s;
        QTest::newRow("Гусь -Хрустальный")
            << u"Владимирская область"_s << u"Гусь -Хрустальный"_s << u"17"_s << u"1,1"_s;
        QTest::newRow("Комсомольск -на - Амуре")
            << u"Хабаровский край"_s << u"Комсомольск -на - Амуре"_s << u"17"_s << u"1,3"_s;
        QTest::newRow("Губкин, Старый Оскол")
            << u"Белгородская область"_s << u"Губкин, Старый Оскол"_s << u"17"_s << u"1"_s;
        QTest::newRow("Якутск") << u"Республики Саха (Якутия)"_s << u"Якутск"_s << u"17"_s << u"2"_s;
        QTest::newRow("Якутск, tractors")
            << u"Республики Саха (Якутия)"_s << u"Якутск"_s << u"18"_s << u"1,2"_s;
        // The same town name in two regions.
        QTest::newRow("Железногорск, Курская")
            << u"Курская область"_s << u"Железногорск"_s << u"17"_s << u"1"_s;
        QTest::newRow("Железногорск,Норильск, Красноярский")
            << u"Красноярский край"_s << u"Железногорск,Норильск"_s << u"17"_s << u"1,3"_s;

        // No column chosen yet reads the tractor column.
        QTest::newRow("no column yet") << u"Москва"_s << u"Москва"_s << QString() << u"1,2"_s;
    }
    void coefficient()
    {
        QFETCH(QString, region);
        QFETCH(QString, town);
        QFETCH(QString, variant);
        QFETCH(QString, kt);
        QCOMPARE(orNone(TerritoryTable::coefficient(region, town, columnOf(variant))), kt);
    }

    void noMatch_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("town");

        QTest::newRow("town of another region") << u"Москва"_s << u"Уфа"_s;
        QTest::newRow("region typed with a blank") << u"Москва "_s << u"Москва"_s;
        QTest::newRow("lower case") << u"москва"_s << u"москва"_s;
        QTest::newRow("Саха spelled the usual way") << u"Республика Саха (Якутия)"_s << u"Якутск"_s;
        QTest::newRow("Горно-Алтайск without the blank") << u"Республика Алтай"_s << u"Горно-Алтайск"_s;
        QTest::newRow("Губкин without the blank") << u"Белгородская область"_s << u"Губкин,Старый Оскол"_s;
        QTest::newRow("others in a single-entry region") << u"Москва"_s << kOther;
        QTest::newRow("empty") << QString() << QString();
    }
    void noMatch()
    {
        QFETCH(QString, region);
        QFETCH(QString, town);
        QCOMPARE(orNone(TerritoryTable::coefficient(region, town, TerritoryColumn::Vehicles)), kNone);
        QCOMPARE(orNone(TerritoryTable::coefficient(region, town, TerritoryColumn::Tractors)), kNone);
    }

    void townGroups_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QStringList>("towns");

        QTest::newRow("Москва") << u"Москва"_s << QStringList { u"Москва"_s };
        QTest::newRow("Башкортостан")
            << u"Республика Башкортостан"_s
            << QStringList { u"Благовещенск,Октябрьский"_s, u"Ишимбай,Кумертау,Салават"_s,
                   u"Стерлитамак,Туймазы"_s, u"Уфа"_s, kOther };
        QTest::newRow("Вологодская") << u"Вологодская область"_s
                                     << QStringList { u"Вологда"_s, u"Череповец"_s, kOther };
        // Not alphabetical: Сургут before Нижневартовск.
        QTest::newRow("Югра") << u"Ханты-Мансийский автономный округ - Югра"_s
                              << QStringList { u"Когалым"_s, u"Нефтеюганск,Нягань"_s, u"Сургут"_s,
                                     u"Нижневартовск"_s, u"Ханты-Мансийск"_s, kOther };
    }
    void townGroups()
    {
        QFETCH(QString, region);
        QFETCH(QStringList, towns);
        QCOMPARE(orNone(TerritoryTable::townGroups(region)), towns.join(u'|'));
    }

    void townGroupsOfUnknownRegion()
    {
        QCOMPARE(orNone(TerritoryTable::townGroups(u"Республика Саха (Якутия)"_s)), kNone);
        QCOMPARE(orNone(TerritoryTable::townGroups(u"Уфа"_s)), kNone);
        QCOMPARE(orNone(TerritoryTable::townGroups(QString())), kNone);
    }

    // Nine regions are a single entry named after themselves; every other one
    // closes its list with the other towns.
    void listEndings()
    {
        int singles = 0;
        for (const QString &region : TerritoryTable::regions()) {
            const QStringList towns = TerritoryTable::townGroups(region).value();
            QVERIFY2(towns.size() >= 1 && towns.size() <= 7, qPrintable(region));
            if (kSingleEntryRegions.contains(region)) {
                QCOMPARE(towns, QStringList { region });
                ++singles;
            } else {
                QVERIFY2(towns.size() >= 2, qPrintable(region));
                QCOMPARE(towns.last(), kOther);
                QCOMPARE(towns.count(kOther), 1);
            }
        }
        QCOMPARE(singles, kSingleEntryRegions.size());
    }

    // Every entry a list can show yields a КТ in both columns, written the way
    // the formula reads it back (decimal comma, no trailing zeros), within the
    // values the decree uses.
    void everyRowYieldsBothColumns()
    {
        const QSet<QString> vehicles = { u"0,6"_s, u"0,7"_s, u"0,8"_s, u"0,85"_s, u"0,9"_s, u"1"_s, u"1,1"_s,
            u"1,2"_s, u"1,3"_s, u"1,4"_s, u"1,5"_s, u"1,6"_s, u"1,7"_s, u"1,8"_s, u"1,9"_s, u"2"_s };
        const QSet<QString> tractors = { u"0,5"_s, u"0,8"_s, u"1"_s, u"1,2"_s };
        for (const TerritoryRow &row : TerritoryTable::rows()) {
            const QByteArray where = (row.region + u" / "_s + row.townGroup).toUtf8();
            const auto kt17 = TerritoryTable::coefficient(row.region, row.townGroup, TerritoryColumn::Vehicles);
            const auto kt18 = TerritoryTable::coefficient(row.region, row.townGroup, TerritoryColumn::Tractors);
            QVERIFY2(kt17 && vehicles.contains(*kt17), where.constData());
            QVERIFY2(kt18 && tractors.contains(*kt18), where.constData());
            QCOMPARE(Money::parse(*kt17)->toText(), *kt17);
            QCOMPARE(Money::parse(*kt18)->toText(), *kt18);
        }
    }

    void noDuplicatePairs()
    {
        QSet<QString> pairs;
        for (const TerritoryRow &row : TerritoryTable::rows())
            pairs.insert(row.region + u'\n' + row.townGroup);
        QCOMPARE(pairs.size(), qsizetype(TerritoryTable::rows().size()));
    }
};

QTEST_GUILESS_MAIN(TestTerritoryTable)
#include "tst_territorytable.moc"
