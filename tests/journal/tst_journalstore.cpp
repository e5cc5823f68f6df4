// The journal store without windows: adding and merging a repeated
// calculation, search and order in SQL, notes and deletion, CSV both ways,
// files that are not sound journals, two karvo writing at once, a karvo killed
// while writing, where the file lives, and the two command-line options.

#include "JournalSamples.h"

#include "journal/CsvWriter.h"
#include "journal/JournalCsv.h"
#include "journal/JournalStore.h"
#include "platform/ProgramFolder.h"
#include "platform/UserFiles.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace karvo;

namespace {

using samples::Calculation;

// Four calculations that differ in every column.
std::vector<JournalEntry> fourEntries()
{
    const QDate day(2026, 12, 7);
    return {
        samples::entry({ .note = u"Иванов И. И."_s, .time = QDateTime(day, QTime(9, 5)) }),
        samples::entry({ .category = u"2"_s,
            .region = u"Санкт-Петербург"_s,
            .townGroup = u"Санкт-Петербург"_s,
            .owner = u"2"_s,
            .kbm = u"1"_s,
            .t = u"4275"_s,
            .time = QDateTime(day, QTime(10, 0)) }),
        samples::entry({ .category = u"1"_s,
            .region = {},
            .townGroup = {},
            .registration = u"6"_s,
            .kbm = u"1"_s,
            .t = u"980,1"_s,
            .note = u"А123ВС 77; \"срочно\"\nперезвонить"_s,
            .time = QDateTime(day, QTime(11, 0)) }),
        samples::entry({ .category = u"7"_s,
            .region = u"Тверская область"_s,
            .townGroup = u"Тверь"_s,
            .kbm = u"2,45"_s,
            .t = u"12474"_s,
            .note = u"грузовик"_s,
            .time = QDateTime(day.addDays(1), QTime(8, 30)) }),
    };
}

QStringList premiums(const std::vector<JournalEntry> &entries)
{
    QStringList ts;
    for (const JournalEntry &entry : entries)
        ts << entry.t;
    return ts;
}

std::vector<JournalEntry> everything(JournalStore &store, const JournalQuery &query = {})
{
    return store.list(query, 0, 1'000'000);
}

QString csvRow(int field = -1, const QString &value = {})
{
    QStringList fields = csvTexts(samples::entry());
    if (field >= 0)
        fields[field] = value;
    return fields.join(u';') + u"\r\n"_s;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestJournalStore : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    // A journal file of its own for each use, in a folder of its own.
    QString freshPath()
    {
        const QString folder = m_dir.filePath(QString::number(++m_files));
        QDir().mkpath(folder);
        return QDir(folder).filePath(u"journal.sqlite"_s);
    }

private slots:
    void addsOrMovesTheNewest_data()
    {
        QTest::addColumn<QStringList>("calculations"); // the Т of each
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<int>("count");
        const int added = JournalAdded::Added;
        const int updated = JournalAdded::Updated;
        QTest::newRow("the first") << QStringList { u"3564"_s } << QList { added } << 1;
        QTest::newRow("the same again moves the time")
            << QStringList { u"3564"_s, u"3564"_s } << QList { added, updated } << 1;
        QTest::newRow("another Т") << QStringList { u"3564"_s, u"3498,1239"_s } << QList { added, added }
                                   << 2;
        QTest::newRow("the same as an older one")
            << QStringList { u"3564"_s, u"1980"_s, u"3564"_s } << QList { added, added, added } << 3;
    }

    void addsOrMovesTheNewest()
    {
        QFETCH(QStringList, calculations);
        QFETCH(QList<int>, results);
        QFETCH(int, count);
        JournalStore store(freshPath());
        JournalEntry last;
        for (qsizetype i = 0; i < calculations.size(); ++i) {
            last = samples::entry({ .t = calculations[i] });
            last.time = last.time.addSecs(60 * i);
            const JournalAdded outcome = store.add(last);
            QCOMPARE(outcome.error, QString());
            QCOMPARE(int(outcome.result), results[i]);
        }
        const std::vector<JournalEntry> entries = everything(store);
        QCOMPARE(int(entries.size()), count);
        QVERIFY(entries.front().sameCalculation(last));
        QCOMPARE(entries.front().time, last.time);
    }

    void searchesAndSortsInSql_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<JournalColumn>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QStringList>("expected"); // Т of the rows in order
        const auto row = [](const char *name, const QString &search, JournalColumn column,
                             Qt::SortOrder order, const QStringList &expected) {
            QTest::newRow(name) << search << column << order << expected;
        };
        const auto down = Qt::DescendingOrder;
        const auto up = Qt::AscendingOrder;
        using C = JournalColumn;
        row("newest first", {}, C::Date, down, { u"12474"_s, u"980,1"_s, u"4275"_s, u"3564"_s });
        row("Т as a number, not as text", {}, C::Premium, up,
            { u"980,1"_s, u"3564"_s, u"4275"_s, u"12474"_s });
        row("КБМ, equal ones newest first", {}, C::Kbm, down,
            { u"12474"_s, u"980,1"_s, u"4275"_s, u"3564"_s });
        row("category by the text shown", {}, C::Category, up,
            { u"12474"_s, u"3564"_s, u"4275"_s, u"980,1"_s });
        row("territory by the text shown", {}, C::Territory, up,
            { u"980,1"_s, u"3564"_s, u"4275"_s, u"12474"_s });
        row("owner by the text shown", {}, C::Owner, down, { u"4275"_s, u"12474"_s, u"980,1"_s, u"3564"_s });
        row("Russian letters in another case", u"москва"_s, C::Date, down, { u"3564"_s });
        row("a query in capitals", u"ФИЗИЧЕСКОЕ"_s, C::Date, down, { u"12474"_s, u"980,1"_s, u"3564"_s });
        row("a note", u"а123вс"_s, C::Date, down, { u"980,1"_s });
        row("two words in two cells", u" тверь  2,45 "_s, C::Date, down, { u"12474"_s });
        row("a date", u"08.12.2026"_s, C::Date, down, { u"12474"_s });
        row("a Т with its comma", u"980,1"_s, C::Date, down, { u"980,1"_s });
        row("the foreign registration", u"ИНОСТРАННАЯ"_s, C::Date, down, { u"980,1"_s });
        row("a category as a Russian keyboard types it", u"(В)"_s, C::Date, down, { u"4275"_s, u"3564"_s });
        row("Cyrillic С for the Latin C", u"(С)"_s, C::Date, down, { u"12474"_s });
        row("a note typed in Latin look-alikes", u"A123BC"_s, C::Date, down, { u"980,1"_s });
        row("a Т typed with a dot", u"980.1"_s, C::Date, down, { u"980,1"_s });
        row("a КБМ typed with a dot", u"2.45"_s, C::Date, down, { u"12474"_s });
        row("a code is not shown, so not found", u"17"_s, C::Date, down, {});
        row("nothing", u"Казань"_s, C::Date, down, {});
    }

    void searchesAndSortsInSql()
    {
        QFETCH(QString, search);
        QFETCH(JournalColumn, column);
        QFETCH(Qt::SortOrder, order);
        QFETCH(QStringList, expected);
        JournalStore store(freshPath());
        for (const JournalEntry &entry : fourEntries())
            QCOMPARE(store.add(entry).result, JournalAdded::Added);
        QCOMPARE(premiums(everything(store, { search, column, order })), expected);
        // Pages follow one another without a gap.
        const JournalQuery query { search, column, order };
        std::vector<JournalEntry> paged;
        for (int offset = 0; offset < 4; ++offset)
            for (JournalEntry &entry : store.list(query, offset, 1))
                paged.push_back(entry);
        QCOMPARE(premiums(paged), expected);
    }

    void keepsNotesAndDeletes()
    {
        JournalStore store(freshPath());
        for (const JournalEntry &entry : fourEntries())
            store.add(entry);
        const std::vector<JournalEntry> entries = everything(store);
        QVERIFY(store.setNote(entries[1].id, u"Петров П. П., ОСАГО до 2027"_s));
        QCOMPARE(premiums(everything(store, { u"петров"_s })), QStringList { u"980,1"_s });
        QVERIFY(store.remove({ entries[0].id, entries[1].id }));
        QCOMPARE(premiums(everything(store)), (QStringList { u"4275"_s, u"3564"_s }));
    }

    void exportsAndImportsCsv()
    {
        JournalStore store(freshPath());
        const std::vector<JournalEntry> written = fourEntries();
        for (const JournalEntry &entry : written)
            store.add(entry);
        const QString file = m_dir.filePath(u"journal.csv"_s);
        QCOMPARE(store.exportCsv(file), 4);
        const QByteArray bytes = readFile(file);
        QVERIFY(
            bytes.startsWith("\xEF\xBB\xBF"
                             "Дата;Собственник;Категория;Территория;КБМ;Т, руб.;Примечание;tb;kt1;kt2;kt4;"
                             "kbm1;kbm2;ko;kvs;km;ks1;ks;t1;t2;t3;kbm3;kbm4;tb2;kp0;kp1;kp2;kn1;ch;dt;time;"
                             "ТБ;КТ;КБМ;КО;КВС;КМ;КС;КП;КН\r\n"
                             "08.12.2026 08:30;Физическое лицо;Грузовой (C), до 16 т;Тверская область, Тверь;"
                             "2,45;12474;грузовик;7;"));
        QVERIFY(bytes.contains(";\"А123ВС 77; \"\"срочно\"\"\nперезвонить\";"));

        JournalStore other(freshPath());
        JournalImported imported = other.importCsv(file);
        QVERIFY2(imported.ok, qPrintable(imported.error));
        QCOMPARE(imported.added, 4);
        std::vector<JournalEntry> read = everything(other, { {}, JournalColumn::Date, Qt::AscendingOrder });
        QCOMPARE(int(read.size()), 4);
        for (std::size_t i = 0; i < read.size(); ++i) {
            QVERIFY(read[i].sameCalculation(written[i]));
            QCOMPARE(read[i].note, written[i].note);
            QCOMPARE(read[i].time, written[i].time);
        }
        // Merging the same journal again adds nothing.
        imported = other.importCsv(file);
        QCOMPARE(imported.added, 0);
        QCOMPARE(imported.duplicates, 4);
    }

    void importSkipsRowsItCannotRead_data()
    {
        QTest::addColumn<QString>("body"); // after the header
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("added");
        QTest::addColumn<QList<int>>("skipped");
        QTest::newRow("a row") << csvRow() << true << 1 << QList<int>();
        QTest::newRow("too few fields")
            << u"a;b;c\r\n"_s + csvRow(0, u"07.12.2026 10:00"_s) << true << 1 << QList { 2 };
        QTest::newRow("no such date") << csvRow(0, u"31.02.2026 09:05"_s) << true << 0 << QList { 2 };
        QTest::newRow("Т is no number") << csvRow(5, u"3 564"_s) << true << 0 << QList { 2 };
        QTest::newRow("a line break inside quotes counts")
            << csvRow(6, u"\"две\nстроки\""_s) + csvRow(5, u"abc"_s) << true << 1 << QList { 4 };
        QTest::newRow("quotes open to the end") << csvRow() + u"\"07.12.2026;"_s << true << 1 << QList { 3 };
        QTest::newRow("blank lines are no rows")
            << u"\r\n"_s + csvRow() + u"\n\n"_s << true << 1 << QList<int>();
        QTest::newRow("a line too long, the next row read")
            << csvRow(6, QString(kMaxCsvRecordBytes, u'x')) + csvRow(0, u"07.12.2026 10:00"_s) << true << 1
            << QList { 2 };
        QTest::newRow("a two-digit year") << csvRow(0, u"07.12.26 22:55"_s) << true << 1 << QList<int>();
        QTest::newRow("seconds") << csvRow(0, u"07.12.2026 22:55:17"_s) << true << 1 << QList<int>();
        QTest::newRow("a two-digit year with seconds")
            << csvRow(0, u"7.12.26 9:05:00"_s) << true << 1 << QList<int>();
        QTest::newRow("no such time") << csvRow(0, u"07.12.2026 24:05"_s) << true << 0 << QList { 2 };
    }

    void importSkipsRowsItCannotRead()
    {
        QFETCH(QString, body);
        QFETCH(bool, ok);
        QFETCH(int, added);
        QFETCH(QList<int>, skipped);
        const QString file = m_dir.filePath(u"import.csv"_s);
        writeFile(file, "\xEF\xBB\xBF" + (csvHeader() + body).toUtf8());
        JournalStore store(freshPath());
        const JournalImported imported = store.importCsv(file);
        QCOMPARE(imported.ok, ok);
        QCOMPARE(imported.added, added);
        QCOMPARE(imported.unreadableLines, skipped);
        QCOMPARE(store.count(), added);
    }

    void importReadsWhatSpreadsheetsSave_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error"); // a part of it; empty: imported
        QTest::addColumn<QString>("note"); // of the one entry imported
        QTest::addColumn<QDateTime>("time");
        const JournalEntry entry = samples::entry({ .note = u"=HYPERLINK(\"http://x\";\"y\")"_s });
        const QString header = csvHeader();
        const QString row = csvRecord(entry);
        QStringList moved = csvTitles();
        moved.move(0, moved.size() - 1);
        QStringList movedRow = csvTexts(entry);
        movedRow.move(0, movedRow.size() - 1);
        const auto cp1251 = [](const QString &text) -> QByteArray {
            QStringEncoder encoder("windows-1251");
            return encoder(text);
        };
        const QDateTime time(QDate(2026, 12, 7), QTime(9, 5));
        QTest::newRow("karvo's own, a formula in the note")
            << QByteArray("\xEF\xBB\xBF" + (header + row).toUtf8()) << QString() << entry.note << time;
        QTest::newRow("UTF-8 without a mark") << (header + row).toUtf8() << QString() << entry.note << time;
        QTest::newRow("Windows-1251 from Russian Excel")
            << cp1251(header + csvRecord(samples::entry({ .note = u"Ёлкин, №5"_s }))) << QString()
            << u"Ёлкин, №5"_s << time;
        QTest::newRow("saved again by LibreOffice")
            << (header + QString(row).replace(u"07.12.2026 09:05"_s, u"07.12.26 09:05"_s)).toUtf8()
            << QString() << entry.note << time;
        QTest::newRow("columns in another order")
            << (csvLine(moved) + csvLine(movedRow)).toUtf8() << QString() << entry.note << time;
        QTest::newRow("a column of another program")
            << (csvLine(csvTitles() << u"Ошибка"_s) + csvLine(csvTexts(entry) << QString())).toUtf8()
            << QString() << entry.note << time;
        QStringList noKt = csvTitles();
        noKt.removeOne(u"КТ"_s);
        QTest::newRow("a column missing") << (csvLine(noKt) + row).toUtf8()
                                          << u"в первой строке нет столбцов КТ"_s << QString() << QDateTime();
        QTest::newRow("no journal at all")
            << QByteArray("a;b\r\n1;2\r\n") << u"первая строка не совпадает с заголовком"_s << QString()
            << QDateTime();
        QTest::newRow("empty") << QByteArray() << u"первая строка не совпадает с заголовком"_s << QString()
                               << QDateTime();
    }

    void importReadsWhatSpreadsheetsSave()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QFETCH(QString, note);
        QFETCH(QDateTime, time);
        const QString file = m_dir.filePath(u"спредшит.csv"_s);
        writeFile(file, bytes);
        JournalStore store(freshPath());
        const JournalImported imported = store.importCsv(file);
        QCOMPARE(imported.ok, error.isEmpty());
        QVERIFY2(imported.error.contains(error), qPrintable(imported.error));
        if (!error.isEmpty()) {
            QVERIFY2(imported.error.contains(file), qPrintable(imported.error));
            return;
        }
        QCOMPARE(imported.unreadableLines, QList<int>());
        const std::vector<JournalEntry> entries = everything(store);
        QCOMPARE(int(entries.size()), 1);
        QCOMPARE(entries.front().note, note);
        QCOMPARE(entries.front().time, time);
        QVERIFY(entries.front().sameCalculation(samples::entry()));
    }

    void opensWhatItFinds_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("notice"); // a part of it
        QTest::addColumn<JournalAdded::Result>("result");
        QTest::addColumn<QString>("error"); // a part of it
        QTest::newRow("no file yet") << u"none"_s << QString() << JournalAdded::Added << QString();
        QTest::newRow("an empty file") << u"empty"_s << QString() << JournalAdded::Added << QString();
        QTest::newRow("not a database")
            << u"text"_s << u"начат новый журнал"_s << JournalAdded::Added << QString();
        QTest::newRow("a damaged database")
            << u"damaged"_s << u"начат новый журнал"_s << JournalAdded::Added << QString();
        QTest::newRow("a newer release's journal")
            << u"newer"_s << u"более новой версией"_s << JournalAdded::Failed << u"только для чтения"_s;
        QTest::newRow("no folder can be made")
            << u"nofolder"_s << QString() << JournalAdded::Failed << u"не удалось создать файл"_s;
    }

    // A journal of the first release kept the choices and the coefficients:
    // it is upgraded in place, its entries read as they were, and each gives
    // back its calculation.
    void upgradesFirstReleaseJournal()
    {
        const QString path = freshPath();
        const JournalEntry old = samples::entry({ .note = u"старая"_s });
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"first-release"_s);
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QStringList columns { u"id"_s, u"time"_s };
            QStringList values { u"1"_s, u"'2026-12-07 09:05:00.000'"_s };
            for (std::size_t i = 0; i < kFirstJournalInputCount; ++i) {
                columns << u"in_"_s + journalInputFields()[i].first;
                values << u"'"_s + old.inputs.*journalInputFields()[i].second + u"'"_s;
            }
            for (const char *name :
                { "c_tb", "c_kt", "c_kbm", "c_ko", "c_kvs", "c_km", "c_ks", "c_kp", "c_kn" })
                columns << QString::fromLatin1(name);
            for (const QString &c : old.coefficients)
                values << u"'"_s + c + u"'"_s;
            columns << u"t"_s << u"note"_s << u"search"_s;
            values << u"'"_s + old.t + u"'"_s << u"'старая'"_s << u"''"_s;
            QSqlQuery query(db);
            QVERIFY(query.exec(u"CREATE TABLE entries ("_s + columns.join(u" TEXT, "_s) + u" TEXT)"_s));
            QVERIFY(query.exec(u"INSERT INTO entries ("_s + columns.join(u", "_s) + u") VALUES ("_s
                + values.join(u", "_s) + u')'));
            QVERIFY(query.exec(u"PRAGMA user_version = 1"_s));
        }
        QSqlDatabase::removeDatabase(u"first-release"_s);

        JournalStore store(path);
        const std::vector<JournalEntry> read = everything(store);
        QCOMPARE(read.size(), std::size_t(1));
        QVERIFY(read.front().sameCalculation(old));
        QCOMPARE(read.front().note, u"старая"_s);
        const karvo::Calculation calculation = calculationOf(read.front());
        QCOMPARE(calculation.category, 3);
        QCOMPARE(calculation.column, TerritoryColumn::Vehicles);
        QCOMPARE(calculation.startTime, u"09:05"_s);
        QCOMPARE(calculation.coefficients, old.coefficients);
        QCOMPARE(calculation.premium, old.t);
        // Found as new entries are, look-alike letters included.
        QCOMPARE(store.list({ u"MOCKBA"_s }, 0, 10).size(), std::size_t(1));

        QCOMPARE(store.add(samples::entry({ .t = u"4275"_s })).result, JournalAdded::Added);
        QCOMPARE(everything(store).size(), std::size_t(2));
    }

    void opensWhatItFinds()
    {
        QFETCH(QString, kind);
        QFETCH(QString, notice);
        QFETCH(JournalAdded::Result, result);
        QFETCH(QString, error);
        QString path = freshPath();
        if (kind == u"empty"_s)
            writeFile(path, {});
        if (kind == u"text"_s)
            writeFile(path, QByteArray("Дата;Собственник\r\n").repeated(200));
        if (kind == u"damaged"_s || kind == u"newer"_s) {
            JournalStore earlier(path);
            for (int i = 0; i < 300; ++i)
                earlier.add(samples::entry({ .t = QString::number(1000 + i) }));
        }
        if (kind == u"damaged"_s) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            // Everything after the first page, where the table of tables stays sound.
            QVERIFY(file.seek(4096));
            file.write(QByteArray(int(file.size()) - 4096, '\x5a'));
        }
        if (kind == u"newer"_s) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"newer"_s);
                db.setDatabaseName(path);
                QVERIFY(db.open());
                QVERIFY(QSqlQuery(db).exec(u"PRAGMA user_version = %1"_s.arg(kJournalSchemaVersion + 1)));
            }
            QSqlDatabase::removeDatabase(u"newer"_s);
        }
        if (kind == u"nofolder"_s) {
            writeFile(path, "a file, not a folder");
            path += u"/journal.sqlite"_s;
        }
        const QByteArray before = readFile(path);

        JournalStore store(path);
        const JournalAdded added = store.add(samples::entry({ .t = u"3498,1239"_s }));
        QCOMPARE(added.result, result);
        QVERIFY2(added.error.contains(error), qPrintable(added.error));
        QVERIFY2(store.notice().contains(notice), qPrintable(store.notice()));
        if (!notice.isEmpty())
            QVERIFY(store.notice().contains(QDir::toNativeSeparators(path)));
        if (kind == u"text"_s || kind == u"damaged"_s) {
            // Kept, never deleted.
            const QString setAside = path + u".damaged-"_s + QDate::currentDate().toString(u"yyyy-MM-dd"_s);
            QCOMPARE(readFile(setAside), before);
            QVERIFY(store.notice().contains(setAside));
            QCOMPARE(premiums(everything(store)), QStringList { u"3498,1239"_s });
        }
        if (kind == u"newer"_s) {
            QVERIFY(store.readOnly());
            QCOMPARE(store.count(), 300);
            QVERIFY(!store.setNote(1, u"x"_s));
            QVERIFY(!store.remove({ 1 }));
            QCOMPARE(readFile(path), before);
        }
        if (kind != u"empty"_s && result == JournalAdded::Added) {
            const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                | QFileDevice::ReadOther | QFileDevice::WriteOther;
            QCOMPARE(QFileInfo(path).permissions() & others, QFileDevice::Permissions());
        }
    }

    void twoWritersAddEverything()
    {
        const QString path = freshPath();
        // Both start on a journal that does not exist yet.
        QProcess first;
        QProcess second;
        first.start(u"" WRITER_PATH ""_s, { path, u"500"_s, u"первый "_s });
        second.start(u"" WRITER_PATH ""_s, { path, u"500"_s, u"второй "_s });
        QVERIFY(first.waitForFinished(120'000));
        QVERIFY(second.waitForFinished(120'000));
        for (QProcess *writer : { &first, &second })
            QVERIFY2(writer->exitCode() == 0, writer->readAllStandardError().constData());
        QCOMPARE(JournalStore(path).count(), 1000);
    }

    void aKilledWriterLosesNoFinishedEntry()
    {
        const QString path = freshPath();
        QProcess writer;
        QByteArray printed;
        connect(&writer, &QProcess::readyReadStandardOutput, this,
            [&] { printed += writer.readAllStandardOutput(); });
        writer.start(u"" WRITER_PATH ""_s, { path, u"1000000"_s, u"запись "_s });
        QTRY_VERIFY_WITH_TIMEOUT(printed.count('\n') >= 200, 60'000);
        writer.kill();
        QVERIFY(writer.waitForFinished());
        printed += writer.readAllStandardOutput();
        QSet<qint64> finished;
        for (const QByteArray &line : printed.split('\n'))
            if (!line.isEmpty())
                finished << line.toLongLong();

        JournalStore store(path);
        QSet<qint64> kept;
        for (const JournalEntry &entry : everything(store))
            kept << entry.id;
        QVERIFY(store.notice().isEmpty());
        QVERIFY(kept.contains(finished));
        // At most the one it was adding when it was killed, had its commit just finished.
        QVERIFY(kept.size() <= finished.size() + 1);
    }

    void livesBesideTheSettings_data()
    {
        QTest::addColumn<QString>("programFolder"); // "writable", "missing" or "installed"
        QTest::addColumn<QString>("expected");
        QTest::newRow("a writable program folder") << u"writable"_s << u"program/journal.sqlite"_s;
        QTest::newRow("a program folder no one can write") << u"missing"_s << u"data/karvo/journal.sqlite"_s;
        QTest::newRow("an installed program, writable to root")
            << u"installed"_s << u"data/karvo/journal.sqlite"_s;
    }

    void livesBesideTheSettings()
    {
        QFETCH(QString, programFolder);
        QFETCH(QString, expected);
        const QTemporaryDir dir;
        if (programFolder != u"missing"_s)
            QDir(dir.path()).mkdir(u"program"_s);
        if (programFolder == u"installed"_s)
            writeFile(dir.filePath(u"program/"_s + kInstalledMark), "mark");
        setProgramFolder(dir.filePath(u"program"_s));
        qputenv("XDG_DATA_HOME", dir.filePath(u"data"_s).toLocal8Bit());
        QCOMPARE(journalPath(), dir.filePath(expected));
        setProgramFolder({});
    }

    void commandLineWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "{dir}" is the program's folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // the start
        QTest::addColumn<QString>("err"); // the start of the one line
        const QString notRegular
            = u"по этому пути находится не обычный файл, а канал, устройство или сокет"_s;
        QTest::newRow("export") << QStringList { u"--export-journal"_s, u"{dir}/out.csv"_s } << 0
                                << u"Записей сохранено: 1. Файл: {dir}/out.csv\n"_s << QString();
        QTest::newRow("export to standard output")
            << QStringList { u"--export-journal"_s, u"-"_s } << 0 << u"Дата;Собственник;"_s
            << u"karvo: Записей сохранено: 1. Файл: стандартный вывод\n"_s;
        QTest::newRow("export to a FIFO")
            << QStringList { u"--export-journal"_s, u"{dir}/fifo"_s } << 1 << QString()
            << u"karvo: не удалось записать файл {dir}/fifo: "_s + notRegular;
        QTest::newRow("export into a folder that is not there")
            << QStringList { u"--export-journal"_s, u"{dir}/нет/out.csv"_s } << 1 << QString()
            << u"karvo: не удалось записать файл {dir}/нет/out.csv: папка не существует"_s;
        QTest::newRow("import with a bad row")
            << QStringList { u"--import-journal"_s, u"{dir}/in.csv"_s } << 0 << u"Добавлено записей: 1, уже"_s
            << u"karvo: Пропущены строки, которые не удалось прочитать: 3."_s;
        QTest::newRow("import from standard input")
            << QStringList { u"--import-journal"_s, u"-"_s } << 0 << u"Добавлено записей: 1, уже"_s
            << u"karvo: Пропущены строки, которые не удалось прочитать: 3."_s;
        QTest::newRow("import of a missing file")
            << QStringList { u"--import-journal"_s, u"{dir}/missing.csv"_s } << 1 << QString()
            << u"karvo: не удалось прочитать файл {dir}/missing.csv: файл не существует"_s;
        QTest::newRow("import of a folder")
            << QStringList { u"--import-journal"_s, u"{dir}"_s } << 1 << QString()
            << u"karvo: не удалось прочитать файл {dir}: по этому пути "
               "находится папка, а не файл"_s;
        QTest::newRow("import from a FIFO, not waited on")
            << QStringList { u"--import-journal"_s, u"{dir}/fifo"_s } << 1 << QString()
            << u"karvo: не удалось прочитать файл {dir}/fifo: "_s + notRegular;
        QTest::newRow("export over the journal itself")
            << QStringList { u"--export-journal"_s, u"{dir}/journal.sqlite"_s } << 1 << QString()
            << u"karvo: не удалось записать файл {dir}/journal.sqlite: это файл самого журнала расчетов"_s;
        QTest::newRow("import of the journal itself")
            << QStringList { u"--import-journal"_s, u"{dir}/journal.sqlite"_s } << 1 << QString()
            << u"karvo: не удалось прочитать файл {dir}/journal.sqlite: это файл самого журнала расчетов"_s;
        QTest::newRow("no file named") << QStringList { u"--export-journal"_s } << 2 << QString()
                                       << u"karvo: после --export-journal укажите имя файла"_s;
    }

    void commandLineWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        // A copy of the program, so that its journal lands in a folder of the test's own.
        const QTemporaryDir dir;
        const QString program = dir.filePath(u"karvo"_s);
        QVERIFY(QFile::copy(u"" KARVO_PATH ""_s, program));
        JournalStore(dir.filePath(u"journal.sqlite"_s)).add(samples::entry());
        writeFile(dir.filePath(u"in.csv"_s),
            (csvHeader() + csvRow(0, u"01.12.2026 10:00"_s) + u"x;y\r\n"_s).toUtf8());
        QVERIFY(::mkfifo(QFile::encodeName(dir.filePath(u"fifo"_s)).constData(), 0600) == 0);
        arguments.replaceInStrings(u"{dir}"_s, dir.path());
        out.replace(u"{dir}"_s, dir.path());
        err.replace(u"{dir}"_s, dir.path());

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : { u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s })
            environment.remove(name);
        QProcess process;
        process.setProcessEnvironment(environment);
        const bool fromStandardInput
            = arguments.front() == u"--import-journal"_s && arguments.back() == u"-"_s;
        if (fromStandardInput)
            process.setStandardInputFile(dir.filePath(u"in.csv"_s));
        process.start(program, arguments);
        QVERIFY(process.waitForFinished());
        const QString stdOut = QString::fromUtf8(process.readAllStandardOutput());
        const QString stdErr = QString::fromUtf8(process.readAllStandardError());
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY2(stdOut.startsWith(out), qPrintable(stdOut));
        QVERIFY2(stdErr.startsWith(err), qPrintable(stdErr));
        QCOMPARE(stdErr.count(u'\n'), err.isEmpty() ? 0 : 1);
        if (arguments.front() == u"--export-journal"_s && exitCode == 0 && arguments.back() != u"-"_s) {
            QVERIFY(readFile(dir.filePath(u"out.csv"_s))
                        .startsWith("\xEF\xBB\xBF"
                                    "Дата;"));
            // The notes name clients: the file is its owner's, as the journal is.
            QCOMPARE(QFileInfo(dir.filePath(u"out.csv"_s)).permissions()
                    & (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                        | QFileDevice::WriteOther),
                QFileDevice::Permissions());
        }
        QVERIFY(!QFileInfo(dir.filePath(u"fifo"_s)).isFile());
        if (arguments.front() == u"--import-journal"_s && exitCode == 0)
            QCOMPARE(JournalStore(dir.filePath(u"journal.sqlite"_s)).count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestJournalStore)
#include "tst_journalstore.moc"
