#pragma once

#include "model/PremiumSheet.h"

#include <QString>

#include <optional>
#include <span>

// Steps 4 to 7: КО (limit on permitted drivers), КВС (age and experience), КМ
// (engine power, also shown in kilowatts) and КС (months of use). Each choice
// writes its coefficient text and, for steps 4 to 6, a choice code that the
// saved inputs keep.
namespace karvo {

struct KoChoice
{
    QString caption; // the first one starts with a blank
    QString ko;
    QString code; // "1" or "2"
};
std::span<const KoChoice> koChoices(); // Option1, Option2

struct KvsRow
{
    QString item;
    QString kvs;
};
std::span<const KvsRow> kvsRows(); // List10 in order

struct KmRow
{
    QString item;
    QString km;
    QString firstFigure; // horsepower, e.g. "50"
    QString secondFigure; // "0" when the item names one figure only
};
std::span<const KmRow> kmRows(); // List1 in order

struct KsRow
{
    QString period; // "10 месяцев и более " ends with a blank
    QString ks;
};
std::span<const KsRow> ksRows(); // Combo2 in order

// КО choice 0 or 1 (Option1, Option2): writes КО and its code.
void chooseKo(PremiumSheet &sheet, int choice);
// The selected item text of the КВС list: on an exact match writes КВС, then
// the item's index as its code. Returns whether it matched.
bool chooseKvs(PremiumSheet &sheet, const QString &item);
// The КМ list: the matching row (the window then writes the two figures),
// after КМ and the index were written to the sheet.
std::optional<KmRow> chooseKm(PremiumSheet &sheet, const QString &item);
// The КС drop-down: on an exact match writes КС.
bool chooseKs(PremiumSheet &sheet, const QString &period);

// Horsepower text → "36,775 кВт": the figure in fixed point divided as a double
// by 1.35962, rounded back to four decimals, halves to even.
QString kilowattText(const QString &horsepower);
// The second figure's label: empty when the figure reads as 0.
QString secondKilowattText(const QString &horsepower);

} // namespace karvo
