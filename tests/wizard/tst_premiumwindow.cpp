// Steps 8 to 10 on their own window: the skip check and the term list, the
// step-10 choices mirroring the sheet, "Расчет" and its explanation, the
// reminder "ОК" and the reminder check restored from the remembered value.

#include "WindowFixture.h"
#include "WizardDriver.h"

#include "model/PremiumFormula.h"
#include "model/PremiumSheet.h"
#include "wizard/PremiumWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

// Every control of the window that was there before the explanation: its
// place, size, visibility and text.
QStringList controlsAsShown(const QWidget *window)
{
    QStringList shown;
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().startsWith(u"explanation"_s) || w->objectName() == u"maximumWarning"_s
            || w->objectName().isEmpty())
            continue;
        QString text;
        if (auto *label = qobject_cast<const QLabel *>(w))
            text = label->text();
        else if (auto *button = qobject_cast<const QAbstractButton *>(w))
            text = button->text();
        else if (auto *edit = qobject_cast<const QLineEdit *>(w); edit && w->objectName() != u"premiumBox"_s)
            text = edit->text();
        const QRect r = w->geometry();
        shown << u"%1 %2,%3 %4x%5 %6 %7"_s.arg(w->objectName())
                     .arg(r.x())
                     .arg(r.y())
                     .arg(r.width())
                     .arg(r.height())
                     .arg(w->isVisible())
                     .arg(text);
    }
    return shown;
}

} // namespace

class TestPremiumWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture.build(); }
    void cleanup() { m_fixture.reset(); }

    void loadsOnStep8Skipped()
    {
        QCOMPARE(m_fixture.window->currentStep(), 8);
        QVERIFY(driver::find<QCheckBox>(m_fixture.window.get(), u"skipTermCheck"_s)->isChecked());
        for (const QString &name : { u"termBox"_s, u"kpTitle"_s, u"kpBox"_s })
            QVERIFY(!driver::find(m_fixture.window.get(), name)->isEnabled());
        QCOMPARE(driver::find<QComboBox>(m_fixture.window.get(), u"termBox"_s)->count(), 11);
        // No owner kind yet: the hidden third choice holds the group.
        auto *unset = driver::find<QRadioButton>(m_fixture.window.get(), u"unsetOwner"_s);
        QVERIFY(unset->isChecked() && unset->isHidden());
        QVERIFY(!driver::find(m_fixture.window.get(), u"calculateButton"_s)->isEnabled());
        QVERIFY(!driver::find(m_fixture.window.get(), u"foreignVehicle"_s)->isEnabled());
        QVERIFY(driver::find<QRadioButton>(m_fixture.window.get(), u"groupB"_s)->isChecked());
        QVERIFY(driver::find(m_fixture.window.get(), u"reportBox"_s)->isHidden());
    }

    void termListFollowsTheSkipCheck()
    {
        driver::click(m_fixture.window.get(), u"skipTermCheck"_s);
        QVERIFY(!m_fixture.sheet->skipTerm());
        QVERIFY(driver::find(m_fixture.window.get(), u"termBox"_s)->isEnabled());
        driver::pick(m_fixture.window.get(), u"termBox"_s, u"5 месяцев"_s);
        QCOMPARE(driver::text(m_fixture.window.get(), u"kpBox"_s), u"0,65"_s);
        auto *terms = driver::find<QComboBox>(m_fixture.window.get(), u"termBox"_s);
        driver::replaceText(terms->lineEdit(), u"нет такого срока"_s);
        QTest::keyClick(terms->lineEdit(), Qt::Key_Return);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kp), u"0,65"_s);
        driver::click(m_fixture.window.get(), u"skipTermCheck"_s);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kp), QString());
        QCOMPARE(driver::find<QComboBox>(m_fixture.window.get(), u"termBox"_s)->currentText(), QString());
        QVERIFY(!driver::find(m_fixture.window.get(), u"kpBox"_s)->isEnabled());
    }

    void choicesMirrorTheSheet()
    {
        m_fixture.window->showStep(10);
        driver::click(m_fixture.window.get(), u"legalEntityOwner"_s);
        QCOMPARE(m_fixture.sheet->ownerKind(), OwnerKind::LegalEntity);
        QVERIFY(driver::find(m_fixture.window.get(), u"calculateButton"_s)->isEnabled());
        driver::click(m_fixture.window.get(), u"groupTrailer"_s);
        QCOMPARE(m_fixture.sheet->vehicleGroup(), VehicleGroup::GroupTrailer);
        driver::click(m_fixture.window.get(), u"travellingToRegistration"_s);
        QCOMPARE(m_fixture.sheet->registrationCase(), RegistrationCase::TravellingToRegistration);
        // And the other way round.
        m_fixture.sheet->setOwnerKind(OwnerKind::Unset);
        QVERIFY(driver::find<QRadioButton>(m_fixture.window.get(), u"unsetOwner"_s)->isChecked());
        QVERIFY(!driver::find(m_fixture.window.get(), u"calculateButton"_s)->isEnabled());
    }

    void calculateWritesTOrTellsWhichCoefficientIsWrong_data()
    {
        QTest::addColumn<QString>("kn");
        QTest::addColumn<QString>("t");
        QTest::addColumn<QString>("message");
        QTest::newRow("all numbers") << u"1"_s << u"3564"_s << QString();
        // A changed input empties the Т of earlier inputs, and a refusal shows none.
        QTest::newRow("typed letters") << u"abc"_s << QString() << u"Неверное значение коэффициента КН"_s;
        QTest::newRow("emptied") << QString() << QString() << u"Неверное значение коэффициента КН"_s;
    }
    void calculateWritesTOrTellsWhichCoefficientIsWrong()
    {
        QFETCH(QString, kn);
        QFETCH(QString, t);
        QFETCH(QString, message);
        for (Coefficient c : kAllCoefficients)
            m_fixture.sheet->setCoefficient(c, u"1"_s);
        m_fixture.sheet->setCoefficient(Coefficient::Tb, u"1980"_s);
        m_fixture.sheet->setCoefficient(Coefficient::Kt, u"1,8"_s);
        m_fixture.sheet->setText(SheetText::T, u"777"_s);
        m_fixture.sheet->setOwnerKind(OwnerKind::Individual);
        m_fixture.window->showStep(9);
        driver::replaceText(driver::find<QLineEdit>(m_fixture.window.get(), u"knBox"_s), kn);
        m_fixture.window->showStep(10);
        QSignalSpy save(m_fixture.window.get(), &PremiumWindow::saveInputsRequested);
        driver::click(m_fixture.window.get(), u"saveInputsCheck"_s);
        driver::click(m_fixture.window.get(), u"calculateButton"_s);
        QCOMPARE(driver::text(m_fixture.window.get(), u"premiumBox"_s), t);
        QCOMPARE(m_fixture.recorders->messages, message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(save.count(), message.isEmpty() ? 1 : 0);
    }

    // The example of a premium above the legal maximum, through the window.
    void calculateExplainsTAndTheMaximum()
    {
        const QStringList values { u"1980"_s, u"2"_s, u"2,45"_s, u"1,7"_s, u"1,8"_s, u"1,6"_s, u"1"_s, u"1"_s,
            u"1,5"_s };
        for (Coefficient c : kAllCoefficients)
            m_fixture.sheet->setCoefficient(c, values[int(c)]);
        m_fixture.sheet->setOwnerKind(OwnerKind::Individual);
        m_fixture.window->showStep(10);
        QApplication::setActiveWindow(m_fixture.window.get());
        const QStringList before = controlsAsShown(m_fixture.window.get());
        auto *link = driver::find<QLabel>(m_fixture.window.get(), u"explanationLink"_s);
        auto *window = driver::find(m_fixture.window.get(), u"explanation"_s);
        QVERIFY(!link->isVisible());

        driver::click(m_fixture.window.get(), u"calculateButton"_s);
        QCOMPARE(driver::text(m_fixture.window.get(), u"premiumBox"_s), u"71251,488"_s);
        const QString warning
            = u"Т превышает предельный размер: страховая премия не может превышать 19800 руб."_s;
        auto *onStep = driver::find<QLabel>(m_fixture.window.get(), u"maximumWarning"_s);
        QVERIFY(onStep->isVisible());
        QCOMPARE(onStep->text(), warning);
        QCOMPARE(onStep->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(link->isVisible() && !window->isVisible());

        // Opened from the keyboard, read, and closed with Escape.
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Return);
        QVERIFY(window->isVisible());
        QCOMPARE(window->accessibleName(), u"Расчет премии"_s);
        const QStringList lines = m_fixture.window->explanation().split(u'\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0],
            u"Т = ТБ × КТ × КБМ × КВС × КО × КМ × КС × КН = 1980 × 2 × 2,45 × 1,8 × 1,7 × 1,6 × 1 × 1,5 = 71251,488"_s);
        QCOMPARE(lines[1], u"Каждое произведение округляется до четырех знаков после запятой."_s);
        QVERIFY2(lines[2].endsWith(u": 5 × ТБ × КТ = 5 × 1980 × 2 = 19800"_s), qPrintable(lines[2]));
        QCOMPARE(lines[3], warning);
        QCOMPARE(window->accessibleDescription(), m_fixture.window->explanation());
        auto *shownWarning = driver::find<QLabel>(window, u"explanationWarning"_s);
        QVERIFY(shownWarning->isVisible());
        QCOMPARE(shownWarning->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(window->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QCOMPARE(QApplication::focusWidget(), link);

        // Nothing of the step moved, changed size or changed text.
        QCOMPARE(controlsAsShown(m_fixture.window.get()), before);
        QCOMPARE(m_fixture.sheet->text(SheetText::T), u"71251,488"_s);
    }

    // The explanation is of the sheet as it was at "Расчет": whatever can
    // change Т afterwards takes it away, and a refused "Расчет" gives none.
    void explanationNeverOutlivesItsSheet_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("КТ from step 2") << u"kt"_s;
        QTest::newRow("КН typed on step 9") << u"knBox"_s;
        QTest::newRow("owner kind") << u"legalEntityOwner"_s;
        QTest::newRow("registration case") << u"travellingToRegistration"_s;
        QTest::newRow("vehicle group") << u"groupTrailer"_s;
        QTest::newRow("refused Расчет") << u"refused"_s;
    }
    void explanationNeverOutlivesItsSheet()
    {
        QFETCH(QString, change);
        for (Coefficient c : kAllCoefficients)
            m_fixture.sheet->setCoefficient(c, u"1"_s);
        m_fixture.sheet->setCoefficient(Coefficient::Tb, u"1980"_s);
        m_fixture.sheet->setOwnerKind(OwnerKind::Individual);
        m_fixture.window->showStep(10);
        driver::click(m_fixture.window.get(), u"calculateButton"_s);
        driver::click(m_fixture.window.get(), u"explanationLink"_s);
        QVERIFY(m_fixture.window->explanation().startsWith(u"Т = ТБ × КТ"_s));
        QVERIFY(driver::find(m_fixture.window.get(), u"explanation"_s)->isVisible());
        // Within the maximum: no warning on the step.
        QVERIFY(!driver::find(m_fixture.window.get(), u"maximumWarning"_s)->isVisible());

        if (change == u"kt"_s) {
            m_fixture.sheet->setCoefficient(Coefficient::Kt, u"1,8"_s);
        } else if (change == u"knBox"_s) {
            m_fixture.window->showStep(9);
            driver::replaceText(driver::find<QLineEdit>(m_fixture.window.get(), u"knBox"_s), u"1,5"_s);
            m_fixture.window->showStep(10);
        } else if (change == u"refused"_s) {
            m_fixture.sheet->setCoefficient(Coefficient::Kn, u"abc"_s);
            driver::click(m_fixture.window.get(), u"calculateButton"_s);
            QCOMPARE(m_fixture.recorders->messages, QStringList { u"Неверное значение коэффициента КН"_s });
        } else {
            driver::click(m_fixture.window.get(), change);
        }
        QCOMPARE(m_fixture.window->explanation(), QString());
        QVERIFY(!driver::find(m_fixture.window.get(), u"explanationLink"_s)->isVisible());
        QVERIFY(!driver::find(m_fixture.window.get(), u"explanation"_s)->isVisible());
        QVERIFY(!driver::find(m_fixture.window.get(), u"maximumWarning"_s)->isVisible());
    }

    // Built over a sheet that already holds Т and a period, the window shows
    // them as one built before would: Т explained, the period in the
    // reminder's caption, which then follows the period.
    void showsWhatTheSheetHoldsWhenBuilt()
    {
        m_fixture.reset();
        m_fixture.build([](PremiumSheet &sheet) {
            for (Coefficient c : kAllCoefficients)
                sheet.setCoefficient(c, u"1"_s);
            sheet.setCoefficient(Coefficient::Tb, u"1980"_s);
            sheet.setOwnerKind(OwnerKind::Individual);
            sheet.setText(SheetText::Period, u"3 месяца"_s);
            QCOMPARE(computePremium(sheet), QString());
        });
        m_fixture.window->showStep(10);
        QVERIFY(m_fixture.window->explanation().startsWith(u"Т = ТБ × КТ"_s));
        QVERIFY(driver::find(m_fixture.window.get(), u"explanationLink"_s)->isVisible());
        QCOMPARE(m_fixture.window->reminderCaption(), u"Запустить программу через 3 месяца"_s);
        m_fixture.sheet->setText(SheetText::Period, u"10 месяцев и более "_s);
        QCOMPARE(m_fixture.window->reminderCaption(), u"Запустить программу через 10 месяцев и более "_s);
    }

    void reminderOkNeedsTheCheck()
    {
        m_fixture.window->showStep(10);
        QSignalSpy reminder(m_fixture.window.get(), &PremiumWindow::reminderRequested);
        driver::click(m_fixture.window.get(), u"reminderOk"_s);
        QCOMPARE(m_fixture.recorders->messages, QStringList { u"Установите флажок"_s });
        QCOMPARE(m_fixture.recorders->titles, QStringList { u"karvo 2012"_s });
        QCOMPARE(reminder.count(), 0);
        driver::click(m_fixture.window.get(), u"reminderCheck"_s);
        driver::click(m_fixture.window.get(), u"reminderOk"_s);
        driver::click(m_fixture.window.get(), u"reminderOk"_s);
        QCOMPARE(reminder.count(), 2);
        QCOMPARE(m_fixture.recorders->messages.size(), 1);
    }

    void reportBoxOkAsksToOpenTheReport()
    {
        m_fixture.window->showStep(10);
        m_fixture.window->reportBox()->show();
        QSignalSpy asked(m_fixture.window.get(), &PremiumWindow::reportOpenRequested);
        driver::click(m_fixture.window.get(), u"reportOk"_s);
        QCOMPARE(asked.size(), 1);
    }

private:
    WindowFixture<PremiumWindow> m_fixture;
};

QTEST_MAIN(TestPremiumWindow)
#include "tst_premiumwindow.moc"
