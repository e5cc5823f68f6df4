#include "wizard/Calculator.h"

#include "platform/DesktopOpener.h"
#include "platform/Messages.h"
#include "reminder/ReminderWindow.h"
#include "report/ReportBuilder.h"
#include "wizard/Form1.h"
#include "wizard/Form3.h"
#include "wizard/WizardTexts.h"

#include <QDir>
#include <QFileInfo>

#include <QLabel>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace karvo {

Calculator::Calculator(QObject *parent)
    : QObject(parent)
{
    connect(&m_wizard, &TariffWizard::saveInputsRequested, this,
        [this] { storeInputs(m_wizard.sheet(), m_wizard); });
    connect(&m_wizard, &TariffWizard::restoreRequested, this, [this] { m_restore->loadSavedInputs(); });
    connect(&m_wizard, &TariffWizard::reportRequested, this, &Calculator::produceReport);
    connect(&m_wizard, &TariffWizard::reportOpenRequested, this, [this] {
        m_wizard.form3()->reportBox()->hide();
        openReport();
    });
    connect(&m_wizard, &TariffWizard::reminderRequested, this, [this] { reminder()->open(); });
    connect(&m_wizard, &TariffWizard::reminderDateLoaded, this,
        [this](const QString &text) { reminder()->setDateText(text); });
}

Calculator::~Calculator() = default;

void Calculator::start()
{
    m_wizard.start();
    m_restore
        = std::make_unique<SavedInputsRestore>(m_wizard.sheet(), m_wizard, *m_wizard.form1()->restoreTimer());
}

void Calculator::openReport()
{
    const QString path = reportPath();
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path)) {
        showMessage(texts::kReportMissing + shown);
        return;
    }
    // The user asked for the report: when nothing opens it, they learn where it is.
    openWithDesktop(
        QUrl::fromLocalFile(path), [message = texts::kReportNotOpened + shown] { showMessage(message); });
}

ReminderWindow *Calculator::reminder()
{
    if (!m_reminder) {
        m_reminder = new ReminderWindow(m_wizard.form3());
        connect(
            m_reminder, &ReminderWindow::deactivated, this, [this] { m_wizard.form3()->setReminderWanted(false); });
    }
    return m_reminder;
}

void Calculator::produceReport()
{
    QWidget *box = m_wizard.form3()->reportBox();
    auto *progress = box->findChild<QLabel *>(u"Label13"_s);
    progress->setText(kReportInProgress);
    box->show();

    const PremiumSheet &sheet = m_wizard.sheet();
    ReportInputs inputs;
    inputs.tbTitle = m_wizard.form1()->findChild<QLabel *>(u"Label1"_s)->text();
    inputs.tb = sheet.coefficient(Coefficient::Tb);
    inputs.kt = sheet.coefficient(Coefficient::Kt);
    inputs.kbm = sheet.coefficient(Coefficient::Kbm);
    inputs.ko = sheet.coefficient(Coefficient::Ko);
    inputs.kvs = sheet.coefficient(Coefficient::Kvs);
    inputs.km = sheet.coefficient(Coefficient::Km);
    inputs.ks = sheet.coefficient(Coefficient::Ks);
    inputs.kp = sheet.coefficient(Coefficient::Kp);
    inputs.kn = sheet.coefficient(Coefficient::Kn);
    inputs.t = sheet.text(SheetText::T);
    inputs.foreignRegistered = sheet.foreignRegistered();
    inputs.dateText = reminder()->todayText();
    inputs.timeText = m_wizard.form3()->loadTime();
    inputs.picturePath = reportPicturePath();

    QString error;
    if (writeReport(reportPath(), inputs, &error)) {
        progress->setText(kReportDone);
        return;
    }
    // There is no report to open: say why, and take the box away.
    box->hide();
    showMessage(kReportFailed + error);
}

} // namespace karvo
