#include "ExecSpellings.h"
#include "TestConfigHome.h"

#include "layout/WrappingChoice.h"
#include "platform/FileFailure.h"
#include "platform/FolderPermissionsApply.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "reminder/ReminderWindow.h"
#include "storage/IniFile.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using reminder_test::configHome;

namespace {

QString russianDate(int daysFromToday)
{
    return QDate::currentDate().addDays(daysFromToday).toString(u"dd.MM.yyyy"_s);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString entryPath()
{
    return configHome() + u"/autostart/karvo.desktop"_s;
}

QString datePath()
{
    return configHome() + u"/KARVO.conf"_s;
}

QString iniValue(const QString &key)
{
    return karvo::readIniValue(key, key, karvo::settingsFilePath());
}

// WCAG's contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel
            = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const QString kTickNote = u"Отметка напоминания не запомнится до следующего запуска программы: "_s;

enum class Blocker { None, AutostartIsAFile, SettingsFileIsAFolder, ReadOnlyConfigFolder };

} // namespace

class TestReminderWindow : public QObject
{
    Q_OBJECT

    QStringList m_messages;
    std::optional<QTemporaryDir> m_programDir;
    QWidget m_stepWindow; // stands in for the steps 8-10 window
    QAbstractButton *m_covered = nullptr; // a choice of the step under the reminder window
    QPushButton *m_outside = nullptr; // and one beside it

    // Makes karvo.ini refuse the next write; returns the reason it gives.
    static QString blockIni(const QString &flag)
    {
        QFile::remove(karvo::settingsFilePath());
        if (!QDir().mkpath(karvo::settingsFilePath()))
            return {};
        QString reason;
        karvo::writeIniValue(u"ch"_s, u"ch"_s, flag, karvo::settingsFilePath(), &reason);
        return reason;
    }

    std::unique_ptr<karvo::ReminderWindow> openWithDate(const QString &date)
    {
        auto form = std::make_unique<karvo::ReminderWindow>(&m_stepWindow);
        form->open();
        form->findChild<QLineEdit *>(u"dateBox"_s)->setText(date); // as typed: no conversion
        return form;
    }

    static void press(karvo::ReminderWindow &form, const QString &button)
    {
        form.findChild<QPushButton *>(button)->click();
    }

private slots:
    void initTestCase()
    {
        karvo::setMessageHandler([this](const QString &, const QString &text) { m_messages << text; });
        m_stepWindow.setFixedSize(652, 532);
        // Its button lies beside the window, its caption under it.
        auto *covered = new karvo::WrappingChoice(new QRadioButton, &m_stepWindow);
        covered->setCaption(u"под окном"_s);
        covered->setGeometry(40, 100, 200, 40);
        m_covered = covered->button();
        m_covered->setObjectName(u"covered"_s);
        m_outside = new QPushButton(u"рядом"_s, &m_stepWindow);
        m_outside->setObjectName(u"outside"_s);
        m_outside->setGeometry(10, 400, 80, 25);
        m_stepWindow.show();
        QVERIFY(QTest::qWaitForWindowActive(&m_stepWindow));
    }

    void init()
    {
        reminder_test::resetConfigHome();
        m_messages.clear();
        m_programDir.emplace();
        karvo::setProgramFolder(m_programDir->path());
    }

    void cleanup() { reminder_test::resetConfigHome(); }

    void opensInsideTheStepWindow()
    {
        karvo::ReminderWindow form(&m_stepWindow);
        QCOMPARE(form.pos(), QPoint(67, 83));
        QVERIFY(m_stepWindow.rect().contains(form.geometry()));
        QVERIFY(!form.isVisible());
        QCOMPARE(form.todayText(), russianDate(0));
        form.open();
        QVERIFY(form.isVisible());
        QVERIFY(form.findChild<QLineEdit *>(u"dateBox"_s)->hasFocus());
        // A screen reader announces a dialog by its name, and its "×" apart
        // from any other window's.
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&form);
        QCOMPARE(window->role(), QAccessible::Dialog);
        QCOMPARE(window->text(QAccessible::Name), u"Напоминание о продлении"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(form.closeButton())->text(QAccessible::Name),
            u"Закрыть окно «Напоминание о продлении»"_s);
    }

    void yesStoresDateAndLogOnEntry_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("spelled"); // the folder as the Exec line must spell it
        QTest::addColumn<QString>("tryExec"); // and as TryExec must
        QTest::addColumn<QString>("date");
        QTest::newRow("today") << u"karvo"_s << u"karvo"_s << u"karvo"_s << russianDate(0);
        for (const reminder_test::ExecSpelling &spelling : reminder_test::execSpellings())
            QTest::newRow(spelling.row)
                << spelling.folder << spelling.spelled << spelling.tryExec << russianDate(365);
    }

    void yesStoresDateAndLogOnEntry()
    {
        QFETCH(QString, folder);
        QFETCH(QString, spelled);
        QFETCH(QString, tryExec);
        QFETCH(QString, date);
        QVERIFY(QDir(m_programDir->path()).mkpath(folder));
        karvo::setProgramFolder(m_programDir->filePath(folder));

        const auto form = openWithDate(date);
        press(*form, u"yesButton"_s);

        QCOMPARE(m_messages, QStringList { u"Автозапуск активирован"_s });
        QVERIFY(!form->isVisible());
        QCOMPARE(readAll(datePath()), "[General]\ndate=" + date.toUtf8() + "\n");
        const QString base = m_programDir->path() + u'/';
        QCOMPARE(QString::fromUtf8(readAll(entryPath())),
            u"[Desktop Entry]\nType=Application\nName=karvo\nTryExec="_s + base + tryExec
                + u"/dremo\nExec=nice -n 0 \""_s + base + spelled + u"/dremo\"\nNoDisplay=true\n"_s);
        QCOMPARE(iniValue(u"ch"_s), u"1"_s);
        QCOMPARE(iniValue(u"dt"_s), date);
    }

    void noWithdrawsEverything_data()
    {
        QTest::addColumn<bool>("activeBefore");
        QTest::newRow("after Да") << true;
        QTest::newRow("nothing active") << false;
    }

    void noWithdrawsEverything()
    {
        QFETCH(bool, activeBefore);
        const auto form = openWithDate(russianDate(1));
        QSignalSpy untick(form.get(), &karvo::ReminderWindow::deactivated);
        if (activeBefore) {
            press(*form, u"yesButton"_s);
            QVERIFY(QFile::exists(entryPath()));
            form->open();
            m_messages.clear();
        }

        press(*form, u"noButton"_s);

        QCOMPARE(m_messages, QStringList { u"Автозапуск деактивирован"_s });
        QCOMPARE(untick.count(), 1);
        QVERIFY(!form->isVisible());
        QCOMPARE(form->dateText(), QString());
        QVERIFY(!QFile::exists(entryPath()));
        QVERIFY(!QFile::exists(datePath()));
        QCOMPARE(iniValue(u"ch"_s), u"0"_s);
        QCOMPARE(iniValue(u"dt"_s), QString());
    }

    // Whatever is refused leaves the window open with the text as typed and
    // writes no tick into karvo.ini that would claim a reminder.
    void yesRefuses_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<Blocker>("blocker");
        QTest::addColumn<QStringList>("messages");

        using namespace karvo::file_failure_texts;
        const QString failed = u"Не удалось включить автозапуск: "_s;
        const QString hint
            = u"Введите дату в виде "_s + QDate::currentDate().addYears(1).toString(u"dd.MM.yyyy"_s);
        QTest::newRow("empty: the form that is wanted") << QString() << Blocker::None << QStringList { hint };
        QTest::newRow("a form the launcher never renders")
            << u"1.1.2030"_s << Blocker::None << QStringList { hint };
        QTest::newRow("the C locale's form") << u"7 Dec 2030"_s << Blocker::None << QStringList { hint };
        QTest::newRow("29 February of a common year")
            << u"29.02.2027"_s << Blocker::None << QStringList { u"Такой даты нет: 29.02.2027"_s };
        QTest::newRow("31 April") << u"31.04.2027"_s << Blocker::None
                                  << QStringList { u"Такой даты нет: 31.04.2027"_s };
        QTest::newRow("yesterday") << russianDate(-1) << Blocker::None
                                   << QStringList { u"Эта дата уже прошла. Введите дату не ранее "_s
                                          + russianDate(0) };
        QTest::newRow("autostart folder is a file")
            << russianDate(1) << Blocker::AutostartIsAFile
            << QStringList { failed + u"не удалось создать папку "_s + configHome() + u"/autostart ("_s
                   + kNotAFolder + u')' };
        QTest::newRow("settings file is a folder") << russianDate(1) << Blocker::SettingsFileIsAFolder
                                                   << QStringList { failed + u"не удалось записать файл "_s
                                                          + datePath() + u" ("_s + kIsFolder + u')' };
        QTest::newRow("read-only config folder") << russianDate(1) << Blocker::ReadOnlyConfigFolder
                                                 << QStringList { failed + u"не удалось записать файл "_s
                                                        + datePath() + u" ("_s + kReadOnlyFolder + u')' };
    }

    void yesRefuses()
    {
        QFETCH(QString, date);
        QFETCH(Blocker, blocker);
        QFETCH(QStringList, messages);
        switch (blocker) {
        case Blocker::None:
            break;
        case Blocker::AutostartIsAFile:
            QVERIFY(QFile(configHome() + u"/autostart"_s).open(QIODevice::WriteOnly));
            break;
        case Blocker::SettingsFileIsAFolder:
            QVERIFY(QDir().mkpath(datePath()));
            break;
        case Blocker::ReadOnlyConfigFolder:
            QVERIFY(QFile::setPermissions(configHome(), QFile::ReadOwner | QFile::ExeOwner));
            break;
        }

        const auto form = openWithDate(date);
        {
            std::optional<FolderPermissionsApply> permissions;
            if (blocker == Blocker::ReadOnlyConfigFolder)
                permissions.emplace();
            QVERIFY2(!permissions || permissions->applies(),
                "root could not set aside its right to write anywhere");
            press(*form, u"yesButton"_s);
        }

        QCOMPARE(m_messages, messages);
        QVERIFY(form->isVisible());
        QCOMPARE(form->dateText(), date);
        QVERIFY(!QFile::exists(entryPath()));
        QVERIFY(!QFile::exists(karvo::settingsFilePath()));
    }

    // "Нет" removes what keeps the launcher firing even when something else
    // refuses, and says what did not go; karvo.ini only keeps the tick.
    void noSaysWhatStays_data()
    {
        QTest::addColumn<bool>("iniRefuses");
        QTest::newRow("the entry is a folder") << false;
        QTest::newRow("karvo.ini is a folder") << true;
    }

    void noSaysWhatStays()
    {
        QFETCH(bool, iniRefuses);
        const auto form = openWithDate(russianDate(1));
        press(*form, u"yesButton"_s);
        QVERIFY(QFile::exists(entryPath()));
        QString expected;
        if (iniRefuses) {
            expected = u"Автозапуск деактивирован\n"_s + kTickNote + blockIni(u"0"_s);
        } else {
            QVERIFY(QFile::remove(entryPath()));
            QVERIFY(QDir().mkpath(entryPath() + u"/occupied"_s));
            expected = u"Не удалось выключить автозапуск: не удалось удалить файл "_s + entryPath() + u" ("_s
                + karvo::file_failure_texts::kIsFolder + u')';
        }
        form->open();
        m_messages.clear();
        QSignalSpy untick(form.get(), &karvo::ReminderWindow::deactivated);

        press(*form, u"noButton"_s);

        QCOMPARE(m_messages, QStringList { expected });
        QCOMPARE(untick.count(), 1);
        QVERIFY(!readAll(datePath()).contains("date"));
        QCOMPARE(QFileInfo(entryPath()).isFile(), false);
    }

    // karvo.ini only remembers the tick for the next start: when it refuses,
    // the reminder is set all the same, and the box says what is not kept.
    void yesSetsTheReminderWhenKarvoIniRefuses_data()
    {
        QTest::addColumn<QString>("earlier"); // the date of a reminder set before; empty: none
        QTest::newRow("no reminder before") << QString();
        QTest::newRow("a reminder before") << russianDate(30);
    }

    void yesSetsTheReminderWhenKarvoIniRefuses()
    {
        QFETCH(QString, earlier);
        if (!earlier.isEmpty()) {
            const auto before = openWithDate(earlier);
            press(*before, u"yesButton"_s);
        }
        const QString reason = blockIni(u"1"_s);
        m_messages.clear();

        const auto form = openWithDate(russianDate(1));
        press(*form, u"yesButton"_s);

        QCOMPARE(m_messages, QStringList { u"Автозапуск активирован\n"_s + kTickNote + reason });
        QVERIFY(!form->isVisible());
        QVERIFY(QFile::exists(entryPath()));
        QCOMPARE(readAll(datePath()), "[General]\ndate=" + russianDate(1).toUtf8() + "\n");
    }

    // "×" and Escape close the window and leave the reminder as it was; the
    // focus goes back to where it was before the window opened.
    void closesWithoutChangingTheReminder_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("×") << false;
        QTest::newRow("Escape") << true;
    }

    void closesWithoutChangingTheReminder()
    {
        QFETCH(bool, escape);
        const auto form = openWithDate(russianDate(1));
        press(*form, u"yesButton"_s);
        const QByteArray entry = readAll(entryPath());
        const QByteArray date = readAll(datePath());
        m_messages.clear();
        m_outside->setFocus();
        form->open();
        QSignalSpy untick(form.get(), &karvo::ReminderWindow::deactivated);
        QVERIFY(form->findChild<QLineEdit *>(u"dateBox"_s)->hasFocus());

        if (escape)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            form->closeButton()->click();

        QVERIFY(!form->isVisible());
        QVERIFY(m_outside->hasFocus());
        QCOMPARE(m_messages, QStringList());
        QCOMPARE(untick.count(), 0);
        QCOMPARE(readAll(entryPath()), entry);
        QCOMPARE(readAll(datePath()), date);
        QCOMPARE(iniValue(u"ch"_s), u"1"_s);
    }

    // While the window is open, Tab goes round its own controls and the
    // step's controls it does not cover; closed, the covered ones are back.
    void tabSkipsWhatTheWindowCovers()
    {
        const auto form = openWithDate(QString());
        QStringList reached;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(reached,
            QStringList({ u"yesButton"_s, u"noButton"_s, u"outside"_s, u"dateBox"_s, u"yesButton"_s,
                u"noButton"_s }));
        form->hide();
        QCOMPARE(m_covered->focusPolicy(), Qt::StrongFocus);
    }

    // The "×" against the navy strip, in every state, and the strip itself:
    // 4.5:1 at least, as for normal text.
    void closeButtonStandsOutOnTheStrip_data()
    {
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<bool>("pressed");
        QTest::newRow("at rest") << false << false;
        QTest::newRow("hovered") << true << false;
        QTest::newRow("pressed") << true << true;
    }

    void closeButtonStandsOutOnTheStrip()
    {
        QFETCH(bool, hovered);
        QFETCH(bool, pressed);
        const auto form = openWithDate(QString());
        QAbstractButton *close = form->closeButton();
        close->setAttribute(Qt::WA_UnderMouse, hovered);
        close->setDown(pressed);
        const QImage image = close->grab().toImage();
        const QColor face = image.pixelColor(2, image.height() / 2);
        QColor glyph = face;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 3; x < image.width() - 3; ++x) {
                if (contrast(image.pixelColor(x, y), face) > contrast(glyph, face))
                    glyph = image.pixelColor(x, y);
            }
        }
        QVERIFY2(contrast(glyph, face) >= 4.5, qPrintable(face.name() + u' ' + glyph.name()));
        QVERIFY(contrast(glyph, QColor(0x00, 0x00, 0x80)) >= 4.5);
        close->setDown(false);
        close->setAttribute(Qt::WA_UnderMouse, false);
    }

    // karvo.ini keeps the date an older version wrote; the window shows it in
    // the form the launcher now compares.
    void showsAStoredDateInTheRussianForm_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Russian") << u"20.12.2030"_s << u"20.12.2030"_s;
        QTest::newRow("C locale") << u"20 Dec 2030"_s << u"20.12.2030"_s;
        QTest::newRow("ISO") << u"2030-12-20"_s << u"20.12.2030"_s;
        QTest::newRow("not a date") << u"скоро"_s << u"скоро"_s;
    }

    void showsAStoredDateInTheRussianForm()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        karvo::ReminderWindow form(&m_stepWindow);
        form.setDateText(stored);
        QCOMPARE(form.dateText(), shown);
    }
};

QTEST_MAIN(TestReminderWindow)
#include "tst_reminderwindow.moc"
