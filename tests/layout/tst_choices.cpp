// Option buttons and check boxes as a screen reader switches them: its toggle
// action must reach the window as the user's click, so that what the window
// shows is what it acts on.

#include "layout/Accessibility.h"
#include "layout/LayoutTable.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

using K = ControlKind;

const ControlRow kRows[] = {
    { u"ownerFrame"_s, {}, K::Frame, { 0, 0, 6000, 3000 }, Plain, u"Собственник"_s },
    { u"individualRadio"_s, u"ownerFrame"_s, K::Radio, { 120, 240, 3000, 255 }, Plain, u"Физическое лицо"_s },
    { u"legalEntityRadio"_s, u"ownerFrame"_s, K::Radio, { 120, 600, 3000, 255 }, Wrap,
        u"Юридические лица"_s },
    { u"foreignCheck"_s, {}, K::Check, { 120, 3200, 3000, 255 }, Plain, u"Иностранное ТС"_s },
    { u"travelCheck"_s, {}, K::Check, { 120, 3600, 3000, 255 }, Wrap, u"Следует к месту регистрации"_s },
};

} // namespace

class TestChoices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installAccessibility(); }

    void toggleActionIsAClick_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QList<bool>>("clicks"); // the state after each of two actions
        const QList<bool> stays { true, true };
        const QList<bool> flips { true, false };
        QTest::newRow("an option button") << u"individualRadio"_s << u"Физическое лицо"_s << stays;
        QTest::newRow("an option button with a wrapping caption")
            << u"legalEntityRadio"_s << u"Юридические лица"_s << stays;
        QTest::newRow("a check box") << u"foreignCheck"_s << u"Иностранное ТС"_s << flips;
        QTest::newRow("a check box with a wrapping caption")
            << u"travelCheck"_s << u"Следует к месту регистрации"_s << flips;
    }

    void toggleActionIsAClick()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QList<bool>, clicks);
        QWidget window;
        const Controls controls = buildControls(&window, kRows);
        window.show();
        auto *button = controls.get<QAbstractButton>(name);
        QList<bool> seen; // the state each click handler saw
        for (auto *choice : window.findChildren<QAbstractButton *>())
            connect(choice, &QAbstractButton::clicked, this, [&, choice] {
                if (choice == button)
                    seen << button->isChecked();
            });

        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(button);
        QVERIFY(accessible && accessible->actionInterface());
        QCOMPARE(accessible->text(QAccessible::Name), caption);
        QVERIFY(accessible->state().checkable);
        const QString toggle = QAccessibleActionInterface::toggleAction();
        QCOMPARE(accessible->actionInterface()->actionNames(), QStringList { toggle });
        accessible->actionInterface()->doAction(toggle);
        QTRY_COMPARE(seen, clicks.mid(0, 1));
        QCOMPARE(bool(accessible->state().checked), clicks.front());
        accessible->actionInterface()->doAction(toggle);
        QTRY_COMPARE(seen, clicks);
        QCOMPARE(button->isChecked(), clicks.back());
    }
};

QTEST_MAIN(TestChoices)
#include "tst_choices.moc"
