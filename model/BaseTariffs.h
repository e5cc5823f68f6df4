#pragma once

#include "model/PremiumSheet.h"

#include <QString>

#include <span>

// Step 1: the sixteen vehicle categories with their base tariff ТБ, and the
// check for vehicles registered abroad that switches the sheet to the foreign
// case. Step 2's choice of the territory column also lives here, since it
// follows from the category.
namespace karvo {

struct BaseTariff
{
    QString caption; // exactly as on step 1, double spaces included
    int tb; // whole roubles
    OwnerKind ownerKind;
};

// The step-1 title, also the report's heading of ТБ.
inline const QString kBaseTariffsTitle = QStringLiteral("Базовые страховые тарифы (ТБ)");

// Rows 1 … 16 are elements 0 … 15.
std::span<const BaseTariff> baseTariffs();
inline constexpr int kCategoryCount = 16;
inline constexpr int kDefaultCategory = 3;

// The captions of the two territory columns of step 2, trailing blanks and breaks included.
QString territoryColumnCaption(TerritoryColumn column);

// The fixed КТ and КС of a vehicle registered abroad.
inline const QString kForeignKt = QStringLiteral("1,7");
inline const QString kForeignKs = QStringLiteral("1");

// The user's choice of category `row` (1 … 16): ТБ, then the owner kind, then
// the category. Nothing else follows the category.
void selectCategory(PremiumSheet &sheet, int row);

// The tractors' column for the tractor rows 15 and 16, the vehicles' column
// for every other row.
TerritoryColumn territoryColumnFor(int row);

// Sets the territory column alone; chooseKtColumn() in StepChoices.h is the
// user's choice, which also empties the region and the towns.
void selectTerritoryColumn(PremiumSheet &sheet, TerritoryColumn column);

// The sheet side of the step-1 check for vehicles registered abroad: the
// registration case, the step-8 skip (which empties КП), КТ and КС. The windows
// show the hints, the option availability and the restore label from
// sheet.foreignRegistered().
void setForeignRegistered(PremiumSheet &sheet, bool on);

} // namespace karvo
