#include "app/SavedInputsReplay.h"

#include "model/PremiumSheet.h"
#include "platform/Messages.h"
#include "storage/SavedInputs.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {

SavedInputsReplay::SavedInputsReplay(PremiumSheet &sheet)
    : m_sheet(sheet)
{
    m_timer.setObjectName(u"restoreTimer"_s);
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &SavedInputsReplay::replay);
}

void SavedInputsReplay::loadSavedInputs()
{
    load(readStoredInputs());
    m_sheet.setText(SheetText::ReminderDate, readRememberedReminderDate());
}

void SavedInputsReplay::load(const StoredInputs &inputs)
{
    m_stored = inputs;
    loadStoredPeriod(m_sheet, inputs);
    m_timer.start();
    emit runningChanged(true);
}

void SavedInputsReplay::cancel()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    emit runningChanged(false);
}

bool SavedInputsReplay::fail()
{
    // Stop first: the message box runs its own event loop, in which a running
    // timer would start the replay a second time.
    m_timer.stop();
    showMessage(kNotSavedMessage);
    emit runningChanged(false);
    return false;
}

bool SavedInputsReplay::replay()
{
    if (!replayStoredInputs(m_sheet, m_stored))
        return fail();
    cancel();
    return true;
}

} // namespace karvo
