#pragma once

#include "journal/JournalTexts.h"

#include <QString>

// The words of `karvo --calculate`: the short texts a list of vehicles may
// use for a choice, the sentences of a row that cannot be read, and the
// command line's.
namespace karvo::batch_texts {

// The last column of the output: why a row has no Т.
inline const QString kErrorTitle = journal_texts::kErrorTitle;

// Short texts a spreadsheet may hold instead of a code, beside the captions
// of the windows. Registration, "t2".
inline const QString kRegisteredInRussia = QStringLiteral("Регистрация в России");
inline const QString kTravellingToRegistration = QStringLiteral("Следование к месту регистрации");
// "Иностранная регистрация" is the journal window's own text.
// Vehicle group, "t3".
inline const QString kGroupB = QStringLiteral("Категория B");
inline const QString kGroupOther = QStringLiteral("Категории A, C, D и другие");
inline const QString kGroupTrailer = QStringLiteral("Прицеп");
// Contract kind, "kbm1", beside the step-3 captions.
inline const QString kFirstContract = QStringLiteral("Впервые");
inline const QString kRenewal = QStringLiteral("Продление");
// Drivers, "ko", beside the step-4 captions.
inline const QString kDriversLimited = QStringLiteral("С ограничением");
inline const QString kDriversUnlimited = QStringLiteral("Без ограничения");
// Yes and no, for "tb2", "kp0" and "ch".
inline const QString kYes = QStringLiteral("да");
inline const QString kNo = QStringLiteral("нет");

// A row that cannot be read. %1 the column's title, %2 why.
inline const QString kColumnProblem = QStringLiteral("столбец «%1»: %2");
// Why; %1 the text found.
inline const QString kNotGiven = QStringLiteral("не заполнен");
inline const QString kUnknownCategory = QStringLiteral("нет категории «%1» (код от 1 до 16 или название)");
inline const QString kUnknownRegion = QStringLiteral("нет региона «%1»");
// %1 the town, %2 the region.
inline const QString kTownOfAnotherRegion = QStringLiteral("в регионе «%2» нет пункта «%1»");
inline const QString kTownWithoutRegion = QStringLiteral("пункт «%1» указан без региона");
inline const QString kUnknownClass = QStringLiteral("класса «%1» нет (M, 0 … 13)");
inline const QString kUnknownPayouts = QStringLiteral("число выплат «%1» не из списка (0 … 4)");
inline const QString kUnknownChoice = QStringLiteral("значения «%1» нет в списке");
inline const QString kNotYesNo = QStringLiteral("«%1» — не «1», «0», «да» или «нет»");
inline const QString kNotADate = QStringLiteral("«%1» — не дата (ДД.ММ.ГГГГ ЧЧ:ММ)");
// %1 the other column.
inline const QString kForeignMismatch
    = QStringLiteral("регистрация не совпадает со столбцом «%1» (иностранная регистрация)");
inline const QString kTermWhileSkipped = QStringLiteral("срок указан, а в столбце «%1» шаг 8 пропущен");
// The record itself. %1 the first column it lacks, %2 its fields, %3 the header's.
inline const QString kMissingColumns = QStringLiteral("в строке нет столбца «%1»: полей %2 из %3");
inline const QString kExtraFields = QStringLiteral("в строке полей %1, а в заголовке %2");
// %1 the limit in kilobytes.
inline const QString kRecordTooLong = QStringLiteral("строка длиннее %1 КБ");
inline const QString kEmptyRow = QStringLiteral("пустая строка");
inline const QString kOpenQuote = QStringLiteral("кавычка не закрыта до конца файла");
inline const QString kNotUtf8 = QStringLiteral("строка не в кодировке UTF-8");

// The command line.
inline const QString kOptionsHelp
    = QStringLiteral("      --calculate ВХОД ВЫХОД\n"
                     "                 рассчитать Т для каждой строки списка ВХОД (CSV журнала расчетов;\n"
                     "                 «-» — стандартный ввод) и записать список с коэффициентами, Т и\n"
                     "                 столбцом «Ошибка» в ВЫХОД («-» — стандартный вывод)\n"
    "                 Столбцы: tb категория, kt1 регион, kt2 населенный пункт, kbm1 договор,\n"
    "                 kbm2 класс, kbm3 выплаты, ko водители, kvs возраст и стаж, km мощность,\n"
    "                 ks1 период, tb2 иностранная регистрация, kp0 и kp1 срок, t1 собственник,\n"
    "                 t2 регистрация, t3 вид ТС; коэффициенты ТБ … КН: пусто — по выбору.\n"
    "                 Код или текст, как в окне; значения и примеры: man karvo\n"
                     "      --calculate-template ФАЙЛ\n"
                     "                 записать в ФАЙЛ заголовок и примеры строк для --calculate и выйти\n");
// %1 the option.
inline const QString kTwoFiles = QStringLiteral("karvo: после %1 укажите два имени файла: ВХОД и ВЫХОД\n");
// %1 the file.
inline const QString kNotAList = QStringLiteral(
    "файл %1 не является списком для расчета: в первой строке нет столбцов журнала расчетов");
// %1 rows, %2 of them refused or unreadable, %3 the sum of Т.
inline const QString kSummary = QStringLiteral("Рассчитано строк: %1, с ошибкой: %2, сумма премий: %3 руб.");
// %1 the number of examples, %2 the file.
inline const QString kTemplateWritten = QStringLiteral("Примеров записано: %1. Файл: %2");

} // namespace karvo::batch_texts
