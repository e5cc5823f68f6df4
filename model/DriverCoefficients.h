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
std::span<const KoChoice> koChoices(); // limited drivers, any driver

struct KvsRow
{
    QString item;
    QString kvs;
};
std::span<const KvsRow> kvsRows(); // in the order of the step-5 list

struct KmRow
{
    QString item;
    QString km;
    QString firstFigure; // horsepower, e.g. "50"
    QString secondFigure; // "0" when the item names one figure only
};
std::span<const KmRow> kmRows(); // in the order of the step-6 list

struct KsRow
{
    QString period; // "10 месяцев и более " ends with a blank
    QString ks;
};
std::span<const KsRow> ksRows(); // in the order of the step-7 drop-down

// КО choice 0 (limited drivers) or 1 (any driver): writes КО and its code.
void chooseKo(PremiumSheet &sheet, int choice);
// The selected item text of the КВС list: on an exact match writes КВС, then
// the item's index as its code. Returns whether it matched.
bool chooseKvs(PremiumSheet &sheet, const QString &item);
// The КМ list: the matching row (the window shows its two figures from the
// index), after КМ and the index were written to the sheet.
std::optional<KmRow> chooseKm(PremiumSheet &sheet, const QString &item);
// The КС drop-down: on an exact match writes КС.
bool chooseKs(PremiumSheet &sheet, const QString &period);

// Horsepower text → "36,775 кВт": the figure in fixed point divided as a double
// by 1.35962, rounded back to four decimals, halves to even.
QString kilowattText(const QString &horsepower);
// The second figure's label: empty when the figure reads as 0.
QString secondKilowattText(const QString &horsepower);

// The two kilowatt labels beside the step-6 list.
struct PowerKilowatts
{
    QString first;
    QString second; // empty when the row names one figure only
};
// For the row of kmRows() chosen (the sheet's КМ index); both empty for no
// row.
PowerKilowatts powerKilowatts(int row);

} // namespace karvo
