#pragma once

#include "model/Money.h"
#include "model/PremiumSheet.h"

#include <optional>
#include <variant>
#include <vector>

// The decree's table of which coefficients enter the premium for which owner
// kind, registration case and vehicle group, and the two kinds of arithmetic
// its rows use; and, for the row a sheet uses, how Т was made and the most the
// law lets an insurer charge.
namespace karvo {

// Usable coefficients whose product does not fit the fixed-point range,
// although none of them lies beyond what its table can give.
struct PremiumTooLarge
{
    friend constexpr bool operator==(PremiumTooLarge, PremiumTooLarge) = default;
};

// The premium, or the coefficient to blame: the first (in reading order) whose
// text is not a usable number (empty, not a number, negative, beyond the
// fixed-point range); or, when usable values multiply past the fixed-point
// range, the one lying beyond anything its table can give.
using PremiumOutcome = std::variant<Money, Coefficient, PremiumTooLarge>;

PremiumOutcome evaluatePremium(const Calculation &calculation);
inline PremiumOutcome evaluatePremium(const PremiumSheet &sheet)
{
    return evaluatePremium(sheet.value());
}

// "Расчет": writes Т to the sheet and returns the empty text; or empties Т and
// returns what the user is to be told: "Неверное значение коэффициента " + the
// coefficient's short name, or that Т is too large to compute.
QString computePremium(PremiumSheet &sheet);

// One factor of a formula row: a coefficient of the sheet, or one of the
// decree's fixed factors 1,7 and 1,8.
struct PremiumFactor
{
    std::optional<Coefficient> coefficient; // nothing for a fixed factor
    Money value; // as the formula used it

    // "КТ", or the fixed factor as a number ("1,8").
    QString name() const;
};

// How Т of a sheet was made, factor by factor, and the legal maximum (federal
// law on compulsory motor liability insurance, art. 9): three times the base
// tariff adjusted by the territory coefficient the row applies, five times
// where the row applies КН and КН is above 1.
struct PremiumBreakdown
{
    std::vector<PremiumFactor> factors; // in the order they are multiplied
    // The leading factors that are multiplied in a bracket of their own, in
    // fixed point, before the floating rest; 0 for rows without a bracket.
    std::size_t bracket = 0;
    // Multiplied in double precision (after the bracket), rounded only at the
    // end; otherwise every product is rounded to four decimals.
    bool floating = false;
    Money t; // the value "Расчет" writes to the sheet

    int maximumTimes = 3; // 3 or 5
    // ТБ and КТ; ТБ and the 1,7 that stands for КТ abroad; or ТБ alone for
    // the rows of travelling to registration, which apply no territory.
    std::vector<PremiumFactor> maximumFactors;
    // Nothing when it lies beyond the fixed-point range, so far above any Т
    // that Т cannot exceed it.
    std::optional<Money> maximum;
    bool exceedsMaximum = false; // Т above the maximum; equal is allowed
};

// Nothing when evaluatePremium() gives no premium.
std::optional<PremiumBreakdown> explainPremium(const Calculation &calculation);
inline std::optional<PremiumBreakdown> explainPremium(const PremiumSheet &sheet)
{
    return explainPremium(sheet.value());
}

// The warning that Т is above the legal maximum; empty when it is not.
QString maximumWarning(const PremiumBreakdown &breakdown);

} // namespace karvo
