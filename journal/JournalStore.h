#pragma once

#include "journal/JournalEntry.h"

#include <QList>
#include <QString>

#include <memory>
#include <vector>

class QIODevice;
class QSqlQuery;

// The journal file, journal.sqlite, through Qt SQL's SQLite driver. It is
// opened on first use, not when the program starts. Two karvo running at once
// both write to it (write-ahead log, busy timeout); a karvo killed while adding
// leaves every finished entry. A file that is not a sound journal is kept
// beside it under another name and a new journal is started; a journal of a
// newer schema is only read. Nothing here speaks to the user: every operation
// returns what happened, with the Russian reason, and the caller shows it.
namespace karvo {

// journal.sqlite beside karvo.ini when that lies in the program folder, else
// in $XDG_DATA_HOME/karvo (~/.local/share/karvo).
QString journalPath();

// The schema this release writes; PRAGMA user_version of the file.
// 1: the choices and the coefficients; 2: the whole calculation.
inline constexpr int kJournalSchemaVersion = 2;

struct JournalQuery
{
    QString search; // every word must occur in some cell, ignoring case
    JournalColumn sortColumn = JournalColumn::Date;
    Qt::SortOrder order = Qt::DescendingOrder;
};

struct JournalAdded
{
    enum Result { Added, Updated, Failed } result = Failed;
    qint64 id = 0;
    QString error; // the reason, when Failed
};

struct JournalImported
{
    bool ok = false;
    int added = 0;
    int duplicates = 0; // rows equal to an entry already in the journal
    QList<int> unreadableLines; // skipped
    // Skipped: rows of a priced list (`karvo --calculate`) whose "Ошибка" says
    // why they have no Т.
    int refusedRows = 0;
    QString error; // the reason, when not ok
};

// The sentence that names the lines an import skipped.
QString skippedLinesText(const QList<int> &lines);
// The sentence that counts the rows skipped for their "Ошибка".
QString refusedRowsText(int rows);

class JournalStore
{
public:
    explicit JournalStore(const QString &path = journalPath());
    ~JournalStore();
    JournalStore(const JournalStore &) = delete;
    JournalStore &operator=(const JournalStore &) = delete;

    QString path() const { return m_path; }

    // Opens the file if it is not open yet; false when it cannot be opened at
    // all (error() says why). A journal that was replaced or is read-only
    // opens, and notice() says so, once.
    bool open();
    QString error() const { return m_error; }
    // The message about what opening found (a damaged file set aside, a newer
    // journal opened read-only); empty when there is nothing to say.
    QString notice() const { return m_notice; }
    bool readOnly() const { return m_readOnly; }

    // Adds the entry, or, when the newest entry is the same calculation,
    // moves that entry to the entry's time instead.
    JournalAdded add(const JournalEntry &entry);

    // Up to `limit` entries from `offset` on, in the query's order.
    std::vector<JournalEntry> list(
        const JournalQuery &query, int offset, int limit, QString *error = nullptr);
    int count(QString *error = nullptr);
    bool setNote(qint64 id, const QString &note, QString *error = nullptr);
    bool remove(const QList<qint64> &ids, QString *error = nullptr);

    // The whole journal, newest first. Returns the number of entries written,
    // or -1 (with the reason in `error`); an earlier file stays as it was.
    // `file` "-" is standard output. A file is written whole or not at
    // all, readable by its owner only; what is no regular file is refused.
    int exportCsv(const QString &file, QString *error = nullptr);
    // Adds the entries of a CSV file, or of standard input for "-", read a
    // record at a time. What is no regular file is refused.
    JournalImported importCsv(const QString &file);
    // The same from an open device; `shown` names it in messages.
    JournalImported importCsv(QIODevice &in, const QString &shown);

private:
    enum class Opened { Sound, NotADatabase, Failed };
    Opened openFile(bool readOnly);
    void close();
    bool setAside();
    // Brings a file of schema `version` to kJournalSchemaVersion.
    bool migrate(int version);
    bool writable(QString *error);
    bool insert(const JournalEntry &entry, qint64 *id, QString *error);
    // Whether `file` is the journal or one of SQLite's files beside it.
    bool isJournalFile(const QString &file) const;
    // After a failure: when the file turns out damaged, sets it aside and
    // opens a new journal.
    bool recovered();
    JournalAdded addOnce(const JournalEntry &entry);
    std::vector<JournalEntry> listOnce(const JournalQuery &query, int offset, int limit, QString *error);
    int countOnce(QString *error);
    bool setNoteOnce(qint64 id, const QString &note, QString *error);
    bool removeOnce(const QList<qint64> &ids, QString *error);
    int exportCsvOnce(const QString &file, QString *error);

    QString m_path;
    QString m_connection;
    std::unique_ptr<QSqlQuery> m_insert; // prepared once per connection
    bool m_open = false;
    bool m_readOnly = false;
    QString m_error;
    QString m_notice;
};

} // namespace karvo
