// The wizard as a whole: start-up, the refusals of the navigation, coming
// back to a window, the step-8/9/10 handling of КП, the foreign check across
// the three windows, and "Выход".

#include "Recorders.h"
#include "WizardDriver.h"

#include "reminder/ReminderWindow.h"
#include "storage/IniFile.h"
#include "wizard/Form1.h"
#include "wizard/Form2.h"
#include "wizard/Form3.h"
#include "wizard/TariffWizard.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScopeGuard>
#include <QSignalSpy>

#include <cmath>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

class TestWizard : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_recorders = std::make_unique<Recorders>();
        m_wizard = std::make_unique<TariffWizard>();
    }
    void cleanup()
    {
        m_wizard.reset();
        m_recorders.reset();
    }

    void startsOnStep1WithStep10Ready()
    {
        m_wizard->start();
        QVERIFY(m_wizard->form1()->isVisible());
        QCOMPARE(m_wizard->form1()->currentStep(), 1);
        QVERIFY(!m_wizard->hasForm2());
        QVERIFY(!m_wizard->form3()->isVisible());
        QCOMPARE(m_wizard->form3()->currentStep(), 8);
        QCOMPARE(m_wizard->sheet().ownerKind(), OwnerKind::Individual);
        QVERIFY(driver::find<QRadioButton>(m_wizard->form3(), u"Option1"_s)->isChecked());
        QVERIFY(driver::find(m_wizard->form3(), u"Command3"_s)->isEnabled());
        for (StepWindow *window : windows()) {
            QCOMPARE(window->size(), QSize(652, 532));
            QCOMPARE(window->windowTitle(), u"karvo 2012"_s);
            QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
        }
        // Neither the title bar nor the window manager can close a step window.
        QVERIFY(!m_wizard->form1()->close());
        QVERIFY(m_wizard->form1()->isVisible());
    }

    void reminderCheckComesFromTheSettingsFile()
    {
        QVERIFY(writeIniValue(u"ch"_s, u"ch"_s, u"1"_s, settingsFilePath()));
        m_wizard->start();
        QCOMPARE(m_wizard->form1()->rememberedReminder(), u"1"_s);
        QVERIFY(m_wizard->form3()->reminderWanted());
    }

    void refusalsStayOnTheirStep()
    {
        m_wizard->start();
        Form1 *form1 = m_wizard->form1();
        driver::click(form1, u"Command1"_s);
        driver::click(form1, u"Command2"_s);
        QVERIFY(form1->isVisible());
        QCOMPARE(form1->currentStep(), 2);

        driver::pick(form1, u"Combo1"_s, u"Москва"_s);
        driver::click(form1, u"Command2"_s);
        Form2 *form2 = m_wizard->form2();
        driver::click(form2, u"Option11"_s);
        driver::click(form2, u"Command2"_s);
        QCOMPARE(form2->currentStep(), 3);

        driver::click(form2, u"Option10"_s);
        for (const QString &next :
            { u"Command2"_s, u"Command1"_s, u"Command7"_s, u"Command8"_s, u"Command10"_s })
            driver::click(form2, next);
        QVERIFY(form2->isVisible());
        QCOMPARE(form2->currentStep(), 7);

        driver::pick(form2, u"Combo2"_s, u"3 месяца"_s);
        driver::click(form2, u"Command10"_s);
        Form3 *form3 = m_wizard->form3();
        QCOMPARE(form3->reminderCaption(), u"Запустить программу через 3 месяца"_s);
        driver::click(form3, u"Check1"_s);
        driver::click(form3, u"Command10"_s);
        QCOMPARE(form3->currentStep(), 8);
        // КН is derived even when step 8 refuses.
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Kn), u"1"_s);

        QCOMPARE(m_recorders->messages,
            (QStringList { u"Не установлен коэффициент КТ"_s, u"Не установлен коэффициент КБМ"_s,
                u"Не установлен коэффициент КС"_s, u"Не установлен коэффициент КП"_s }));
        QCOMPARE(m_recorders->titles, QStringList(4, u"karvo 2012"_s));
    }

    void windowsReopenOnTheStepTheyWereLeft()
    {
        m_wizard->start();
        walkToStep3(u"Республика Карелия"_s);
        Form1 *form1 = m_wizard->form1();
        Form2 *form2 = m_wizard->form2();
        driver::click(form2, u"Command3"_s);
        QVERIFY(form1->isVisible() && !form2->isVisible());
        QCOMPARE(form1->currentStep(), 2);
        QCOMPARE(form1->regionText(), u"Республика Карелия"_s);
        QCOMPARE(driver::text(form1, u"Text2"_s), u"1,3"_s);

        driver::click(form1, u"Command2"_s);
        QCOMPARE(form2->currentStep(), 3);
        walkForm2ToStep8();
        Form3 *form3 = m_wizard->form3();
        const QString loaded = form3->loadTime();
        driver::click(form3, u"Command11"_s);
        QVERIFY(form2->isVisible() && !form3->isVisible());
        QCOMPARE(form2->currentStep(), 7);
        driver::click(form2, u"Command10"_s);
        QCOMPARE(form3->currentStep(), 8);
        QCOMPARE(form3->loadTime(), loaded);
    }

    void step2BackEmptiesTheTerritory()
    {
        m_wizard->start();
        Form1 *form1 = m_wizard->form1();
        driver::click(form1, u"Check1"_s);
        driver::click(form1, u"Command1"_s);
        QCOMPARE(driver::text(form1, u"Text2"_s), u"1,7"_s);
        driver::click(form1, u"Command3"_s);
        QCOMPARE(form1->currentStep(), 1);
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Kt), QString());
        driver::click(form1, u"Command1"_s);
        driver::click(form1, u"Command2"_s);
        QCOMPARE(m_recorders->messages, QStringList { u"Не установлен коэффициент КТ"_s });
    }

    void skippedTermBecomesOneOnlyUntilStep10IsLeft()
    {
        m_wizard->start();
        walkToStep3(u"Москва"_s);
        walkForm2ToStep8();
        Form3 *form3 = m_wizard->form3();
        PremiumSheet &sheet = m_wizard->sheet();
        driver::click(form3, u"Command10"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());
        driver::click(form3, u"Command2"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"1"_s);
        QCOMPARE(sheet.text(SheetText::KpDefaulted), u"1"_s);
        driver::click(form3, u"Command5"_s);
        QCOMPARE(form3->currentStep(), 9);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());

        // A chosen term survives the way back.
        driver::click(form3, u"Command1"_s);
        driver::click(form3, u"Check1"_s);
        driver::pick(form3, u"Combo1"_s, u"3 месяца"_s);
        driver::click(form3, u"Command10"_s);
        driver::click(form3, u"Command2"_s);
        driver::click(form3, u"Command5"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"0,5"_s);
    }

    void claimsOfStep3GiveKn()
    {
        m_wizard->start();
        walkToStep3(u"Москва"_s);
        Form2 *form2 = m_wizard->form2();
        driver::click(form2, u"Option11"_s);
        driver::pick(form2, u"Combo1"_s, u"6"_s);
        driver::pick(form2, u"Combo5"_s, u"2"_s);
        walkForm2ToStep8();
        driver::click(m_wizard->form3(), u"Command10"_s);
        QCOMPARE(driver::text(m_wizard->form3(), u"Text2"_s), u"1,5"_s);
        QCOMPARE(driver::find<QLabel>(m_wizard->form3(), u"Label2"_s)->text(),
            u"У вас 2 страховых случая КН = 1,5"_s);
    }

    void calculateWaitsForAnOwnerKind()
    {
        m_wizard->start();
        driver::click(m_wizard->form1(), u"Option1"_s);
        Form3 *form3 = m_wizard->form3();
        QVERIFY(!driver::find(form3, u"Command3"_s)->isEnabled());
        QVERIFY(driver::find<QRadioButton>(form3, u"Option3"_s)->isChecked());
        form3->showStep(10);
        driver::click(form3, u"Option1"_s);
        QVERIFY(driver::find(form3, u"Command3"_s)->isEnabled());
    }

    void foreignCheckReachesAllWindows()
    {
        m_wizard->start();
        Form1 *form1 = m_wizard->form1();
        PremiumSheet &sheet = m_wizard->sheet();
        driver::click(form1, u"Check1"_s);
        QVERIFY(m_wizard->hasForm2());
        Form2 *form2 = m_wizard->form2();
        Form3 *form3 = m_wizard->form3();
        checkForeignState(true);
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,7"_s);
        QCOMPARE(driver::text(form2, u"Text8"_s), u"1"_s);
        QVERIFY(driver::find<QRadioButton>(form3, u"Option6"_s)->isChecked());
        QVERIFY(!driver::find<QCheckBox>(form3, u"Check1"_s)->isChecked());

        driver::click(form1, u"Check1"_s);
        checkForeignState(false);
        QCOMPARE(sheet.coefficient(Coefficient::Kt), QString());
        QCOMPARE(driver::text(form2, u"Text8"_s), QString());
        QVERIFY(driver::find<QRadioButton>(form3, u"Option4"_s)->isChecked());
        QCOMPARE(sheet.text(SheetText::RegistrationCode), u"4"_s);
        QVERIFY(driver::find<QCheckBox>(form3, u"Check1"_s)->isChecked());
    }

    void foreignVehicleNeedsNoPeriodForStep7()
    {
        m_wizard->start();
        driver::click(m_wizard->form1(), u"Check1"_s);
        driver::click(m_wizard->form1(), u"Command1"_s);
        driver::click(m_wizard->form1(), u"Command2"_s);
        walkForm2ToStep8();
        QVERIFY(m_wizard->form3()->isVisible());
        QCOMPARE(m_wizard->form3()->reminderCaption(), u"Запустить программу через "_s);
        QCOMPARE(m_recorders->messages, QStringList());
    }

    void exitEndsAtOnceFromAnyStep()
    {
        m_wizard->start();
        walkToStep3(u"Москва"_s);
        walkForm2ToStep8();
        driver::click(m_wizard->form3(), u"Command10"_s);
        QSignalSpy exiting(m_wizard.get(), &TariffWizard::exiting);
        driver::click(m_wizard->form3(), u"Command4"_s);
        QCOMPARE(exiting.count(), 1);
        QCOMPARE(m_recorders->messages, QStringList());
        QVERIFY(!QFile::exists(settingsFilePath()));
    }

    void everyControlIsNamedForAssistiveTools()
    {
        m_wizard->start();
        walkToStep3(u"Республика Башкортостан"_s);
        walkForm2ToStep8();
        // Each step as a screen reader meets it: every control it can reach
        // has a name, and no two share one.
        for (StepWindow *window : windows()) {
            for (int step = 1; step <= 10; ++step) {
                if (!window->hasStep(step))
                    continue;
                window->showStep(step);
                expectDistinctNames(window, window->objectName() + u", step "_s + QString::number(step));
            }
        }
        ReminderWindow reminder(m_wizard->form3());
        reminder.open();
        expectDistinctNames(&reminder, u"ReminderWindow"_s);

        // The boxes are named by their titles, not by what they hold.
        Form1 *form1 = m_wizard->form1();
        QCOMPARE(driver::spokenName(driver::find(form1, u"Combo1"_s)), u"Регион"_s);
        QCOMPARE(driver::spokenName(driver::find(form1, u"List1"_s)), u"Город или населенный пункт"_s);
        QCOMPARE(driver::spokenName(driver::find(form1, u"Text2"_s)),
            driver::find<QLabel>(form1, u"Label3"_s)->text());
        QCOMPARE(driver::spokenName(driver::find(&reminder, u"dateBox"_s)), u"Введите свою  дату:"_s);

        // Labels are read by the text they show now: the kilowatts of step 6,
        // the КН note, the reminder's date. None carries a name fixed at build
        // time, and an empty one is read empty, not by its frame's title.
        const QList<StepWindow *> steps = windows();
        QList<QWidget *> roots(steps.begin(), steps.end());
        roots << &reminder;
        for (QWidget *root : roots) {
            for (QLabel *label : root->findChildren<QLabel *>()) {
                const QString where = root->objectName() + u'.' + label->objectName();
                QVERIFY2(label->accessibleName().isEmpty(), qPrintable(where));
                QCOMPARE(driver::spokenName(label), label->text());
            }
        }
    }

    void looksAsDesignedUnderADarkTheme_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("control");
        // The blue links against the window they sit on: 4.5:1, as for
        // normal text (the design's light grey face gives 7.5:1).
        QTest::newRow("note link") << 1 << u"Label4"_s;
        QTest::newRow("restore link") << 1 << u"Label12"_s;
        QTest::newRow("help-file link") << 3 << u"Label45"_s;
        QTest::newRow("footer link") << 2 << u"Label87"_s;
    }

    void looksAsDesignedUnderADarkTheme()
    {
        QFETCH(int, window);
        QFETCH(QString, control);
        // A dark desktop theme, in force before any window is built.
        const QPalette theme = QApplication::palette();
        const auto restore = qScopeGuard([&theme] { QApplication::setPalette(theme); });
        QPalette dark(QColor(0xEE, 0xEE, 0xEE), QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
        dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
        QApplication::setPalette(dark);

        m_wizard->start();
        QWidget *widget = driver::find(windows().at(window - 1), control);
        const QColor text = widget->palette().color(QPalette::WindowText);
        const QColor ground = widget->palette().color(QPalette::Window);
        const double ratio = contrast(text, ground);
        QVERIFY2(ratio >= 4.5,
            qPrintable(u"%1 on %2: %3:1"_s.arg(text.name(), ground.name()).arg(ratio, 0, 'f', 2)));
    }

private:
    // Every control that Tab reaches in what `root` shows now has a name of
    // its own.
    static void expectDistinctNames(QWidget *root, const QString &where)
    {
        QHash<QString, QString> owners;
        for (QWidget *widget : root->findChildren<QWidget *>()) {
            // Unnamed widgets are the parts of a composite (a drop-down's edit field).
            if (widget->objectName().isEmpty() || !(widget->focusPolicy() & Qt::TabFocus)
                || !widget->isVisibleTo(root))
                continue;
            const QString name = driver::spokenName(widget);
            const QString control = where + u' ' + widget->objectName();
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(control));
            QVERIFY2(!owners.contains(name),
                qPrintable(control + u" and "_s + owners.value(name) + u": "_s + name));
            owners.insert(name, widget->objectName());
        }
    }

    // The contrast ratio of two colours, from 1:1 to 21:1.
    static double contrast(const QColor &a, const QColor &b)
    {
        auto luminance = [](const QColor &colour) {
            auto linear
                = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
            return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
                + 0.0722 * linear(colour.blueF());
        };
        const double la = luminance(a);
        const double lb = luminance(b);
        return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
    }

    QList<StepWindow *> windows() const
    {
        return { m_wizard->form1(), m_wizard->form2(), m_wizard->form3() };
    }

    void walkToStep3(const QString &region)
    {
        Form1 *form1 = m_wizard->form1();
        driver::click(form1, u"Command1"_s);
        driver::pick(form1, u"Combo1"_s, region);
        driver::click(form1, u"Command2"_s);
        QVERIFY(m_wizard->form2()->isVisible());
    }

    // From wherever step 3 stands, with the defaults of steps 4-6 and a
    // period of use unless one is set.
    void walkForm2ToStep8()
    {
        Form2 *form2 = m_wizard->form2();
        for (const QString &next : { u"Command2"_s, u"Command1"_s, u"Command7"_s, u"Command8"_s })
            driver::click(form2, next);
        if (m_wizard->sheet().coefficient(Coefficient::Ks).isEmpty())
            driver::pick(form2, u"Combo2"_s, u"6 месяцев"_s);
        driver::click(form2, u"Command10"_s);
        QCOMPARE(m_wizard->form3()->currentStep(), 8);
    }

    void checkForeignState(bool on)
    {
        const QList<std::pair<QWidget *, QString>> hints
            = { { m_wizard->form1(), u"Label8"_s }, { m_wizard->form2(), u"Label26"_s },
                  { m_wizard->form2(), u"Label27"_s }, { m_wizard->form2(), u"Label28"_s },
                  { m_wizard->form2(), u"Label29"_s }, { m_wizard->form2(), u"Label30"_s },
                  { m_wizard->form3(), u"Label29"_s }, { m_wizard->form3(), u"Label8"_s } };
        for (const auto &[window, name] : hints)
            QCOMPARE(driver::find(window, name)->isHidden(), !on);
        Form3 *form3 = m_wizard->form3();
        QCOMPARE(driver::find(form3, u"Option4"_s)->isEnabled(), !on);
        QCOMPARE(driver::find(form3, u"Option5"_s)->isEnabled(), !on);
        QCOMPARE(driver::find(form3, u"Option6"_s)->isEnabled(), on);
        QCOMPARE(driver::find(m_wizard->form1(), u"Label12"_s)->isEnabled(), !on);
        QCOMPARE(driver::find<QComboBox>(form3, u"Combo1"_s)->isEnabled(), on);
    }

    std::unique_ptr<Recorders> m_recorders;
    std::unique_ptr<TariffWizard> m_wizard;
};

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
