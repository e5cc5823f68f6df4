#include "model/PremiumFormula.h"

#include "platform/Messages.h"

#include <array>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

using C = Coefficient;

// One factor of a row: a coefficient of the sheet or one of the fixed factors
// that the decree puts in place of КТ (1,7) or of КВС × КО (1,7 or 1,8).
struct Factor
{
    enum Kind { Sheet, Constant } kind;
    Coefficient coefficient = C::Tb;
    double constant = 0.0;
};

// clang-format off
constexpr Factor f(Coefficient c) { return {Factor::Sheet, c, 0.0}; }
constexpr Factor k(double value) { return {Factor::Constant, C::Tb, value}; }

// Fixed: every product rounded to four decimals, halves to even.
// Floating: the first `bracket` factors in fixed point, the rest in double
// precision from left to right, only the end result rounded back.
struct FormulaRow
{
    std::vector<Factor> factors;
    bool floating = false;
    std::size_t bracket = 0;
};

enum class Owner { Individual, Legal };

const FormulaRow &rowFor(RegistrationCase rc, Owner owner, VehicleGroup group)
{
    static const FormulaRow inRussiaIndividualB{
        {f(C::Tb), f(C::Kt), f(C::Kbm), f(C::Kvs), f(C::Ko), f(C::Km), f(C::Ks), f(C::Kn)}};
    static const FormulaRow inRussiaIndividualOther{
        {f(C::Tb), f(C::Kt), f(C::Kbm), f(C::Kvs), f(C::Ko), f(C::Ks), f(C::Kn)}};
    static const FormulaRow inRussiaLegalB{
        {f(C::Tb), f(C::Kt), f(C::Kbm), k(1.8), f(C::Km), f(C::Ks), f(C::Kn)}, true, 3};
    static const FormulaRow inRussiaLegalOther{
        {f(C::Tb), f(C::Kt), f(C::Kbm), k(1.8), f(C::Ks), f(C::Kn)}, true, 3};
    static const FormulaRow inRussiaTrailer{{f(C::Tb), f(C::Kt), f(C::Ks)}};

    static const FormulaRow travellingIndividualB{{f(C::Tb), f(C::Kvs), f(C::Ko), f(C::Km), f(C::Kp)}};
    static const FormulaRow travellingIndividualOther{{f(C::Tb), f(C::Kvs), f(C::Ko), f(C::Kp)}};
    static const FormulaRow travellingLegalB{{f(C::Tb), k(1.8), f(C::Km), f(C::Kp)}, true};
    static const FormulaRow travellingLegalOther{{f(C::Tb), k(1.8), f(C::Kp)}, true};
    static const FormulaRow travellingTrailer{{f(C::Tb), f(C::Kp)}};

    static const FormulaRow foreignIndividualB{{f(C::Tb), k(1.7), k(1.7), f(C::Km), f(C::Kp), f(C::Kn)}, true};
    static const FormulaRow foreignIndividualOther{{f(C::Tb), k(1.7), k(1.7), f(C::Kp), f(C::Kn)}, true};
    static const FormulaRow foreignLegalB{{f(C::Tb), k(1.7), k(1.8), f(C::Km), f(C::Kp), f(C::Kn)}, true};
    static const FormulaRow foreignLegalOther{{f(C::Tb), k(1.7), k(1.8), f(C::Kp), f(C::Kn)}, true};
    static const FormulaRow foreignTrailer{{f(C::Tb), k(1.7), f(C::Kp)}, true};

    // [registration case][owner][group]
    static const std::array<std::array<std::array<const FormulaRow *, 3>, 2>, 3> table = {{
        {{{&inRussiaIndividualB, &inRussiaIndividualOther, &inRussiaTrailer},
          {&inRussiaLegalB, &inRussiaLegalOther, &inRussiaTrailer}}},
        {{{&travellingIndividualB, &travellingIndividualOther, &travellingTrailer},
          {&travellingLegalB, &travellingLegalOther, &travellingTrailer}}},
        {{{&foreignIndividualB, &foreignIndividualOther, &foreignTrailer},
          {&foreignLegalB, &foreignLegalOther, &foreignTrailer}}},
    }};
    return *table[std::size_t(rc)][std::size_t(owner)][std::size_t(group)];
}
// clang-format on

} // namespace

PremiumOutcome evaluatePremium(const PremiumSheet &sheet)
{
    // Every coefficient is read on every call, also those the row leaves out.
    std::array<Money, kAllCoefficients.size()> values;
    for (Coefficient c : kAllCoefficients) {
        const std::optional<Money> value = Money::parse(sheet.coefficient(c));
        if (!value || value->isNegative())
            return c;
        values[std::size_t(c)] = *value;
    }

    // Any owner kind but "individual" counts as a legal entity.
    const Owner owner = sheet.ownerKind() == OwnerKind::Individual ? Owner::Individual : Owner::Legal;
    const FormulaRow &row = rowFor(sheet.registrationCase(), owner, sheet.vehicleGroup());

    const std::size_t fixedCount = row.floating ? std::max<std::size_t>(row.bracket, 1) : row.factors.size();
    Money fixed = values[std::size_t(row.factors.front().coefficient)];
    for (std::size_t i = 1; i < fixedCount; ++i) {
        const Coefficient c = row.factors[i].coefficient;
        const std::optional<Money> product = fixed.times(values[std::size_t(c)]);
        if (!product)
            return c;
        fixed = *product;
    }
    if (!row.floating)
        return fixed;

    // The product is checked after every factor, so that a value too large
    // for the fixed-point result is blamed on the coefficient that made it so
    // (a constant's overflow on the coefficient before it).
    double product = fixed.toDouble();
    Coefficient culprit = row.factors[fixedCount - 1].coefficient;
    std::optional<Money> result = Money::fromDouble(product);
    for (std::size_t i = fixedCount; i < row.factors.size() && result; ++i) {
        const Factor &factor = row.factors[i];
        if (factor.kind == Factor::Constant) {
            product *= factor.constant;
        } else {
            product *= values[std::size_t(factor.coefficient)].toDouble();
            culprit = factor.coefficient;
        }
        result = Money::fromDouble(product);
    }
    if (!result)
        return culprit;
    return *result;
}

bool computePremium(PremiumSheet &sheet)
{
    const PremiumOutcome outcome = evaluatePremium(sheet);
    if (const Coefficient *bad = std::get_if<Coefficient>(&outcome)) {
        showMessage(u"Неверное значение коэффициента "_s + shortName(*bad));
        return false;
    }
    sheet.setText(SheetText::T, std::get<Money>(outcome).toText());
    return true;
}

} // namespace karvo
