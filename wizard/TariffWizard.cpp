#include "wizard/TariffWizard.h"

#include "model/BaseTariffs.h"
#include "model/StepChoices.h"
#include "model/StepRules.h"
#include "model/TermAndViolation.h"
#include "platform/Messages.h"
#include "reminder/ReminderDate.h"
#include "storage/SavedInputs.h"
#include "wizard/CategoryWindow.h"
#include "wizard/DriversWindow.h"
#include "wizard/PremiumWindow.h"
#include "wizard/WizardTexts.h"

#include <QCoreApplication>
#include <QTime>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

TariffWizard::TariffWizard(QObject *parent)
    : QObject(parent)
{
}

TariffWizard::~TariffWizard() = default;

void TariffWizard::start()
{
    m_categoryWindow = std::make_unique<CategoryWindow>(m_sheet);
    wire(m_categoryWindow.get());
    connect(m_categoryWindow.get(), &CategoryWindow::restoreClicked, this, &TariffWizard::restoreRequested);
    connect(m_categoryWindow.get(), &CategoryWindow::journalClicked, this, &TariffWizard::journalRequested);

    m_sheet.setText(SheetText::StartTime, shortTimeText(QTime::currentTime()));
    m_sheet.setReminderWanted(readRememberedReminderTick());

    // What every step starts from, whenever its window is built.
    startCalculation(m_sheet);

    // The default category fixes the owner kind that step 10 starts from.
    karvo::selectCategory(m_sheet, kDefaultCategory);
    m_categoryWindow->show();
}

PremiumWindow *TariffWizard::premiumWindow()
{
    if (!m_premiumWindow) {
        m_premiumWindow = std::make_unique<PremiumWindow>(m_sheet);
        wire(m_premiumWindow.get());
        connect(m_premiumWindow.get(), &PremiumWindow::saveInputsRequested, this,
            &TariffWizard::saveInputsRequested);
        connect(m_premiumWindow.get(), &PremiumWindow::reportRequested, this, &TariffWizard::reportRequested);
        connect(m_premiumWindow.get(), &PremiumWindow::reportOpenRequested, this,
            &TariffWizard::reportOpenRequested);
        connect(
            m_premiumWindow.get(), &PremiumWindow::reminderRequested, this, &TariffWizard::reminderRequested);
        connect(m_premiumWindow.get(), &PremiumWindow::calculated, this, &TariffWizard::calculated);
        connect(m_premiumWindow.get(), &PremiumWindow::journalClicked, this, &TariffWizard::journalRequested);
    }
    return m_premiumWindow.get();
}

DriversWindow *TariffWizard::driversWindow()
{
    if (!m_driversWindow) {
        m_driversWindow = std::make_unique<DriversWindow>(m_sheet);
        wire(m_driversWindow.get());
    }
    return m_driversWindow.get();
}

void TariffWizard::wire(StepWindow *window)
{
    connect(window, &StepWindow::nextClicked, this, &TariffWizard::next);
    connect(window, &StepWindow::backClicked, this, &TariffWizard::back);
    connect(window, &StepWindow::exitClicked, this, &TariffWizard::exit);
}

bool TariffWizard::mayLeave(int step)
{
    if (const QString refusal = refusalToLeave(m_sheet, step); !refusal.isEmpty()) {
        showMessage(refusal);
        return false;
    }
    return true;
}

void TariffWizard::switchWindow(StepWindow *from, StepWindow *to)
{
    // The new window appears before the old one goes, so that the change
    // looks like a change of page.
    to->show();
    to->raise();
    to->activateWindow();
    from->hide();
}

void TariffWizard::next(int step)
{
    switch (step) {
    case 1: {
        m_categoryWindow->showStep(2);
        // Choosing the column empties the region and the town, which belong
        // to the other column. In the same column they still hold: that is
        // the territory a load of saved inputs has just replayed, and emptied
        // it would be saved empty by the next "Расчет".
        const TerritoryColumn column = territoryColumnFor(m_sheet.category());
        if (column != m_sheet.territoryColumn())
            chooseKtColumn(m_sheet, column);
        break;
    }
    case 2:
        if (mayLeave(step))
            switchWindow(m_categoryWindow.get(), driversWindow());
        break;
    case 3:
        if (mayLeave(step))
            driversWindow()->showStep(4);
        break;
    case 4:
    case 5:
    case 6:
        driversWindow()->showStep(step + 1);
        break;
    case 7:
        if (mayLeave(step))
            switchWindow(driversWindow(), premiumWindow());
        break;
    case 8:
        if (mayLeave(step))
            premiumWindow()->showStep(9);
        // КН follows the contract history of step 3, also after a refusal.
        deriveKn(m_sheet, m_sheet.text(SheetText::Payouts));
        break;
    case 9:
        premiumWindow()->showStep(10);
        leaveStep9Forward(m_sheet);
        break;
    default:
        break;
    }
}

void TariffWizard::back(int step)
{
    switch (step) {
    case 2:
        m_categoryWindow->showStep(1);
        emptyTerritory(m_sheet);
        break;
    case 3:
        // The only change of window that hides the old one first.
        driversWindow()->hide();
        m_categoryWindow->show();
        m_categoryWindow->raise();
        m_categoryWindow->activateWindow();
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        driversWindow()->showStep(step - 1);
        break;
    case 8:
        switchWindow(premiumWindow(), driversWindow());
        break;
    case 9:
        premiumWindow()->showStep(8);
        break;
    case 10:
        premiumWindow()->showStep(9);
        returnToStep9(m_sheet);
        break;
    default:
        break;
    }
}

void TariffWizard::showFirstStep()
{
    for (StepWindow *window : { static_cast<StepWindow *>(m_driversWindow.get()),
             static_cast<StepWindow *>(m_premiumWindow.get()) }) {
        if (window)
            window->hide();
    }
    m_categoryWindow->showStep(1);
    m_categoryWindow->show();
    m_categoryWindow->raise();
    m_categoryWindow->activateWindow();
}

void TariffWizard::exit()
{
    emit exiting();
    QCoreApplication::exit(0);
}

} // namespace karvo
