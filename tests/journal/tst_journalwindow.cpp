// The journal window alone, over a journal of four calculations, and the
// service the calculator calls: the search and the header order reach SQL,
// the note is edited in place, deleting asks first inside the window, the
// export goes through the replaceable chooser, the keyboard and the screen
// reader find everything, and a journal that cannot be written costs one
// message per run.

#include "JournalSamples.h"

#include "journal/Journal.h"
#include "journal/JournalCsv.h"
#include "journal/JournalModel.h"
#include "journal/JournalStore.h"
#include "journal/JournalWindow.h"
#include "platform/DesktopOpener.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QAccessible>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

Q_DECLARE_METATYPE(karvo::Calculation)

namespace {

// The POSIX locks this process holds on `path`, as the kernel lists them:
// "1: POSIX  ADVISORY  READ 4242 08:01:1234567 128 128".
int locksHeld(const QString &path)
{
    struct stat file
    {
    };
    QFile locks(u"/proc/locks"_s);
    if (::stat(QFile::encodeName(path).constData(), &file) != 0 || !locks.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid());
    const QByteArray inode = ':' + QByteArray::number(qulonglong(file.st_ino));
    int held = 0;
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields[1] == "POSIX" && fields[4] == pid && fields[5].endsWith(inode))
            ++held;
    }
    return held;
}

} // namespace

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
        QCOMPARE(bar->accessibleName(), u"Удалить выбранные записи (2)?"_s);
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
        const ExportChooser dialog = setExportChooser([&](QWidget *, const QString &suggested) {
            [&] { QCOMPARE(QFileInfo(suggested).fileName(), u"journal.csv"_s); }();
            return file;
        });
        button(window, u"exportButton"_s)->click();
        setExportChooser(dialog);
        // Told in the window, named and with the focus, as every other bar.
        const QString told = u"Записей сохранено: 4. Файл: "_s + file + u".csv"_s;
        auto *bar = window->findChild<QFrame *>(u"noticeBar"_s);
        QCOMPARE(window->findChild<QLabel *>(u"notice"_s)->text(), told);
        QCOMPARE(bar->accessibleName(), told);
        QCOMPARE(QApplication::focusWidget(), button(window, u"noticeOkButton"_s));
        QCOMPARE(m_messages, QStringList());
        QVERIFY(QFileInfo::exists(file + u".csv"_s));
    }

    void importsThroughTheChooser_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("told"); // the start; {file} is the file chosen
        QTest::addColumn<int>("count"); // entries after
        QTest::newRow("a journal of another computer")
            << u"csv"_s
            << u"Добавлено записей: 1, уже были в журнале: 1. Пропущены строки, которые не удалось прочитать: 4."_s
            << 5;
        QTest::newRow("a FIFO") << u"fifo"_s
                                << u"Не удалось добавить записи: не удалось прочитать файл {file}: по этому "
                                   "пути находится не обычный файл"_s
                                << 4;
        QTest::newRow("cancelled") << QString() << QString() << 4;
    }

    void importsThroughTheChooser()
    {
        QFETCH(QString, kind);
        QFETCH(QString, told);
        QFETCH(int, count);
        JournalWindow *window = openWindow();
        const QString file = m_dir.filePath(u"импорт-%1.csv"_s.arg(m_journals));
        if (kind == u"csv"_s) {
            QFile csv(file);
            QVERIFY(csv.open(QIODevice::WriteOnly));
            csv.write((csvHeader() + csvRecord(samples::entry({ .t = u"777"_s }))
                + csvRecord(
                    samples::entry({ .t = u"12474"_s, .time = QDateTime(QDate(2026, 12, 7), QTime(12, 0)) }))
                + u"битая строка\r\n"_s)
                          .toUtf8());
        } else if (kind == u"fifo"_s) {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        }
        const ImportChooser dialog = setImportChooser([&](QWidget *, const QString &folder) {
            [&] { QVERIFY(QFileInfo(folder).isDir()); }();
            return kind.isEmpty() ? QString() : file;
        });
        button(window, u"importButton"_s)->click();
        setImportChooser(dialog);
        auto *bar = window->findChild<QFrame *>(u"noticeBar"_s);
        QCOMPARE(bar->isVisible(), !told.isEmpty());
        if (!told.isEmpty()) {
            told.replace(u"{file}"_s, file);
            const QString shown = window->findChild<QLabel *>(u"notice"_s)->text();
            QVERIFY2(shown.startsWith(told), qPrintable(shown));
        }
        QCOMPARE(window->model()->rowCount(), count);
        QCOMPARE(m_messages, QStringList());
    }

    // Tab leaves the table for the buttons and comes round to "Поиск"; Esc
    // closes the bar that is open, then the window.
    void keyboardReachesEveryButtonAndEscCloses()
    {
        JournalWindow *window = openWindow();
        auto *table = window->findChild<QTableView *>(u"entryTable"_s);
        QStringList reached;
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(reached,
            (QStringList { u"openButton"_s, u"reportButton"_s, u"deleteButton"_s, u"exportButton"_s,
                u"importButton"_s, u"closeButton"_s, u"searchBox"_s, u"entryTable"_s }));
        QTest::keyClick(table, Qt::Key_Delete);
        QVERIFY(window->findChild<QFrame *>(u"deleteBar"_s)->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!window->findChild<QFrame *>(u"deleteBar"_s)->isVisible());
        QVERIFY(window->isVisible());
        QCOMPARE(m_journal->store().count(), 4);
        QTest::keyClick(window->findChild<QLineEdit *>(u"searchBox"_s), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    void saysWhereTheJournalIs()
    {
        JournalWindow *window = openWindow();
        QCOMPARE(window->findChild<QLabel *>(u"locationLabel"_s)->text(),
            u"Файл журнала: "_s + m_journal->store().path());
    }

    // The export's file dialog, shown in the folder of journal.sqlite and
    // cancelled, while another karvo adds an entry and this one goes on: no
    // entry may be lost. A dialog that opened and closed the journal's files
    // would have dropped this process's locks on them.
    void theFileDialogLeavesTheJournalAlone()
    {
        const QTemporaryDir folder;
        setProgramFolder(folder.path());
        const QString path = folder.filePath(u"journal.sqlite"_s);
        auto journal = std::make_unique<Journal>(path);
        journal->record(samples::entry({ .t = u"1000"_s }));
        journal->showWindow();
        const QString shared = path + u"-shm"_s;
        const int locks = locksHeld(shared);
        QVERIFY(locks > 0);
        // Cancelled once the dialog has listed the folder with the type of
        // every file in it, journal.sqlite and its log included: the user
        // asked for all files.
        bool listed = false;
        // A dialog that never lists the folder fails the test instead of hanging it.
        const QDeadlineTimer patience(60'000);
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            auto *model = dialog ? dialog->findChild<QFileSystemModel *>() : nullptr;
            if (dialog && patience.hasExpired()) {
                watch.stop();
                dialog->reject();
                return;
            }
            if (!model)
                return;
            dialog->setNameFilter(u"*"_s);
            for (const QString &name :
                { u"journal.sqlite"_s, u"journal.sqlite-wal"_s, u"journal.sqlite-shm"_s }) {
                const QModelIndex file = model->index(folder.filePath(name));
                if (!file.isValid() || model->type(file).isEmpty())
                    return;
            }
            listed = true;
            watch.stop();
            dialog->reject();
        });
        watch.start();
        button(journal->window(), u"exportButton"_s)->click();
        QVERIFY(listed);
        QCOMPARE(locksHeld(shared), locks);

        QProcess writer;
        writer.start(u"" WRITER_PATH ""_s, { path, u"1"_s, u"другой "_s });
        QVERIFY(writer.waitForFinished(60'000));
        QCOMPARE(writer.exitCode(), 0);
        journal->record(samples::entry({ .t = u"2000"_s }));
        journal.reset();
        setProgramFolder(m_dir.path());
        QCOMPARE(JournalStore(path).count(), 3);
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
        QCOMPARE(window->findChild<QFrame *>(u"reportBar"_s)->accessibleName(),
            window->findChild<QLabel *>(u"reportDone"_s)->text());
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
        QSignalSpy told(&journal, &Journal::message);
        journal.record(samples::entry());
        journal.record(samples::entry({ .t = u"1980"_s }));
        // Said by the calculator, not by the journal.
        QCOMPARE(m_messages, QStringList());
        QCOMPARE(told.size(), 1);
        const QString text = told.front().front().toString();
        QVERIFY2(text.contains(message), qPrintable(text));
    }
};

QTEST_MAIN(TestJournalWindow)
#include "tst_journalwindow.moc"
