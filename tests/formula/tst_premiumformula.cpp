#include "model/PremiumFormula.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

Q_DECLARE_METATYPE(karvo::RegistrationCase)
Q_DECLARE_METATYPE(karvo::OwnerKind)
Q_DECLARE_METATYPE(karvo::VehicleGroup)

namespace {

// Distinct values, so that a row that multiplies in a coefficient it should
// leave out (or leaves out one it needs) gives another result.
void fillDistinct(PremiumSheet &sheet)
{
    sheet.setCoefficient(Coefficient::Tb, u"1980"_s);
    sheet.setCoefficient(Coefficient::Kt, u"1,8"_s);
    sheet.setCoefficient(Coefficient::Kbm, u"0,95"_s);
    sheet.setCoefficient(Coefficient::Ko, u"1,8"_s);
    sheet.setCoefficient(Coefficient::Kvs, u"1,7"_s);
    sheet.setCoefficient(Coefficient::Km, u"1,1"_s);
    sheet.setCoefficient(Coefficient::Ks, u"0,65"_s);
    sheet.setCoefficient(Coefficient::Kp, u"0,2"_s);
    sheet.setCoefficient(Coefficient::Kn, u"1,5"_s);
}

void fillOnes(PremiumSheet &sheet)
{
    for (Coefficient c : kAllCoefficients)
        sheet.setCoefficient(c, u"1"_s);
}

// "(ТБ × КТ × КБМ) × 1,8 × КМ": the factors' names, the bracket shown.
QString named(const PremiumBreakdown &breakdown)
{
    QString formula;
    for (std::size_t i = 0; i < breakdown.factors.size(); ++i) {
        if (i > 0)
            formula += u" × "_s;
        if (i == 0 && breakdown.bracket > 0)
            formula += u'(';
        formula += breakdown.factors[i].name();
        if (i + 1 == breakdown.bracket)
            formula += u')';
    }
    return formula;
}

void applyChanges(PremiumSheet &sheet, const QStringList &changes)
{
    for (qsizetype i = 0; i + 1 < changes.size(); i += 2)
        sheet.setCoefficient(Coefficient(changes[i].toInt()), changes[i + 1]);
}

} // namespace

class TestPremiumFormula : public QObject
{
    Q_OBJECT

private slots:

    // Every row of the decree's table, with the same distinct coefficients.
    void everyRow_data()
    {
        QTest::addColumn<RegistrationCase>("registration");
        QTest::addColumn<OwnerKind>("owner");
        QTest::addColumn<VehicleGroup>("group");
        QTest::addColumn<QString>("t");
        // The row as its breakdown names it, the legal entities' bracket kept.
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("floating");

        const auto ru = RegistrationCase::RegisteredInRussia;
        const auto tr = RegistrationCase::TravellingToRegistration;
        const auto fo = RegistrationCase::ForeignVehicle;
        const auto ind = OwnerKind::Individual;
        const auto leg = OwnerKind::LegalEntity;
        const auto b = VehicleGroup::GroupB;
        const auto o = VehicleGroup::GroupOther;
        const auto trl = VehicleGroup::GroupTrailer;

        const bool fixed = false;
        const bool floating = true;

        // clang-format off
        QTest::newRow("Russia, individual, B") << ru << ind << b << u"11111,6877"_s
            << u"ТБ × КТ × КБМ × КВС × КО × КМ × КС × КН"_s << fixed;
        QTest::newRow("Russia, individual, other") << ru << ind << o << u"10101,5343"_s
            << u"ТБ × КТ × КБМ × КВС × КО × КС × КН"_s << fixed;
        QTest::newRow("Russia, legal, B") << ru << leg << b << u"6536,2869"_s
            << u"(ТБ × КТ × КБМ) × 1,8 × КМ × КС × КН"_s << floating;
        QTest::newRow("Russia, legal, other") << ru << leg << o << u"5942,079"_s
            << u"(ТБ × КТ × КБМ) × 1,8 × КС × КН"_s << floating;
        QTest::newRow("Russia, individual, trailer") << ru << ind << trl << u"2316,6"_s
            << u"ТБ × КТ × КС"_s << fixed;
        QTest::newRow("Russia, legal, trailer") << ru << leg << trl << u"2316,6"_s
            << u"ТБ × КТ × КС"_s << fixed;
        QTest::newRow("travelling, individual, B") << tr << ind << b << u"1332,936"_s
            << u"ТБ × КВС × КО × КМ × КП"_s << fixed;
        QTest::newRow("travelling, individual, other") << tr << ind << o << u"1211,76"_s
            << u"ТБ × КВС × КО × КП"_s << fixed;
        QTest::newRow("travelling, legal, B") << tr << leg << b << u"784,08"_s
            << u"ТБ × 1,8 × КМ × КП"_s << floating;
        QTest::newRow("travelling, legal, other") << tr << leg << o << u"712,8"_s
            << u"ТБ × 1,8 × КП"_s << floating;
        QTest::newRow("travelling, individual, trailer") << tr << ind << trl << u"396"_s
            << u"ТБ × КП"_s << fixed;
        QTest::newRow("travelling, legal, trailer") << tr << leg << trl << u"396"_s
            << u"ТБ × КП"_s << fixed;
        QTest::newRow("foreign, individual, B") << fo << ind << b << u"1888,326"_s
            << u"ТБ × 1,7 × 1,7 × КМ × КП × КН"_s << floating;
        QTest::newRow("foreign, individual, other") << fo << ind << o << u"1716,66"_s
            << u"ТБ × 1,7 × 1,7 × КП × КН"_s << floating;
        QTest::newRow("foreign, legal, B") << fo << leg << b << u"1999,404"_s
            << u"ТБ × 1,7 × 1,8 × КМ × КП × КН"_s << floating;
        // The double product is 1817.6399999999999; only the end is rounded.
        QTest::newRow("foreign, legal, other") << fo << leg << o << u"1817,64"_s
            << u"ТБ × 1,7 × 1,8 × КП × КН"_s << floating;
        QTest::newRow("foreign, individual, trailer") << fo << ind << trl << u"673,2"_s
            << u"ТБ × 1,7 × КП"_s << floating;
        QTest::newRow("foreign, legal, trailer") << fo << leg << trl << u"673,2"_s
            << u"ТБ × 1,7 × КП"_s << floating;
        // No owner kind chosen counts as a legal entity.
        QTest::newRow("Russia, unset owner, B") << ru << OwnerKind::Unset << b << u"6536,2869"_s
            << u"(ТБ × КТ × КБМ) × 1,8 × КМ × КС × КН"_s << floating;
        // clang-format on
    }

    void everyRow()
    {
        QFETCH(RegistrationCase, registration);
        QFETCH(OwnerKind, owner);
        QFETCH(VehicleGroup, group);
        QFETCH(QString, t);

        PremiumSheet sheet;
        fillDistinct(sheet);
        sheet.setRegistrationCase(registration);
        sheet.setOwnerKind(owner);
        sheet.setVehicleGroup(group);
        QCOMPARE(computePremium(sheet), QString());
        QCOMPARE(sheet.text(SheetText::T), t);

        QFETCH(QString, formula);
        QFETCH(bool, floating);
        const std::optional<PremiumBreakdown> breakdown = explainPremium(sheet);
        QVERIFY(breakdown);
        QCOMPARE(named(*breakdown), formula);
        QCOMPARE(breakdown->floating, floating);
        QCOMPARE(breakdown->t.toText(), t);
        // Each value is the one on the sheet, a fixed factor its own number.
        for (const PremiumFactor &factor : breakdown->factors) {
            const QString text = factor.coefficient ? sheet.coefficient(*factor.coefficient) : factor.name();
            QCOMPARE(factor.value, *Money::parse(text));
        }
    }

    void workedExamples_data()
    {
        QTest::addColumn<RegistrationCase>("registration");
        QTest::addColumn<OwnerKind>("owner");
        QTest::addColumn<VehicleGroup>("group");
        QTest::addColumn<QStringList>("changes"); // pairs of coefficient index and text
        QTest::addColumn<QString>("t");

        const auto ru = RegistrationCase::RegisteredInRussia;
        const auto ind = OwnerKind::Individual;
        const auto b = VehicleGroup::GroupB;

        QTest::newRow("Moscow region КТ 1,8")
            << ru << ind << b << QStringList { u"1"_s, u"1,8"_s } << u"3564"_s;
        QTest::newRow("every coefficient")
            << ru << ind << b
            << QStringList { u"1"_s, u"0,85"_s, u"2"_s, u"0,95"_s, u"4"_s, u"1,7"_s, u"3"_s, u"1,8"_s, u"5"_s,
                   u"1,1"_s, u"6"_s, u"0,65"_s }
            << u"3498,1239"_s;
        // 3498,123915 is rounded to 3498,1239 before КН: × 1,5 gives the tie
        // 5247,18585, which stays on the even 5247,1858. The exact product,
        // and a floating one, would give 5247,1859.
        QTest::newRow("rounding after every step")
            << ru << ind << b
            << QStringList { u"1"_s, u"0,85"_s, u"2"_s, u"0,95"_s, u"4"_s, u"1,7"_s, u"3"_s, u"1,8"_s, u"5"_s,
                   u"1,1"_s, u"6"_s, u"0,65"_s, u"8"_s, u"1,5"_s }
            << u"5247,1858"_s;
        QTest::newRow("legal entity ignores КО and КВС")
            << ru << OwnerKind::LegalEntity << b
            << QStringList { u"0"_s, u"2375"_s, u"1"_s, u"1,8"_s, u"5"_s, u"1,6"_s, u"3"_s, u"5"_s, u"4"_s,
                   u"7"_s }
            << u"12312"_s;
        QTest::newRow("foreign ignores КТ")
            << RegistrationCase::ForeignVehicle << ind << b
            << QStringList { u"1"_s, u"2"_s, u"7"_s, u"0,2"_s } << u"1144,44"_s;
        QTest::newRow("foreign trailer")
            << RegistrationCase::ForeignVehicle << OwnerKind::LegalEntity << VehicleGroup::GroupTrailer
            << QStringList { u"0"_s, u"395"_s, u"7"_s, u"0,2"_s } << u"134,3"_s;
        QTest::newRow("travelling ignores КТ, КБМ, КС, КН")
            << RegistrationCase::TravellingToRegistration << ind << b
            << QStringList { u"1"_s, u"2"_s, u"2"_s, u"2,45"_s, u"6"_s, u"0,5"_s, u"8"_s, u"1,5"_s, u"7"_s,
                   u"0,2"_s }
            << u"396"_s;
        QTest::newRow("Russia trailer") << ru << OwnerKind::LegalEntity << VehicleGroup::GroupTrailer
                                        << QStringList { u"0"_s, u"810"_s, u"1"_s, u"1,8"_s } << u"1458"_s;
        // The bracket (925,65) in fixed point, then floating: 1786,967325.
        // Rounding every step (1191,31155 to 1191,3116) would give 1786,9674.
        QTest::newRow("floating after the bracket")
            << ru << OwnerKind::LegalEntity << b
            << QStringList { u"1"_s, u"0,85"_s, u"2"_s, u"0,55"_s, u"5"_s, u"1,1"_s, u"6"_s, u"0,65"_s,
                   u"8"_s, u"1,5"_s }
            << u"1786,9673"_s;
        // 3765,922875; rounding every step (2510,61525 to 2510,6152) would
        // give 3765,9228.
        QTest::newRow("floating throughout")
            << RegistrationCase::ForeignVehicle << ind << b
            << QStringList { u"0"_s, u"1215"_s, u"5"_s, u"1,1"_s, u"7"_s, u"0,65"_s, u"8"_s, u"1,5"_s }
            << u"3765,9229"_s;
    }

    void workedExamples()
    {
        QFETCH(RegistrationCase, registration);
        QFETCH(OwnerKind, owner);
        QFETCH(VehicleGroup, group);
        QFETCH(QStringList, changes);
        QFETCH(QString, t);

        PremiumSheet sheet;
        fillOnes(sheet);
        sheet.setCoefficient(Coefficient::Tb, u"1980"_s);
        applyChanges(sheet, changes);
        sheet.setRegistrationCase(registration);
        sheet.setOwnerKind(owner);
        sheet.setVehicleGroup(group);
        QCOMPARE(computePremium(sheet), QString());
        QCOMPARE(sheet.text(SheetText::T), t);
    }

    // Art. 9 of the law: 3 × ТБ × the row's territory coefficient, 5 × where
    // the row applies КН above 1; Т equal to it is allowed.
    void legalMaximum_data()
    {
        QTest::addColumn<RegistrationCase>("registration");
        QTest::addColumn<OwnerKind>("owner");
        QTest::addColumn<VehicleGroup>("group");
        QTest::addColumn<QStringList>("changes"); // pairs of coefficient index and text
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("maximum");
        QTest::addColumn<bool>("exceeds");

        const auto ru = RegistrationCase::RegisteredInRussia;
        const auto ind = OwnerKind::Individual;
        const auto b = VehicleGroup::GroupB;

        // clang-format off
        QTest::newRow("equal to 3×") << ru << ind << b << QStringList { u"1"_s, u"2"_s, u"2"_s, u"3"_s }
            << u"11880"_s << u"3 × ТБ × КТ"_s << u"11880"_s << false;
        QTest::newRow("just above 3×") << ru << ind << b << QStringList { u"1"_s, u"2"_s, u"2"_s, u"3,0001"_s }
            << u"11880,396"_s << u"3 × ТБ × КТ"_s << u"11880"_s << true;
        QTest::newRow("КН 1 keeps 3×")
            << ru << ind << b << QStringList { u"1"_s, u"2"_s, u"2"_s, u"3,3333"_s, u"8"_s, u"1"_s }
            << u"13199,868"_s << u"3 × ТБ × КТ"_s << u"11880"_s << true;
        QTest::newRow("КН 1,5 allows 5×")
            << ru << ind << b << QStringList { u"1"_s, u"2"_s, u"2"_s, u"3,3333"_s, u"8"_s, u"1,5"_s }
            << u"19799,802"_s << u"5 × ТБ × КТ"_s << u"19800"_s << false;
        QTest::newRow("above 5×")
            << ru << ind << b << QStringList { u"1"_s, u"2"_s, u"2"_s, u"2,45"_s, u"3"_s, u"1,7"_s, u"4"_s,
                   u"1,8"_s, u"5"_s, u"1,6"_s, u"8"_s, u"1,5"_s }
            << u"71251,488"_s << u"5 × ТБ × КТ"_s << u"19800"_s << true;
        QTest::newRow("legal entity's bracket")
            << ru << OwnerKind::LegalEntity << b << QStringList { u"1"_s, u"2"_s, u"2"_s, u"2,45"_s, u"5"_s, u"1,6"_s }
            << u"27941,76"_s << u"3 × ТБ × КТ"_s << u"11880"_s << true;
        QTest::newRow("trailer never applies КН")
            << ru << ind << VehicleGroup::GroupTrailer << QStringList { u"1"_s, u"2"_s, u"8"_s, u"1,5"_s }
            << u"3960"_s << u"3 × ТБ × КТ"_s << u"11880"_s << false;
        // КТ 2 is on the sheet but not in the row: the first 1,7 stands for it.
        QTest::newRow("abroad, 1,7 for КТ")
            << RegistrationCase::ForeignVehicle << ind << b
            << QStringList { u"1"_s, u"2"_s, u"5"_s, u"1,6"_s, u"7"_s, u"2"_s, u"8"_s, u"1,5"_s }
            << u"27466,56"_s << u"5 × ТБ × 1,7"_s << u"16830"_s << true;
        QTest::newRow("travelling applies no territory nor КН")
            << RegistrationCase::TravellingToRegistration << ind << b
            << QStringList { u"1"_s, u"2"_s, u"3"_s, u"1,8"_s, u"4"_s, u"1,8"_s, u"8"_s, u"1,5"_s }
            << u"6415,2"_s << u"3 × ТБ"_s << u"5940"_s << true;
        // clang-format on
    }

    void legalMaximum()
    {
        QFETCH(RegistrationCase, registration);
        QFETCH(OwnerKind, owner);
        QFETCH(VehicleGroup, group);
        QFETCH(QStringList, changes);
        QFETCH(QString, t);
        QFETCH(QString, formula);
        QFETCH(QString, maximum);
        QFETCH(bool, exceeds);

        PremiumSheet sheet;
        fillOnes(sheet);
        sheet.setCoefficient(Coefficient::Tb, u"1980"_s);
        applyChanges(sheet, changes);
        sheet.setRegistrationCase(registration);
        sheet.setOwnerKind(owner);
        sheet.setVehicleGroup(group);
        const std::optional<PremiumBreakdown> breakdown = explainPremium(sheet);
        QVERIFY(breakdown);
        QCOMPARE(breakdown->t.toText(), t);
        QStringList names { QString::number(breakdown->maximumTimes) };
        for (const PremiumFactor &factor : breakdown->maximumFactors)
            names << factor.name();
        QCOMPARE(names.join(u" × "_s), formula);
        QVERIFY(breakdown->maximum);
        QCOMPARE(breakdown->maximum->toText(), maximum);
        QCOMPARE(breakdown->exceedsMaximum, exceeds);
        // Explaining changes nothing.
        QVERIFY(sheet.text(SheetText::T).isEmpty());
    }

    // A maximum beyond the fixed-point range is above any Т there can be.
    void legalMaximumBeyondTheRange()
    {
        PremiumSheet sheet;
        fillOnes(sheet);
        sheet.setCoefficient(Coefficient::Tb, u"900000000000000"_s);
        sheet.setCoefficient(Coefficient::Ks, u"0,5"_s);
        const std::optional<PremiumBreakdown> breakdown = explainPremium(sheet);
        QVERIFY(breakdown);
        QCOMPARE(breakdown->t.toText(), u"450000000000000"_s);
        QVERIFY(!breakdown->maximum);
        QVERIFY(!breakdown->exceedsMaximum);
    }

    // No breakdown where "Расчет" writes no Т.
    void noBreakdownWithoutT()
    {
        PremiumSheet sheet;
        fillOnes(sheet);
        sheet.setCoefficient(Coefficient::Kp, u"x"_s);
        QVERIFY(!explainPremium(sheet));
    }

    void pressingTwiceWritesTheSameValue()
    {
        PremiumSheet sheet;
        fillOnes(sheet);
        QCOMPARE(computePremium(sheet), QString());
        const QString first = sheet.text(SheetText::T);
        QCOMPARE(computePremium(sheet), QString());
        QCOMPARE(sheet.text(SheetText::T), first);
    }

    // A coefficient that is no usable number stops the computation with a
    // message naming it, whether or not the row uses it, and Т keeps its value.
    void invalidCoefficient_data()
    {
        QTest::addColumn<int>("coefficient");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty КТ") << int(Coefficient::Kt) << QString()
                                  << u"Неверное значение коэффициента КТ"_s;
        QTest::newRow("letters in КБМ")
            << int(Coefficient::Kbm) << u"abc"_s << u"Неверное значение коэффициента КБМ"_s;
        QTest::newRow("negative КО") << int(Coefficient::Ko) << u"-1"_s
                                     << u"Неверное значение коэффициента КО"_s;
        QTest::newRow("too large ТБ")
            << int(Coefficient::Tb) << u"99999999999999999999"_s << u"Неверное значение коэффициента ТБ"_s;
        QTest::newRow("unused КП, still read")
            << int(Coefficient::Kp) << u"x"_s << u"Неверное значение коэффициента КП"_s;
        // Each value fits alone, but the running product does not.
        QTest::newRow("product overflows at КМ")
            << int(Coefficient::Km) << u"900000000000000"_s << u"Неверное значение коэффициента КМ"_s;
    }

    void invalidCoefficient()
    {
        QFETCH(int, coefficient);
        QFETCH(QString, text);
        QFETCH(QString, message);

        PremiumSheet sheet;
        fillOnes(sheet);
        sheet.setCoefficient(Coefficient::Tb, u"1000000"_s);
        sheet.setCoefficient(Coefficient(coefficient), text);
        sheet.setText(SheetText::T, u"100"_s);
        QCOMPARE(computePremium(sheet), message);
        // Т of other inputs is never left standing beside a refusal.
        QCOMPARE(sheet.text(SheetText::T), QString());
    }

    // Usable values that multiply past the fixed-point range: the message names
    // the value beyond anything its table gives, not the ordinary one at which
    // the product overflowed.
    void overflowBlamesTheValueBeyondItsTable_data()
    {
        QTest::addColumn<RegistrationCase>("registration");
        QTest::addColumn<QStringList>("changes"); // pairs of coefficient index and text
        QTest::addColumn<QString>("message");
        const auto ru = RegistrationCase::RegisteredInRussia;
        QTest::newRow("ТБ, overflow at КТ 2")
            << ru << QStringList { u"0"_s, u"900000000000000"_s, u"1"_s, u"2"_s }
            << u"Неверное значение коэффициента ТБ"_s;
        QTest::newRow("КТ, overflow at КБМ 2")
            << ru << QStringList { u"0"_s, u"1980"_s, u"1"_s, u"400000000000"_s, u"2"_s, u"2"_s }
            << u"Неверное значение коэффициента КТ"_s;
        QTest::newRow("floating: КМ, overflow at КН 1,5")
            << RegistrationCase::ForeignVehicle
            << QStringList { u"0"_s, u"1980"_s, u"5"_s, u"150000000000"_s, u"8"_s, u"1,5"_s }
            << u"Неверное значение коэффициента КМ"_s;
    }

    void overflowBlamesTheValueBeyondItsTable()
    {
        QFETCH(RegistrationCase, registration);
        QFETCH(QStringList, changes);
        QFETCH(QString, message);
        PremiumSheet sheet;
        fillOnes(sheet);
        applyChanges(sheet, changes);
        sheet.setRegistrationCase(registration);
        QCOMPARE(computePremium(sheet), message);
    }

    void floatingRowTooLargeIsRefused()
    {
        PremiumSheet sheet;
        fillOnes(sheet);
        sheet.setRegistrationCase(RegistrationCase::ForeignVehicle);
        // 10^14 × 1,7 × 1,7 still fits; × КП 100 does not.
        sheet.setCoefficient(Coefficient::Tb, u"100000000000000"_s);
        sheet.setCoefficient(Coefficient::Kp, u"100"_s);
        QCOMPARE(computePremium(sheet), u"Неверное значение коэффициента КП"_s);
        QVERIFY(sheet.text(SheetText::T).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPremiumFormula)
#include "tst_premiumformula.moc"
