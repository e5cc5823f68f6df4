#include "storage/SavedInputs.h"

#include "model/BaseTariffs.h"
#include "model/DriverCoefficients.h"
#include "model/Money.h"
#include "model/StepChoices.h"
#include "storage/IniFile.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

namespace K = SettingsKeys;

namespace {

// Codes are read as whole numbers; empty text, anything else and numbers
// beyond int are all "not a number" for the replay.
std::optional<int> readCode(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

// A position outside its list cannot be replayed: it stops the replay as a
// missing code does, instead of selecting nothing or something else.
std::optional<int> readPosition(const QString &text, std::size_t count)
{
    const std::optional<int> position = readCode(text);
    if (!position || *position < 0 || std::size_t(*position) >= count)
        return std::nullopt;
    return position;
}

} // namespace

void loadStoredPeriod(PremiumSheet &sheet, const StoredInputs &inputs)
{
    sheet.setText(SheetText::Period, inputs.period);
    sheet.setText(SheetText::Ks, inputs.ks);
}

bool replayStoredInputs(PremiumSheet &sheet, const StoredInputs &in)
{
    const std::optional<int> category = readCode(in.category);
    if (!category)
        return false;
    if (*category >= 1 && *category <= kCategoryCount)
        selectCategory(sheet, *category);

    const std::optional<int> variant = readCode(in.ktVariant);
    if (!variant)
        return false;
    chooseKtColumn(sheet, *variant == 17 ? kKtVariantVehicles : kKtVariantTractors);
    replayTerritory(sheet, in.region, in.townGroup);

    const std::optional<int> contract = readCode(in.contractKind);
    if (!contract)
        return false;
    selectContractKind(sheet, *contract == 0 ? ContractKind::FirstTime : ContractKind::Renewal);
    sheet.setText(SheetText::StartClass, in.startClass);
    if (!in.payouts.isEmpty()) {
        sheet.setText(SheetText::Payouts, in.payouts);
        applyPayouts(sheet);
    }

    const std::optional<int> ko = readCode(in.ko);
    if (!ko)
        return false;
    chooseKo(sheet, *ko == 1 ? 0 : 1);

    const std::optional<int> kvs = readPosition(in.kvs, kvsRows().size());
    if (!kvs)
        return false;
    chooseKvs(sheet, kvsRows()[std::size_t(*kvs)].item);

    const std::optional<int> km = readPosition(in.km, kmRows().size());
    if (!km)
        return false;
    chooseKm(sheet, kmRows()[std::size_t(*km)].item);

    const std::optional<int> owner = readCode(in.owner);
    if (!owner)
        return false;
    sheet.setOwnerKind(*owner == 1 ? OwnerKind::Individual : OwnerKind::LegalEntity);

    const std::optional<int> registration = readCode(in.registration);
    if (!registration)
        return false;
    if (*registration >= 4 && *registration <= 6) {
        // Only the step-1 check opens the foreign case on step 10, and only
        // its absence the two Russian ones: the replay sets the check as a
        // user would have to, so that no disabled choice ends up selected.
        const auto registrationCase = RegistrationCase(*registration - 4);
        setForeignRegistered(sheet, registrationCase == RegistrationCase::ForeignVehicle);
        sheet.setRegistrationCase(registrationCase);
    }

    const std::optional<int> group = readCode(in.vehicleGroup);
    if (!group)
        return false;
    if (*group >= 7 && *group <= 9)
        sheet.setVehicleGroup(VehicleGroup(*group - 7));
    return true;
}

StoredInputs storedInputsOf(const PremiumSheet &sheet)
{
    StoredInputs inputs;
    inputs.category = sheet.text(SheetText::CategoryCode);
    inputs.region = sheet.text(SheetText::Region);
    inputs.townGroup = sheet.text(SheetText::TownGroup);
    inputs.ktVariant = sheet.text(SheetText::KtVariant);
    inputs.contractKind = u"11"_s;
    // A first contract ends its term in class 4.
    inputs.startClass
        = sheet.contractKind() == ContractKind::FirstTime ? u"4"_s : sheet.text(SheetText::EndClass);
    inputs.ko = sheet.text(SheetText::KoCode);
    inputs.kvs = sheet.text(SheetText::KvsIndex);
    inputs.km = sheet.text(SheetText::KmIndex);
    inputs.period = sheet.text(SheetText::Period);
    inputs.ks = sheet.text(SheetText::Ks);
    inputs.owner = sheet.text(SheetText::OwnerCode);
    inputs.registration = sheet.text(SheetText::RegistrationCode);
    inputs.vehicleGroup = sheet.text(SheetText::VehicleGroupCode);
    return inputs;
}

StoredInputs calculationInputsOf(const PremiumSheet &sheet)
{
    StoredInputs inputs = storedInputsOf(sheet);
    const bool firstTime = sheet.contractKind() == ContractKind::FirstTime;
    inputs.contractKind = firstTime ? u"0"_s : u"11"_s;
    inputs.startClass = sheet.text(SheetText::StartClass);
    inputs.payouts = firstTime ? QString() : sheet.text(SheetText::Payouts);
    return inputs;
}

QString writeStoredInputs(const StoredInputs &inputs)
{
    for (const auto &[key, field] : storedInputFields()) {
        QString error;
        if (!writeIniValue(K::kInputsSection, key, inputs.*field, settingsFilePath(), &error))
            return error;
    }
    return {};
}

StoredInputs readStoredInputs()
{
    StoredInputs inputs;
    for (const auto &[key, field] : storedInputFields())
        inputs.*field = readIniValue(K::kInputsSection, key, settingsFilePath());
    return inputs;
}

QString readRememberedReminderDate()
{
    return readIniValue(K::kReminderSection, K::kReminderDate, settingsFilePath());
}

bool readRememberedReminderTick()
{
    const std::optional<Money> tick
        = Money::parse(readIniValue(K::kReminderFlagSection, K::kReminderFlag, settingsFilePath()));
    return tick && *tick == Money::fromInt(1);
}

} // namespace karvo
