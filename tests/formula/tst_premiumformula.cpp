#include "model/PremiumFormula.h"
#include "platform/Messages.h"

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

} // namespace

class TestPremiumFormula : public QObject
{
    Q_OBJECT

    QStringList m_messages;
    MessageHandler m_previous;

private slots:
    void initTestCase()
    {
        m_previous = setMessageHandler(
            [this](const QString &title, const QString &text) { m_messages << title + u'|' + text; });
    }
    void cleanupTestCase() { setMessageHandler(m_previous); }
    void init() { m_messages.clear(); }

    // Every row of the decree's table, with the same distinct coefficients.
    void everyRow_data()
    {
        QTest::addColumn<RegistrationCase>("registration");
        QTest::addColumn<OwnerKind>("owner");
        QTest::addColumn<VehicleGroup>("group");
        QTest::addColumn<QString>("t");

        const auto ru = RegistrationCase::RegisteredInRussia;
        const auto tr = RegistrationCase::TravellingToRegistration;
        const auto fo = RegistrationCase::ForeignVehicle;
        const auto ind = OwnerKind::Individual;
        const auto leg = OwnerKind::LegalEntity;
        const auto b = VehicleGroup::GroupB;
        const auto o = VehicleGroup::GroupOther;
        const auto trl = VehicleGroup::GroupTrailer;

        QTest::newRow("Russia, individual, B") << ru << ind << b << u"11111,6877"_s;
        QTest::newRow("Russia, individual, other") << ru << ind << o << u"10101,5343"_s;
        QTest::newRow("Russia, legal, B") << ru << leg << b << u"6536,2869"_s;
        QTest::newRow("Russia, legal, other") << ru << leg << o << u"5942,079"_s;
        QTest::newRow("Russia, individual, trailer") << ru << ind << trl << u"2316,6"_s;
        QTest::newRow("Russia, legal, trailer") << ru << leg << trl << u"2316,6"_s;
        QTest::newRow("travelling, individual, B") << tr << ind << b << u"1332,936"_s;
        QTest::newRow("travelling, individual, other") << tr << ind << o << u"1211,76"_s;
        QTest::newRow("travelling, legal, B") << tr << leg << b << u"784,08"_s;
        QTest::newRow("travelling, legal, other") << tr << leg << o << u"712,8"_s;
        QTest::newRow("travelling, individual, trailer") << tr << ind << trl << u"396"_s;
        QTest::newRow("travelling, legal, trailer") << tr << leg << trl << u"396"_s;
        QTest::newRow("foreign, individual, B") << fo << ind << b << u"1888,326"_s;
        QTest::newRow("foreign, individual, other") << fo << ind << o << u"1716,66"_s;
        QTest::newRow("foreign, legal, B") << fo << leg << b << u"1999,404"_s;
        // The double product is 1817.6399999999999; only the end is rounded.
        QTest::newRow("foreign, legal, other") << fo << leg << o << u"1817,64"_s;
        QTest::newRow("foreign, individual, trailer") << fo << ind << trl << u"673,2"_s;
        QTest::newRow("foreign, legal, trailer") << fo << leg << trl << u"673,2"_s;
        // No owner kind chosen counts as a legal entity.
        QTest::newRow("Russia, unset owner, B") << ru << OwnerKind::Unset << b << u"6536,2869"_s;
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
        QVERIFY(computePremium(sheet));
        QCOMPARE(sheet.text(SheetText::T), t);
        QVERIFY(m_messages.isEmpty());
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
        // 5247,18585, which stays on the even 5247,1858. The exact product
        // would give 5247,1859.
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
        for (qsizetype i = 0; i + 1 < changes.size(); i += 2)
            sheet.setCoefficient(Coefficient(changes[i].toInt()), changes[i + 1]);
        sheet.setRegistrationCase(registration);
        sheet.setOwnerKind(owner);
        sheet.setVehicleGroup(group);
        QVERIFY(computePremium(sheet));
        QCOMPARE(sheet.text(SheetText::T), t);
    }

    void pressingTwiceWritesTheSameValue()
    {
        PremiumSheet sheet;
        fillOnes(sheet);
        QVERIFY(computePremium(sheet));
        const QString first = sheet.text(SheetText::T);
        QVERIFY(computePremium(sheet));
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
        sheet.setText(SheetText::T, u"100"_s);
        sheet.setCoefficient(Coefficient(coefficient), text);
        QVERIFY(!computePremium(sheet));
        QCOMPARE(sheet.text(SheetText::T), u"100"_s);
        QCOMPARE(m_messages, QStringList { u"karvo 2012|"_s + message });
    }

    void floatingRowTooLargeIsRefused()
    {
        PremiumSheet sheet;
        fillOnes(sheet);
        sheet.setRegistrationCase(RegistrationCase::ForeignVehicle);
        // 10^14 × 1,7 × 1,7 still fits; × КП 100 does not.
        sheet.setCoefficient(Coefficient::Tb, u"100000000000000"_s);
        sheet.setCoefficient(Coefficient::Kp, u"100"_s);
        QVERIFY(!computePremium(sheet));
        QVERIFY(sheet.text(SheetText::T).isEmpty());
        QCOMPARE(m_messages, QStringList { u"karvo 2012|Неверное значение коэффициента КП"_s });
    }
};

QTEST_GUILESS_MAIN(TestPremiumFormula)
#include "tst_premiumformula.moc"
