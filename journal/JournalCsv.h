#pragma once

#include "journal/JournalEntry.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The journal as CSV, the way Russian spreadsheets open it: UTF-8 with a
// byte-order mark, ";" between fields, quotes only where a field holds ";",
// '"' or a line break. The header is the window's seven column titles, the
// karvo.ini keys of the inputs and the short names of the nine coefficients;
// each entry is one record in the same order.
namespace karvo {

QString csvHeader();
QString csvRecord(const JournalEntry &entry);

// One record as it was read: its fields and the line it starts on.
struct CsvRecord
{
    int line = 0;
    QStringList fields;
    bool complete = true; // false: a quoted field runs to the end of the file
};

// Splits text (without the byte-order mark) into records; a quoted field may
// span lines.
std::vector<CsvRecord> readCsvRecords(const QString &text);

// The entry of a record, or nothing when the record cannot be read: a wrong
// number of fields, a date that is not one, or a Т that is not a number text.
std::optional<JournalEntry> entryOfCsvRecord(const CsvRecord &record);

} // namespace karvo
