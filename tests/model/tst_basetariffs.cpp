#include "model/BaseTariffs.h"
#include "model/TermAndViolation.h"

#include <QMap>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

Q_DECLARE_METATYPE(karvo::OwnerKind)
Q_DECLARE_METATYPE(karvo::TerritoryColumn)

namespace {

// Records the sheet's changes in the order they happen, by field name.
class ChangeLog : public QObject
{
public:
    explicit ChangeLog(PremiumSheet &sheet)
    {
        connect(&sheet, &PremiumSheet::textChanged, this, [this](SheetText field, const QString &) {
            static const QMap<SheetText, QString> names = {
                { SheetText::Tb, u"tb"_s },
                { SheetText::Kt, u"kt"_s },
                { SheetText::Ks, u"ks"_s },
                { SheetText::Kp, u"kp"_s },
            };
            m_entries << names.value(field, u"other"_s);
        });
        connect(&sheet, &PremiumSheet::categoryChanged, this, [this] { m_entries << u"category"_s; });
        connect(&sheet, &PremiumSheet::ownerKindChanged, this, [this] { m_entries << u"ownerKind"_s; });
        connect(&sheet, &PremiumSheet::registrationCaseChanged, this,
            [this] { m_entries << u"registrationCase"_s; });
        connect(&sheet, &PremiumSheet::foreignRegisteredChanged, this,
            [this] { m_entries << u"foreignRegistered"_s; });
        connect(&sheet, &PremiumSheet::skipTermChanged, this, [this] { m_entries << u"skipTerm"_s; });
    }
    QStringList entries() const { return m_entries; }

private:
    QStringList m_entries;
};

} // namespace

class TestBaseTariffs : public QObject
{
    Q_OBJECT

private slots:
    void table()
    {
        QCOMPARE(baseTariffs().size(), std::size_t(kCategoryCount));
        // Captions keep the double spaces they have always had.
        QCOMPARE(baseTariffs()[1].caption,
            u"Легковые автомобили (транспортные средства  категории \"B\"): юридических лиц"_s);
        QCOMPARE(baseTariffs()[5].caption,
            u"Прицепы к легковым автомобилям, принадлежащим юридическим лицам, к  мотоциклам и мотороллерам"_s);
        QCOMPARE(baseTariffs()[10].caption,
            u"Автобусы (транспортные средства категории \"D\"):  с числом пассажирских мест более 20"_s);
        QCOMPARE(
            baseTariffs()[0].caption, u"Мотоциклы и мотороллеры (транспортные средства категории \"A\")"_s);
        QCOMPARE(baseTariffs()[15].caption,
            u"Прицепы к тракторам, самоходным дорожно-строительным и иным машинам"_s);
    }

    void selectCategory_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tb");
        QTest::addColumn<OwnerKind>("owner");

        QTest::newRow("1 motorcycles") << 1 << u"1215"_s << OwnerKind::Unset;
        QTest::newRow("2 cars of legal entities") << 2 << u"2375"_s << OwnerKind::LegalEntity;
        QTest::newRow("3 cars of private persons") << 3 << u"1980"_s << OwnerKind::Individual;
        QTest::newRow("4 cars of entrepreneurs") << 4 << u"1980"_s << OwnerKind::Individual;
        QTest::newRow("5 taxis") << 5 << u"2965"_s << OwnerKind::Unset;
        QTest::newRow("6 car trailers") << 6 << u"395"_s << OwnerKind::LegalEntity;
        QTest::newRow("7 lorries up to 16 t") << 7 << u"2025"_s << OwnerKind::Unset;
        QTest::newRow("8 lorries over 16 t") << 8 << u"3240"_s << OwnerKind::Unset;
        QTest::newRow("9 lorry trailers") << 9 << u"810"_s << OwnerKind::Unset;
        QTest::newRow("10 buses up to 20") << 10 << u"1620"_s << OwnerKind::Unset;
        QTest::newRow("11 buses over 20") << 11 << u"2025"_s << OwnerKind::Unset;
        QTest::newRow("12 bus taxis") << 12 << u"2965"_s << OwnerKind::Unset;
        QTest::newRow("13 trolleybuses") << 13 << u"1620"_s << OwnerKind::LegalEntity;
        QTest::newRow("14 trams") << 14 << u"1010"_s << OwnerKind::LegalEntity;
        QTest::newRow("15 tractors") << 15 << u"1215"_s << OwnerKind::Unset;
        QTest::newRow("16 tractor trailers") << 16 << u"305"_s << OwnerKind::Unset;
    }
    void selectCategory()
    {
        QFETCH(int, row);
        QFETCH(QString, tb);
        QFETCH(OwnerKind, owner);

        PremiumSheet sheet;
        // Start from another category so that every row really changes things.
        karvo::selectCategory(sheet, row == 14 ? 13 : 14);
        karvo::selectCategory(sheet, row);
        QCOMPARE(sheet.coefficient(Coefficient::Tb), tb);
        QCOMPARE(sheet.ownerKind(), owner);
        QCOMPARE(sheet.canCompute(), owner != OwnerKind::Unset);
        // Rows sharing a tariff are told apart by the row.
        QCOMPARE(sheet.category(), row);
    }

    void selectCategoryOrderOfEffects()
    {
        PremiumSheet sheet;
        ChangeLog log(sheet);
        karvo::selectCategory(sheet, 13);
        QCOMPARE(log.entries(), (QStringList { u"tb"_s, u"ownerKind"_s, u"category"_s }));
    }

    void categoryTouchesNothingElse()
    {
        PremiumSheet sheet;
        sheet.setCoefficient(Coefficient::Kt, u"1,8"_s);
        sheet.setTerritoryColumn(TerritoryColumn::Vehicles);
        sheet.setVehicleGroup(VehicleGroup::GroupB);
        sheet.setRegistrationCase(RegistrationCase::TravellingToRegistration);
        karvo::selectCategory(sheet, 8);
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,8"_s);
        QCOMPARE(sheet.territoryColumn(), TerritoryColumn::Vehicles);
        QCOMPARE(sheet.vehicleGroup(), VehicleGroup::GroupB);
        QCOMPARE(sheet.registrationCase(), RegistrationCase::TravellingToRegistration);
    }

    // A code read back from a damaged saved-inputs file must not reach past the
    // table.
    void categoryOutOfRangeChangesNothing_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("0") << 0;
        QTest::newRow("17") << 17;
        QTest::newRow("-1") << -1;
    }
    void categoryOutOfRangeChangesNothing()
    {
        QFETCH(int, row);
        PremiumSheet sheet;
        ChangeLog log(sheet);
        karvo::selectCategory(sheet, row);
        QCOMPARE(log.entries(), QStringList());
        QCOMPARE(sheet.coefficient(Coefficient::Tb), u"1980"_s);
        QCOMPARE(sheet.category(), 3);
    }

    void territoryColumnForCategory_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<TerritoryColumn>("column");
        QTest::newRow("1") << 1 << TerritoryColumn::Vehicles;
        QTest::newRow("9 lorry trailers") << 9 << TerritoryColumn::Vehicles;
        QTest::newRow("14") << 14 << TerritoryColumn::Vehicles;
        QTest::newRow("15 tractors") << 15 << TerritoryColumn::Tractors;
        QTest::newRow("16 tractor trailers") << 16 << TerritoryColumn::Tractors;
    }
    void territoryColumnForCategory()
    {
        QFETCH(int, row);
        QFETCH(TerritoryColumn, column);
        QCOMPARE(karvo::territoryColumnFor(row), column);
    }

    void ktVariantCaptions()
    {
        const QString vehicles = territoryColumnCaption(TerritoryColumn::Vehicles);
        QVERIFY(vehicles.startsWith(u"Коэффициент для транспортных средств, за исключением тракторов"_s));
        QVERIFY(vehicles.endsWith(u"прицепов к ним "_s));
        QVERIFY(!vehicles.endsWith(u"  "_s));
        QCOMPARE(territoryColumnCaption(TerritoryColumn::Tractors),
            u"Коэффициент для тракторов, самоходных дорожно-строительных и иных машин и прицепов к ним       \n\n"_s);
        QCOMPARE(territoryColumnCaption(TerritoryColumn::Unset), QString());
    }

    void foreignOn()
    {
        PremiumSheet sheet;
        sheet.setCoefficient(Coefficient::Kt, u"2"_s); // a region chosen before
        sheet.setCoefficient(Coefficient::Ks, u"0,7"_s);
        sheet.setCoefficient(Coefficient::Kp, u"0,5"_s);
        ChangeLog log(sheet);

        setForeignRegistered(sheet, true);

        QVERIFY(sheet.foreignRegistered());
        QCOMPARE(sheet.registrationCase(), RegistrationCase::ForeignVehicle);
        QVERIFY(!sheet.skipTerm());
        QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,7"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Ks), u"1"_s);
        QCOMPARE(log.entries(),
            (QStringList {
                u"foreignRegistered"_s, u"registrationCase"_s, u"skipTerm"_s, u"kp"_s, u"kt"_s, u"ks"_s }));
    }

    // Whatever the sheet held before, on and off again leave КТ and КС to be
    // chosen afresh, a vehicle registered in Russia and step 8 skipped.
    void foreignOnAndOffAgain_data()
    {
        QTest::addColumn<QString>("kt");
        QTest::addColumn<QString>("ks");
        QTest::addColumn<int>("registration");

        QTest::newRow("fresh sheet") << QString() << QString() << int(RegistrationCase::RegisteredInRussia);
        QTest::newRow("steps passed") << u"1,8"_s << u"0,7"_s << int(RegistrationCase::RegisteredInRussia);
        QTest::newRow("travelling") << u"0,85"_s << u"1"_s << int(RegistrationCase::TravellingToRegistration);
    }
    void foreignOnAndOffAgain()
    {
        QFETCH(QString, kt);
        QFETCH(QString, ks);
        QFETCH(int, registration);

        PremiumSheet sheet;
        sheet.setCoefficient(Coefficient::Kt, kt);
        sheet.setCoefficient(Coefficient::Ks, ks);
        sheet.setRegistrationCase(RegistrationCase(registration));

        setForeignRegistered(sheet, true);
        chooseTerm(sheet, u"3 месяца"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"0,5"_s);
        ChangeLog log(sheet);
        setForeignRegistered(sheet, false);

        QVERIFY(!sheet.foreignRegistered());
        QCOMPARE(sheet.coefficient(Coefficient::Kt), QString());
        QCOMPARE(sheet.coefficient(Coefficient::Ks), QString());
        QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());
        QCOMPARE(sheet.registrationCase(), RegistrationCase::RegisteredInRussia);
        QVERIFY(sheet.skipTerm());
        QCOMPARE(log.entries().first(), u"foreignRegistered"_s);
    }

    // Like the check box, setting the state it already has does nothing: a
    // second "off" must not wipe КТ and КС chosen since.
    void foreignUnchangedStateDoesNothing()
    {
        PremiumSheet sheet;
        sheet.setCoefficient(Coefficient::Kt, u"1,3"_s);
        sheet.setCoefficient(Coefficient::Ks, u"0,7"_s);
        ChangeLog log(sheet);
        setForeignRegistered(sheet, false);
        QCOMPARE(log.entries(), QStringList());
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,3"_s);

        setForeignRegistered(sheet, true);
        sheet.setCoefficient(Coefficient::Kp, u"0,2"_s);
        setForeignRegistered(sheet, true);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"0,2"_s);
    }

    // A window that reacts to the flag by setting its check box, whose toggle
    // calls back in, must not run the effects twice.
    void foreignReentryFromListener()
    {
        PremiumSheet sheet;
        int calls = 0;
        connect(&sheet, &PremiumSheet::foreignRegisteredChanged, &sheet, [&](bool on) {
            ++calls;
            setForeignRegistered(sheet, on);
        });
        setForeignRegistered(sheet, true);
        QCOMPARE(calls, 1);
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,7"_s);
        QCOMPARE(sheet.registrationCase(), RegistrationCase::ForeignVehicle);
    }
};

QTEST_GUILESS_MAIN(TestBaseTariffs)
#include "tst_basetariffs.moc"
