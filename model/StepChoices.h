#pragma once

#include "model/PremiumSheet.h"

#include <QString>

// The choices of step 2 (region and town group) and step 3 (contract kind,
// start class, payouts) as operations on the sheet: the windows run them for
// the user's picks, the replay of saved inputs for the stored ones, and the
// windows show what they leave in the sheet. Also the state a calculation
// starts from.
namespace karvo {

// The captions of the step-3 contract choices and of the step-10 owner and
// registration choices, exactly as the windows show them.
QString contractCaption(ContractKind kind);
QString ownerCaption(OwnerKind kind); // empty for Unset
QString registrationCaption(RegistrationCase registration);

// What every step starts from: step 3 a first contract, step 4 a limited
// number of drivers, steps 5 and 6 the first rows of their lists, step 8
// skipped, step 10 no owner kind yet and group B.
void startCalculation(PremiumSheet &sheet);

// A territory column chosen (by the user, or by leaving step 1 for the
// column of another category): the region and the towns of the other column
// go; КТ keeps its value until the next region or town.
void chooseKtColumn(PremiumSheet &sheet, TerritoryColumn column);
// Step 2 "<<Назад ": no region, no towns, no КТ.
void emptyTerritory(PremiumSheet &sheet);

// A region picked from the list: its town groups are listed and the first is
// chosen. Text that names no region changes nothing.
void selectRegion(PremiumSheet &sheet, const QString &region);
// A town group of the list: КТ of the listed region, town and column; a
// replayed region that is no row of the table finds none, and КТ keeps its
// value.
void selectTownGroup(PremiumSheet &sheet, const QString &townGroup);
// A replayed territory: the region text as stored and its town group as the
// one listed, chosen.
void replayTerritory(PremiumSheet &sheet, const QString &region, const QString &townGroup);

// A first contract starts in class 3 with its КБМ; a renewal waits for both
// the start class and the payouts. Either way the payouts and the end class
// are emptied, even when the kind does not change.
void selectContractKind(PremiumSheet &sheet, ContractKind kind);
// The start class or the payouts as the sheet now holds them (picked):
// a first contract takes the КБМ of its class, a renewal the КБМ of the class
// it ends in, once both are listed values.
void applyStartClass(PremiumSheet &sheet);
void applyPayouts(PremiumSheet &sheet);

} // namespace karvo
