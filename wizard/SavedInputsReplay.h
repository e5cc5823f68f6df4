#pragma once

#include "storage/StoredInputs.h"

#include <QObject>
#include <QTimer>

// The replay of stored inputs into the wizard: load() writes what needs no
// choice (the period of use, КС) and starts a half-second timer, whose one
// tick makes every stored choice through the same operations a user's clicks
// run, in the order of the steps. The codes wait here until the tick, not in
// the sheet: the sheet always describes the choices the windows show, so a
// replay that fails leaves nothing behind that a later save would write.
namespace karvo {

class TariffWizard;

class SavedInputsReplay : public QObject
{
    Q_OBJECT

public:
    explicit SavedInputsReplay(TariffWizard &wizard);

    // "Загрузить сохраненные данные": karvo.ini's inputs, and its reminder
    // date for the reminder window.
    void loadSavedInputs();
    // The same for inputs kept elsewhere.
    void load(const StoredInputs &inputs);

    // The timer's tick. Returns whether every stored choice was replayed; on
    // the first code that cannot be, the user is told and the rest is left.
    bool replay();

signals:
    void reminderDateLoaded(const QString &text);

private:
    bool fail();

    TariffWizard &m_wizard;
    QTimer m_timer;
    StoredInputs m_stored;
};

} // namespace karvo
