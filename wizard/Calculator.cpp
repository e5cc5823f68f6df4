#include "wizard/Calculator.h"

#include "platform/Messages.h"
#include "reminder/ReminderDate.h"
#include "reminder/ReminderWindow.h"
#include "report/ReportBuilder.h"
#include "storage/IniFile.h"
#include "storage/SavedInputs.h"
#include "wizard/PremiumWindow.h"
#include "wizard/WizardTexts.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

Calculator::Calculator(QObject *parent)
    : QObject(parent)
{
    connect(&m_wizard, &TariffWizard::saveInputsRequested, this, [this] {
        if (const QString error = writeStoredInputs(storedInputsOf(m_wizard.sheet())); !error.isEmpty())
            showMessage(kSaveFailedMessage + error);
    });
    connect(&m_wizard, &TariffWizard::restoreRequested, this, [this] { m_replay->loadSavedInputs(); });
    connect(&m_wizard, &TariffWizard::reportRequested, this, &Calculator::produceReport);
    connect(&m_wizard, &TariffWizard::reportOpenRequested, this, [this] {
        m_wizard.premiumWindow()->reportBox()->hide();
        karvo::openReport();
    });
    connect(&m_wizard, &TariffWizard::reminderRequested, this, [this] { reminder()->open(); });
    connect(&m_wizard, &TariffWizard::calculated, this,
        [this] { m_journal.record(m_wizard.sheet(), calculationInputsOf(m_wizard.sheet())); });
    connect(&m_wizard, &TariffWizard::journalRequested, &m_journal, &Journal::showWindow);
    connect(&m_journal, &Journal::message, this, [](const QString &text) { showMessage(text); });
    // "Открыть" of the journal: the entry's inputs replayed as a load does,
    // from step 1, where the user walks on to "Расчет".
    connect(&m_journal, &Journal::openRequested, this, [this](const StoredInputs &inputs) {
        m_wizard.showFirstStep();
        m_replay->load(inputs);
    });
}

Calculator::~Calculator() = default;

void Calculator::start()
{
    setIniFaultHandler([](const QString &procedure, const QString &text) { showMessage(text, procedure); });
    m_wizard.start();
    m_replay = std::make_unique<SavedInputsReplay>(m_wizard);
    connect(m_replay.get(), &SavedInputsReplay::reminderDateLoaded, this,
        [this](const QString &text) { reminder()->setDateText(text); });
}

ReminderWindow *Calculator::reminder()
{
    if (!m_reminder) {
        m_reminder = new ReminderWindow(m_wizard.premiumWindow());
        connect(m_reminder, &ReminderWindow::deactivated, this,
            [this] { m_wizard.sheet().setReminderWanted(false); });
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
    QWidget *box = m_wizard.premiumWindow()->reportBox();
    auto *progress = box->findChild<QLabel *>(u"reportProgress"_s);
    progress->setText(kReportInProgress);
    box->show();

    QString error;
    if (writeReport(reportPath(), reportInputsOf(sheet, todayText()), &error)) {
        progress->setText(kReportDone);
        return;
    }
    // There is no report to open: say why, and take the box away.
    box->hide();
    showMessage(kReportFailed + error);
}

} // namespace karvo
