#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QFileDevice;

// The writing side of CsvReader.h: UTF-8 with a byte-order mark, ";" between
// fields, "\r\n" after each record. Every text comes from a user or from an
// imported file, so a field that a spreadsheet would run as a formula is
// written as text.
namespace karvo {

// One field as written. Quoted when it holds ";", '"' or a line break.
// Prefixed with an apostrophe, the spreadsheets' mark of a text, when it
// starts with "=", "+", "-", "@", a tab or a carriage return, or with an
// apostrophe itself: so csvFieldText() takes exactly one apostrophe off and
// gives back the text as it was.
QString csvField(const QString &text);
// The text of a field read back (unquoted already): the prefix taken off.
QString csvFieldText(const QString &field);
// A record of texts, "\r\n" included.
QString csvLine(const QStringList &texts);

// The output of a command: `path`, or standard output for "-". A file is
// written beside the target and renamed over it when complete, readable by
// its owner only (the journal's notes name clients); anything that is not a
// regular file is refused and left as it was.
class CsvOutput
{
public:
    CsvOutput();
    ~CsvOutput();
    CsvOutput(const CsvOutput &) = delete;
    CsvOutput &operator=(const CsvOutput &) = delete;

    // False with error() when the target is refused or cannot be created.
    bool open(const QString &path);
    bool write(const QString &text);
    // Puts the file in place; false with error() when anything failed since
    // open(), and the earlier file stays as it was.
    bool commit();
    // Drops what was written; the earlier file stays as it was.
    void cancel();
    QString error() const { return m_error; }

private:
    QString m_path;
    std::unique_ptr<QFileDevice> m_file;
    bool m_failed = false;
    QString m_error;
    qint64 m_written = 0;
};

} // namespace karvo
