#pragma once

#include "model/PremiumSheet.h"
#include "storage/StoredInputs.h"

#include <QString>

// The inputs of a calculation kept in karvo.ini (section "t"), so that a later
// calculation can start from them: taken from the premium sheet and written
// after "Расчет" when the user asks, read back for "Загрузить сохраненные
// данные", which replays them through the choices a user's clicks make.
namespace karvo {

inline const QString kNotSavedMessage = QStringLiteral("Не сохранены данные");
inline const QString kSaveFailedMessage = QStringLiteral("Не удалось сохранить исходные данные: ");

// What the file keeps of a calculation, in its codes. A loaded calculation is
// always a renewal that starts in the class in which the stored term ends.
StoredInputs storedInputsOf(const Calculation &calculation);

// Writes every field to karvo.ini. Stops at the first key the file refuses
// and returns the reason, which follows kSaveFailedMessage; empty when every
// key was written.
QString writeStoredInputs(const StoredInputs &inputs);

// What a load writes at once: the period of use and КС, which no choice
// makes.
void loadStoredPeriod(PremiumSheet &sheet, const StoredInputs &inputs);
// The replay: every stored choice made through the operations a user's picks
// run, in the order of the steps. Stops at the first code that cannot be
// replayed (not a number, a list position outside its list) and returns
// false, keeping what it replayed; codes no choice has choose nothing.
bool replayStoredInputs(PremiumSheet &sheet, const StoredInputs &inputs);

// Section "t" of karvo.ini as it stands, unchecked; missing keys are empty.
StoredInputs readStoredInputs();

// The reminder date karvo.ini remembers ("dt"), and whether the reminder
// check is to be ticked at start ("ch" reads as the number 1).
QString readRememberedReminderDate();
bool readRememberedReminderTick();

} // namespace karvo
