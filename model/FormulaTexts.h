#pragma once

#include <QString>

// The messages of "Расчет" when it cannot write Т.
namespace karvo::formula_texts {

// Followed by the short name of the coefficient to blame ("КТ").
inline const QString kWrongCoefficientPrefix = QStringLiteral("Неверное значение коэффициента ");
// Usable coefficients whose product is beyond what Т can hold.
inline const QString kTooLarge = QStringLiteral("Слишком большое значение Т: расчет невозможен");

// Т above the legal maximum, on the screen and in the report; %1 is the maximum.
inline const QString kAboveMaximum
    = QStringLiteral("Т превышает предельный размер: страховая премия не может превышать %1 руб.");

} // namespace karvo::formula_texts
