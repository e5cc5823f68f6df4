// Keyboard use of the wizard: where the focus starts, the tab order, Enter and
// the arrow keys among the choices.

#include "Recorders.h"
#include "WizardDriver.h"

#include "wizard/Form1.h"
#include "wizard/Form2.h"
#include "wizard/Form3.h"
#include "wizard/TariffWizard.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

// The names of the controls Tab visits, from the focused one until it comes
// back round.
QStringList tabOrder(QWidget *window)
{
    QStringList names;
    QWidget *start = window->focusWidget();
    QWidget *w = start;
    for (int i = 0; i < 40; ++i) {
        names << (w ? w->objectName() : u"(none)"_s);
        QTest::keyClick(window, Qt::Key_Tab);
        w = window->focusWidget();
        if (w == start)
            break;
    }
    return names;
}

void activate(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

    std::unique_ptr<Recorders> m_recorders;
    std::unique_ptr<TariffWizard> m_wizard;

private slots:
    void init()
    {
        m_recorders = std::make_unique<Recorders>();
        m_wizard = std::make_unique<TariffWizard>();
        m_wizard->start();
        activate(m_wizard->form1());
    }
    void cleanup()
    {
        m_wizard.reset();
        m_recorders.reset();
    }

    void stepOneStartsOnTheChosenCategoryAndWalksInReadingOrder()
    {
        Form1 *form1 = m_wizard->form1();
        QCOMPARE(form1->focusWidget()->objectName(), u"Option3"_s);
        QCOMPARE(tabOrder(form1),
            (QStringList { u"Option3"_s, u"Text1"_s, u"Check1"_s, u"Command1"_s, u"Label4"_s, u"Label12"_s,
                u"Command4"_s, u"Label87"_s, u"Label21"_s }));
    }

    void arrowKeysChooseTheCategory()
    {
        Form1 *form1 = m_wizard->form1();
        QTest::keyClick(form1->focusWidget(), Qt::Key_Down);
        QVERIFY(driver::find<QRadioButton>(form1, u"Option4"_s)->isChecked());
        QCOMPARE(m_wizard->sheet().text(SheetText::CategoryCode), u"4"_s);
        QTest::keyClick(form1->focusWidget(), Qt::Key_Up);
        QTest::keyClick(form1->focusWidget(), Qt::Key_Up);
        QTest::keyClick(form1->focusWidget(), Qt::Key_Up);
        QVERIFY(driver::find<QRadioButton>(form1, u"Option1"_s)->isChecked());
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Tb), u"1215"_s);
        QCOMPARE(m_wizard->sheet().ownerKind(), OwnerKind::Unset);
    }

    void enterGoesOnAndRefusesLikeTheButton()
    {
        Form1 *form1 = m_wizard->form1();
        QTest::keyClick(form1->focusWidget(), Qt::Key_Return);
        QCOMPARE(form1->currentStep(), 2);
        QCOMPARE(form1->focusWidget()->objectName(), u"Option17"_s);
        QTest::keyClick(form1->focusWidget(), Qt::Key_Return);
        QCOMPARE(m_recorders->messages, QStringList { u"Не установлен коэффициент КТ"_s });
        QCOMPARE(form1->currentStep(), 2);
    }

    // Only a choice from the open list (or the arrow keys) picks. Typed text
    // that happens to be an item's picks nothing, neither with Enter nor when
    // the focus leaves the box for another control of the active window.
    void typingIntoADropDownChoosesNothing_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<QStringList>("before"); // controls clicked, or "combo=item" picked
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("leave"); // "Tab", "Enter", or the control clicked
        QTest::addColumn<SheetText>("field");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("shown"); // the box's text afterwards; empty: what was typed
        const QString kareliaShown = u"Республика Карелия"_s;
        const QStringList karelia = { u"Option17"_s, u"Combo1=Республика Карелия"_s };
        const QStringList renewal = { u"Option11"_s };
        // Leaving the region box, typed text gives way to the region whose
        // towns are listed, so a town then finds its own КТ.
        QTest::newRow("region, Tab") << 2 << karelia << u"Combo1"_s << u"Москва"_s << u"Tab"_s
                                     << SheetText::Kt << u"1,3"_s << kareliaShown;
        QTest::newRow("region, a town clicked") << 2 << karelia << u"Combo1"_s << u"Москва"_s << u"List1"_s
                                                << SheetText::Kt << u"0,8"_s << kareliaShown;
        QTest::newRow("region, Enter") << 2 << karelia << u"Combo1"_s << u"Москва"_s << u"Enter"_s
                                       << SheetText::Kt << u"1,3"_s << QString();
        QTest::newRow("region never picked, Tab") << 2 << QStringList { u"Option17"_s } << u"Combo1"_s
                                                  << u"Москва"_s << u"Tab"_s << SheetText::Kt << QString()
                                                  << u""_s;
        QTest::newRow("start class after the payouts, Tab")
            << 3 << renewal + QStringList { u"Combo5=0"_s } << u"Combo1"_s << u"7"_s << u"Tab"_s
            << SheetText::Kbm << QString() << QString();
        QTest::newRow("payouts after the start class, a click elsewhere")
            << 3 << renewal + QStringList { u"Combo1=7"_s } << u"Combo5"_s << u"0"_s << u"Text4"_s
            << SheetText::Kbm << QString() << QString();
        QTest::newRow("period, Tab") << 7 << QStringList() << u"Combo2"_s << u"3 месяца"_s << u"Tab"_s
                                     << SheetText::Ks << QString() << QString();
        QTest::newRow("period without its trailing blank, Enter")
            << 7 << QStringList() << u"Combo2"_s << u"10 месяцев и более"_s << u"Enter"_s << SheetText::Ks
            << QString() << QString();
        QTest::newRow("term, Tab") << 8 << QStringList { u"Check1"_s } << u"Combo1"_s << u"5 месяцев"_s
                                   << u"Tab"_s << SheetText::Kp << QString() << QString();
    }
    void typingIntoADropDownChoosesNothing()
    {
        QFETCH(int, step);
        QFETCH(QStringList, before);
        QFETCH(QString, combo);
        QFETCH(QString, typed);
        QFETCH(QString, leave);
        QFETCH(SheetText, field);
        QFETCH(QString, expected);
        QFETCH(QString, shown);

        StepWindow *window = step <= 2 ? static_cast<StepWindow *>(m_wizard->form1())
            : step <= 7                ? static_cast<StepWindow *>(m_wizard->form2())
                                       : static_cast<StepWindow *>(m_wizard->form3());
        window->showStep(step);
        activate(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (const QString &action : std::as_const(before)) {
            const QStringList parts = action.split(u'=');
            if (parts.size() == 2)
                driver::pick(window, parts[0], parts[1]);
            else
                driver::click(window, action);
        }
        auto *box = driver::find<QComboBox>(window, combo);
        driver::replaceText(box->lineEdit(), typed);
        QVERIFY(box->lineEdit()->hasFocus());
        if (leave == u"Tab")
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
        else if (leave == u"Enter")
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        else if (auto *list = window->findChild<QListWidget *>(leave))
            driver::pickRow(list, list->count() - 1);
        else
            driver::click(window, leave);
        if (leave != u"Enter")
            QVERIFY(!box->lineEdit()->hasFocus());
        QCOMPARE(m_wizard->sheet().text(field), expected);
        QCOMPARE(box->currentText(), shown.isNull() ? typed : shown);
    }

    void arrowKeysInAClosedDropDownPick()
    {
        Form2 *form2 = m_wizard->form2();
        form2->showStep(7);
        activate(form2);
        auto *periods = driver::find<QComboBox>(form2, u"Combo2"_s);
        periods->lineEdit()->setFocus();
        QTest::keyClick(periods->lineEdit(), Qt::Key_Down);
        QCOMPARE(periods->currentText(), u"3 месяца"_s);
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Ks), u"0,5"_s);
        QTest::keyClick(periods->lineEdit(), Qt::Key_Down);
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Ks), u"0,6"_s);
    }

    void enterOnAFocusedButtonPressesThatButton()
    {
        Form1 *form1 = m_wizard->form1();
        QTest::keyClick(form1->focusWidget(), Qt::Key_Return);
        driver::find<QWidget>(form1, u"Command3"_s)->setFocus();
        QTest::keyClick(form1->focusWidget(), Qt::Key_Return);
        QCOMPARE(form1->currentStep(), 1);
    }

    void stepThreeWalksInReadingOrder()
    {
        m_wizard->sheet().setCoefficient(Coefficient::Kt, u"1"_s);
        driver::click(m_wizard->form1(), u"Command1"_s);
        m_wizard->sheet().setCoefficient(Coefficient::Kt, u"1"_s);
        driver::click(m_wizard->form1(), u"Command2"_s);
        Form2 *form2 = m_wizard->form2();
        activate(form2);
        QCOMPARE(tabOrder(form2),
            (QStringList { u"Option10"_s, u"Combo1"_s, u"Text4"_s, u"Command3"_s, u"Command2"_s, u"Label5"_s,
                u"Command4"_s, u"Label87"_s, u"Label36"_s }));
        form2->findChild<QWidget *>(u"Option10"_s)->setFocus();
        QTest::keyClick(form2->focusWidget(), Qt::Key_Return);
        QCOMPARE(form2->currentStep(), 4);
    }

    void enterOnStepTenCalculates()
    {
        Form3 *form3 = m_wizard->form3();
        for (Coefficient c : kAllCoefficients)
            m_wizard->sheet().setCoefficient(c, u"1"_s);
        m_wizard->sheet().setCoefficient(Coefficient::Tb, u"1980"_s);
        form3->showStep(10);
        activate(form3);
        QCOMPARE(form3->focusWidget()->objectName(), u"Option1"_s);
        QCOMPARE(tabOrder(form3),
            (QStringList { u"Option1"_s, u"Option4"_s, u"Option7"_s, u"Label45"_s, u"Check2"_s, u"Check3"_s,
                u"Text3"_s, u"Command9"_s, u"Command5"_s, u"Command3"_s, u"Command8"_s, u"Command4"_s,
                u"Label87"_s, u"Label21"_s }));
        QTest::keyClick(form3->focusWidget(), Qt::Key_Return);
        QCOMPARE(m_wizard->sheet().text(SheetText::T), u"1980"_s);
    }

    void linksOpenFromTheKeyboard()
    {
        m_recorders->addFile(u"k/tb.txt"_s);
        Form1 *form1 = m_wizard->form1();
        driver::find<QWidget>(form1, u"Label4"_s)->setFocus();
        QTest::keyClick(form1->focusWidget(), Qt::Key_Return);
        QCOMPARE(m_recorders->opened.size(), 1);
        QVERIFY(m_recorders->opened[0].toLocalFile().endsWith(u"/k/tb.txt"_s));
        QCOMPARE(form1->currentStep(), 1);
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
