// The journal window alone, over a journal of four calculations, and the
// service the calculator calls: the search and the header order reach SQL,
// the note is edited in place, deleting asks first inside the window, the
// export goes through the replaceable chooser, the keyboard and the screen
// reader find everything, and a journal that cannot be written costs one
// message per run.

#include "JournalSamples.h"

#include "journal/Journal.h"
#include "journal/JournalModel.h"
#include "journal/JournalStore.h"
#include "journal/JournalWindow.h"
#include "platform/DesktopOpener.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

Q_DECLARE_METATYPE(karvo::Calculation)

class TestJournalWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_messages;
    QList<QUrl> m_opened;
    std::unique_ptr<Journal> m_journal;
    int m_journals = 0;

    // A journal of four calculations, newest first: 12474, 980,1, 4275, 3564.
    JournalWindow *openWindow()
    {
        m_journal = std::make_unique<Journal>(m_dir.filePath(u"journal%1.sqlite"_s.arg(++m_journals)));
        const QDate day(2026, 12, 7);
        m_journal->record(samples::entry({ .time = QDateTime(day, QTime(9, 5)) }));
        m_journal->record(samples::entry(
            { .category = u"2"_s, .owner = u"2"_s, .t = u"4275"_s, .time = QDateTime(day, QTime(10, 0)) }));
        m_journal->record(samples::entry({ .region = u"Тверская область"_s,
            .townGroup = u"Тверь"_s,
            .t = u"980,1"_s,
            .time = QDateTime(day, QTime(11, 0)) }));
        m_journal->record(samples::entry({ .t = u"12474"_s, .time = QDateTime(day, QTime(12, 0)) }));
        m_journal->record(samples::entry({ .t = {}, .time = QDateTime(day, QTime(13, 0)) })); // refused: no Т
        m_journal->showWindow();
        JournalWindow *window = m_journal->window();
        // Shortcuts work in the active window only.
        QApplication::setActiveWindow(window);
        [&] { QVERIFY(QTest::qWaitForWindowActive(window)); }();
        window->findChild<QTableView *>(u"entryTable"_s)->setFocus();
        return window;
    }

    static QStringList shownPremiums(JournalWindow *window)
    {
        QStringList ts;
        for (int row = 0; row < window->model()->rowCount(); ++row)
            ts << window->model()->entry(row).t;
        return ts;
    }

    static QPushButton *button(QWidget *window, const QString &name)
    {
        return window->findChild<QPushButton *>(name);
    }

private slots:
    void initTestCase()
    {
        setProgramFolder(m_dir.path());
        setMessageHandler([this](const QString &, const QString &text) { m_messages << text; });
        setDesktopOpenHandler([this](const QUrl &url, const OpenFailed &) { m_opened << url; });
    }

    void init() { m_messages.clear(); }

    void searchAndOrderReachTheJournal()
    {
        JournalWindow *window = openWindow();
        QCOMPARE(shownPremiums(window), (QStringList { u"12474"_s, u"980,1"_s, u"4275"_s, u"3564"_s }));
        // QTest types Latin letters only; insert() is what typing ends in.
        window->findChild<QLineEdit *>(u"searchBox"_s)->insert(u"ТВЕРЬ"_s);
        QCOMPARE(shownPremiums(window), QStringList { u"980,1"_s });
        window->findChild<QLineEdit *>(u"searchBox"_s)->clear();
        QHeaderView *header = window->findChild<QTableView *>(u"entryTable"_s)->horizontalHeader();
        const int premium = int(JournalColumn::Premium);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(premium) + 5, header->height() / 2));
        QCOMPARE(shownPremiums(window).front(),
            window->model()->query().order == Qt::AscendingOrder ? u"980,1"_s : u"12474"_s);
        QCOMPARE(window->model()->query().sortColumn, JournalColumn::Premium);
        QVERIFY(m_messages.isEmpty());
    }

    void editsTheNoteInPlace()
    {
        JournalWindow *window = openWindow();
        auto *table = window->findChild<QTableView *>(u"entryTable"_s);
        const QModelIndex note = window->model()->index(1, int(JournalColumn::Note));
        table->setCurrentIndex(note);
        table->edit(note);
        QLineEdit *editor = table->findChild<QLineEdit *>();
        QVERIFY(editor);
        editor->insert(u"Петров П. П."_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(window->model()->entry(1).note, u"Петров П. П."_s);
        QCOMPARE(m_journal->store().list({ u"петров"_s }, 0, 10).size(), std::size_t(1));
    }

    void deletesOnlyAfterTheQuestion_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("left");
        const QStringList all { u"12474"_s, u"980,1"_s, u"4275"_s, u"3564"_s };
        const QStringList two { u"4275"_s, u"3564"_s };
        QTest::newRow("button, then delete") << false << u"confirmDeleteButton"_s << two;
        QTest::newRow("button, then cancel") << false << u"cancelDeleteButton"_s << all;
        QTest::newRow("Delete key, then delete") << true << u"confirmDeleteButton"_s << two;
    }

    void deletesOnlyAfterTheQuestion()
    {
        QFETCH(bool, byKey);
        QFETCH(QString, answer);
        QFETCH(QStringList, left);
        JournalWindow *window = openWindow();
        auto *table = window->findChild<QTableView *>(u"entryTable"_s);
        table->selectionModel()->select(
            QItemSelection(window->model()->index(0, 0), window->model()->index(1, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        if (byKey)
            QTest::keyClick(table, Qt::Key_Delete);
        else
            button(window, u"deleteButton"_s)->click();
        auto *bar = window->findChild<QFrame *>(u"deleteBar"_s);
        QVERIFY(bar->isVisible());
        QCOMPARE(
            window->findChild<QLabel *>(u"deleteQuestion"_s)->text(), u"Удалить выбранные записи (2)?"_s);
        QCOMPARE(m_journal->store().count(), 4);
        QTest::keyClick(button(window, answer), Qt::Key_Return);
        QVERIFY(!bar->isVisible());
        QCOMPARE(m_messages, QStringList());
        QCOMPARE(shownPremiums(window), left);
        QCOMPARE(m_journal->store().count(), int(left.size()));
    }

    void exportsThroughTheChooser()
    {
        JournalWindow *window = openWindow();
        const QString file = m_dir.filePath(u"выгрузка"_s);
        setExportChooser([&](QWidget *, const QString &suggested) {
            [&] { QCOMPARE(QFileInfo(suggested).fileName(), u"journal.csv"_s); }();
            return file;
        });
        button(window, u"exportButton"_s)->click();
        QCOMPARE(m_messages, QStringList { u"Записей сохранено: 4. Файл: "_s + file + u".csv"_s });
        QVERIFY(QFileInfo::exists(file + u".csv"_s));
    }

    void keyboardOpensReportsAndSearches()
    {
        JournalWindow *window = openWindow();
        QSignalSpy opened(window, &JournalWindow::openRequested);
        QSignalSpy forwarded(m_journal.get(), &Journal::openRequested);
        auto *table = window->findChild<QTableView *>(u"entryTable"_s);
        table->setCurrentIndex(window->model()->index(2, 0));
        table->selectRow(2);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(forwarded.size(), 1);
        QCOMPARE(opened.front().front().value<Calculation>(), calculationOf(window->model()->entry(2)));

        button(window, u"reportButton"_s)->click();
        QVERIFY(window->findChild<QFrame *>(u"reportBar"_s)->isVisible());
        QTest::keyClick(button(window, u"reportOkButton"_s), Qt::Key_Return);
        QCOMPARE(m_opened, QList { QUrl::fromLocalFile(m_dir.filePath(u"karvo.doc"_s)) });

        QTest::keyClick(table, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), window->findChild<QLineEdit *>(u"searchBox"_s));
    }

    void everyControlIsNamed()
    {
        JournalWindow *window = openWindow();
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (qobject_cast<QPushButton *>(control) || qobject_cast<QLineEdit *>(control)
                || qobject_cast<QTableView *>(control))
                QVERIFY2(!control->accessibleName().isEmpty() || control->parent() != window,
                    qPrintable(control->objectName()));
        }
        QAccessibleInterface *table
            = QAccessible::queryAccessibleInterface(window->findChild<QTableView *>(u"entryTable"_s));
        QVERIFY(table && table->tableInterface());
        QCOMPARE(table->tableInterface()->columnDescription(int(JournalColumn::Premium)), u"Т, руб."_s);
        QCOMPARE(table->tableInterface()->cellAt(0, int(JournalColumn::Premium))->text(QAccessible::Name),
            u"12474"_s);
    }

    void failuresAreToldOncePerRun_data()
    {
        QTest::addColumn<QByteArray>("content"); // of journal.sqlite, or of the folder when `blocked`
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<QString>("message"); // a part of the one message
        QTest::newRow("not a database")
            << QByteArray("не база данных\n").repeated(100) << false << u"начат новый журнал"_s;
        QTest::newRow("no place for the file") << QByteArray("a file") << true << u"Расчет не записан"_s;
    }

    void failuresAreToldOncePerRun()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, blocked);
        QFETCH(QString, message);
        const QTemporaryDir dir;
        QFile file(dir.filePath(u"journal.sqlite"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        Journal journal(blocked ? file.fileName() + u"/journal.sqlite"_s : file.fileName());
        journal.record(samples::entry());
        journal.record(samples::entry({ .t = u"1980"_s }));
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages.front().contains(message), qPrintable(m_messages.front()));
    }
};

QTEST_MAIN(TestJournalWindow)
#include "tst_journalwindow.moc"
