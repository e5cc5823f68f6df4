#include "model/StepRules.h"

#include "model/FormulaTexts.h"
#include "model/TermAndViolation.h"

namespace karvo {

std::optional<Coefficient> missingToLeave(const PremiumSheet &sheet, int step)
{
    const auto required = [&sheet](Coefficient coefficient) -> std::optional<Coefficient> {
        if (sheet.coefficient(coefficient).isEmpty())
            return coefficient;
        return std::nullopt;
    };
    switch (step) {
    case 2:
        return required(Coefficient::Kt);
    case 3:
        return required(Coefficient::Kbm);
    case 7:
        return required(Coefficient::Ks);
    case 8:
        if (mayLeaveStep8(sheet))
            return std::nullopt;
        return Coefficient::Kp;
    default:
        return std::nullopt;
    }
}

QString refusalToLeave(const PremiumSheet &sheet, int step)
{
    const std::optional<Coefficient> missing = missingToLeave(sheet, step);
    if (!missing)
        return {};
    return formula_texts::kNotSetPrefix + shortName(*missing);
}

} // namespace karvo
