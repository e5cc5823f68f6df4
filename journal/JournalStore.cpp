#include "journal/JournalStore.h"

#include "journal/CsvReader.h"
#include "journal/CsvWriter.h"
#include "journal/JournalCsv.h"
#include "journal/JournalTexts.h"
#include "platform/ProgramFolder.h"
#include "platform/UserFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

namespace texts = journal_texts;

const QString kDriver = u"QSQLITE"_s;
// Long enough for another karvo to finish a write, short enough that the
// calculator never seems to hang.
constexpr int kBusyMilliseconds = 3000;
const QString kBusyTimeout = u"QSQLITE_BUSY_TIMEOUT=%1"_s.arg(kBusyMilliseconds);
// Sortable, and exact to the millisecond, so that the newest entry is known.
const QString kTimeFormat = u"yyyy-MM-dd HH:mm:ss.zzz"_s;

// The minute of an entry's time, which is what the CSV keeps of it.
const QString kMinute = u"substr(time, 1, 16)"_s;
// The texts that tell entries of one minute apart best, after the minute.
const QStringList kDuplicateKey { u"t"_s, u"note"_s, u"in_kt1"_s, u"in_kt2"_s, u"in_tb"_s, u"c_kbm"_s };

// The columns of an entry in the order every SELECT names them.
const QStringList &entryColumns()
{
    static const QStringList columns = [] {
        QStringList names { u"id"_s, u"time"_s };
        for (const auto &field : journalInputFields())
            names << u"in_"_s + field.first;
        for (const char *name : { "c_tb", "c_kt", "c_kbm", "c_ko", "c_kvs", "c_km", "c_ks", "c_kp", "c_kn" })
            names << QString::fromLatin1(name);
        names << u"t"_s << u"note"_s;
        return names;
    }();
    return columns;
}

QString selectEntries()
{
    return u"SELECT "_s + entryColumns().join(u", "_s) + u" FROM entries "_s;
}

// QDateTime::fromString() would cost more than the rest of a row.
QDateTime timeOf(const QString &text)
{
    if (text.size() != kTimeFormat.size())
        return QDateTime::fromString(text, kTimeFormat);
    const auto number
        = [&](qsizetype from, qsizetype length) { return QStringView(text).mid(from, length).toInt(); };
    return QDateTime(QDate(number(0, 4), number(5, 2), number(8, 2)),
        QTime(number(11, 2), number(14, 2), number(17, 2), number(20, 3)));
}

JournalEntry entryOf(const QSqlQuery &query)
{
    JournalEntry entry;
    int i = 0;
    entry.id = query.value(i++).toLongLong();
    entry.time = timeOf(query.value(i++).toString());
    for (const auto &field : journalInputFields())
        entry.inputs.*field.second = query.value(i++).toString();
    for (QString &coefficient : entry.coefficients)
        coefficient = query.value(i++).toString();
    entry.t = query.value(i++).toString();
    entry.note = query.value(i++).toString();
    return entry;
}

int sqliteCode(const QSqlError &error)
{
    // Extended result codes carry the primary code in their low byte.
    return error.nativeErrorCode().toInt() & 0xff;
}

bool damaged(const QSqlError &error)
{
    const int code = sqliteCode(error);
    return code == 11 /* SQLITE_CORRUPT */ || code == 26 /* SQLITE_NOTADB */;
}

QString reasonOf(const QSqlError &error)
{
    switch (sqliteCode(error)) {
    case 13: // SQLITE_FULL
        return texts::kDiskFull;
    case 8: // SQLITE_READONLY
    case 3: // SQLITE_PERM
        return texts::kReadOnlyPlace;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return texts::kBusy;
    case 14: // SQLITE_CANTOPEN
        return texts::kCannotOpen;
    case 11:
    case 26:
        return texts::kCorrupt;
    case 10: // SQLITE_IOERR
        return texts::kIoError;
    default:
        return texts::kDatabaseError.arg(error.text().isEmpty() ? error.nativeErrorCode() : error.text());
    }
}

QString sqlText(const QString &text)
{
    return u'\'' + QString(text).replace(u"'"_s, u"''"_s) + u'\'';
}

QString numberKey(const QString &column)
{
    // Only the order uses the number; the texts stay as they are.
    return u"CAST(REPLACE("_s + column + u", ',', '.') AS REAL)"_s;
}

QString sortKey(JournalColumn column)
{
    switch (column) {
    case JournalColumn::Date:
        return u"time"_s;
    case JournalColumn::Owner: {
        return u"CASE in_t1 WHEN '1' THEN "_s + sqlText(ownerText(u"1"_s)) + u" WHEN '2' THEN "_s
            + sqlText(ownerText(u"2"_s)) + u" ELSE in_t1 END"_s;
    }
    case JournalColumn::Category: {
        QString key = u"CASE in_tb"_s;
        for (int code = 1; code <= 16; ++code)
            key += u" WHEN '%1' THEN "_s.arg(code) + sqlText(categoryText(QString::number(code)));
        return key + u" ELSE in_tb END"_s;
    }
    case JournalColumn::Territory:
        return u"CASE WHEN in_t2 = '6' THEN "_s + sqlText(journal_texts::kForeignRegistration)
            + u" WHEN in_kt2 = '' THEN in_kt1 ELSE in_kt1 || ', ' || in_kt2 END"_s;
    case JournalColumn::Kbm:
        return numberKey(u"c_kbm"_s);
    case JournalColumn::Premium:
        return numberKey(u"t"_s);
    case JournalColumn::Note:
        return u"note"_s;
    }
    return u"time"_s;
}

// Qt binds a null text as NULL; the columns hold texts, the empty one included.
QString nonNull(const QString &value)
{
    return value.isNull() ? u""_s : value;
}

// What an entry says, in the order of the columns after the time.
void bindTexts(QSqlQuery &query, const JournalEntry &entry)
{
    for (const auto &field : journalInputFields())
        query.addBindValue(nonNull(entry.inputs.*field.second));
    for (const QString &coefficient : entry.coefficients)
        query.addBindValue(nonNull(coefficient));
    query.addBindValue(nonNull(entry.t));
    query.addBindValue(nonNull(entry.note));
}

void bindEntry(QSqlQuery &query, const JournalEntry &entry)
{
    query.addBindValue(entry.time.toString(kTimeFormat));
    bindTexts(query, entry);
    query.addBindValue(searchText(entry));
}

bool createPrivateFile(const QString &path, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    // Notes may hold clients' names: the file is its owner's alone from the
    // first byte, and SQLite gives its -wal and -shm files the same rights.
    if (file.open(
            QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return true;
    // Another karvo made it meanwhile.
    if (QFileInfo::exists(path))
        return true;
    *error = texts::kCannotCreate + QDir::toNativeSeparators(path) + u" ("_s + file.errorString() + u')';
    return false;
}

// A transaction that holds the write lock from its start, so that reading the
// newest entry and writing after it cannot interleave with another karvo.
class WriteTransaction
{
public:
    explicit WriteTransaction(const QSqlDatabase &db)
        : m_query(db)
    {
        m_begun = m_query.exec(u"BEGIN IMMEDIATE"_s);
    }
    ~WriteTransaction()
    {
        if (m_begun && !m_committed)
            m_query.exec(u"ROLLBACK"_s);
    }
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;

    bool begun(QString *error)
    {
        if (!m_begun && error)
            *error = reasonOf(m_query.lastError());
        return m_begun;
    }
    bool commit(QString *error)
    {
        m_committed = m_query.exec(u"COMMIT"_s);
        if (!m_committed && error)
            *error = reasonOf(m_query.lastError());
        return m_committed;
    }

private:
    QSqlQuery m_query;
    bool m_begun = false;
    bool m_committed = false;
};

// SQLite answers "busy" at once, without waiting, where waiting could
// deadlock: switching the file to WAL while another karvo reads it is one
// such place. Trying again for as long as the busy timeout is the wait SQLite
// could not do itself.
bool execWhileBusy(QSqlQuery &query, const QString &statement)
{
    QDeadlineTimer deadline(kBusyMilliseconds);
    while (!query.exec(statement)) {
        if (sqliteCode(query.lastError()) != 5 /* SQLITE_BUSY */ || deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

bool fail(const QSqlQuery &query, QString *error)
{
    if (error)
        *error = reasonOf(query.lastError());
    return false;
}

// The time and the note are all that change in a stored entry; what a search
// reads follows them.
bool rewrite(QSqlQuery &query, const JournalEntry &entry, QString *error)
{
    query.prepare(u"UPDATE entries SET time = ?, note = ?, search = ? WHERE id = ?"_s);
    query.addBindValue(entry.time.toString(kTimeFormat));
    query.addBindValue(nonNull(entry.note));
    query.addBindValue(searchText(entry));
    query.addBindValue(entry.id);
    return query.exec() || fail(query, error);
}

} // namespace

QString journalPath()
{
    const QString name = u"journal.sqlite"_s;
    // Beside karvo.ini while that is in the program folder: the portable case.
    const QString settingsFolder = QFileInfo(userFilePath(UserFile::Settings)).absolutePath();
    if (QDir(settingsFolder) == QDir(programFolder()))
        return programFile(name);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u"/karvo"_s)
        .filePath(name);
}

QString skippedLinesText(const QList<int> &lines)
{
    QStringList shown;
    for (qsizetype i = 0; i < lines.size() && i < texts::kShownLines; ++i)
        shown << QString::number(lines[i]);
    QString list = shown.join(u", "_s);
    if (lines.size() > texts::kShownLines)
        list += texts::kMoreLines.arg(lines.size());
    return texts::kSkippedLines.arg(list);
}

QString refusedRowsText(int rows)
{
    return texts::kRefusedRows.arg(rows);
}

JournalStore::JournalStore(const QString &path)
    : m_path(path)
{
}

JournalStore::~JournalStore()
{
    close();
}

void JournalStore::close()
{
    m_insert.reset();
    if (m_connection.isEmpty())
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
    m_open = false;
}

bool JournalStore::open()
{
    if (m_open)
        return true;
    m_error.clear();
    if (!QSqlDatabase::isDriverAvailable(kDriver)) {
        m_error = texts::kNoDriver;
        return false;
    }
    if (!QFileInfo::exists(m_path) && !createPrivateFile(m_path, &m_error))
        return false;
    Opened opened = openFile(false);
    if (opened == Opened::NotADatabase) {
        close();
        if (!setAside() || !createPrivateFile(m_path, &m_error))
            return false;
        opened = openFile(false);
    }
    if (opened != Opened::Sound) {
        close();
        return false;
    }
    m_open = true;
    return true;
}

JournalStore::Opened JournalStore::openFile(bool readOnly)
{
    static int connections = 0;
    m_connection = u"karvo-journal-%1"_s.arg(++connections);
    QSqlDatabase db = QSqlDatabase::addDatabase(kDriver, m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(readOnly ? kBusyTimeout + u";QSQLITE_OPEN_READONLY"_s : kBusyTimeout);
    if (!db.open()) {
        m_error = reasonOf(db.lastError());
        return Opened::Failed;
    }
    QSqlQuery query(db);
    // A file that is not a database opens; only the first statement fails.
    if (!query.exec(u"PRAGMA user_version"_s) || !query.next()) {
        if (damaged(query.lastError()))
            return Opened::NotADatabase;
        m_error = reasonOf(query.lastError());
        return Opened::Failed;
    }
    const int version = query.value(0).toInt();
    query.finish();
    if (readOnly)
        return Opened::Sound;
    if (version > kJournalSchemaVersion) {
        // A later release may have changed what the columns mean: read it,
        // never write it.
        query = QSqlQuery();
        db = QSqlDatabase();
        close();
        m_readOnly = true;
        m_notice = texts::kNewerVersion.arg(QDir::toNativeSeparators(m_path));
        return openFile(true);
    }
    // Readers and one writer side by side; a commit is durable once the log
    // has it, which a killed process cannot undo.
    if (!execWhileBusy(query, u"PRAGMA journal_mode=WAL"_s) || !query.exec(u"PRAGMA synchronous=NORMAL"_s)) {
        m_error = reasonOf(query.lastError());
        return Opened::Failed;
    }
    if (version < kJournalSchemaVersion && !migrate(version))
        return Opened::Failed;
    return Opened::Sound;
}

// The steps that bring a journal from one schema to the next: step n takes a
// file of user_version n to n + 1. A file runs every step from its own
// version on, in one transaction, so that a failure leaves it as it was.
namespace {

QString textColumn(const QString &name)
{
    return name + u" TEXT NOT NULL DEFAULT ''"_s;
}

// 0 → 1: the table of entries, with the choices and the coefficients.
bool createEntries(QSqlQuery &query, const QSqlDatabase &)
{
    QStringList columns { u"id INTEGER PRIMARY KEY"_s, u"time TEXT NOT NULL"_s };
    for (std::size_t i = 0; i < kFirstJournalInputCount; ++i)
        columns << textColumn(u"in_"_s + journalInputFields()[i].first);
    for (const QString &column : entryColumns().mid(2 + qsizetype(kJournalInputCount)))
        columns << textColumn(column);
    // Folded by the program: SQLite ignores case for Latin letters only.
    columns << u"search TEXT NOT NULL DEFAULT ''"_s;
    return query.exec(u"CREATE TABLE IF NOT EXISTS entries ("_s + columns.join(u", "_s) + u')')
        // Newest first, with what a search reads: a search walks this index in
        // the journal's order and reads an entry only when it matches, so a
        // frequent word answers at once and a rare one reads a third of the
        // bytes of the table.
        && query.exec(
            u"CREATE INDEX IF NOT EXISTS entries_by_time ON entries (time, id, search, in_t1, in_tb, in_t2)"_s);
}

// 1 → 2: the rest of the calculation. The entries of the first release get
// them empty, and reading such an entry makes them again from its choices.
bool addWholeCalculation(QSqlQuery &query, const QSqlDatabase &db)
{
    for (std::size_t i = kFirstJournalInputCount; i < kJournalInputCount; ++i) {
        if (!query.exec(
                u"ALTER TABLE entries ADD COLUMN "_s + textColumn(u"in_"_s + journalInputFields()[i].first)))
            return false;
    }
    // What a search reads is folded anew: since the first release, Latin
    // and Cyrillic look-alikes are one letter, and old entries are found by
    // either as new ones are.
    QSqlQuery rows(db);
    rows.setForwardOnly(true);
    if (!rows.exec(selectEntries()))
        return false;
    query.prepare(u"UPDATE entries SET search = ? WHERE id = ?"_s);
    while (rows.next()) {
        const JournalEntry entry = entryOf(rows);
        query.addBindValue(searchText(entry));
        query.addBindValue(entry.id);
        if (!query.exec())
            return false;
    }
    return true;
}

using SchemaStep = bool (*)(QSqlQuery &query, const QSqlDatabase &db);
const std::array<SchemaStep, kJournalSchemaVersion> kSchemaSteps = { &createEntries, &addWholeCalculation };

} // namespace

bool JournalStore::migrate(int version)
{
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    WriteTransaction transaction(db);
    if (!transaction.begun(&m_error))
        return false;
    QSqlQuery query(db);
    // Read again under the write lock: another karvo may have migrated it.
    if (!query.exec(u"PRAGMA user_version"_s) || !query.next())
        return fail(query, &m_error);
    version = query.value(0).toInt();
    query.finish();
    for (int step = version; step < kJournalSchemaVersion; ++step) {
        if (!kSchemaSteps[std::size_t(step)](query, db))
            return fail(query, &m_error);
    }
    if (version < kJournalSchemaVersion
        && !query.exec(u"PRAGMA user_version = %1"_s.arg(kJournalSchemaVersion)))
        return fail(query, &m_error);
    return transaction.commit(&m_error);
}

bool JournalStore::setAside()
{
    const QString stem = m_path + u".damaged-"_s + QDate::currentDate().toString(u"yyyy-MM-dd"_s);
    QString target = stem;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = stem + u'-' + QString::number(n);
    if (!QFile::rename(m_path, target)) {
        m_error = texts::kCannotRename + QDir::toNativeSeparators(m_path);
        return false;
    }
    // The log of the damaged file must not be read into the new journal.
    for (const QString &suffix : { u"-wal"_s, u"-shm"_s }) {
        if (QFileInfo::exists(m_path + suffix))
            QFile::rename(m_path + suffix, target + suffix);
    }
    m_notice = texts::kDamaged.arg(QDir::toNativeSeparators(target), QDir::toNativeSeparators(m_path));
    return true;
}

bool JournalStore::writable(QString *error)
{
    if (!open()) {
        if (error)
            *error = m_error;
        return false;
    }
    if (m_readOnly) {
        if (error)
            *error = texts::kReadOnlyJournal;
        return false;
    }
    return true;
}

bool JournalStore::insert(const JournalEntry &entry, qint64 *id, QString *error)
{
    if (!m_insert) {
        const QStringList columns = entryColumns().mid(1) << u"search"_s;
        m_insert = std::make_unique<QSqlQuery>(QSqlDatabase::database(m_connection, false));
        m_insert->prepare(u"INSERT INTO entries ("_s + columns.join(u", "_s) + u") VALUES ("_s
            + QStringList(columns.size(), u"?"_s).join(u", "_s) + u')');
    }
    bindEntry(*m_insert, entry);
    if (!m_insert->exec())
        return fail(*m_insert, error);
    if (id)
        *id = m_insert->lastInsertId().toLongLong();
    return true;
}

JournalAdded JournalStore::addOnce(const JournalEntry &entry)
{
    JournalAdded added;
    if (!writable(&added.error))
        return added;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    WriteTransaction transaction(db);
    if (!transaction.begun(&added.error))
        return added;
    QSqlQuery query(db);
    if (!query.exec(selectEntries() + u"ORDER BY time DESC, id DESC LIMIT 1"_s)) {
        fail(query, &added.error);
        return added;
    }
    if (query.next()) {
        JournalEntry newest = entryOf(query);
        query.finish();
        if (newest.sameCalculation(entry)) {
            newest.time = entry.time;
            if (!rewrite(query, newest, &added.error) || !transaction.commit(&added.error))
                return added;
            added.result = JournalAdded::Updated;
            added.id = newest.id;
            return added;
        }
    }
    query.finish();
    if (!insert(entry, &added.id, &added.error) || !transaction.commit(&added.error))
        return added;
    added.result = JournalAdded::Added;
    return added;
}

std::vector<JournalEntry> JournalStore::listOnce(
    const JournalQuery &request, int offset, int limit, QString *error)
{
    std::vector<JournalEntry> entries;
    if (!open()) {
        if (error)
            *error = m_error;
        return entries;
    }
    const QStringList words = request.search.split(u' ', Qt::SkipEmptyParts);
    QStringList conditions;
    QStringList codes;
    for (const QString &typed : words) {
        const QString word = searchFolded(typed);
        const SearchedCodes found = searchedCodes(word);
        QStringList texts { word };
        // Entries written before look-alikes were folded keep the letters typed.
        texts << typed.toCaseFolded();
        // Т and the coefficients are shown with a comma; a dot is typed as often.
        if (word.contains(u'.'))
            texts << QString(word).replace(u'.', u',');
        texts.removeDuplicates();
        QString condition = QStringList(texts.size(), u"instr(search, ?)"_s).join(u" OR "_s);
        if (!found.owners.isEmpty())
            condition += u" OR in_t1 IN ("_s + QStringList(found.owners.size(), u"?"_s).join(u',') + u')';
        if (!found.categories.isEmpty())
            condition += u" OR in_tb IN ("_s + QStringList(found.categories.size(), u"?"_s).join(u',') + u')';
        if (found.foreignRegistration)
            condition += u" OR in_t2 = '6'"_s;
        conditions << u'(' + condition + u')';
        codes << texts << found.owners << found.categories;
    }
    const QString where = conditions.isEmpty() ? QString() : u"WHERE "_s + conditions.join(u" AND "_s);
    const QString direction = request.order == Qt::AscendingOrder ? u" ASC"_s : u" DESC"_s;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    // Equal keys keep the newest-first order of the journal; by date that is
    // the key itself, which the index on time answers without sorting.
    QString order = sortKey(request.sortColumn) + direction;
    if (request.sortColumn != JournalColumn::Date)
        order += u", time DESC"_s;
    query.prepare(
        selectEntries() + where + u" ORDER BY "_s + order + u", id"_s + direction + u" LIMIT ? OFFSET ?"_s);
    for (const QString &value : codes)
        query.addBindValue(value);
    query.addBindValue(limit);
    query.addBindValue(offset);
    if (!query.exec()) {
        fail(query, error);
        return entries;
    }
    while (query.next())
        entries.push_back(entryOf(query));
    return entries;
}

int JournalStore::countOnce(QString *error)
{
    if (!open()) {
        if (error)
            *error = m_error;
        return -1;
    }
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(u"SELECT count(*) FROM entries"_s) || !query.next()) {
        fail(query, error);
        return -1;
    }
    return query.value(0).toInt();
}

bool JournalStore::setNoteOnce(qint64 id, const QString &note, QString *error)
{
    if (!writable(error))
        return false;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    WriteTransaction transaction(db);
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(db);
    query.prepare(selectEntries() + u"WHERE id = ?"_s);
    query.addBindValue(id);
    if (!query.exec())
        return fail(query, error);
    // An entry another karvo deleted meanwhile has no note to keep.
    if (!query.next())
        return transaction.commit(error);
    JournalEntry entry = entryOf(query);
    query.finish();
    entry.note = note;
    return rewrite(query, entry, error) && transaction.commit(error);
}

bool JournalStore::removeOnce(const QList<qint64> &ids, QString *error)
{
    if (!writable(error))
        return false;
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    WriteTransaction transaction(db);
    if (!transaction.begun(error))
        return false;
    QSqlQuery query(db);
    query.prepare(u"DELETE FROM entries WHERE id = ?"_s);
    for (const qint64 id : ids) {
        query.addBindValue(id);
        if (!query.exec())
            return fail(query, error);
    }
    return transaction.commit(error);
}

bool JournalStore::isJournalFile(const QString &file) const
{
    // By stat() alone: opening the journal's file to compare it would drop
    // SQLite's locks on it.
    const QFileInfo given(file);
    if (file == u"-"_s || !given.exists())
        return false;
    for (const QString &suffix : { u""_s, u"-wal"_s, u"-shm"_s, u"-journal"_s }) {
        const QFileInfo own(m_path + suffix);
        if (own.exists() && own.canonicalFilePath() == given.canonicalFilePath())
            return true;
    }
    return false;
}

int JournalStore::exportCsvOnce(const QString &file, QString *error)
{
    if (isJournalFile(file)) {
        if (error)
            *error = texts::kCsvCannotWrite.arg(shownCsvPath(file, true), texts::kJournalItself);
        return -1;
    }
    // The target first: a refused one leaves no new journal behind either.
    CsvOutput out;
    if (!out.open(file)) {
        if (error)
            *error = out.error();
        return -1;
    }
    if (!open()) {
        if (error)
            *error = m_error;
        return -1;
    }
    out.write(u"\uFEFF"_s + csvHeader());
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.exec(selectEntries() + u"ORDER BY time DESC, id DESC"_s)) {
        out.cancel();
        fail(query, error);
        return -1;
    }
    int written = 0;
    while (query.next() && out.write(csvRecord(entryOf(query))))
        ++written;
    if (!out.commit()) {
        if (error)
            *error = out.error();
        return -1;
    }
    return written;
}

JournalImported JournalStore::importCsv(QIODevice &in, const QString &shown)
{
    JournalImported imported;
    CsvReader reader(in);
    CsvRecord first;
    if (!reader.next(first) || first.problem != CsvRecord::Problem::None) {
        imported.error = texts::kCsvNotJournal.arg(shown);
        return imported;
    }
    const CsvHeader header(first.fields);
    if (const QStringList missing = header.missing(requiredCsvTitles()); !missing.isEmpty()) {
        imported.error = missing.size() == requiredCsvTitles().size()
            ? texts::kCsvNotJournal.arg(shown)
            : texts::kCsvMissingColumns.arg(shown, missing.join(u", "_s));
        return imported;
    }
    if (!writable(&imported.error))
        return imported;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    auto transaction = std::make_unique<WriteTransaction>(db);
    if (!transaction->begun(&imported.error)) {
        transaction.reset();
        if (!recovered())
            return imported;
        db = QSqlDatabase::database(m_connection, false);
        transaction = std::make_unique<WriteTransaction>(db);
        if (!transaction->begun(&imported.error))
            return imported;
    }
    QSqlQuery duplicate(db);
    // The CSV keeps the time to the minute: an entry of that minute with the
    // same texts everywhere is the same entry, met again when journals that
    // were merged once are merged again. Found through an index, since a
    // file may hold any number of entries of one minute.
    if (!duplicate.exec(u"CREATE INDEX IF NOT EXISTS entries_by_minute ON entries ("_s + kMinute + u", "_s
            + kDuplicateKey.join(u", "_s) + u')')) {
        fail(duplicate, &imported.error);
        return imported;
    }
    QStringList same { kMinute + u" = ?"_s };
    for (const QString &column : entryColumns().mid(2))
        same << column + u" = ?"_s;
    duplicate.prepare(u"SELECT 1 FROM entries WHERE "_s + same.join(u" AND "_s) + u" LIMIT 1"_s);
    // A priced list: its rows without a Т say why in a column of their own.
    const int errorColumn = header.indexOf(texts::kErrorTitle);
    const JournalCsvColumns columns(header);
    CsvRecord record;
    while (reader.next(record)) {
        if (errorColumn >= 0 && errorColumn < record.fields.size()
            && !csvFieldText(record.fields[errorColumn]).isEmpty()) {
            ++imported.refusedRows;
            continue;
        }
        const std::optional<JournalEntry> entry = columns.entryOf(record);
        if (!entry) {
            imported.unreadableLines << record.line;
            continue;
        }
        duplicate.addBindValue(entry->time.toString(kTimeFormat).left(16));
        bindTexts(duplicate, *entry);
        if (!duplicate.exec()) {
            fail(duplicate, &imported.error);
            return imported;
        }
        const bool known = duplicate.next();
        duplicate.finish();
        if (known) {
            ++imported.duplicates;
            continue;
        }
        if (!insert(*entry, nullptr, &imported.error))
            return imported;
        ++imported.added;
    }
    if (!transaction->commit(&imported.error)) {
        imported.added = 0;
        return imported;
    }
    imported.ok = true;
    return imported;
}

bool JournalStore::recovered()
{
    if (!m_open || m_readOnly)
        return false;
    {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        // Only after a failure: on a large journal the check reads every page.
        const bool checked = query.exec(u"PRAGMA quick_check"_s) && query.next();
        if (checked ? query.value(0).toString() == u"ok"_s : !damaged(query.lastError()))
            return false;
    }
    close();
    if (!setAside() || !createPrivateFile(m_path, &m_error) || openFile(false) != Opened::Sound) {
        close();
        return false;
    }
    m_open = true;
    return true;
}

// Every operation that fails on a damaged journal sets the file aside and runs
// once more on a new one: the calculator goes on, and notice() says so.
JournalAdded JournalStore::add(const JournalEntry &entry)
{
    JournalAdded added = addOnce(entry);
    if (added.result == JournalAdded::Failed && recovered())
        added = addOnce(entry);
    return added;
}

std::vector<JournalEntry> JournalStore::list(const JournalQuery &query, int offset, int limit, QString *error)
{
    QString failure;
    std::vector<JournalEntry> entries = listOnce(query, offset, limit, &failure);
    if (!failure.isEmpty() && recovered()) {
        failure.clear();
        entries = listOnce(query, offset, limit, &failure);
    }
    if (error)
        *error = failure;
    return entries;
}

int JournalStore::count(QString *error)
{
    int entries = countOnce(error);
    if (entries < 0 && recovered())
        entries = countOnce(error);
    return entries;
}

bool JournalStore::setNote(qint64 id, const QString &note, QString *error)
{
    return setNoteOnce(id, note, error) || (recovered() && setNoteOnce(id, note, error));
}

bool JournalStore::remove(const QList<qint64> &ids, QString *error)
{
    return removeOnce(ids, error) || (recovered() && removeOnce(ids, error));
}

int JournalStore::exportCsv(const QString &file, QString *error)
{
    int written = exportCsvOnce(file, error);
    // Standard output cannot take the header a second time.
    if (written < 0 && file != u"-"_s && recovered())
        written = exportCsvOnce(file, error);
    return written;
}

JournalImported JournalStore::importCsv(const QString &file)
{
    if (isJournalFile(file)) {
        JournalImported refused;
        refused.error = texts::kCsvCannotRead.arg(shownCsvPath(file, false), texts::kJournalItself);
        return refused;
    }
    CsvInput input = openCsvInput(file);
    if (!input.device) {
        JournalImported refused;
        refused.error = input.error;
        return refused;
    }
    return importCsv(*input.device, shownCsvPath(file, false));
}

} // namespace karvo
