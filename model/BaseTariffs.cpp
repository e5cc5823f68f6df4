#include "model/BaseTariffs.h"

#include "model/TermAndViolation.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// The decree's table of base tariffs. Rows that share a ТБ (10 and 13, 7 and 11,
// ...) are told apart by the category code, never by the tariff.
// clang-format off
const std::array<BaseTariff, kCategoryCount> &tariffTable()
{
    static const std::array<BaseTariff, kCategoryCount> table = {{
        {u"Мотоциклы и мотороллеры (транспортные средства категории \"A\")"_s,
         1215, OwnerKind::Unset},
        {u"Легковые автомобили (транспортные средства  категории \"B\"): юридических лиц"_s,
         2375, OwnerKind::LegalEntity},
        {u"Легковые автомобили (транспортные средства  категории \"B\"): физических лиц"_s,
         1980, OwnerKind::Individual},
        {u"Легковые автомобили (транспортные средства  категории \"B\"): предпринимателей без образования юридического лица"_s,
         1980, OwnerKind::Individual},
        {u"Легковые автомобили (транспортные средства  категории \"B\"): используемые в качестве такси"_s,
         2965, OwnerKind::Unset},
        {u"Прицепы к легковым автомобилям, принадлежащим юридическим лицам, к  мотоциклам и мотороллерам"_s,
         395, OwnerKind::LegalEntity},
        {u"Грузовые автомобили (транспортные средства  категории \"C\"): с разрешенной максимальной массой 16 тонн и менее"_s,
         2025, OwnerKind::Unset},
        {u"Грузовые автомобили (транспортные средства  категории \"C\"): с разрешенной максимальной массой более 16 тонн"_s,
         3240, OwnerKind::Unset},
        {u"Прицепы к грузовым автомобилям, полуприцепы, прицепы-роспуски"_s,
         810, OwnerKind::Unset},
        {u"Автобусы (транспортные средства категории \"D\"): с числом пассажирских мест до 20 включительно"_s,
         1620, OwnerKind::Unset},
        {u"Автобусы (транспортные средства категории \"D\"):  с числом пассажирских мест более 20"_s,
         2025, OwnerKind::Unset},
        {u"Автобусы (транспортные средства категории \"D\"):  используемые в качестве такси"_s,
         2965, OwnerKind::Unset},
        {u"Троллейбусы"_s,
         1620, OwnerKind::LegalEntity},
        {u"Трамваи"_s,
         1010, OwnerKind::LegalEntity},
        {u"Тракторы, самоходные дорожно-строительные и иные машины"_s,
         1215, OwnerKind::Unset},
        {u"Прицепы к тракторам, самоходным дорожно-строительным и иным машинам"_s,
         305, OwnerKind::Unset},
    }};
    return table;
}
// clang-format on

// The trailing blank of one caption and the blanks and breaks of the other are
// how the step-2 window has always shown them; they are kept.
QString vehiclesCaption()
{
    return u"Коэффициент для транспортных средств, за исключением тракторов, самоходных "
           u"дорожно-строительных и иных машин и прицепов к ним "_s;
}

QString tractorsCaption()
{
    return u"Коэффициент для тракторов, самоходных дорожно-строительных и иных машин и прицепов к "
           u"ним       \n\n"_s;
}

bool isCategory(int row)
{
    return row >= 1 && row <= kCategoryCount;
}

} // namespace

std::span<const BaseTariff> baseTariffs()
{
    return tariffTable();
}

QString territoryColumnCaption(TerritoryColumn column)
{
    switch (column) {
    case TerritoryColumn::Vehicles:
        return vehiclesCaption();
    case TerritoryColumn::Tractors:
        return tractorsCaption();
    case TerritoryColumn::Unset:
        break;
    }
    return {};
}

void selectCategory(PremiumSheet &sheet, int row)
{
    // A category code read back from saved inputs may be anything; a row that
    // does not exist selects nothing rather than reading past the table.
    if (!isCategory(row))
        return;
    const BaseTariff &tariff = tariffTable()[std::size_t(row - 1)];
    sheet.setCoefficient(Coefficient::Tb, QString::number(tariff.tb));
    sheet.setOwnerKind(tariff.ownerKind);
    sheet.setCategory(row);
}

TerritoryColumn territoryColumnFor(int row)
{
    // Rows 15 and 16 are tractors and machines and their trailers, which have
    // a territory column of their own.
    return row == 15 || row == 16 ? TerritoryColumn::Tractors : TerritoryColumn::Vehicles;
}

void selectTerritoryColumn(PremiumSheet &sheet, TerritoryColumn column)
{
    sheet.setTerritoryColumn(column);
}

void setForeignRegistered(PremiumSheet &sheet, bool on)
{
    // Like the check box it mirrors, setting the state it already has changes
    // nothing; otherwise a repeated "off" would wipe КТ and КС chosen since.
    if (sheet.foreignRegistered() == on)
        return;
    // The flag goes first, so that a window reacting to any of the changes
    // below already sees the new state of the check.
    sheet.setForeignRegisteredFlag(on);
    if (on) {
        // A vehicle registered abroad is insured for a term, so step 8 must
        // ask for КП; КТ and КС are fixed for it.
        sheet.setRegistrationCase(RegistrationCase::ForeignVehicle);
        setSkip(sheet, false);
        sheet.setCoefficient(Coefficient::Kt, kForeignKt);
        sheet.setCoefficient(Coefficient::Ks, kForeignKs);
    } else {
        // Back to a vehicle registered in Russia: КТ and КС must be chosen
        // again on steps 2 and 7, and step 8 no longer applies.
        setSkip(sheet, true);
        sheet.setCoefficient(Coefficient::Kt, QString());
        sheet.setCoefficient(Coefficient::Ks, QString());
        sheet.setRegistrationCase(RegistrationCase::RegisteredInRussia);
    }
}

} // namespace karvo
