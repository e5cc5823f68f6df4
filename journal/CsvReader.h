#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QIODevice;

// CSV as Russian spreadsheets write it, read one record at a time from any
// device: a file, or standard input. ";" separates fields, '"' quotes a field
// that holds ";", '"' or a line break. A record costs at most
// kMaxCsvRecordBytes of memory whatever the input, so a file of a million rows
// or an endless device is read in constant memory.
//
// The encoding is decided per file: UTF-8 with or without a byte-order mark,
// and Windows-1251 (what Russian Excel saves) for a file whose first line with
// a byte above 127 is not valid UTF-8. Lines of plain ASCII read the same
// either way, so the decision waits for the first line that tells.
namespace karvo {

inline constexpr qsizetype kMaxCsvRecordBytes = 64 * 1024;

enum class CsvEncoding { Undecided, Utf8, Windows1251 };

struct CsvRecord
{
    enum class Problem {
        None,
        TooLong, // over kMaxCsvRecordBytes; the fields are empty
        OpenQuote, // a quoted field runs to the end of the input
        NotUtf8, // a line of a UTF-8 file that is not UTF-8
    };

    int line = 0; // the line it starts on, from 1
    QStringList fields; // raw: as written, an apostrophe prefix included
    Problem problem = Problem::None;
};

class CsvReader
{
public:
    // The device must be open for reading; it is not owned.
    explicit CsvReader(QIODevice &device);

    // The next record; false at the end of the input. Blank lines are no
    // records.
    bool next(CsvRecord &record);

    CsvEncoding encoding() const { return m_encoding; }

private:
    enum class Line { Read, TooLong, End };
    Line readLine(QByteArray &bytes);
    QString decoded(QByteArray &bytes, bool *valid);

    QIODevice &m_device;
    QByteArray m_buffer;
    CsvEncoding m_encoding = CsvEncoding::Undecided;
    int m_line = 0; // physical lines read
    bool m_first = true;
};

// The first record of a file, read as column titles: fields are found by
// title, in whatever order the columns come. A title that occurs twice is
// found by its occurrence.
class CsvHeader
{
public:
    CsvHeader() = default;
    explicit CsvHeader(const QStringList &titles);

    const QStringList &titles() const { return m_titles; }
    // The position of the `occurrence`-th column titled `title`, or -1.
    int indexOf(const QString &title, int occurrence = 0) const;
    bool contains(const QString &title) const { return indexOf(title) >= 0; }
    // The titles of `wanted` that no column has, in the order of `wanted`.
    QStringList missing(const QStringList &wanted) const;
    // The positions of the columns whose title `known` does not hold, such
    // as a column a user or another program added.
    QList<int> unknownColumns(const QStringList &known) const;

    // The field's text, the apostrophe prefix taken off; empty when the
    // record is shorter or there is no such column.
    QString field(const CsvRecord &record, const QString &title, int occurrence = 0) const;

private:
    QStringList m_titles;
    QHash<QString, QList<int>> m_positions;
};

// The input of a command: `path`, or standard input for "-". Anything that is
// not a regular file (a folder, a FIFO, a device, a socket) is refused
// without being waited on, and so is a missing or unreadable one.
struct CsvInput
{
    std::unique_ptr<QIODevice> device; // open for reading; null when refused
    QString error; // Russian, naming the path, when refused
};
CsvInput openCsvInput(const QString &path);

// How a path is named in messages: "-" as standard input or output.
QString shownCsvPath(const QString &path, bool output);

} // namespace karvo
