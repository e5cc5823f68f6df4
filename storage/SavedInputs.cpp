#include "storage/SavedInputs.h"

#include "model/Money.h"
#include "storage/IniFile.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {

namespace K = SettingsKeys;

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
