#include "model/PremiumSheet.h"

#include "model/TerritoryTable.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {

QString shortName(Coefficient coefficient)
{
    static const std::array<QString, kAllCoefficients.size()> names
        = { u"ТБ"_s, u"КТ"_s, u"КБМ"_s, u"КО"_s, u"КВС"_s, u"КМ"_s, u"КС"_s, u"КП"_s, u"КН"_s };
    return names[std::size_t(coefficient)];
}

Calculation inputsOf(Calculation calculation)
{
    calculation.premium.clear();
    calculation.knNote.clear();
    calculation.kpDefaulted = false;
    calculation.startTime.clear();
    calculation.reminderWanted = false;
    calculation.reminderDate.clear();
    return calculation;
}

namespace {

// The text fields after the coefficients, in the order of SheetText.
constexpr std::array<QString Calculation::*, kSheetTextCount - int(SheetText::T)> kTextFields = {
    &Calculation::premium,
    &Calculation::knNote,
    &Calculation::region,
    &Calculation::townGroup,
    &Calculation::startClass,
    &Calculation::payouts,
    &Calculation::endClass,
    &Calculation::period,
    &Calculation::term,
    &Calculation::startTime,
    &Calculation::reminderDate,
};

const QString &textIn(const Calculation &value, SheetText field)
{
    if (field < SheetText::T)
        return value.coefficients[std::size_t(field)];
    return value.*kTextFields[std::size_t(field) - std::size_t(SheetText::T)];
}

// The towns step 2 lists for a region put back as it was.
QStringList listedTowns(const Calculation &value)
{
    if (value.region.isEmpty())
        return {};
    if (const std::optional<QStringList> towns = TerritoryTable::townGroups(value.region))
        return *towns;
    return value.townGroup.isEmpty() ? QStringList() : QStringList { value.townGroup };
}

} // namespace

PremiumSheet::PremiumSheet(QObject *parent)
    : QObject(parent)
{
    // The state right after start-up: category row 3 (ТБ 1980, individual),
    // registered in Russia, group B. startCalculation() writes the rest.
    m_value.coefficients[std::size_t(Coefficient::Tb)] = u"1980"_s;
}

QString &PremiumSheet::slot(SheetText field)
{
    if (field < SheetText::T)
        return m_value.coefficients[std::size_t(field)];
    return m_value.*kTextFields[std::size_t(field) - std::size_t(SheetText::T)];
}

QString PremiumSheet::text(SheetText field) const
{
    return textIn(m_value, field);
}

void PremiumSheet::setText(SheetText field, const QString &value)
{
    QString &text = slot(field);
    // A window that shows Т writes back what it was given: that is no new Т.
    if (text == value)
        return;
    if (field == SheetText::T)
        return setPremium(value);
    text = value;
    emit textChanged(field, value);
    followInputs();
}

void PremiumSheet::setPremium(const QString &premium)
{
    m_computedPremium = premium;
    m_computedFrom = premium.isEmpty() ? std::nullopt : std::optional(inputsOf(m_value));
    if (m_value.premium == premium)
        return;
    m_value.premium = premium;
    emit textChanged(SheetText::T, premium);
}

void PremiumSheet::followInputs()
{
    const bool current = m_computedFrom && *m_computedFrom == inputsOf(m_value);
    const QString premium = current ? m_computedPremium : QString();
    if (m_value.premium == premium)
        return;
    m_value.premium = premium;
    emit textChanged(SheetText::T, premium);
}

template <class T, class Signal>
void PremiumSheet::change(T Calculation::*field, const T &value, Signal signal)
{
    if (m_value.*field == value)
        return;
    m_value.*field = value;
    emit(this->*signal)(value);
    followInputs();
}

void PremiumSheet::setCategory(int row)
{
    change(&Calculation::category, row, &PremiumSheet::categoryChanged);
}

void PremiumSheet::setTerritoryColumn(TerritoryColumn column)
{
    change(&Calculation::column, column, &PremiumSheet::territoryColumnChanged);
}

void PremiumSheet::setDriversLimit(DriversLimit limit)
{
    change(&Calculation::drivers, limit, &PremiumSheet::driversLimitChanged);
}

void PremiumSheet::setKvsRow(int row)
{
    change(&Calculation::kvsRow, row, &PremiumSheet::kvsRowChanged);
}

void PremiumSheet::setKmRow(int row)
{
    change(&Calculation::kmRow, row, &PremiumSheet::kmRowChanged);
}

void PremiumSheet::setKpDefaulted(bool on)
{
    m_value.kpDefaulted = on;
}

void PremiumSheet::setOwnerKind(OwnerKind kind)
{
    change(&Calculation::owner, kind, &PremiumSheet::ownerKindChanged);
}

void PremiumSheet::setRegistrationCase(RegistrationCase registrationCase)
{
    change(&Calculation::registration, registrationCase, &PremiumSheet::registrationCaseChanged);
}

void PremiumSheet::setVehicleGroup(VehicleGroup group)
{
    change(&Calculation::group, group, &PremiumSheet::vehicleGroupChanged);
}

void PremiumSheet::setContractKind(ContractKind kind)
{
    change(&Calculation::contractKind, kind, &PremiumSheet::contractKindChanged);
}

void PremiumSheet::setForeignRegisteredFlag(bool on)
{
    change(&Calculation::foreignRegistered, on, &PremiumSheet::foreignRegisteredChanged);
}

void PremiumSheet::setSkipTermFlag(bool on)
{
    change(&Calculation::skipTerm, on, &PremiumSheet::skipTermChanged);
}

void PremiumSheet::setReminderWanted(bool on)
{
    change(&Calculation::reminderWanted, on, &PremiumSheet::reminderWantedChanged);
}

void PremiumSheet::setSaveInputs(bool on)
{
    if (m_saveInputs == on)
        return;
    m_saveInputs = on;
    emit saveInputsChanged(on);
}

void PremiumSheet::setTowns(const QStringList &towns)
{
    if (m_towns == towns)
        return;
    m_towns = towns;
    emit townsChanged(towns);
}

void PremiumSheet::restore(const Calculation &value)
{
    const Calculation before = m_value;
    m_value = value;
    m_computedPremium = value.premium;
    m_computedFrom = value.premium.isEmpty() ? std::nullopt : std::optional(inputsOf(value));
    emitDifferences(before);
    setTowns(listedTowns(value));
}

void PremiumSheet::emitDifferences(const Calculation &before)
{
    // In the order of the steps, so that a window sees a choice after the
    // ones it depends on; Т last.
    const Calculation &now = m_value;
    if (before.category != now.category)
        emit categoryChanged(now.category);
    if (before.foreignRegistered != now.foreignRegistered)
        emit foreignRegisteredChanged(now.foreignRegistered);
    if (before.column != now.column)
        emit territoryColumnChanged(now.column);
    if (before.contractKind != now.contractKind)
        emit contractKindChanged(now.contractKind);
    if (before.drivers != now.drivers)
        emit driversLimitChanged(now.drivers);
    if (before.kvsRow != now.kvsRow)
        emit kvsRowChanged(now.kvsRow);
    if (before.kmRow != now.kmRow)
        emit kmRowChanged(now.kmRow);
    if (before.skipTerm != now.skipTerm)
        emit skipTermChanged(now.skipTerm);
    if (before.owner != now.owner)
        emit ownerKindChanged(now.owner);
    if (before.registration != now.registration)
        emit registrationCaseChanged(now.registration);
    if (before.group != now.group)
        emit vehicleGroupChanged(now.group);
    if (before.reminderWanted != now.reminderWanted)
        emit reminderWantedChanged(now.reminderWanted);
    for (int field = 0; field < kSheetTextCount; ++field) {
        const auto text = SheetText(field);
        if (text != SheetText::T && textIn(before, text) != textIn(now, text))
            emit textChanged(text, textIn(now, text));
    }
    if (before.premium != now.premium)
        emit textChanged(SheetText::T, now.premium);
}

} // namespace karvo
