// The program's real desktop services: the message box over the window the
// user sees, the desktop's opener and whether it opened anything, Qt's own
// words in Russian.

#include "Recorders.h"

#include "wizard/CategoryWindow.h"
#include "app/DesktopServices.h"
#include "wizard/PremiumWindow.h"
#include "wizard/TariffWizard.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxOpensOverTheVisibleStepWindow()
    {
        Recorders recorders;
        TariffWizard wizard;
        wizard.start();
        auto box = createMessageBox(u"karvo 2012"_s, u"Не установлен коэффициент КТ"_s);
        QCOMPARE(box->parentWidget(), wizard.categoryWindow());
        // The box wears the window's colours, not the desktop theme's.
        QCOMPARE(box->palette().color(QPalette::Window),
            wizard.categoryWindow()->palette().color(QPalette::Window));
        QCOMPARE(box->palette().color(QPalette::WindowText),
            wizard.categoryWindow()->palette().color(QPalette::WindowText));
        QCOMPARE(box->button(QMessageBox::Ok)->text(), u"ОК"_s);

        wizard.premiumWindow()->show();
        wizard.categoryWindow()->hide();
        QCOMPARE(createMessageBox(u"karvo 2012"_s, u"Установите флажок"_s)->parentWidget(),
            wizard.premiumWindow());
    }

    void openerTellsWhetherItOpened_data()
    {
        QTest::addColumn<QString>("script"); // empty: no xdg-open at all
        QTest::addColumn<bool>("opened");
        QTest::newRow("opened") << u"exit 0"_s << true;
        QTest::newRow("no program for the file") << u"exit 3"_s << false;
        QTest::newRow("the program failed") << u"exit 4"_s << false;
        QTest::newRow("no xdg-open") << QString() << false;
        // Some openers wait for the viewer to close: still running is opened.
        QTest::newRow("waits for the viewer") << u"exec tail -f /dev/null"_s << true;
    }

    void openerTellsWhetherItOpened()
    {
        QFETCH(QString, script);
        QFETCH(bool, opened);
        QTemporaryDir bin;
        const QString opener = bin.filePath(u"xdg-open"_s);
        if (!script.isEmpty()) {
            QFile file(opener);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$0.argument\"\n" + script.toUtf8() + '\n');
            file.close();
            QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner));
        }
        const QByteArray path = qgetenv("PATH");
        const auto restore = qScopeGuard([&path] { qputenv("PATH", path); });
        qputenv("PATH", QFile::encodeName(bin.path()) + ":/usr/bin:/bin");
        if (script.isEmpty())
            qputenv("PATH", QFile::encodeName(bin.path()));

        const QString document = bin.filePath(u"Отчет 2012.doc"_s);
        std::optional<bool> answer;
        openWithXdgOpen(
            QUrl::fromLocalFile(document), [&answer](bool result) { answer = result; },
            std::chrono::milliseconds(300));
        QTRY_VERIFY(answer.has_value());
        QCOMPARE(*answer, opened);
        // What karvo does at its end with an opener that still waits.
        QVERIFY(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit"));
        for (const QProcess *process : QCoreApplication::instance()->findChildren<QProcess *>())
            QCOMPARE(process->state(), QProcess::NotRunning);
        if (!script.isEmpty()) {
            // The file goes as a plain path, Cyrillic and blank included.
            QFile argument(opener + u".argument"_s);
            QTRY_VERIFY(argument.exists());
            QVERIFY(argument.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(argument.readAll()), document);
        }
    }

    void qtSpeaksRussian()
    {
        const QString catalogue = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u"/qtbase_ru.qm"_s;
        // scripts/run and scripts/test install it, and the package depends on it.
        QVERIFY2(QFile::exists(catalogue), "Qt's Russian translation is not installed (qt6-translations-l10n)");
        QVERIFY(installQtTranslation());
        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QVERIFY(!menu->actions().isEmpty());
        QVERIFY2(menu->actions().first()->text().startsWith(u"&Отменить"_s),
            qPrintable(menu->actions().first()->text()));
        QCOMPARE(QLineEdit::tr("&Copy"), u"&Копировать"_s);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
