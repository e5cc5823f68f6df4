#pragma once

#include <QString>

// The messages of "Расчет" when it cannot write Т, and of "Далее >>" when a
// step lacks its coefficient.
namespace karvo::formula_texts {

// A step that lacks its coefficient: the prefix plus the short name ("КТ").
inline const QString kNotSetPrefix = QStringLiteral("Не установлен коэффициент ");

// Followed by the short name of the coefficient to blame ("КТ").
inline const QString kWrongCoefficientPrefix = QStringLiteral("Неверное значение коэффициента ");
// Usable coefficients whose product is beyond what Т can hold.
inline const QString kTooLarge = QStringLiteral("Слишком большое значение Т: расчет невозможен");

// Т above the legal maximum, on the screen and in the report; %1 is the maximum.
inline const QString kAboveMaximum
    = QStringLiteral("Т превышает предельный размер: страховая премия не может превышать %1 руб.");

} // namespace karvo::formula_texts
