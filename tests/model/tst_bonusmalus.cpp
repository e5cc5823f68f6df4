#include "model/BonusMalus.h"
#include "model/Money.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

const QString kNone = u"<none>"_s;

QString orNone(const std::optional<QString> &value)
{
    return value.value_or(kNone);
}

// Position on the scale: 0 for the worst class "M", 14 for the best, 13.
qsizetype rank(const QString &bonusMalusClass)
{
    return bonusMalusClasses().indexOf(bonusMalusClass);
}

} // namespace

class TestBonusMalus : public QObject
{
    Q_OBJECT

private slots:
    void lists()
    {
        QCOMPARE(bonusMalusClasses(),
            (QStringList { u"M"_s, u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s,
                u"9"_s, u"10"_s, u"11"_s, u"12"_s, u"13"_s }));
        QCOMPARE(payoutCounts(), (QStringList { u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s }));
    }

    void coefficientOfClass_data()
    {
        QTest::addColumn<QString>("bonusMalusClass");
        QTest::addColumn<QString>("kbm");

        QTest::newRow("M, the worst") << u"M"_s << u"2,45"_s;
        QTest::newRow("0") << u"0"_s << u"2,3"_s;
        QTest::newRow("1") << u"1"_s << u"1,55"_s;
        QTest::newRow("2") << u"2"_s << u"1,4"_s;
        QTest::newRow("3, a first contract, whole") << u"3"_s << u"1"_s;
        QTest::newRow("4") << u"4"_s << u"0,95"_s;
        QTest::newRow("6") << u"6"_s << u"0,85"_s;
        QTest::newRow("10") << u"10"_s << u"0,65"_s;
        QTest::newRow("12") << u"12"_s << u"0,55"_s;
        QTest::newRow("13, the best") << u"13"_s << u"0,5"_s;

        // Classes are text: nothing else has a coefficient.
        QTest::newRow("lower-case m") << u"m"_s << kNone;
        QTest::newRow("Cyrillic М") << u"М"_s << kNone;
        QTest::newRow("14") << u"14"_s << kNone;
        QTest::newRow("-1") << u"-1"_s << kNone;
        QTest::newRow("03") << u"03"_s << kNone;
        QTest::newRow("3 with a blank") << u" 3"_s << kNone;
        QTest::newRow("empty") << QString() << kNone;
    }
    void coefficientOfClass()
    {
        QFETCH(QString, bonusMalusClass);
        QFETCH(QString, kbm);
        QCOMPARE(orNone(karvo::coefficientOfClass(bonusMalusClass)), kbm);
    }

    // Each better class costs less, and every text reads back as written.
    void coefficientsFallAlongTheScale()
    {
        std::optional<Money> previous;
        for (const QString &bonusMalusClass : bonusMalusClasses()) {
            const QString kbm = karvo::coefficientOfClass(bonusMalusClass).value();
            const std::optional<Money> value = Money::parse(kbm);
            QVERIFY2(value, qPrintable(bonusMalusClass));
            QCOMPARE(value->toText(), kbm);
            if (previous)
                QVERIFY2(value->raw() < previous->raw(), qPrintable(bonusMalusClass));
            previous = value;
        }
    }

    void classAfterTerm_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("payouts");
        QTest::addColumn<QString>("end");

        QTest::newRow("M, no payouts") << u"M"_s << u"0"_s << u"0"_s;
        QTest::newRow("M, one payout") << u"M"_s << u"1"_s << u"M"_s;
        QTest::newRow("0, no payouts") << u"0"_s << u"0"_s << u"1"_s;
        QTest::newRow("1, one payout") << u"1"_s << u"1"_s << u"M"_s;
        QTest::newRow("2, one payout") << u"2"_s << u"1"_s << u"1"_s;
        QTest::newRow("2, two payouts") << u"2"_s << u"2"_s << u"M"_s;
        QTest::newRow("3, no payouts") << u"3"_s << u"0"_s << u"4"_s;
        QTest::newRow("3, one payout") << u"3"_s << u"1"_s << u"1"_s;
        QTest::newRow("4, two payouts") << u"4"_s << u"2"_s << u"1"_s;
        QTest::newRow("5, one payout") << u"5"_s << u"1"_s << u"3"_s;
        QTest::newRow("6, one payout") << u"6"_s << u"1"_s << u"4"_s;
        QTest::newRow("8, two payouts") << u"8"_s << u"2"_s << u"2"_s;
        QTest::newRow("8, three payouts") << u"8"_s << u"3"_s << u"M"_s;
        QTest::newRow("9, no payouts") << u"9"_s << u"0"_s << u"10"_s;
        QTest::newRow("9, two payouts") << u"9"_s << u"2"_s << u"2"_s;
        QTest::newRow("9, three payouts") << u"9"_s << u"3"_s << u"1"_s;
        QTest::newRow("10, two payouts") << u"10"_s << u"2"_s << u"3"_s;
        QTest::newRow("12, no payouts") << u"12"_s << u"0"_s << u"13"_s;
        QTest::newRow("12, one payout") << u"12"_s << u"1"_s << u"6"_s;
        QTest::newRow("13 stays 13") << u"13"_s << u"0"_s << u"13"_s;
        QTest::newRow("13, one payout") << u"13"_s << u"1"_s << u"7"_s;
        QTest::newRow("13, three payouts") << u"13"_s << u"3"_s << u"1"_s;

        QTest::newRow("five payouts") << u"3"_s << u"5"_s << kNone;
        QTest::newRow("no payout count yet") << u"3"_s << QString() << kNone;
        QTest::newRow("no start class yet") << QString() << u"0"_s << kNone;
        QTest::newRow("Cyrillic М") << u"М"_s << u"0"_s << kNone;
        QTest::newRow("14") << u"14"_s << u"0"_s << kNone;
    }
    void classAfterTerm()
    {
        QFETCH(QString, start);
        QFETCH(QString, payouts);
        QFETCH(QString, end);
        QCOMPARE(orNone(karvo::classAfterTerm(start, payouts)), end);
    }

    void fourPayoutsEndInM()
    {
        for (const QString &start : bonusMalusClasses())
            QCOMPARE(orNone(karvo::classAfterTerm(start, u"4"_s)), u"M"_s);
    }

    // Whatever the cell, more payouts never end in a better class and a better
    // start never ends in a worse one; every cell is a class of the scale.
    void transitionsAreMonotonic()
    {
        const QStringList classes = bonusMalusClasses();
        const QStringList counts = payoutCounts();
        for (qsizetype c = 0; c < classes.size(); ++c) {
            for (qsizetype p = 0; p < counts.size(); ++p) {
                const QByteArray cell = (classes[c] + u'/' + counts[p]).toUtf8();
                const qsizetype end = rank(karvo::classAfterTerm(classes[c], counts[p]).value());
                QVERIFY2(end >= 0, cell.constData());
                if (p > 0)
                    QVERIFY2(
                        end <= rank(*karvo::classAfterTerm(classes[c], counts[p - 1])), cell.constData());
                if (c > 0)
                    QVERIFY2(
                        end >= rank(*karvo::classAfterTerm(classes[c - 1], counts[p])), cell.constData());
                if (p == 0)
                    QVERIFY2(end == qMin(c + 1, classes.size() - 1), cell.constData());
            }
        }
    }

    void renewalOutcome_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("payouts");
        QTest::addColumn<QString>("endClass");
        QTest::addColumn<QString>("kbm");

        // The coefficient is the end class's, not the start class's.
        QTest::newRow("3, none") << u"3"_s << u"0"_s << u"4"_s << u"0,95"_s;
        QTest::newRow("9, two") << u"9"_s << u"2"_s << u"2"_s << u"1,4"_s;
        QTest::newRow("13, none") << u"13"_s << u"0"_s << u"13"_s << u"0,5"_s;
        QTest::newRow("7, four") << u"7"_s << u"4"_s << u"M"_s << u"2,45"_s;
        QTest::newRow("M, none") << u"M"_s << u"0"_s << u"0"_s << u"2,3"_s;
        QTest::newRow("payouts missing") << u"9"_s << QString() << kNone << kNone;
        QTest::newRow("start missing") << QString() << u"2"_s << kNone << kNone;
    }
    void renewalOutcome()
    {
        QFETCH(QString, start);
        QFETCH(QString, payouts);
        QFETCH(QString, endClass);
        QFETCH(QString, kbm);
        const std::optional<RenewalOutcome> outcome = karvo::renewalOutcome(start, payouts);
        QCOMPARE(outcome ? outcome->endClass : kNone, endClass);
        QCOMPARE(outcome ? outcome->kbm : kNone, kbm);
    }
};

QTEST_GUILESS_MAIN(TestBonusMalus)
#include "tst_bonusmalus.moc"
