#pragma once

// One walk through the steps as a user makes it, column by column: every
// field that is left empty leaves its step as it stands.

#include "WizardDriver.h"

#include "wizard/CategoryWindow.h"
#include "wizard/DriversWindow.h"
#include "wizard/PremiumWindow.h"
#include "wizard/TariffWizard.h"

#include <QListWidget>

#include <functional>

namespace karvo::driver {

struct Walk
{
    int from = 1; // the step the walk starts on
    int category = 0; // 1 … 16
    bool foreign = false;
    QString region = {};
    QString town = {};
    bool renewal = false;
    QString startClass = {};
    QString payouts = {};
    QString drivers = {}; // the step-4 choice: "driversLimited" or "driversUnlimited"
    int kvsRow = -1;
    int kmRow = -1;
    QString period = {};
    QString term = {};
    QStringList step10 = {}; // the controls clicked on step 10 before "Расчет"
    int to = 10; // the last step walked; on 10, "Расчет" is pressed
    // Called on each step once its choices are made, before it is left.
    std::function<void(int step)> beforeLeaving = {};
};

inline StepWindow *stepWindow(TariffWizard &wizard, int step)
{
    if (step <= 2)
        return wizard.categoryWindow();
    if (step <= 7)
        return wizard.driversWindow();
    return wizard.premiumWindow();
}

inline void walk(TariffWizard &wizard, const Walk &w)
{
    const auto on = [&w](int step) { return w.from <= step && step <= w.to; };
    const auto leave = [&w](StepWindow *window, int step, const QString &next) {
        if (w.beforeLeaving)
            w.beforeLeaving(step);
        click(window, next);
    };
    CategoryWindow *category = wizard.categoryWindow();
    if (on(1)) {
        if (w.category)
            click(category, QStringLiteral("category") + QString::number(w.category));
        if (w.foreign)
            click(category, QStringLiteral("foreignCheck"));
        leave(category, 1, QStringLiteral("step1Next"));
    }
    if (on(2)) {
        if (!w.region.isEmpty())
            pick(category, QStringLiteral("regionBox"), w.region);
        if (!w.town.isEmpty())
            pick(find<QListWidget>(category, QStringLiteral("townList")), w.town);
        leave(category, 2, QStringLiteral("step2Next"));
    }
    if (w.to < 3)
        return;
    DriversWindow *drivers = wizard.driversWindow();
    if (on(3)) {
        if (w.renewal)
            click(drivers, QStringLiteral("renewalContract"));
        if (!w.startClass.isEmpty())
            pick(drivers, QStringLiteral("startClassBox"), w.startClass);
        if (!w.payouts.isEmpty())
            pick(drivers, QStringLiteral("payoutsBox"), w.payouts);
        leave(drivers, 3, QStringLiteral("step3Next"));
    }
    if (on(4)) {
        if (!w.drivers.isEmpty())
            click(drivers, w.drivers);
        leave(drivers, 4, QStringLiteral("step4Next"));
    }
    if (on(5)) {
        if (w.kvsRow >= 0)
            pickRow(find<QListWidget>(drivers, QStringLiteral("kvsList")), w.kvsRow);
        leave(drivers, 5, QStringLiteral("step5Next"));
    }
    if (on(6)) {
        if (w.kmRow >= 0)
            pickRow(find<QListWidget>(drivers, QStringLiteral("kmList")), w.kmRow);
        leave(drivers, 6, QStringLiteral("step6Next"));
    }
    if (on(7)) {
        if (!w.period.isEmpty())
            pick(drivers, QStringLiteral("periodBox"), w.period);
        leave(drivers, 7, QStringLiteral("step7Next"));
    }
    if (w.to < 8)
        return;
    PremiumWindow *premium = wizard.premiumWindow();
    if (on(8)) {
        if (!w.term.isEmpty())
            pick(premium, QStringLiteral("termBox"), w.term);
        leave(premium, 8, QStringLiteral("step8Next"));
    }
    if (on(9))
        leave(premium, 9, QStringLiteral("step9Next"));
    if (on(10)) {
        for (const QString &control : w.step10)
            click(premium, control);
        leave(premium, 10, QStringLiteral("calculateButton"));
    }
}

} // namespace karvo::driver
