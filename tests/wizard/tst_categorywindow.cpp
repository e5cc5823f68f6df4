// Steps 1 and 2 on their own window: categories, the foreign check's
// explanation box, regions and towns.

#include "WindowFixture.h"
#include "WizardDriver.h"

#include "model/PremiumSheet.h"
#include "wizard/CategoryWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

class TestCategoryWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_fixture.build(); }
    void cleanup() { m_fixture.reset(); }

    void categoryClickSetsTariffOwnerAndCode_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("tb");
        QTest::addColumn<OwnerKind>("owner");
        QTest::newRow("motorcycles leave the owner open") << 1 << u"1215"_s << OwnerKind::Unset;
        QTest::newRow("cars of legal entities") << 2 << u"2375"_s << OwnerKind::LegalEntity;
        QTest::newRow("cars of entrepreneurs") << 4 << u"1980"_s << OwnerKind::Individual;
        QTest::newRow("trolleybuses") << 13 << u"1620"_s << OwnerKind::LegalEntity;
        QTest::newRow("tractor trailers, the last row") << 16 << u"305"_s << OwnerKind::Unset;
    }
    void categoryClickSetsTariffOwnerAndCode()
    {
        QFETCH(int, row);
        QFETCH(QString, tb);
        QFETCH(OwnerKind, owner);
        driver::click(m_fixture.window.get(), u"category"_s + QString::number(row));
        QCOMPARE(driver::text(m_fixture.window.get(), u"tbBox"_s), tb);
        QCOMPARE(m_fixture.sheet->ownerKind(), owner);
        QCOMPARE(m_fixture.sheet->category(), row);
        QVERIFY(driver::find<QRadioButton>(m_fixture.window.get(), u"category"_s + QString::number(row))
                    ->isChecked());
    }

    void longCaptionClickSelectsItsChoice()
    {
        // The caption of a wrapping choice is a label beside an empty button.
        auto *button = driver::find<QRadioButton>(m_fixture.window.get(), u"category8"_s);
        QLabel *caption = nullptr;
        for (QLabel *label : button->parentWidget()->findChildren<QLabel *>())
            caption = label;
        QVERIFY(caption);
        QCOMPARE(caption->text(), button->accessibleName());
        driver::click(caption);
        QVERIFY(button->isChecked());
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Tb), u"3240"_s);
    }

    void attentionBoxFollowsTheMouse()
    {
        QWidget *attention = driver::find(m_fixture.window.get(), u"foreignAttention"_s);
        QWidget *frame = driver::find(m_fixture.window.get(), u"step1Frame"_s);
        QVERIFY(!attention->isVisible());
        moveMouse(driver::find<QCheckBox>(m_fixture.window.get(), u"foreignCheck"_s), { 5, 5 });
        QVERIFY(attention->isVisible());
        // Over another control of the frame nothing happens...
        moveMouse(driver::find(m_fixture.window.get(), u"step1Next"_s), { 5, 5 });
        QVERIFY(attention->isVisible());
        // ...over a free spot of the frame the box goes.
        const QPoint free(pixelsFromTwips(7000), pixelsFromTwips(6000));
        QVERIFY(!frame->childAt(free));
        moveMouse(frame, free);
        QVERIFY(!attention->isVisible());
    }

    void regionFillsTownsAndTownSetsKt_data()
    {
        QTest::addColumn<QString>("variantOption");
        QTest::addColumn<QString>("region");
        QTest::addColumn<int>("townCount");
        QTest::addColumn<QString>("firstKt");
        QTest::addColumn<QString>("town");
        QTest::addColumn<QString>("townKt");
        QTest::newRow("vehicles, Bashkortostan")
            << u"vehiclesColumn"_s << u"Республика Башкортостан"_s << 5 << u"1,2"_s << u"Уфа"_s << u"1,8"_s;
        QTest::newRow("tractors, Moscow")
            << u"tractorsColumn"_s << u"Москва"_s << 1 << u"1,2"_s << u"Москва"_s << u"1,2"_s;
        QTest::newRow("vehicles, other towns of Amur")
            << u"vehiclesColumn"_s << u"Амурская область"_s << 3 << u"1"_s
            << u"Прочие города и населенные пункты"_s << u"0,85"_s;
    }
    void regionFillsTownsAndTownSetsKt()
    {
        QFETCH(QString, variantOption);
        QFETCH(QString, region);
        QFETCH(int, townCount);
        QFETCH(QString, firstKt);
        QFETCH(QString, town);
        QFETCH(QString, townKt);
        m_fixture.window->showStep(2);
        driver::click(m_fixture.window.get(), variantOption);
        driver::pick(m_fixture.window.get(), u"regionBox"_s, region);
        auto *towns = driver::find<QListWidget>(m_fixture.window.get(), u"townList"_s);
        QCOMPARE(towns->count(), townCount);
        QCOMPARE(towns->currentRow(), 0);
        QCOMPARE(driver::text(m_fixture.window.get(), u"ktBox"_s), firstKt);
        driver::pick(towns, town);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kt), townKt);
        QCOMPARE(m_fixture.sheet->text(SheetText::TownGroup), town);
    }

    void typedRegionChangesNothing()
    {
        m_fixture.window->showStep(2);
        driver::click(m_fixture.window.get(), u"vehiclesColumn"_s);
        driver::pick(m_fixture.window.get(), u"regionBox"_s, u"Республика Карелия"_s);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kt), u"1,3"_s);
        // Typed over, not picked: the list stays, and a town is looked up in
        // the region whose towns are listed.
        driver::replaceText(
            driver::find<QComboBox>(m_fixture.window.get(), u"regionBox"_s)->lineEdit(), u"Москва"_s);
        auto *towns = driver::find<QListWidget>(m_fixture.window.get(), u"townList"_s);
        QCOMPARE(towns->count(), 2);
        driver::pickRow(towns, 1);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kt), u"0,8"_s);
        QCOMPARE(m_fixture.sheet->text(SheetText::Region), u"Республика Карелия"_s);
    }

    void variantSwitchEmptiesRegionButKeepsKt()
    {
        m_fixture.window->showStep(2);
        driver::click(m_fixture.window.get(), u"vehiclesColumn"_s);
        driver::pick(m_fixture.window.get(), u"regionBox"_s, u"Москва"_s);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kt), u"2"_s);
        driver::click(m_fixture.window.get(), u"tractorsColumn"_s);
        QCOMPARE(m_fixture.sheet->territoryColumn(), TerritoryColumn::Tractors);
        QCOMPARE(m_fixture.sheet->text(SheetText::Region), QString());
        QCOMPARE(driver::find<QListWidget>(m_fixture.window.get(), u"townList"_s)->count(), 0);
        QCOMPARE(driver::text(m_fixture.window.get(), u"ktBox"_s), u"2"_s);
    }

    void valueBoxIsTheSheetField()
    {
        m_fixture.window->showStep(2);
        driver::replaceText(driver::find<QLineEdit>(m_fixture.window.get(), u"ktBox"_s), u"1,4"_s);
        QCOMPARE(m_fixture.sheet->coefficient(Coefficient::Kt), u"1,4"_s);
        m_fixture.sheet->setCoefficient(Coefficient::Kt, u"0,6"_s);
        QCOMPARE(driver::text(m_fixture.window.get(), u"ktBox"_s), u"0,6"_s);
    }

    void notesOpenTheirFiles()
    {
        m_fixture.recorders->addFile(u"k/tb.txt"_s);
        m_fixture.recorders->addFile(u"k/kt.txt"_s);
        driver::click(m_fixture.window.get(), u"tbNoteLink"_s);
        m_fixture.window->showStep(2);
        driver::click(m_fixture.window.get(), u"ktNoteLink"_s);
        QCOMPARE(m_fixture.recorders->opened.size(), 2);
        QVERIFY(m_fixture.recorders->opened[0].toLocalFile().endsWith(u"/k/tb.txt"_s));
        QVERIFY(m_fixture.recorders->opened[1].toLocalFile().endsWith(u"/k/kt.txt"_s));
    }

private:
    static void moveMouse(QWidget *widget, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    WindowFixture<CategoryWindow> m_fixture;
};

QTEST_MAIN(TestCategoryWindow)
#include "tst_categorywindow.moc"
