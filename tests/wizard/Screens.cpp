// Renders every step of the wizard, the "Внимание" box, the foreign case and
// the report's progress box, the reminder window, the explanation of "Расчет"
// (under and above the legal maximum) and the message box to PNG files, so
// that the layout can be looked at without a display: karvo_screens <output
// folder>.

#include "WizardDriver.h"
#include "WizardWalk.h"

#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "reminder/ReminderWindow.h"
#include "app/Calculator.h"
#include "wizard/CategoryWindow.h"
#include "app/DesktopServices.h"
#include "wizard/DriversWindow.h"
#include "wizard/PremiumWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

QString g_folder;

void save(QWidget *window, const QString &name)
{
    QApplication::processEvents();
    if (!window->grab().save(QDir(g_folder).filePath(name + u".png"_s)))
        qFatal("cannot write %s", qPrintable(name));
}

void hover(QWidget *widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(widget->rect().center()),
        widget->mapToGlobal(QPointF(widget->rect().center())), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: karvo_screens <output folder>");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    QTemporaryDir programFolder;
    setProgramFolder(programFolder.path());
    QStringList messages;
    setMessageHandler([&messages](const QString &, const QString &text) { messages << text; });

    Calculator calculator;
    calculator.start();
    TariffWizard &wizard = calculator.wizard();
    CategoryWindow *categoryWindow = wizard.categoryWindow();
    save(categoryWindow, u"step01"_s);
    hover(driver::find<QCheckBox>(categoryWindow, u"foreignCheck"_s));
    save(categoryWindow, u"step01-attention"_s);
    hover(driver::find(categoryWindow, u"step1Frame"_s));

    const QStringList shots = { {}, u"step02"_s, u"step03"_s, u"step04"_s, u"step05"_s, u"step06"_s,
        u"step07"_s, u"step08"_s, u"step09"_s };
    driver::walk(wizard,
        { .region = u"Республика Башкортостан"_s,
            .renewal = true,
            .startClass = u"3"_s,
            .payouts = u"0"_s,
            .kmRow = 4,
            .period = u"10 месяцев и более "_s,
            .beforeLeaving = [&](int step) {
                if (step >= 2 && step <= 9)
                    save(driver::stepWindow(wizard, step), shots[step - 1]);
            } });
    DriversWindow *driversWindow = wizard.driversWindow();
    PremiumWindow *premiumWindow = wizard.premiumWindow();
    save(premiumWindow, u"step10"_s);
    driver::click(premiumWindow, u"explanationLink"_s);
    save(premiumWindow, u"step10-explanation"_s);
    driver::click(premiumWindow, u"explanationClose"_s);
    driver::click(premiumWindow, u"reportButton"_s);
    save(premiumWindow, u"step10-report"_s);
    driver::click(premiumWindow, u"reportOk"_s);
    calculator.wizard().sheet().setReminderWanted(true);
    driver::click(premiumWindow, u"reminderOk"_s);
    driver::type(driver::find<QLineEdit>(calculator.reminder(), u"dateBox"_s), u"20.12.2030"_s);
    save(premiumWindow, u"step10-reminder"_s);
    calculator.reminder()->hide();

    // The foreign case: back to step 1 and the check set.
    driver::click(premiumWindow, u"step10Back"_s);
    driver::click(premiumWindow, u"step9Back"_s);
    driver::click(premiumWindow, u"step8Back"_s);
    for (int step = 7; step > 3; --step)
        wizard.back(step);
    driver::click(driversWindow, u"step3Back"_s);
    wizard.back(2);
    driver::click(driver::find<QCheckBox>(categoryWindow, u"foreignCheck"_s));
    wizard.next(1);
    save(categoryWindow, u"foreign-step02"_s);
    driversWindow->showStep(3);
    save(driversWindow, u"foreign-step03"_s);
    driversWindow->showStep(6);
    save(driversWindow, u"foreign-step06"_s);
    premiumWindow->showStep(8);
    save(premiumWindow, u"foreign-step08"_s);
    premiumWindow->showStep(10);
    save(premiumWindow, u"foreign-step10"_s);

    // A premium above the legal maximum, on a window of its own so that the
    // walk above keeps its values.
    PremiumSheet aboveSheet;
    aboveSheet.setText(SheetText::Period, wizard.sheet().text(SheetText::Period));
    PremiumWindow above(aboveSheet);
    above.show();
    above.showStep(10);
    const QStringList values { u"1980"_s, u"2"_s, u"2,45"_s, u"1,7"_s, u"1,8"_s, u"1,6"_s, u"1"_s, u"1"_s,
        u"1,5"_s };
    for (Coefficient c : kAllCoefficients)
        aboveSheet.setCoefficient(c, values[int(c)]);
    driver::click(&above, u"individualOwner"_s);
    driver::click(&above, u"calculateButton"_s);
    driver::click(&above, u"explanationLink"_s);
    save(&above, u"step10-explanation-above"_s);
    above.hide();

    const std::unique_ptr<QMessageBox> box
        = createMessageBox(kWindowCaption, u"Не установлен коэффициент КТ"_s);
    box->show();
    save(box.get(), u"message"_s);
    return 0;
}
