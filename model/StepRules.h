#pragma once

#include "model/PremiumSheet.h"

#include <QString>

#include <optional>

// What keeps "Далее >>" of a step from going on: the coefficient the step must
// have set. The wizard tells the user; the pricing of a list of vehicles
// refuses a row with the same sentence, so both refuse alike.
namespace karvo {

// The coefficient whose absence keeps `step` (1 … 10) from being left
// forward, or nothing when it may be left: КТ on step 2, КБМ on step 3, КС
// on step 7, and КП on step 8 unless the term is skipped.
std::optional<Coefficient> missingToLeave(const PremiumSheet &sheet, int step);

// "Не установлен коэффициент КТ", or the empty text when the step may be left.
QString refusalToLeave(const PremiumSheet &sheet, int step);

} // namespace karvo
