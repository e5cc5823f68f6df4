// Renders every step of the wizard, the "Внимание" box, the foreign case and
// the report's progress box, the reminder window, the explanation of "Расчет"
// (under and above the legal maximum) and the message box to PNG files, so
// that the layout can be looked at without a display: karvo_screens <output
// folder>.

#include "WizardDriver.h"

#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "reminder/ReminderWindow.h"
#include "wizard/Calculator.h"
#include "wizard/DesktopServices.h"
#include "wizard/Form1.h"
#include "wizard/Form2.h"
#include "wizard/Form3.h"

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
    Form1 *form1 = wizard.form1();
    save(form1, u"step01"_s);
    hover(driver::find<QCheckBox>(form1, u"Check1"_s));
    save(form1, u"step01-attention"_s);
    hover(driver::find(form1, u"Frame1"_s));

    driver::click(form1, u"Command1"_s);
    driver::pick(form1, u"Combo1"_s, u"Республика Башкортостан"_s);
    save(form1, u"step02"_s);
    driver::click(form1, u"Command2"_s);

    Form2 *form2 = wizard.form2();
    driver::click(form2, u"Option11"_s);
    driver::pick(form2, u"Combo1"_s, u"3"_s);
    driver::pick(form2, u"Combo5"_s, u"0"_s);
    save(form2, u"step03"_s);
    driver::click(form2, u"Command2"_s);
    save(form2, u"step04"_s);
    driver::click(form2, u"Command1"_s);
    save(form2, u"step05"_s);
    driver::click(form2, u"Command7"_s);
    driver::pickRow(driver::find<QListWidget>(form2, u"List1"_s), 4);
    save(form2, u"step06"_s);
    driver::click(form2, u"Command8"_s);
    driver::pick(form2, u"Combo2"_s, u"10 месяцев и более "_s);
    save(form2, u"step07"_s);
    driver::click(form2, u"Command10"_s);

    Form3 *form3 = wizard.form3();
    save(form3, u"step08"_s);
    driver::click(form3, u"Command10"_s);
    save(form3, u"step09"_s);
    driver::click(form3, u"Command2"_s);
    driver::click(form3, u"Command3"_s);
    save(form3, u"step10"_s);
    driver::click(form3, u"ExplanationLink"_s);
    save(form3, u"step10-explanation"_s);
    driver::click(form3, u"ExplanationClose"_s);
    driver::click(form3, u"Command8"_s);
    save(form3, u"step10-report"_s);
    driver::click(form3, u"Command12"_s);
    form3->setReminderWanted(true);
    driver::click(form3, u"Command9"_s);
    driver::type(driver::find<QLineEdit>(calculator.reminder(), u"dateBox"_s), u"20.12.2030"_s);
    save(form3, u"step10-reminder"_s);
    calculator.reminder()->hide();

    // The foreign case: back to step 1 and the check set.
    driver::click(form3, u"Command5"_s);
    driver::click(form3, u"Command1"_s);
    driver::click(form3, u"Command11"_s);
    for (int step = 7; step > 3; --step)
        wizard.back(step);
    driver::click(form2, u"Command3"_s);
    wizard.back(2);
    driver::click(driver::find<QCheckBox>(form1, u"Check1"_s));
    wizard.next(1);
    save(form1, u"foreign-step02"_s);
    form2->showStep(3);
    save(form2, u"foreign-step03"_s);
    form2->showStep(6);
    save(form2, u"foreign-step06"_s);
    form3->showStep(8);
    save(form3, u"foreign-step08"_s);
    form3->showStep(10);
    save(form3, u"foreign-step10"_s);

    // A premium above the legal maximum, on a window of its own so that the
    // walk above keeps its values.
    PremiumSheet aboveSheet;
    Form3 above(aboveSheet, QString());
    above.setReminderCaption(form3->reminderCaption());
    above.show();
    above.showStep(10);
    const QStringList values { u"1980"_s, u"2"_s, u"2,45"_s, u"1,7"_s, u"1,8"_s, u"1,6"_s, u"1"_s, u"1"_s,
        u"1,5"_s };
    for (Coefficient c : kAllCoefficients)
        aboveSheet.setCoefficient(c, values[int(c)]);
    driver::click(&above, u"Option1"_s);
    driver::click(&above, u"Command3"_s);
    driver::click(&above, u"ExplanationLink"_s);
    save(&above, u"step10-explanation-above"_s);
    above.hide();

    const std::unique_ptr<QMessageBox> box
        = createMessageBox(kWindowCaption, u"Не установлен коэффициент КТ"_s);
    box->show();
    save(box.get(), u"message"_s);
    return 0;
}
