#pragma once

#include <QString>

// The messages of "Расчет" when it cannot write Т.
namespace karvo::formula_texts {

// Followed by the short name of the coefficient to blame ("КТ").
inline const QString kWrongCoefficientPrefix = QStringLiteral("Неверное значение коэффициента ");
// Usable coefficients whose product is beyond what Т can hold.
inline const QString kTooLarge = QStringLiteral("Слишком большое значение Т: расчет невозможен");

} // namespace karvo::formula_texts
