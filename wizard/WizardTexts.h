#pragma once

#include "model/FormulaTexts.h"

#include <QString>

// The wizard's own words, shared by the three step windows. Texts that belong
// to one control only stand in that window's layout table.
namespace karvo::texts {

inline const QString kNext = QStringLiteral("Далее >>");
inline const QString kBack = QStringLiteral("<<Назад ");
inline const QString kExit = QStringLiteral("Выход");
inline const QString kNote = QStringLiteral("Примечание");
inline const QString kPressNextHint = QStringLiteral("Нажмите кнопку  Далее>>");
inline const QString kChooseHint = QStringLiteral("Выбрать ");

// Step 7 hands the period of use on to the reminder check of step 10.
inline const QString kReminderCaptionPrefix = QStringLiteral("Запустить программу через ");
inline const QString kTickReminderFirst = QStringLiteral("Установите флажок");

// The link to the journal of calculations, on steps 1 and 10.
inline const QString kJournalLink = QStringLiteral("Журнал расчетов");

// How Т was made, shown after "Расчет" on step 10.
inline const QString kExplanationCaption = QStringLiteral("Расчет премии");
inline const QString kExplanationLink = QStringLiteral("Как рассчитано");
inline const QString kRoundedEveryStep
    = QStringLiteral("Каждое произведение округляется до четырех знаков после запятой.");
inline const QString kRoundedAfterBracket = QStringLiteral("Произведение в скобках округляется до четырех "
                                                           "знаков после запятой, дальше округляется только "
                                                           "итоговое значение.");
inline const QString kRoundedAtEnd
    = QStringLiteral("Округляется только итоговое значение (до четырех знаков после запятой).");
// Followed by the maximum's formula, its values and its value.
inline const QString kMaximumPrefix
    = QStringLiteral("Предельный размер страховой премии (статья 9 Федерального закона \"Об обязательном "
                     "страховании гражданской ответственности владельцев транспортных средств\"): ");
inline const QString kWithinMaximum = QStringLiteral("Т не превышает предельного размера.");
// %1 is the maximum.
inline const QString kAboveMaximum = formula_texts::kAboveMaximum;

} // namespace karvo::texts
