#include "wizard/TariffWizard.h"

#include "model/BaseTariffs.h"
#include "model/TermAndViolation.h"
#include "platform/Messages.h"
#include "reminder/ReminderDate.h"
#include "storage/SavedInputs.h"
#include "wizard/Form1.h"
#include "wizard/Form2.h"
#include "wizard/Form3.h"
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
    m_form1 = std::make_unique<Form1>(m_sheet);
    wire(m_form1.get());
    connect(m_form1.get(), &Form1::foreignRegisteredToggled, this, &TariffWizard::setForeignRegistered);
    connect(m_form1.get(), &Form1::restoreClicked, this, &TariffWizard::restoreRequested);

    m_sheet.setText(SheetText::StartTime, shortTimeText(QTime::currentTime()));
    m_sheet.setReminderWanted(readRememberedReminderTick());

    m_form3 = std::make_unique<Form3>(m_sheet);
    wire(m_form3.get());
    connect(m_form3.get(), &Form3::saveInputsRequested, this, &TariffWizard::saveInputsRequested);
    connect(m_form3.get(), &Form3::reportRequested, this, &TariffWizard::reportRequested);
    connect(m_form3.get(), &Form3::reportOpenRequested, this, &TariffWizard::reportOpenRequested);
    connect(m_form3.get(), &Form3::reminderRequested, this, &TariffWizard::reminderRequested);

    // The default category fixes the owner kind that step 10 starts from.
    m_form1->selectCategory(kDefaultCategory);
    m_form1->show();
}

Form2 *TariffWizard::form2()
{
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>(m_sheet);
        wire(m_form2.get());
    }
    return m_form2.get();
}

void TariffWizard::wire(StepWindow *window)
{
    connect(window, &StepWindow::nextClicked, this, &TariffWizard::next);
    connect(window, &StepWindow::backClicked, this, &TariffWizard::back);
    connect(window, &StepWindow::exitClicked, this, &TariffWizard::exit);
}

bool TariffWizard::requireCoefficient(Coefficient coefficient)
{
    if (!m_sheet.coefficient(coefficient).isEmpty())
        return true;
    showMessage(texts::kNotSetPrefix + shortName(coefficient));
    return false;
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
        m_form1->showStep(2);
        // Choosing the column empties the region and the town, which belong
        // to the other column. In the same column they still hold: that is
        // the territory a load of saved inputs has just replayed, and emptied
        // it would be saved empty by the next "Расчет".
        const QString variant = ktVariantForCategory(m_form1->selectedCategory());
        if (variant != m_sheet.text(SheetText::KtVariant))
            m_form1->selectKtVariant(variant);
        break;
    }
    case 2:
        if (requireCoefficient(Coefficient::Kt))
            switchWindow(m_form1.get(), form2());
        break;
    case 3:
        if (requireCoefficient(Coefficient::Kbm))
            form2()->showStep(4);
        break;
    case 4:
    case 5:
    case 6:
        form2()->showStep(step + 1);
        break;
    case 7:
        if (requireCoefficient(Coefficient::Ks)) {
            m_form3->setReminderCaption(texts::kReminderCaptionPrefix + m_sheet.text(SheetText::Period));
            switchWindow(form2(), m_form3.get());
        }
        break;
    case 8:
        if (mayLeaveStep8(m_sheet))
            m_form3->showStep(9);
        else
            showMessage(texts::kNotSetPrefix + shortName(Coefficient::Kp));
        // КН follows the contract history of step 3, also after a refusal.
        deriveKn(m_sheet, m_sheet.text(SheetText::Payouts));
        break;
    case 9:
        m_form3->showStep(10);
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
        m_form1->showStep(1);
        m_form1->emptyTerritory();
        break;
    case 3:
        // The only change of window that hides the old one first.
        form2()->hide();
        m_form1->show();
        m_form1->raise();
        m_form1->activateWindow();
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        form2()->showStep(step - 1);
        break;
    case 8:
        switchWindow(m_form3.get(), form2());
        break;
    case 9:
        m_form3->showStep(8);
        break;
    case 10:
        m_form3->showStep(9);
        returnToStep9(m_sheet);
        break;
    default:
        break;
    }
}

void TariffWizard::exit()
{
    emit exiting();
    QCoreApplication::exit(0);
}

void TariffWizard::setForeignRegistered(bool on)
{
    // The check reaches into the steps 3-7 window (hints, КС), which is
    // created for it if need be.
    form2();
    karvo::setForeignRegistered(m_sheet, on);
}

} // namespace karvo
