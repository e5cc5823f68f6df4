// The wizard as a whole: start-up, the refusals of the navigation, coming
// back to a window, the step-8/9/10 handling of КП, the foreign check across
// the three windows, and "Выход".

#include "Recorders.h"
#include "WizardDriver.h"
#include "WizardWalk.h"

#include "reminder/ReminderWindow.h"
#include "storage/IniFile.h"
#include "wizard/CategoryWindow.h"
#include "wizard/DriversWindow.h"
#include "wizard/PremiumWindow.h"
#include "wizard/TariffWizard.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
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
        QVERIFY(m_wizard->categoryWindow()->isVisible());
        QCOMPARE(m_wizard->categoryWindow()->currentStep(), 1);
        // Only the first window is built at the start; the others show the
        // sheet whenever they are built.
        QVERIFY(!m_wizard->hasDriversWindow());
        QVERIFY(!m_wizard->hasPremiumWindow());
        QVERIFY(!m_wizard->premiumWindow()->isVisible());
        QCOMPARE(m_wizard->premiumWindow()->currentStep(), 8);
        QCOMPARE(m_wizard->sheet().ownerKind(), OwnerKind::Individual);
        QVERIFY(driver::find<QRadioButton>(m_wizard->premiumWindow(), u"individualOwner"_s)->isChecked());
        QVERIFY(driver::find(m_wizard->premiumWindow(), u"calculateButton"_s)->isEnabled());
        for (StepWindow *window : windows()) {
            QCOMPARE(window->size(), QSize(652, 532));
            QCOMPARE(window->windowTitle(), u"karvo 2012"_s);
            QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
        }
        // Neither the title bar nor the window manager can close a step window.
        QVERIFY(!m_wizard->categoryWindow()->close());
        QVERIFY(m_wizard->categoryWindow()->isVisible());
    }

    void refusalsStayOnTheirStep()
    {
        m_wizard->start();
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        driver::click(categoryWindow, u"step1Next"_s);
        driver::click(categoryWindow, u"step2Next"_s);
        QVERIFY(categoryWindow->isVisible());
        QCOMPARE(categoryWindow->currentStep(), 2);

        driver::pick(categoryWindow, u"regionBox"_s, u"Москва"_s);
        driver::click(categoryWindow, u"step2Next"_s);
        DriversWindow *driversWindow = m_wizard->driversWindow();
        driver::click(driversWindow, u"renewalContract"_s);
        driver::click(driversWindow, u"step3Next"_s);
        QCOMPARE(driversWindow->currentStep(), 3);

        driver::click(driversWindow, u"firstContract"_s);
        for (const QString &next :
            { u"step3Next"_s, u"step4Next"_s, u"step5Next"_s, u"step6Next"_s, u"step7Next"_s })
            driver::click(driversWindow, next);
        QVERIFY(driversWindow->isVisible());
        QCOMPARE(driversWindow->currentStep(), 7);

        driver::pick(driversWindow, u"periodBox"_s, u"3 месяца"_s);
        driver::click(driversWindow, u"step7Next"_s);
        PremiumWindow *premiumWindow = m_wizard->premiumWindow();
        QCOMPARE(premiumWindow->reminderCaption(), u"Запустить программу через 3 месяца"_s);
        driver::click(premiumWindow, u"skipTermCheck"_s);
        driver::click(premiumWindow, u"step8Next"_s);
        QCOMPARE(premiumWindow->currentStep(), 8);
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
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        DriversWindow *driversWindow = m_wizard->driversWindow();
        driver::click(driversWindow, u"step3Back"_s);
        QVERIFY(categoryWindow->isVisible() && !driversWindow->isVisible());
        QCOMPARE(categoryWindow->currentStep(), 2);
        QCOMPARE(
            driver::find<QComboBox>(categoryWindow, u"regionBox"_s)->currentText(), u"Республика Карелия"_s);
        QCOMPARE(driver::text(categoryWindow, u"ktBox"_s), u"1,3"_s);

        driver::click(categoryWindow, u"step2Next"_s);
        QCOMPARE(driversWindow->currentStep(), 3);
        walkStepsThreeToSeven();
        PremiumWindow *premiumWindow = m_wizard->premiumWindow();
        const QString started = m_wizard->sheet().text(SheetText::StartTime);
        QVERIFY(!started.isEmpty());
        driver::click(premiumWindow, u"step8Back"_s);
        QVERIFY(driversWindow->isVisible() && !premiumWindow->isVisible());
        QCOMPARE(driversWindow->currentStep(), 7);
        driver::click(driversWindow, u"step7Next"_s);
        QCOMPARE(premiumWindow->currentStep(), 8);
        QCOMPARE(m_wizard->sheet().text(SheetText::StartTime), started);
    }

    void step2BackEmptiesTheTerritory()
    {
        m_wizard->start();
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        driver::click(categoryWindow, u"foreignCheck"_s);
        driver::click(categoryWindow, u"step1Next"_s);
        QCOMPARE(driver::text(categoryWindow, u"ktBox"_s), u"1,7"_s);
        driver::click(categoryWindow, u"step2Back"_s);
        QCOMPARE(categoryWindow->currentStep(), 1);
        QCOMPARE(m_wizard->sheet().coefficient(Coefficient::Kt), QString());
        driver::click(categoryWindow, u"step1Next"_s);
        driver::click(categoryWindow, u"step2Next"_s);
        QCOMPARE(m_recorders->messages, QStringList { u"Не установлен коэффициент КТ"_s });
    }

    void skippedTermBecomesOneOnlyUntilStep10IsLeft()
    {
        m_wizard->start();
        walkToStep3(u"Москва"_s);
        walkStepsThreeToSeven();
        PremiumWindow *premiumWindow = m_wizard->premiumWindow();
        PremiumSheet &sheet = m_wizard->sheet();
        driver::click(premiumWindow, u"step8Next"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());
        driver::click(premiumWindow, u"step9Next"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"1"_s);
        QVERIFY(sheet.kpDefaulted());
        driver::click(premiumWindow, u"step10Back"_s);
        QCOMPARE(premiumWindow->currentStep(), 9);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), QString());

        // A chosen term survives the way back.
        driver::click(premiumWindow, u"step9Back"_s);
        driver::click(premiumWindow, u"skipTermCheck"_s);
        driver::pick(premiumWindow, u"termBox"_s, u"3 месяца"_s);
        driver::click(premiumWindow, u"step8Next"_s);
        driver::click(premiumWindow, u"step9Next"_s);
        driver::click(premiumWindow, u"step10Back"_s);
        QCOMPARE(sheet.coefficient(Coefficient::Kp), u"0,5"_s);
    }

    void claimsOfStep3GiveKn()
    {
        m_wizard->start();
        walkToStep3(u"Москва"_s);
        DriversWindow *driversWindow = m_wizard->driversWindow();
        driver::click(driversWindow, u"renewalContract"_s);
        driver::pick(driversWindow, u"startClassBox"_s, u"6"_s);
        driver::pick(driversWindow, u"payoutsBox"_s, u"2"_s);
        walkStepsThreeToSeven();
        driver::click(m_wizard->premiumWindow(), u"step8Next"_s);
        QCOMPARE(driver::text(m_wizard->premiumWindow(), u"knBox"_s), u"1,5"_s);
        QCOMPARE(driver::find<QLabel>(m_wizard->premiumWindow(), u"knNote"_s)->text(),
            u"У вас 2 страховых случая КН = 1,5"_s);
    }

    void calculateWaitsForAnOwnerKind()
    {
        m_wizard->start();
        driver::click(m_wizard->categoryWindow(), u"category1"_s);
        PremiumWindow *premiumWindow = m_wizard->premiumWindow();
        QVERIFY(!driver::find(premiumWindow, u"calculateButton"_s)->isEnabled());
        QVERIFY(driver::find<QRadioButton>(premiumWindow, u"unsetOwner"_s)->isChecked());
        premiumWindow->showStep(10);
        driver::click(premiumWindow, u"individualOwner"_s);
        QVERIFY(driver::find(premiumWindow, u"calculateButton"_s)->isEnabled());
    }

    void foreignCheckReachesAllWindows()
    {
        m_wizard->start();
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        PremiumSheet &sheet = m_wizard->sheet();
        driver::click(categoryWindow, u"foreignCheck"_s);
        // The other windows, built only now, show what the check did.
        QVERIFY(!m_wizard->hasDriversWindow() && !m_wizard->hasPremiumWindow());
        DriversWindow *driversWindow = m_wizard->driversWindow();
        PremiumWindow *premiumWindow = m_wizard->premiumWindow();
        checkForeignState(true);
        QCOMPARE(sheet.coefficient(Coefficient::Kt), u"1,7"_s);
        QCOMPARE(driver::text(driversWindow, u"ksBox"_s), u"1"_s);
        QVERIFY(driver::find<QRadioButton>(premiumWindow, u"foreignVehicle"_s)->isChecked());
        QVERIFY(!driver::find<QCheckBox>(premiumWindow, u"skipTermCheck"_s)->isChecked());

        driver::click(categoryWindow, u"foreignCheck"_s);
        checkForeignState(false);
        QCOMPARE(sheet.coefficient(Coefficient::Kt), QString());
        QCOMPARE(driver::text(driversWindow, u"ksBox"_s), QString());
        QVERIFY(driver::find<QRadioButton>(premiumWindow, u"registeredInRussia"_s)->isChecked());
        QCOMPARE(sheet.registrationCase(), RegistrationCase::RegisteredInRussia);
        QVERIFY(driver::find<QCheckBox>(premiumWindow, u"skipTermCheck"_s)->isChecked());
    }

    void foreignVehicleNeedsNoPeriodForStep7()
    {
        m_wizard->start();
        driver::click(m_wizard->categoryWindow(), u"foreignCheck"_s);
        driver::click(m_wizard->categoryWindow(), u"step1Next"_s);
        driver::click(m_wizard->categoryWindow(), u"step2Next"_s);
        walkStepsThreeToSeven();
        QVERIFY(m_wizard->premiumWindow()->isVisible());
        QCOMPARE(m_wizard->premiumWindow()->reminderCaption(), u"Запустить программу через "_s);
        QCOMPARE(m_recorders->messages, QStringList());
    }

    void exitEndsAtOnceFromAnyStep()
    {
        m_wizard->start();
        walkToStep3(u"Москва"_s);
        walkStepsThreeToSeven();
        driver::click(m_wizard->premiumWindow(), u"step8Next"_s);
        QSignalSpy exiting(m_wizard.get(), &TariffWizard::exiting);
        driver::click(m_wizard->premiumWindow(), u"exitButton"_s);
        QCOMPARE(exiting.count(), 1);
        QCOMPARE(m_recorders->messages, QStringList());
        QVERIFY(!QFile::exists(settingsFilePath()));
    }

    void everyControlIsNamedForAssistiveTools()
    {
        m_wizard->start();
        walkToStep3(u"Республика Башкортостан"_s);
        walkStepsThreeToSeven();
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
        m_wizard->premiumWindow()->reportBox()->show();
        expectDistinctNames(m_wizard->premiumWindow(), u"step 10 with the report box"_s);
        m_wizard->premiumWindow()->reportBox()->hide();
        ReminderWindow reminder(m_wizard->premiumWindow());
        reminder.open();
        expectDistinctNames(&reminder, u"ReminderWindow"_s);

        // The boxes are named by their titles, not by what they hold.
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        QCOMPARE(driver::spokenName(driver::find(categoryWindow, u"regionBox"_s)), u"Регион"_s);
        QCOMPARE(
            driver::spokenName(driver::find(categoryWindow, u"townList"_s)), u"Город или населенный пункт"_s);
        QCOMPARE(driver::spokenName(driver::find(categoryWindow, u"ktBox"_s)),
            driver::find<QLabel>(categoryWindow, u"ktTitle"_s)->text());
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
        QTest::newRow("note link") << 1 << u"tbNoteLink"_s;
        QTest::newRow("restore link") << 1 << u"restoreLink"_s;
        QTest::newRow("help-file link") << 3 << u"decreeLink"_s;
        QTest::newRow("footer link") << 2 << u"siteLink"_s;
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
    // Every control that Tab reaches, and every group of controls, in what
    // `root` shows now has a name of its own.
    static void expectDistinctNames(QWidget *root, const QString &where)
    {
        QHash<QString, QString> owners;
        for (QWidget *widget : root->findChildren<QWidget *>()) {
            // Unnamed widgets are the parts of a composite (a drop-down's edit field).
            const bool named = (widget->focusPolicy() & Qt::TabFocus) || qobject_cast<QGroupBox *>(widget);
            if (widget->objectName().isEmpty() || !named || !widget->isVisibleTo(root))
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
        return { m_wizard->categoryWindow(), m_wizard->driversWindow(), m_wizard->premiumWindow() };
    }

    void walkToStep3(const QString &region)
    {
        driver::walk(*m_wizard, { .region = region, .to = 2 });
        QVERIFY(m_wizard->driversWindow()->isVisible());
    }

    // From wherever step 3 stands, with the defaults of steps 4-6 and a
    // period of use unless one is set.
    void walkStepsThreeToSeven()
    {
        const bool periodSet = !m_wizard->sheet().coefficient(Coefficient::Ks).isEmpty();
        driver::walk(*m_wizard, { .from = 3, .period = periodSet ? QString() : u"6 месяцев"_s, .to = 7 });
        QCOMPARE(m_wizard->premiumWindow()->currentStep(), 8);
    }

    void checkForeignState(bool on)
    {
        // Step 2 is built the first time it is shown: at the first check
        // after the foreign check changed, later it follows the change.
        CategoryWindow *categoryWindow = m_wizard->categoryWindow();
        const int step = categoryWindow->currentStep();
        categoryWindow->showStep(2);
        categoryWindow->showStep(step);
        const QList<std::pair<QWidget *, QString>> hints
            = { { m_wizard->categoryWindow(), u"step2ForeignHint"_s },
                  { m_wizard->driversWindow(), u"step3ForeignHint"_s },
                  { m_wizard->driversWindow(), u"step4ForeignHint"_s },
                  { m_wizard->driversWindow(), u"step5ForeignHint"_s },
                  { m_wizard->driversWindow(), u"step6ForeignHint"_s },
                  { m_wizard->driversWindow(), u"step7ForeignHint"_s },
                  { m_wizard->premiumWindow(), u"step8ForeignHint"_s },
                  { m_wizard->premiumWindow(), u"step9ForeignHint"_s } };
        for (const auto &[window, name] : hints)
            QCOMPARE(driver::find(window, name)->isHidden(), !on);
        PremiumWindow *premiumWindow = m_wizard->premiumWindow();
        QCOMPARE(driver::find(premiumWindow, u"registeredInRussia"_s)->isEnabled(), !on);
        QCOMPARE(driver::find(premiumWindow, u"travellingToRegistration"_s)->isEnabled(), !on);
        QCOMPARE(driver::find(premiumWindow, u"foreignVehicle"_s)->isEnabled(), on);
        QCOMPARE(driver::find(m_wizard->categoryWindow(), u"restoreLink"_s)->isEnabled(), !on);
        QCOMPARE(driver::find<QComboBox>(premiumWindow, u"termBox"_s)->isEnabled(), on);
    }

    std::unique_ptr<Recorders> m_recorders;
    std::unique_ptr<TariffWizard> m_wizard;
};

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
