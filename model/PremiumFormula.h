#pragma once

#include "model/Money.h"
#include "model/PremiumSheet.h"

#include <variant>

// The decree's table of which coefficients enter the premium for which owner
// kind, registration case and vehicle group, and the two kinds of arithmetic
// its rows use.
namespace karvo {

// The premium, or the first coefficient (in reading order) whose text is not a
// usable number: empty, not a number, negative, beyond the fixed-point range,
// or making the product overflow.
using PremiumOutcome = std::variant<Money, Coefficient>;

PremiumOutcome evaluatePremium(const PremiumSheet &sheet);

// "Расчет": writes Т to the sheet, or leaves it unchanged and tells the user
// "Неверное значение коэффициента " + the coefficient's short name.
// Returns whether Т was written.
bool computePremium(PremiumSheet &sheet);

} // namespace karvo
