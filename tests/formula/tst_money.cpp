#include "model/Money.h"

#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;
using karvo::Money;

class TestMoney : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("raw");

        QTest::newRow("whole") << u"1980"_s << true << 19'800'000LL;
        QTest::newRow("comma") << u"0,95"_s << true << 9'500LL;
        QTest::newRow("point") << u"1.7"_s << true << 17'000LL;
        QTest::newRow("blanks around") << u"  1,5 "_s << true << 15'000LL;
        QTest::newRow("no integer part") << u",5"_s << true << 5'000LL;
        QTest::newRow("trailing comma") << u"2,"_s << true << 20'000LL;
        QTest::newRow("four decimals kept") << u"3498,1239"_s << true << 34'981'239LL;
        QTest::newRow("half rounds to even, down") << u"0,00005"_s << true << 0LL;
        QTest::newRow("half rounds to even, up") << u"0,00015"_s << true << 2LL;
        QTest::newRow("above half rounds up") << u"0,000051"_s << true << 1LL;
        QTest::newRow("tail beyond eight decimals breaks the tie") << u"0,000050000001"_s << true << 1LL;
        QTest::newRow("below half rounds down") << u"1,23454999"_s << true << 12'345LL;
        QTest::newRow("negative") << u"-1,5"_s << true << -15'000LL;
        QTest::newRow("negative half to even") << u"-0,00015"_s << true << -2LL;
        QTest::newRow("largest") << u"922337203685477,5807"_s << true << std::numeric_limits<qint64>::max();

        QTest::newRow("empty") << QString() << false << 0LL;
        QTest::newRow("blank") << u"   "_s << false << 0LL;
        QTest::newRow("letters") << u"abc"_s << false << 0LL;
        QTest::newRow("digits then letters") << u"1,5a"_s << false << 0LL;
        QTest::newRow("two separators") << u"1,5,5"_s << false << 0LL;
        QTest::newRow("sign only") << u"-"_s << false << 0LL;
        QTest::newRow("separator only") << u","_s << false << 0LL;
        QTest::newRow("digit grouping") << u"1 980"_s << false << 0LL;
        QTest::newRow("arabic-indic digits") << u"١٢"_s << false << 0LL;
        QTest::newRow("one past the largest") << u"922337203685477,5808"_s << false << 0LL;
        QTest::newRow("far too large") << QString(200, u'9') << false << 0LL;
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, raw);
        const std::optional<Money> value = Money::parse(text);
        QCOMPARE(value.has_value(), valid);
        if (valid)
            QCOMPARE(value->raw(), raw);
    }

    void toText_data()
    {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 19'800'000LL << u"1980"_s;
        QTest::newRow("one decimal") << 17'000LL << u"1,7"_s;
        QTest::newRow("two decimals") << 8'500LL << u"0,85"_s;
        QTest::newRow("leading zero decimal") << 500LL << u"0,05"_s;
        QTest::newRow("four decimals") << 34'981'239LL << u"3498,1239"_s;
        QTest::newRow("zero") << 0LL << u"0"_s;
        QTest::newRow("negative") << -15'000LL << u"-1,5"_s;
        QTest::newRow("most negative") << std::numeric_limits<qint64>::min() << u"-922337203685477,5808"_s;
    }

    void toText()
    {
        QFETCH(qint64, raw);
        QFETCH(QString, text);
        QCOMPARE(Money::fromRaw(raw).toText(), text);
    }

    void timesRoundsHalvesToEven_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("product");
        // 3498,123915 is the running product of the tariffs' worked example.
        QTest::newRow("worked example step") << u"5381,7291"_s << u"0,65"_s << u"3498,1239"_s;
        QTest::newRow("exact half, even stays") << u"0,0001"_s << u"0,5"_s << u"0"_s;
        QTest::newRow("exact half, odd goes up") << u"0,0003"_s << u"0,5"_s << u"0,0002"_s;
        QTest::newRow("negative half") << u"-0,0003"_s << u"0,5"_s << u"-0,0002"_s;
        QTest::newRow("whole") << u"1980"_s << u"1,8"_s << u"3564"_s;
    }

    void timesRoundsHalvesToEven()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(QString, product);
        const std::optional<Money> result = Money::parse(left)->times(*Money::parse(right));
        QVERIFY(result);
        QCOMPARE(result->toText(), product);
    }

    void timesReportsOverflow()
    {
        const Money big = *Money::parse(u"900000000000000"_s);
        QVERIFY(!big.times(*Money::parse(u"100"_s)));
        QVERIFY(big.times(*Money::parse(u"1"_s)));
    }

    void fromDouble_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("exact") << 1.5 << true << 15'000LL;
        QTest::newRow("binary noise below") << 1144.4399999999998 << true << 11'444'400LL;
        QTest::newRow("half to even, down") << 0.00025 << true << 2LL;
        QTest::newRow("half to even, up") << 0.00075 << true << 8LL;
        QTest::newRow("negative") << -2.25 << true << -22'500LL;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0LL;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0LL;
        QTest::newRow("too large") << 1e16 << false << 0LL;
    }

    void fromDouble()
    {
        QFETCH(double, value);
        QFETCH(bool, valid);
        QFETCH(qint64, raw);
        const std::optional<Money> money = Money::fromDouble(value);
        QCOMPARE(money.has_value(), valid);
        if (valid)
            QCOMPARE(money->raw(), raw);
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
