#include "wizard/SavedInputsReplay.h"

#include "platform/Messages.h"
#include "storage/SavedInputs.h"
#include "wizard/CategoryWindow.h"
#include "wizard/TariffWizard.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {

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
    loadStoredPeriod(m_wizard.sheet(), inputs);
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
    if (!replayStoredInputs(m_wizard.sheet(), m_stored))
        return fail();
    m_timer.stop();
    m_wizard.categoryWindow()->setStep1NextEnabled(true);
    return true;
}

} // namespace karvo
