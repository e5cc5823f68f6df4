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
    chooseKtColumn(sheet, *variant == 17 ? TerritoryColumn::Vehicles : TerritoryColumn::Tractors);
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

StoredInputs storedInputsOf(const Calculation &calculation)
{
    // The file's codes: the column "17"/"18" (nothing when none was chosen),
    // КО "1"/"2", list rows from 0, owner "1"/"2", registration "4"/"5"/"6",
    // vehicle group "7"/"8"/"9".
    const auto row = [](int index) { return index < 0 ? QString() : QString::number(index); };
    StoredInputs inputs;
    inputs.category = QString::number(calculation.category);
    inputs.region = calculation.region;
    inputs.townGroup = calculation.townGroup;
    inputs.ktVariant = calculation.column == TerritoryColumn::Vehicles ? u"17"_s
        : calculation.column == TerritoryColumn::Tractors              ? u"18"_s
                                                                       : QString();
    inputs.contractKind = u"11"_s;
    // A first contract ends its term in class 4.
    inputs.startClass = calculation.contractKind == ContractKind::FirstTime ? u"4"_s : calculation.endClass;
    inputs.ko = koChoices()[std::size_t(calculation.drivers)].code;
    inputs.kvs = row(calculation.kvsRow);
    inputs.km = row(calculation.kmRow);
    inputs.period = calculation.period;
    inputs.ks = calculation.coefficient(Coefficient::Ks);
    inputs.owner = calculation.owner == OwnerKind::LegalEntity ? u"2"_s
        : calculation.owner == OwnerKind::Individual           ? u"1"_s
                                                               : QString();
    inputs.registration = QString::number(4 + int(calculation.registration));
    inputs.vehicleGroup = QString::number(7 + int(calculation.group));
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
