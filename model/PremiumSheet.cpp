#include "model/PremiumSheet.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {

QString shortName(Coefficient coefficient)
{
    static const std::array<QString, kAllCoefficients.size()> names
        = { u"ТБ"_s, u"КТ"_s, u"КБМ"_s, u"КО"_s, u"КВС"_s, u"КМ"_s, u"КС"_s, u"КП"_s, u"КН"_s };
    return names[std::size_t(coefficient)];
}

PremiumSheet::PremiumSheet(QObject *parent)
    : QObject(parent)
{
    // The state right after start-up: category row 3 (ТБ 1980, individual),
    // registered in Russia, group B. The windows' own defaults write the rest.
    m_texts[std::size_t(SheetText::Tb)] = u"1980"_s;
    m_texts[std::size_t(SheetText::CategoryCode)] = u"3"_s;
    m_texts[std::size_t(SheetText::OwnerCode)] = u"1"_s;
    m_texts[std::size_t(SheetText::RegistrationCode)] = u"4"_s;
    m_texts[std::size_t(SheetText::VehicleGroupCode)] = u"7"_s;
}

bool PremiumSheet::isInput(SheetText field)
{
    switch (field) {
    case SheetText::T:
    case SheetText::KpDefaulted:
    case SheetText::KnNote:
    case SheetText::StartTime:
        return false;
    default:
        return true;
    }
}

void PremiumSheet::setText(SheetText field, const QString &value)
{
    QString &slot = m_texts[std::size_t(field)];
    if (slot == value)
        return;
    slot = value;
    emit textChanged(field, value);
    if (isInput(field))
        emptyPremium();
}

void PremiumSheet::emptyPremium()
{
    setText(SheetText::T, QString());
}

void PremiumSheet::setOwnerKind(OwnerKind kind)
{
    if (kind == OwnerKind::Individual)
        setText(SheetText::OwnerCode, u"1"_s);
    else if (kind == OwnerKind::LegalEntity)
        setText(SheetText::OwnerCode, u"2"_s);
    if (m_ownerKind == kind)
        return;
    m_ownerKind = kind;
    emit ownerKindChanged(kind);
    emptyPremium();
}

void PremiumSheet::setRegistrationCase(RegistrationCase registrationCase)
{
    static const std::array codes = { u"4"_s, u"5"_s, u"6"_s };
    setText(SheetText::RegistrationCode, codes[std::size_t(registrationCase)]);
    if (m_registrationCase == registrationCase)
        return;
    m_registrationCase = registrationCase;
    emit registrationCaseChanged(registrationCase);
    emptyPremium();
}

void PremiumSheet::setVehicleGroup(VehicleGroup group)
{
    static const std::array codes = { u"7"_s, u"8"_s, u"9"_s };
    setText(SheetText::VehicleGroupCode, codes[std::size_t(group)]);
    if (m_vehicleGroup == group)
        return;
    m_vehicleGroup = group;
    emit vehicleGroupChanged(group);
    emptyPremium();
}

void PremiumSheet::setContractKind(ContractKind kind)
{
    if (m_contractKind == kind)
        return;
    m_contractKind = kind;
    emit contractKindChanged(kind);
    emptyPremium();
}

void PremiumSheet::setForeignRegisteredFlag(bool on)
{
    if (m_foreignRegistered == on)
        return;
    m_foreignRegistered = on;
    emit foreignRegisteredChanged(on);
    emptyPremium();
}

void PremiumSheet::setSkipTermFlag(bool on)
{
    if (m_skipTerm == on)
        return;
    m_skipTerm = on;
    emit skipTermChanged(on);
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

void PremiumSheet::setReminderWanted(bool on)
{
    if (m_reminderWanted == on)
        return;
    m_reminderWanted = on;
    emit reminderWantedChanged(on);
}

} // namespace karvo
