#pragma once

#include "model/PremiumSheet.h"

#include <QString>

#include <span>

// Steps 8 and 9: КП by insurance term (vehicles registered abroad only; every
// other vehicle skips step 8 and КП enters as 1) and КН derived from the
// contract history of step 3.
namespace karvo {

struct TermRow
{
    QString term;
    QString kp;
};
std::span<const TermRow> kpTermTable(); // the step-8 list, in order

// On an exact match of the list text writes КП and the term; otherwise nothing
// changes.
bool chooseTerm(PremiumSheet &sheet, const QString &term);

// The step-8 check "Пропустить": sets the flag and empties КП and the term (the
// window enables or disables the term controls).
void setSkip(PremiumSheet &sheet, bool skip);

// Step 8 may be left forward when skipped or when КП is set.
bool mayLeaveStep8(const PremiumSheet &sheet);

// Derives КН and its note from the contract kind of step 3 and the text of its
// payout count; overwrites what КН held.
void deriveKn(PremiumSheet &sheet, const QString &claimsText);

// Step 9 "Далее >>": an empty КП becomes "1" and is remembered as defaulted.
void leaveStep9Forward(PremiumSheet &sheet);

// Step 10 "<<Назад ": a defaulted КП is emptied again.
void returnToStep9(PremiumSheet &sheet);

// The rule text shown on step 9.
QString knRuleText();

} // namespace karvo
