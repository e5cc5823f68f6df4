#include "wizard/SavedInputsReplay.h"

#include "model/DriverCoefficients.h"
#include "platform/Messages.h"
#include "storage/SavedInputs.h"
#include "wizard/CategoryWindow.h"
#include "wizard/DriversWindow.h"
#include "wizard/TariffWizard.h"

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
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

SavedInputsReplay::SavedInputsReplay(TariffWizard &wizard)
    : m_wizard(wizard)
{
    m_timer.setObjectName(u"restoreTimer"_s);
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &SavedInputsReplay::replay);
}

void SavedInputsReplay::loadSavedInputs()
{
    load(readStoredInputs());
    emit reminderDateLoaded(readRememberedReminderDate());
}

void SavedInputsReplay::load(const StoredInputs &inputs)
{
    m_wizard.categoryWindow()->setStep1NextEnabled(false);
    m_stored = inputs;
    // The steps 3-7 window exists before the replay, so that its own
    // defaults never overwrite what the replay writes after.
    m_wizard.driversWindow();
    PremiumSheet &sheet = m_wizard.sheet();
    sheet.setText(SheetText::Period, inputs.period);
    sheet.setText(SheetText::Ks, inputs.ks);
    m_timer.start();
}

bool SavedInputsReplay::fail()
{
    // Stop first: the message box runs its own event loop, in which a running
    // timer would start the replay a second time.
    m_timer.stop();
    showMessage(kNotSavedMessage);
    m_wizard.categoryWindow()->setStep1NextEnabled(true);
    return false;
}

bool SavedInputsReplay::replay()
{
    CategoryWindow *territory = m_wizard.categoryWindow();
    DriversWindow *drivers = m_wizard.driversWindow();
    PremiumSheet &sheet = m_wizard.sheet();

    const std::optional<int> category = readCode(m_stored.category);
    if (!category)
        return fail();
    if (*category >= 1 && *category <= 16)
        territory->selectCategory(*category);

    const std::optional<int> variant = readCode(m_stored.ktVariant);
    if (!variant)
        return fail();
    territory->selectKtVariant(*variant == 17 ? u"17"_s : u"18"_s);
    territory->setRegionText(m_stored.region);
    territory->addAndSelectTownGroup(m_stored.townGroup);

    const std::optional<int> contract = readCode(m_stored.contractKind);
    if (!contract)
        return fail();
    drivers->selectContractKind(*contract == 0 ? ContractKind::FirstTime : ContractKind::Renewal);
    sheet.setText(SheetText::StartClass, m_stored.startClass);
    if (!m_stored.payouts.isEmpty())
        drivers->selectPayouts(m_stored.payouts);

    const std::optional<int> ko = readCode(m_stored.ko);
    if (!ko)
        return fail();
    drivers->selectKo(*ko == 1 ? 0 : 1);

    const std::optional<int> kvs = readPosition(m_stored.kvs, kvsRows().size());
    if (!kvs)
        return fail();
    drivers->selectKvsIndex(*kvs);

    const std::optional<int> km = readPosition(m_stored.km, kmRows().size());
    if (!km)
        return fail();
    drivers->selectKmIndex(*km);

    const std::optional<int> owner = readCode(m_stored.owner);
    if (!owner)
        return fail();
    sheet.setOwnerKind(*owner == 1 ? OwnerKind::Individual : OwnerKind::LegalEntity);

    const std::optional<int> registration = readCode(m_stored.registration);
    if (!registration)
        return fail();
    if (*registration >= 4 && *registration <= 6) {
        // Only the step-1 check opens the foreign case on step 10, and only
        // its absence the two Russian ones: the replay sets the check as a
        // user would have to, so that no disabled choice ends up selected.
        const auto registrationCase = RegistrationCase(*registration - 4);
        m_wizard.setForeignRegistered(registrationCase == RegistrationCase::ForeignVehicle);
        sheet.setRegistrationCase(registrationCase);
    }

    const std::optional<int> group = readCode(m_stored.vehicleGroup);
    if (!group)
        return fail();
    if (*group >= 7 && *group <= 9)
        sheet.setVehicleGroup(VehicleGroup(*group - 7));

    m_timer.stop();
    territory->setStep1NextEnabled(true);
    return true;
}

} // namespace karvo
