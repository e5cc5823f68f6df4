// The "Примечание" links, the help-file link of step 10 and the footer links
// of every step window: each hands the right file or address to the desktop,
// by mouse and through assistive technology, and says so when it cannot.

#include "Recorders.h"
#include "WizardDriver.h"

#include "notes/NoteLinks.h"
#include "wizard/CategoryWindow.h"
#include "wizard/DriversWindow.h"
#include "wizard/PremiumWindow.h"
#include "wizard/TariffWizard.h"

#include <QLabel>
#include <QSignalSpy>
#include <QUrlQuery>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

StepWindow *windowOf(TariffWizard &wizard, int number)
{
    switch (number) {
    case 1:
        return wizard.categoryWindow();
    case 2:
        return wizard.driversWindow();
    default:
        return wizard.premiumWindow();
    }
}

// Shows the step whose frame holds the label, so that it is clicked as a
// user clicks it.
void showStepOf(StepWindow *window, int step)
{
    window->show();
    window->showStep(step);
}

} // namespace

class TestLinks : public QObject
{
    Q_OBJECT

private slots:
    void noteLinksOpenTheirFiles_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("notOpened");
        QTest::addColumn<QString>("missing");
        const QString note = u"Не удалось открыть примечание: "_s;
        const QString noNote = u"Не найден файл примечания: "_s;
        QTest::newRow("step 1, ТБ") << 1 << 1 << u"tbNoteLink"_s << u"k/tb.txt"_s << note << noNote;
        QTest::newRow("step 2, КТ") << 1 << 2 << u"ktNoteLink"_s << u"k/kt.txt"_s << note << noNote;
        QTest::newRow("step 3, КБМ") << 2 << 3 << u"kbmNoteLink"_s << u"k/kbm.txt"_s << note << noNote;
        QTest::newRow("step 4, КО") << 2 << 4 << u"koNoteLink"_s << u"k/ko.txt"_s << note << noNote;
        QTest::newRow("step 5, КВС") << 2 << 5 << u"kvsNoteLink"_s << u"k/kvs.txt"_s << note << noNote;
        QTest::newRow("step 6, КМ") << 2 << 6 << u"kmNoteLink"_s << u"k/km.txt"_s << note << noNote;
        QTest::newRow("step 7, КС") << 2 << 7 << u"ksNoteLink"_s << u"k/ks.txt"_s << note << noNote;
        QTest::newRow("step 8, КП") << 3 << 8 << u"kpNoteLink"_s << u"k/kp.txt"_s << note << noNote;
        QTest::newRow("step 10, the decree")
            << 3 << 10 << u"decreeLink"_s << u"k/739.chm"_s << u"Не удалось открыть справку: "_s
            << u"Не найден файл справки: "_s;
    }

    void noteLinksOpenTheirFiles()
    {
        QFETCH(int, window);
        QFETCH(int, step);
        QFETCH(QString, label);
        QFETCH(QString, file);
        QFETCH(QString, notOpened);
        QFETCH(QString, missing);

        Recorders recorders;
        TariffWizard wizard;
        wizard.start();
        StepWindow *target = windowOf(wizard, window);
        showStepOf(target, step);
        auto *link = driver::find<QLabel>(target, label);
        const QString path = recorders.folder.filePath(file);

        // Without the file the user is told which one is missing.
        driver::click(link);
        QCOMPARE(recorders.opened, QList<QUrl>());
        QCOMPARE(recorders.messages, QStringList { missing + path });

        recorders.addFile(file);
        recorders.messages.clear();
        driver::click(link);
        QCOMPARE(recorders.opened, QList<QUrl> { QUrl::fromLocalFile(path) });
        QCOMPARE(recorders.messages, QStringList());

        // A screen reader offers the link as a link, read by its caption, and presses it.
        QCOMPARE(driver::accessible(link)->role(), QAccessible::Link);
        QCOMPARE(driver::spokenName(link), link->text());
        driver::pressThroughAccessibility(link);
        QTRY_COMPARE(recorders.opened.size(), 2);

        // Reached with Tab, it shows that it has the focus.
        const QImage unfocused = link->grab().toImage();
        QApplication::setActiveWindow(target);
        link->setFocus(Qt::TabFocusReason);
        QVERIFY(link->hasFocus());
        QVERIFY(link->grab().toImage() != unfocused);

        // Nothing on the desktop opens it: the user learns where the file is.
        recorders.desktopOpens = false;
        driver::click(link);
        QCOMPARE(recorders.messages, QStringList { notOpened + path });
        QCOMPARE(target->currentStep(), step);
        QVERIFY(target->isVisible());
    }

    void footerLinksOpenMailAndSite_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("site");
        QTest::newRow("steps 1-2") << 1 << u"emailLink"_s << u"siteLink"_s;
        QTest::newRow("steps 3-7") << 2 << u"emailLink"_s << u"siteLink"_s;
        QTest::newRow("steps 8-10") << 3 << u"emailLink"_s << u"siteLink"_s;
    }

    void footerLinksOpenMailAndSite()
    {
        QFETCH(int, window);
        QFETCH(QString, email);
        QFETCH(QString, site);

        Recorders recorders;
        TariffWizard wizard;
        wizard.start();
        StepWindow *target = windowOf(wizard, window);
        target->show();
        auto *emailLabel = driver::find<QLabel>(target, email);
        auto *siteLabel = driver::find<QLabel>(target, site);
        QCOMPARE(emailLabel->toolTip(), u"Автор"_s);
        QCOMPARE(siteLabel->toolTip(), u"Сайт и форум программы tolvek"_s);
        QCOMPARE(emailLabel->cursor().shape(), Qt::PointingHandCursor);

        driver::click(emailLabel);
        driver::click(siteLabel);
        QCOMPARE(recorders.opened.size(), 2);
        const QUrl mail = recorders.opened[0];
        QCOMPARE(mail.scheme(), u"mailto"_s);
        QCOMPARE(mail.path(), emailLabel->text());
        QCOMPARE(QUrlQuery(mail).queryItemValue(u"Subject"_s, QUrl::FullyDecoded), u"KARVO-вопросы"_s);
        // The subject crosses to the mail program percent-encoded as UTF-8.
        QVERIFY(mail.toString(QUrl::FullyEncoded)
                    .endsWith(u"?Subject=KARVO-%D0%B2%D0%BE%D0%BF%D1%80%D0%BE%D1%81%D1%8B"_s));
        QCOMPARE(recorders.opened[1], QUrl(siteLabel->text()));

        driver::pressThroughAccessibility(emailLabel);
        driver::pressThroughAccessibility(siteLabel);
        QTRY_COMPARE(recorders.opened.size(), 4);
        QCOMPARE(recorders.opened.mid(2), recorders.opened.mid(0, 2));

        recorders.desktopOpens = false;
        driver::click(emailLabel);
        driver::click(siteLabel);
        QCOMPARE(recorders.messages,
            QStringList({ u"Не удалось открыть почтовую программу. Адрес: "_s + emailLabel->text(),
                u"Не удалось открыть сайт. Адрес: "_s + siteLabel->text() }));
    }

    void anAddressWithQueryCharactersStaysOneAddress()
    {
        const QUrl url = mailUrl(u"a&b?c@example.org"_s);
        QCOMPARE(url.path(), u"a&b?c@example.org"_s);
        QCOMPARE(QUrlQuery(url).queryItemValue(u"Subject"_s, QUrl::FullyDecoded), u"KARVO-вопросы"_s);
    }

    void theRestoreLinkIsPressedLikeAButton()
    {
        Recorders recorders;
        TariffWizard wizard;
        wizard.start();
        QSignalSpy restore(wizard.categoryWindow(), &CategoryWindow::restoreClicked);
        auto *link = driver::find<QLabel>(wizard.categoryWindow(), u"restoreLink"_s);
        driver::pressThroughAccessibility(link);
        QTRY_COMPARE(restore.count(), 1);
        // Saved inputs are those of a vehicle registered in Russia: disabled
        // in the foreign case, the press does nothing either.
        driver::click(wizard.categoryWindow(), u"foreignCheck"_s);
        QVERIFY(!link->isEnabled());
        driver::pressThroughAccessibility(link);
        QCoreApplication::processEvents();
        QCOMPARE(restore.count(), 1);
    }
};

QTEST_MAIN(TestLinks)
#include "tst_links.moc"
