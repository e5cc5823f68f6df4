// Keyboard use of the wizard: where the focus starts, the tab order, Enter and
// the arrow keys among the choices.

#include "Recorders.h"
#include "WizardDriver.h"

#include "wizard/CategoryWindow.h"
#include "wizard/DriversWindow.h"
#include "wizard/PremiumWindow.h"
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
        activate(m_wizard->categoryWindow());
    }
    void cleanup()
    {
        m_wizard.reset();
        m_recorders.reset();
    }

    void stepOneStartsOnTheChosenCategoryAndWalksInReadingOrder()
    {
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        QCOMPARE(categoryWindow->focusWidget()->objectName(), u"category3"_s);
        QCOMPARE(tabOrder(categoryWindow),
            (QStringList { u"category3"_s, u"tbBox"_s, u"foreignCheck"_s, u"step1Next"_s, u"tbNoteLink"_s,
                u"restoreLink"_s, u"journalLink"_s, u"exitButton"_s, u"siteLink"_s, u"emailLink"_s }));
    }

    void stepTwoWalksInReadingOrderBeforeTheFooter()
    {
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        driver::click(categoryWindow, u"step1Next"_s);
        QCOMPARE(categoryWindow->currentStep(), 2);
        // Built only now, after the footer: the footer still comes last.
        QCOMPARE(tabOrder(categoryWindow),
            (QStringList { u"vehiclesColumn"_s, u"regionBox"_s, u"ktBox"_s, u"townList"_s, u"step2Back"_s,
                u"step2Next"_s, u"ktNoteLink"_s, u"exitButton"_s, u"siteLink"_s, u"emailLink"_s }));
    }

    void arrowKeysChooseTheCategory()
    {
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Down);
        QVERIFY(driver::find<QRadioButton>(categoryWindow, u"category4"_s)->isChecked());
        QCOMPARE(m_wizard->sheet().category(), 4);
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Up);
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Up);
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Up);
        QVERIFY(driver::find<QRadioButton>(categoryWindow, u"category1"_s)->isChecked());
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Tb), u"1215"_s);
        QCOMPARE(m_wizard->sheet().ownerKind(), OwnerKind::Unset);
    }

    void enterGoesOnAndRefusesLikeTheButton()
    {
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Return);
        QCOMPARE(categoryWindow->currentStep(), 2);
        QCOMPARE(categoryWindow->focusWidget()->objectName(), u"vehiclesColumn"_s);
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Return);
        QCOMPARE(m_recorders->messages, QStringList { u"Не установлен коэффициент КТ"_s });
        QCOMPARE(categoryWindow->currentStep(), 2);
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
        const QStringList karelia = { u"vehiclesColumn"_s, u"regionBox=Республика Карелия"_s };
        const QStringList renewal = { u"renewalContract"_s };
        // Leaving the region box, typed text gives way to the region whose
        // towns are listed, so a town then finds its own КТ.
        QTest::newRow("region, Tab") << 2 << karelia << u"regionBox"_s << u"Москва"_s << u"Tab"_s
                                     << SheetText::Kt << u"1,3"_s << kareliaShown;
        QTest::newRow("region, a town clicked") << 2 << karelia << u"regionBox"_s << u"Москва"_s
                                                << u"townList"_s << SheetText::Kt << u"0,8"_s << kareliaShown;
        QTest::newRow("region, Enter") << 2 << karelia << u"regionBox"_s << u"Москва"_s << u"Enter"_s
                                       << SheetText::Kt << u"1,3"_s << QString();
        QTest::newRow("region never picked, Tab")
            << 2 << QStringList { u"vehiclesColumn"_s } << u"regionBox"_s << u"Москва"_s << u"Tab"_s
            << SheetText::Kt << QString() << u""_s;
        QTest::newRow("start class after the payouts, Tab")
            << 3 << renewal + QStringList { u"payoutsBox=0"_s } << u"startClassBox"_s << u"7"_s << u"Tab"_s
            << SheetText::Kbm << QString() << QString();
        QTest::newRow("payouts after the start class, a click elsewhere")
            << 3 << renewal + QStringList { u"startClassBox=7"_s } << u"payoutsBox"_s << u"0"_s << u"kbmBox"_s
            << SheetText::Kbm << QString() << QString();
        QTest::newRow("period, Tab") << 7 << QStringList() << u"periodBox"_s << u"3 месяца"_s << u"Tab"_s
                                     << SheetText::Ks << QString() << QString();
        QTest::newRow("period without its trailing blank, Enter")
            << 7 << QStringList() << u"periodBox"_s << u"10 месяцев и более"_s << u"Enter"_s << SheetText::Ks
            << QString() << QString();
        QTest::newRow("term, Tab") << 8 << QStringList { u"skipTermCheck"_s } << u"termBox"_s
                                   << u"5 месяцев"_s << u"Tab"_s << SheetText::Kp << QString() << QString();
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

        StepWindow *window = step <= 2 ? static_cast<StepWindow *>(m_wizard->categoryWindow())
            : step <= 7                ? static_cast<StepWindow *>(m_wizard->driversWindow())
                                       : static_cast<StepWindow *>(m_wizard->premiumWindow());
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
        DriversWindow *driversWindow = m_wizard->driversWindow();
        driversWindow->showStep(7);
        activate(driversWindow);
        auto *periods = driver::find<QComboBox>(driversWindow, u"periodBox"_s);
        periods->lineEdit()->setFocus();
        QTest::keyClick(periods->lineEdit(), Qt::Key_Down);
        QCOMPARE(periods->currentText(), u"3 месяца"_s);
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Ks), u"0,5"_s);
        QTest::keyClick(periods->lineEdit(), Qt::Key_Down);
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Ks), u"0,6"_s);
    }

    void enterOnAFocusedButtonPressesThatButton()
    {
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Return);
        driver::find<QWidget>(categoryWindow, u"step2Back"_s)->setFocus();
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Return);
        QCOMPARE(categoryWindow->currentStep(), 1);
    }

    void stepThreeWalksInReadingOrder()
    {
        m_wizard->sheet().setCoefficient(Coefficient::Kt, u"1"_s);
        driver::click(m_wizard->categoryWindow(), u"step1Next"_s);
        m_wizard->sheet().setCoefficient(Coefficient::Kt, u"1"_s);
        driver::click(m_wizard->categoryWindow(), u"step2Next"_s);
        DriversWindow *driversWindow = m_wizard->driversWindow();
        activate(driversWindow);
        QCOMPARE(tabOrder(driversWindow),
            (QStringList { u"firstContract"_s, u"startClassBox"_s, u"kbmBox"_s, u"step3Back"_s,
                u"step3Next"_s, u"kbmNoteLink"_s, u"exitButton"_s, u"siteLink"_s, u"emailLink"_s }));
        driversWindow->findChild<QWidget *>(u"firstContract"_s)->setFocus();
        QTest::keyClick(driversWindow->focusWidget(), Qt::Key_Return);
        QCOMPARE(driversWindow->currentStep(), 4);
    }

    void enterOnStepTenCalculates()
    {
        PremiumWindow *premiumWindow = m_wizard->premiumWindow();
        for (Coefficient c : kAllCoefficients)
            m_wizard->sheet().setCoefficient(c, u"1"_s);
        m_wizard->sheet().setCoefficient(Coefficient::Tb, u"1980"_s);
        premiumWindow->showStep(10);
        activate(premiumWindow);
        QCOMPARE(premiumWindow->focusWidget()->objectName(), u"individualOwner"_s);
        QCOMPARE(tabOrder(premiumWindow),
            (QStringList { u"individualOwner"_s, u"registeredInRussia"_s, u"groupB"_s, u"journalLink"_s,
                u"decreeLink"_s, u"saveInputsCheck"_s, u"reminderCheck"_s, u"premiumBox"_s, u"reminderOk"_s,
                u"step10Back"_s, u"calculateButton"_s, u"reportButton"_s, u"exitButton"_s, u"siteLink"_s,
                u"emailLink"_s }));
        QTest::keyClick(premiumWindow->focusWidget(), Qt::Key_Return);
        QCOMPARE(m_wizard->sheet().text(SheetText::T), u"1980"_s);
    }

    void linksOpenFromTheKeyboard()
    {
        m_recorders->addFile(u"k/tb.txt"_s);
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        driver::find<QWidget>(categoryWindow, u"tbNoteLink"_s)->setFocus();
        QTest::keyClick(categoryWindow->focusWidget(), Qt::Key_Return);
        QCOMPARE(m_recorders->opened.size(), 1);
        QVERIFY(m_recorders->opened[0].toLocalFile().endsWith(u"/k/tb.txt"_s));
        QCOMPARE(categoryWindow->currentStep(), 1);
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
