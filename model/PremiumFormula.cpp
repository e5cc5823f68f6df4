#include "model/PremiumFormula.h"

#include "model/BaseTariffs.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "model/FormulaTexts.h"
#include "model/TermAndViolation.h"
#include "model/TerritoryTable.h"

#include <array>

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
    // КТ, or the 1,7 that stands for it abroad: what the legal maximum takes
    // as the territory coefficient of the row.
    bool territory = false;
};

// clang-format off
constexpr Factor f(Coefficient c) { return {Factor::Sheet, c, 0.0, c == C::Kt}; }
constexpr Factor k(double value) { return {Factor::Constant, C::Tb, value, false}; }
constexpr Factor kt(double value) { return {Factor::Constant, C::Tb, value, true}; }

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

    static const FormulaRow foreignIndividualB{{f(C::Tb), kt(1.7), k(1.7), f(C::Km), f(C::Kp), f(C::Kn)}, true};
    static const FormulaRow foreignIndividualOther{{f(C::Tb), kt(1.7), k(1.7), f(C::Kp), f(C::Kn)}, true};
    static const FormulaRow foreignLegalB{{f(C::Tb), kt(1.7), k(1.8), f(C::Km), f(C::Kp), f(C::Kn)}, true};
    static const FormulaRow foreignLegalOther{{f(C::Tb), kt(1.7), k(1.8), f(C::Kp), f(C::Kn)}, true};
    static const FormulaRow foreignTrailer{{f(C::Tb), kt(1.7), f(C::Kp)}, true};

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

using Values = std::array<Money, kAllCoefficients.size()>;

// The largest value each coefficient's table (or the rule that writes it) can
// give, for telling a typing slip from an ordinary value.
const Values &largestTableValues()
{
    static const Values largest = [] {
        Values values {};
        const auto raise = [&values](Coefficient c, const QString &text) {
            const std::optional<Money> value = Money::parse(text);
            Q_ASSERT(value);
            if (value && value->raw() > values[std::size_t(c)].raw())
                values[std::size_t(c)] = *value;
        };
        for (const BaseTariff &row : baseTariffs())
            raise(C::Tb, QString::number(row.tb));
        for (const TerritoryRow &row : TerritoryTable::rows()) {
            raise(C::Kt, row.ktVehicles);
            raise(C::Kt, row.ktTractors);
        }
        raise(C::Kt, kForeignKt);
        for (const QString &bonusMalusClass : bonusMalusClasses())
            raise(C::Kbm, coefficientOfClass(bonusMalusClass).value_or(QString()));
        for (const KoChoice &choice : koChoices())
            raise(C::Ko, choice.ko);
        for (const KvsRow &row : kvsRows())
            raise(C::Kvs, row.kvs);
        for (const KmRow &row : kmRows())
            raise(C::Km, row.km);
        for (const KsRow &row : ksRows())
            raise(C::Ks, row.ks);
        raise(C::Ks, kForeignKs);
        for (const TermRow &row : kpTermTable())
            raise(C::Kp, row.kp);
        // КП filled in for a vehicle that skipped step 8, and КН of either
        // contract kind: the rules that write them are their only table.
        PremiumSheet scratch;
        leaveStep9Forward(scratch);
        raise(C::Kp, scratch.coefficient(C::Kp));
        for (ContractKind kind : { ContractKind::FirstTime, ContractKind::Renewal }) {
            scratch.setContractKind(kind);
            deriveKn(scratch, u"1"_s);
            raise(C::Kn, scratch.coefficient(C::Kn));
        }
        return values;
    }();
    return largest;
}

bool beyondTable(Coefficient c, const Values &values)
{
    return values[std::size_t(c)].raw() > largestTableValues()[std::size_t(c)].raw();
}

// The running product left the fixed-point range at `stoppedAt`. The largest
// values of all tables multiply to a few ten thousand roubles, so a value
// beyond its table made it: `stoppedAt` when it is one, else the one of the
// row furthest beyond its table. Blaming an ordinary coefficient would send
// the user to a value that is right.
PremiumOutcome blameOverflow(const FormulaRow &row, const Values &values, Coefficient stoppedAt)
{
    if (beyondTable(stoppedAt, values))
        return stoppedAt;
    std::optional<Coefficient> worst;
    double worstRatio = 1.0;
    for (const Factor &factor : row.factors) {
        if (factor.kind != Factor::Sheet || !beyondTable(factor.coefficient, values))
            continue;
        const std::size_t i = std::size_t(factor.coefficient);
        const double ratio = values[i].toDouble() / largestTableValues()[i].toDouble();
        if (!worst || ratio > worstRatio) {
            worst = factor.coefficient;
            worstRatio = ratio;
        }
    }
    if (worst)
        return *worst;
    return PremiumTooLarge {};
}

PremiumOutcome multiply(const FormulaRow &row, const Values &values)
{
    const std::size_t fixedCount = row.floating ? std::max<std::size_t>(row.bracket, 1) : row.factors.size();
    Money fixed = values[std::size_t(row.factors.front().coefficient)];
    for (std::size_t i = 1; i < fixedCount; ++i) {
        const Coefficient c = row.factors[i].coefficient;
        const std::optional<Money> product = fixed.times(values[std::size_t(c)]);
        if (!product)
            return blameOverflow(row, values, c);
        fixed = *product;
    }
    if (!row.floating)
        return fixed;

    // The product is checked after every factor, so that a value too large
    // for the fixed-point result is caught where it happens (a constant's
    // overflow on the coefficient before it).
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
        return blameOverflow(row, values, culprit);
    return *result;
}

struct Evaluation
{
    PremiumOutcome outcome;
    const FormulaRow *row = nullptr; // set once every coefficient was read
    Values values {};
};

Evaluation evaluate(const Calculation &sheet)
{
    Evaluation evaluation { Money() };
    // Every coefficient is read on every call, also those the row leaves out.
    for (Coefficient c : kAllCoefficients) {
        const std::optional<Money> value = Money::parse(sheet.coefficient(c));
        if (!value || value->isNegative()) {
            evaluation.outcome = c;
            return evaluation;
        }
        evaluation.values[std::size_t(c)] = *value;
    }

    // Any owner kind but "individual" counts as a legal entity.
    const Owner owner = sheet.owner == OwnerKind::Individual ? Owner::Individual : Owner::Legal;
    evaluation.row = &rowFor(sheet.registration, owner, sheet.group);
    evaluation.outcome = multiply(*evaluation.row, evaluation.values);
    return evaluation;
}

PremiumFactor shownFactor(const Factor &factor, const Values &values)
{
    if (factor.kind == Factor::Constant)
        return { std::nullopt, Money::fromDouble(factor.constant).value_or(Money()) };
    return { factor.coefficient, values[std::size_t(factor.coefficient)] };
}

} // namespace

PremiumOutcome evaluatePremium(const Calculation &calculation)
{
    return evaluate(calculation).outcome;
}

QString computePremium(PremiumSheet &sheet)
{
    const PremiumOutcome outcome = evaluatePremium(sheet);
    if (const Money *t = std::get_if<Money>(&outcome)) {
        sheet.setPremium(t->toText());
        return {};
    }
    // A refused "Расчет" shows no Т: an earlier one belongs to other inputs.
    sheet.setPremium(QString());
    if (const Coefficient *bad = std::get_if<Coefficient>(&outcome))
        return formula_texts::kWrongCoefficientPrefix + shortName(*bad);
    return formula_texts::kTooLarge;
}

QString PremiumFactor::name() const
{
    return coefficient ? shortName(*coefficient) : value.toText();
}

std::optional<PremiumBreakdown> explainPremium(const Calculation &calculation)
{
    const Evaluation evaluation = evaluate(calculation);
    const Money *t = std::get_if<Money>(&evaluation.outcome);
    if (!t)
        return std::nullopt;
    const FormulaRow &row = *evaluation.row;

    PremiumBreakdown breakdown;
    breakdown.bracket = row.bracket;
    breakdown.floating = row.floating;
    breakdown.t = *t;
    bool appliesKn = false;
    for (const Factor &factor : row.factors) {
        const PremiumFactor shown = shownFactor(factor, evaluation.values);
        breakdown.factors.push_back(shown);
        const bool sheetFactor = factor.kind == Factor::Sheet;
        if ((sheetFactor && factor.coefficient == C::Tb) || factor.territory)
            breakdown.maximumFactors.push_back(shown);
        appliesKn = appliesKn || (sheetFactor && factor.coefficient == C::Kn);
    }

    // Art. 9 of the federal law on compulsory motor liability insurance.
    const bool violations
        = appliesKn && evaluation.values[std::size_t(C::Kn)].raw() > Money::fromInt(1).raw();
    breakdown.maximumTimes = violations ? 5 : 3;
    std::optional<Money> maximum = Money::fromInt(breakdown.maximumTimes);
    for (const PremiumFactor &factor : breakdown.maximumFactors)
        maximum = maximum ? maximum->times(factor.value) : std::nullopt;
    breakdown.maximum = maximum;
    breakdown.exceedsMaximum = maximum && t->raw() > maximum->raw();
    return breakdown;
}

QString maximumWarning(const PremiumBreakdown &breakdown)
{
    if (breakdown.exceedsMaximum && breakdown.maximum)
        return formula_texts::kAboveMaximum.arg(breakdown.maximum->toText());
    return {};
}

} // namespace karvo
