#include "model/StepChoices.h"

#include "model/BaseTariffs.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "model/TermAndViolation.h"
#include "model/TerritoryTable.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

void emptyTowns(PremiumSheet &sheet)
{
    sheet.setText(SheetText::Region, QString());
    sheet.setText(SheetText::TownGroup, QString());
    sheet.setTowns({});
}

void applyRenewal(PremiumSheet &sheet)
{
    const std::optional<RenewalOutcome> outcome
        = renewalOutcome(sheet.text(SheetText::StartClass), sheet.text(SheetText::Payouts));
    if (!outcome)
        return;
    sheet.setText(SheetText::EndClass, outcome->endClass);
    sheet.setCoefficient(Coefficient::Kbm, outcome->kbm);
}

} // namespace

QString contractCaption(ContractKind kind)
{
    return kind == ContractKind::FirstTime ? u"Заключается в первые"_s : u"Продлевается"_s;
}

QString ownerCaption(OwnerKind kind)
{
    switch (kind) {
    case OwnerKind::Individual:
        return u"Физические лица и предпринематели без образования юридического лица"_s;
    case OwnerKind::LegalEntity:
        return u"Юридические лица"_s;
    case OwnerKind::Unset:
        break;
    }
    return {};
}

QString registrationCaption(RegistrationCase registration)
{
    switch (registration) {
    case RegistrationCase::RegisteredInRussia:
        return u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
               u"зарегистрированных в Российской Федерации (за исключением случаев следования к месту "
               u"регистрации)"_s;
    case RegistrationCase::TravellingToRegistration:
        return u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
               u"зарегистрированных в Российской Федерации (в случае следования к месту регистрации)"_s;
    case RegistrationCase::ForeignVehicle:
        return u"При обязательном страховании гражданской ответственности владельцев транспортных средств, "
               u"зарегистрированных в иностранных государствах и временно используемых на территории "
               u"Российской Федерации"_s;
    }
    return {};
}

void startCalculation(PremiumSheet &sheet)
{
    selectContractKind(sheet, ContractKind::FirstTime);
    chooseKo(sheet, 0);
    chooseKvs(sheet, kvsRows().front().item);
    chooseKm(sheet, kmRows().front().item);
    setSkip(sheet, true);
    sheet.setOwnerKind(OwnerKind::Unset);
    sheet.setVehicleGroup(VehicleGroup::GroupB);
}

void selectRegion(PremiumSheet &sheet, const QString &region)
{
    const std::optional<QStringList> towns = TerritoryTable::townGroups(region);
    if (!towns)
        return;
    sheet.setText(SheetText::Region, region);
    sheet.setText(SheetText::TownGroup, QString());
    sheet.setTowns(*towns);
    if (!towns->isEmpty())
        selectTownGroup(sheet, towns->first());
}

void selectTownGroup(PremiumSheet &sheet, const QString &townGroup)
{
    sheet.setText(SheetText::TownGroup, townGroup);
    const std::optional<QString> kt
        = TerritoryTable::coefficient(sheet.text(SheetText::Region), townGroup, sheet.territoryColumn());
    if (kt)
        sheet.setCoefficient(Coefficient::Kt, *kt);
}

void chooseKtColumn(PremiumSheet &sheet, TerritoryColumn column)
{
    selectTerritoryColumn(sheet, column);
    emptyTowns(sheet);
}

void emptyTerritory(PremiumSheet &sheet)
{
    emptyTowns(sheet);
    sheet.setCoefficient(Coefficient::Kt, QString());
}

void replayTerritory(PremiumSheet &sheet, const QString &region, const QString &townGroup)
{
    sheet.setText(SheetText::Region, region);
    sheet.setTowns({ townGroup });
    selectTownGroup(sheet, townGroup);
}

void selectContractKind(PremiumSheet &sheet, ContractKind kind)
{
    const bool firstTime = kind == ContractKind::FirstTime;
    sheet.setContractKind(kind);
    sheet.setText(SheetText::StartClass, firstTime ? kFirstContractClass : QString());
    sheet.setCoefficient(Coefficient::Kbm,
        firstTime ? coefficientOfClass(kFirstContractClass).value_or(QString()) : QString());
    sheet.setText(SheetText::Payouts, QString());
    sheet.setText(SheetText::EndClass, QString());
}

void applyStartClass(PremiumSheet &sheet)
{
    if (sheet.contractKind() == ContractKind::Renewal) {
        applyRenewal(sheet);
        return;
    }
    if (const std::optional<QString> kbm = coefficientOfClass(sheet.text(SheetText::StartClass)))
        sheet.setCoefficient(Coefficient::Kbm, *kbm);
}

void applyPayouts(PremiumSheet &sheet)
{
    if (sheet.contractKind() == ContractKind::Renewal)
        applyRenewal(sheet);
}

} // namespace karvo
