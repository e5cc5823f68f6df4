#pragma once

#include "model/BaseTariffs.h"
#include "model/BonusMalus.h"
#include "model/DriverCoefficients.h"
#include "model/PremiumFormula.h"
#include "model/StepChoices.h"
#include "model/TermAndViolation.h"
#include "model/TerritoryTable.h"

#include <QDate>
#include <QRandomGenerator>
#include <QTime>

// Calculations as a user makes them: every choice through the operations the
// step windows run, in the order of the steps, then "Расчет". Random, from a
// seed: every category, foreign and travelling vehicles, first contracts in
// every class, renewals, every term.
namespace karvo::samples {

template <class List> auto pick(QRandomGenerator &random, const List &list)
{
    return list[qsizetype(random.bounded(int(list.size())))];
}

inline Calculation madeCalculation(QRandomGenerator &random)
{
    PremiumSheet sheet;
    startCalculation(sheet);
    sheet.setText(SheetText::StartTime,
        QTime(random.bounded(24), random.bounded(60)).toString(QStringLiteral("HH:mm")));
    sheet.setReminderWanted(random.bounded(2) == 1);
    selectCategory(sheet, 1 + random.bounded(kCategoryCount));
    const bool foreign = random.bounded(4) == 0;
    setForeignRegistered(sheet, foreign);
    // "Далее >>" of step 1 chooses the column of the category.
    chooseKtColumn(sheet, territoryColumnFor(sheet.category()));
    if (!foreign) {
        selectRegion(sheet, pick(random, TerritoryTable::regions()));
        selectTownGroup(sheet, pick(random, sheet.towns()));
    }
    const bool renewal = random.bounded(2) == 1;
    selectContractKind(sheet, renewal ? ContractKind::Renewal : ContractKind::FirstTime);
    sheet.setText(SheetText::StartClass, pick(random, bonusMalusClasses()));
    applyStartClass(sheet);
    if (renewal) {
        sheet.setText(SheetText::Payouts, pick(random, payoutCounts()));
        applyPayouts(sheet);
    }
    chooseKo(sheet, random.bounded(2));
    chooseKvs(sheet, pick(random, kvsRows()).item);
    chooseKm(sheet, pick(random, kmRows()).item);
    if (!foreign) {
        const QString period = pick(random, ksRows()).period;
        sheet.setText(SheetText::Period, period);
        chooseKs(sheet, period);
    } else {
        chooseTerm(sheet, pick(random, kpTermTable()).term);
    }
    deriveKn(sheet, sheet.text(SheetText::Payouts));
    leaveStep9Forward(sheet);
    if (sheet.ownerKind() == OwnerKind::Unset)
        sheet.setOwnerKind(random.bounded(2) == 1 ? OwnerKind::LegalEntity : OwnerKind::Individual);
    if (!foreign)
        sheet.setRegistrationCase(RegistrationCase(random.bounded(2)));
    sheet.setVehicleGroup(VehicleGroup(random.bounded(3)));
    if (sheet.reminderWanted())
        sheet.setText(SheetText::ReminderDate,
            QDate(2027, 1 + random.bounded(12), 1 + random.bounded(28))
                .toString(QStringLiteral("dd.MM.yyyy")));
    computePremium(sheet);
    return sheet.value();
}

} // namespace karvo::samples
