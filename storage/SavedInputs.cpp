#include "storage/SavedInputs.h"

#include "model/DriverCoefficients.h"
#include "platform/Messages.h"
#include "storage/IniFile.h"

#include <QTimer>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace K = SettingsKeys;

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

QString readKey(const QString &key)
{
    return readIniValue(K::kInputsSection, key, settingsFilePath());
}

} // namespace

bool storeInputs(const PremiumSheet &sheet, const SavedInputsForm &form)
{
    // A loaded calculation is always a renewal that starts in the class in
    // which the stored term ends: a first contract ends its term in class 4.
    const QString startClass = sheet.contractKind() == ContractKind::FirstTime ? u"4"_s : form.endClassText();
    const std::pair<QString, QString> values[] = {
        { K::kCategory, sheet.text(SheetText::CategoryCode) },
        { K::kRegion, form.regionText() },
        { K::kTownGroup, form.selectedTownGroup() },
        { K::kKtVariant, sheet.text(SheetText::KtVariant) },
        { K::kContractKind, u"11"_s },
        { K::kStartClass, startClass },
        { K::kKo, sheet.text(SheetText::KoCode) },
        { K::kKvs, sheet.text(SheetText::KvsIndex) },
        { K::kKm, sheet.text(SheetText::KmIndex) },
        { K::kPeriod, form.periodText() },
        { K::kKs, sheet.text(SheetText::Ks) },
        { K::kOwner, sheet.text(SheetText::OwnerCode) },
        { K::kRegistration, sheet.text(SheetText::RegistrationCode) },
        { K::kVehicleGroup, sheet.text(SheetText::VehicleGroupCode) },
    };
    for (const auto &[key, value] : values) {
        QString error;
        if (!writeIniValue(K::kInputsSection, key, value, settingsFilePath(), &error)) {
            showMessage(kSaveFailedMessage + error);
            return false;
        }
    }
    return true;
}

SavedInputsRestore::SavedInputsRestore(PremiumSheet &sheet, SavedInputsForm &form, QTimer &timer)
    : m_sheet(sheet)
    , m_form(form)
    , m_timer(timer)
{
    m_timer.setInterval(500);
    m_timer.stop();
    connect(&m_timer, &QTimer::timeout, this, &SavedInputsRestore::replaySavedInputs);
}

void SavedInputsRestore::loadSavedInputs()
{
    m_form.setStep1NextEnabled(false);
    m_stored.category = readKey(K::kCategory);
    m_stored.ktVariant = readKey(K::kKtVariant);
    m_form.ensureStepWindows();
    m_stored.contractKind = readKey(K::kContractKind);
    m_stored.ko = readKey(K::kKo);
    m_stored.kvs = readKey(K::kKvs);
    m_stored.km = readKey(K::kKm);
    m_form.setPeriodText(readKey(K::kPeriod));
    m_sheet.setText(SheetText::Ks, readKey(K::kKs));
    m_stored.owner = readKey(K::kOwner);
    m_stored.registration = readKey(K::kRegistration);
    m_stored.vehicleGroup = readKey(K::kVehicleGroup);
    m_form.setReminderDateText(readIniValue(K::kReminderSection, K::kReminderDate, settingsFilePath()));
    m_timer.start();
}

bool SavedInputsRestore::fail()
{
    // Stop first: the message box runs its own event loop, in which a running
    // timer would start the replay a second time.
    m_timer.stop();
    showMessage(kNotSavedMessage);
    m_form.setStep1NextEnabled(true);
    return false;
}

bool SavedInputsRestore::replaySavedInputs()
{
    const std::optional<int> category = readCode(m_stored.category);
    if (!category)
        return fail();
    if (*category >= 1 && *category <= 16)
        m_form.selectCategory(*category);

    const std::optional<int> variant = readCode(m_stored.ktVariant);
    if (!variant)
        return fail();
    m_form.selectKtVariant(*variant == 17 ? u"17"_s : u"18"_s);

    m_form.setRegionText(readKey(K::kRegion));
    m_form.addAndSelectTownGroup(readKey(K::kTownGroup));

    const std::optional<int> contract = readCode(m_stored.contractKind);
    if (!contract)
        return fail();
    m_form.selectContractKind(*contract == 0 ? ContractKind::FirstTime : ContractKind::Renewal);
    m_form.setStartClassText(readKey(K::kStartClass));

    const std::optional<int> ko = readCode(m_stored.ko);
    if (!ko)
        return fail();
    m_form.selectKo(*ko == 1 ? 0 : 1);

    // A position outside its list cannot be replayed: it stops the replay as
    // a missing code does, instead of selecting nothing or something else.
    const std::optional<int> kvs = readCode(m_stored.kvs);
    if (!kvs || *kvs < 0 || *kvs >= int(kvsRows().size()))
        return fail();
    m_form.selectKvsIndex(*kvs);

    const std::optional<int> km = readCode(m_stored.km);
    if (!km || *km < 0 || *km >= int(kmRows().size()))
        return fail();
    m_form.selectKmIndex(*km);

    const std::optional<int> owner = readCode(m_stored.owner);
    if (!owner)
        return fail();
    m_form.selectOwnerKind(*owner == 1 ? OwnerKind::Individual : OwnerKind::LegalEntity);

    const std::optional<int> registration = readCode(m_stored.registration);
    if (!registration)
        return fail();
    if (*registration >= 4 && *registration <= 6) {
        // Only the step-1 check opens the foreign case on step 10, and only
        // its absence the two Russian ones: the replay sets the check as a
        // user would have to, so that no disabled choice ends up selected.
        const auto registrationCase = RegistrationCase(*registration - 4);
        m_form.setForeignRegistered(registrationCase == RegistrationCase::ForeignVehicle);
        m_form.selectRegistrationCase(registrationCase);
    }

    const std::optional<int> group = readCode(m_stored.vehicleGroup);
    if (!group)
        return fail();
    if (*group >= 7 && *group <= 9)
        m_form.selectVehicleGroup(VehicleGroup(*group - 7));

    m_timer.stop();
    m_form.setStep1NextEnabled(true);
    return true;
}

} // namespace karvo
