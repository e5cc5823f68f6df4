#include "model/TermAndViolation.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

class TestTermAndViolation : public QObject
{
    Q_OBJECT

private slots:
    void chooseTerm_data()
    {
        QTest::addColumn<QString>("term");
        QTest::addColumn<bool>("matches");
        QTest::addColumn<QString>("kp");

        QTest::newRow("first item") << u"от 5 до 15 дней"_s << true << u"0,2"_s;
        QTest::newRow("up to a month") << u"от 16 дней до 1 месяца"_s << true << u"0,3"_s;
        QTest::newRow("3 months") << u"3 месяца"_s << true << u"0,5"_s;
        QTest::newRow("5 months") << u"5 месяцев"_s << true << u"0,65"_s;
        QTest::newRow("9 months") << u"9 месяцев"_s << true << u"0,95"_s;
        QTest::newRow("last item, whole") << u"10 месяцев и более"_s << true << u"1"_s;
        // Unlike the period list of step 7, this item has no trailing blank.
        QTest::newRow("last item with a blank") << u"10 месяцев и более "_s << false << u"0,4"_s;
        QTest::newRow("other case") << u"3 Месяца"_s << false << u"0,4"_s;
        QTest::newRow("empty") << QString() << false << u"0,4"_s;
    }
    void chooseTerm()
    {
        QFETCH(QString, term);
        QFETCH(bool, matches);
        QFETCH(QString, kp);
        PremiumSheet sheet;
        karvo::chooseTerm(sheet, u"2 месяца"_s);
        QCOMPARE(karvo::chooseTerm(sheet, term), matches);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), kp);
    }

    void setSkipEmptiesKp_data()
    {
        QTest::addColumn<bool>("skip");
        QTest::newRow("skip") << true;
        QTest::newRow("ask for a term") << false;
    }
    void setSkipEmptiesKp()
    {
        QFETCH(bool, skip);
        PremiumSheet sheet;
        sheet.setCoefficient(Coefficient::Kp, u"0,5"_s);
        setSkip(sheet, skip);
        QCOMPARE(sheet.skipTerm(), skip);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());
    }

    void mayLeaveStep8_data()
    {
        QTest::addColumn<bool>("skip");
        QTest::addColumn<QString>("kp");
        QTest::addColumn<bool>("mayLeave");

        QTest::newRow("skipped") << true << QString() << true;
        QTest::newRow("term chosen") << false << u"0,5"_s << true;
        QTest::newRow("no term") << false << QString() << false;
    }
    void mayLeaveStep8()
    {
        QFETCH(bool, skip);
        QFETCH(QString, kp);
        QFETCH(bool, mayLeave);
        PremiumSheet sheet;
        setSkip(sheet, skip);
        sheet.setCoefficient(Coefficient::Kp, kp);
        QCOMPARE(karvo::mayLeaveStep8(sheet), mayLeave);
    }

    // A skipped step 8 gives КП 1 on leaving step 9, and going back from step
    // 10 takes it away again, as often as the user goes back and forth.
    void defaultedKpRoundTrip()
    {
        PremiumSheet sheet;
        QVERIFY(sheet.skipTerm());
        for (int pass = 0; pass < 2; ++pass) {
            leaveStep9Forward(sheet);
            QCOMPARE(sheet.coefficient(Coefficient::Kp), u"1"_s);
            QVERIFY(sheet.kpDefaulted());
            returnToStep9(sheet);
            QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());
            QVERIFY(!sheet.kpDefaulted());
        }
    }

    void chosenKpSurvivesRoundTrip()
    {
        PremiumSheet sheet;
        setSkip(sheet, false);
        karvo::chooseTerm(sheet, u"5 месяцев"_s);
        leaveStep9Forward(sheet);
        QVERIFY(!sheet.kpDefaulted());
        returnToStep9(sheet);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"0,65"_s);
    }

    // Before step 9 was ever left the marker is empty: going back keeps КП.
    void returnWithoutMarkerKeepsKp()
    {
        PremiumSheet sheet;
        sheet.setCoefficient(Coefficient::Kp, u"1"_s);
        returnToStep9(sheet);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"1"_s);
        QVERIFY(!sheet.kpDefaulted());
    }

    void skipAgainAfterTerm()
    {
        PremiumSheet sheet;
        setSkip(sheet, false);
        karvo::chooseTerm(sheet, u"3 месяца"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"0,5"_s);
        setSkip(sheet, true);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());
        leaveStep9Forward(sheet);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"1"_s);
    }

    void deriveKn_data()
    {
        QTest::addColumn<bool>("renewal");
        QTest::addColumn<QString>("claims");
        QTest::addColumn<QString>("kn");
        QTest::addColumn<QString>("note");

        const QString firstNote = u"Договор заключается в первые КН = 1"_s;
        const QString noClaims = u"У вас нет страховых случаев КН = 1"_s;
        QTest::newRow("first contract") << false << QString() << u"1"_s << firstNote;
        QTest::newRow("first contract, claims shown") << false << u"3"_s << u"1"_s << firstNote;
        QTest::newRow("renewal, none") << true << u"0"_s << u"1"_s << noClaims;
        QTest::newRow("renewal, one") << true << u"1"_s << u"1,5"_s << u"У вас 1 страховых случая КН = 1,5"_s;
        QTest::newRow("renewal, three")
            << true << u"3"_s << u"1,5"_s << u"У вас 3 страховых случая КН = 1,5"_s;
        QTest::newRow("renewal, four")
            << true << u"4"_s << u"1,5"_s << u"У вас 4 страховых случая КН = 1,5"_s;
        // No readable count is read as no claims known.
        QTest::newRow("renewal, empty claims") << true << QString() << u"1"_s << noClaims;
        QTest::newRow("renewal, typed text") << true << u"много"_s << u"1"_s << noClaims;
    }
    void deriveKn()
    {
        QFETCH(bool, renewal);
        QFETCH(QString, claims);
        QFETCH(QString, kn);
        QFETCH(QString, note);
        PremiumSheet sheet;
        sheet.setContractKind(renewal ? ContractKind::Renewal : ContractKind::FirstTime);
        sheet.setCoefficient(Coefficient::Kn, u"7"_s); // typed by hand at step 9
        karvo::deriveKn(sheet, claims);
        QCOMPARE(sheet.coefficient(Coefficient::Kn), kn);
        QCOMPARE(sheet.text(SheetText::KnNote), note);
    }
};

QTEST_GUILESS_MAIN(TestTermAndViolation)
#include "tst_termandviolation.moc"
