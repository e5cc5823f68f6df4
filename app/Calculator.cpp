#include "app/Calculator.h"

#include "platform/Messages.h"
#include "reminder/ReminderDate.h"
#include "reminder/ReminderWindow.h"
#include "report/ReportBuilder.h"
#include "storage/IniFile.h"
#include "storage/SavedInputs.h"
#include "wizard/CategoryWindow.h"
#include "wizard/PremiumWindow.h"
#include "wizard/WizardTexts.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {

Calculator::Calculator(QObject *parent)
    : QObject(parent)
{
    connect(&m_wizard, &TariffWizard::saveInputsRequested, this, [this] {
        if (const QString error = writeStoredInputs(storedInputsOf(m_wizard.sheet().value()));
            !error.isEmpty())
            showMessage(kSaveFailedMessage + error);
    });
    connect(&m_wizard, &TariffWizard::restoreRequested, this, [this] { m_replay->loadSavedInputs(); });
    connect(&m_wizard, &TariffWizard::reportRequested, this, &Calculator::produceReport);
    connect(&m_wizard, &TariffWizard::reportOpenRequested, this, [this] {
        m_wizard.premiumWindow()->reportBox()->hide();
        karvo::openReport(tellUser);
    });
    connect(&m_wizard, &TariffWizard::reminderRequested, this, [this] { reminder()->open(); });
    connect(&m_wizard, &TariffWizard::calculated, this, [this] { m_journal.record(m_wizard.sheet()); });
    connect(&m_wizard, &TariffWizard::journalRequested, &m_journal, &Journal::showWindow);
    connect(&m_journal, &Journal::message, this, [](const QString &text) { showMessage(text); });
    // "Открыть" of the journal: the entry's calculation put back as it was,
    // from step 1, where the user walks on to "Расчет". A load of karvo.ini
    // still waiting would write into it: it no longer applies.
    connect(&m_journal, &Journal::openRequested, this, [this](const Calculation &calculation) {
        m_replay->cancel();
        m_wizard.sheet().restore(calculation);
        m_wizard.showFirstStep();
    });
}

Calculator::~Calculator() = default;

void Calculator::start()
{
    setIniFaultHandler([](const QString &procedure, const QString &text) { showMessage(text, procedure); });
    m_wizard.start();
    m_replay = std::make_unique<SavedInputsReplay>(m_wizard.sheet());
    // Going on from step 1 waits for the replay, which writes into every step.
    connect(m_replay.get(), &SavedInputsReplay::runningChanged, this,
        [this](bool running) { m_wizard.categoryWindow()->setStep1NextEnabled(!running); });
}

ReminderWindow *Calculator::reminder()
{
    if (!m_reminder) {
        m_reminder = new ReminderWindow(m_wizard.premiumWindow());
        connect(m_reminder, &ReminderWindow::deactivated, this,
            [this] { m_wizard.sheet().setReminderWanted(false); });
        // The date belongs to the calculation: the window shows and edits it.
        PremiumSheet &sheet = m_wizard.sheet();
        m_reminder->setDateText(sheet.text(SheetText::ReminderDate));
        connect(m_reminder, &ReminderWindow::dateEdited, &sheet,
            [&sheet](const QString &text) { sheet.setText(SheetText::ReminderDate, text); });
        connect(&sheet, &PremiumSheet::textChanged, m_reminder, [this](SheetText field, const QString &text) {
            if (field == SheetText::ReminderDate)
                m_reminder->setDateText(text);
        });
    }
    return m_reminder;
}

void Calculator::produceReport()
{
    const PremiumSheet &sheet = m_wizard.sheet();
    if (sheet.text(SheetText::T).isEmpty()) {
        showMessage(kReportNeedsPremium);
        return;
    }
    m_wizard.premiumWindow()->showReportProgress(kReportInProgress);

    QString error;
    if (writeReport(reportPath(), reportInputsOf(sheet, todayText()), &error)) {
        m_wizard.premiumWindow()->showReportProgress(kReportDone);
        return;
    }
    // There is no report to open: say why, and take the box away.
    m_wizard.premiumWindow()->reportBox()->hide();
    showMessage(kReportFailed + error);
}

} // namespace karvo
