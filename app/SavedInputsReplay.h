#pragma once

#include "storage/StoredInputs.h"

#include <QObject>
#include <QTimer>

// The replay of karvo.ini's inputs into the wizard: load() writes what needs
// no choice (the period of use, КС) and starts a half-second timer, whose one
// tick makes every stored choice through the same operations a user's clicks
// run, in the order of the steps. The codes wait here until the tick, not in
// the sheet: the sheet always describes the choices the windows show, so a
// replay that fails leaves nothing behind that a later save would write.
namespace karvo {

class PremiumSheet;

class SavedInputsReplay : public QObject
{
    Q_OBJECT

public:
    explicit SavedInputsReplay(PremiumSheet &sheet);

    // "Загрузить сохраненные данные": karvo.ini's inputs and its reminder date.
    void loadSavedInputs();
    void load(const StoredInputs &inputs);

    // From load() until the tick has replayed the inputs or given up.
    bool running() const { return m_timer.isActive(); }
    // Ends the wait: the tick has replayed, or the calculation was replaced
    // meanwhile (a journal entry put back) and the waiting codes belong to
    // nothing any more.
    void cancel();

    // The timer's tick. Returns whether every stored choice was replayed; on
    // the first code that cannot be, the user is told and the rest is left.
    bool replay();

signals:
    void runningChanged(bool running);

private:
    bool fail();

    PremiumSheet &m_sheet;
    QTimer m_timer;
    StoredInputs m_stored;
};

} // namespace karvo
