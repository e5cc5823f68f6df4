#pragma once

#include "journal/CsvReader.h"
#include "journal/JournalEntry.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The journal as CSV, the way Russian spreadsheets open it (CsvWriter.h). The
// header is the window's seven column titles, the karvo.ini keys of the inputs
// and the short names of the nine coefficients; each entry is one record in
// the same order. Reading finds the columns by their titles, so a file whose
// columns a spreadsheet moved, or that has columns of its own, still reads.
namespace karvo {

QStringList csvTitles();
QString csvHeader();
QStringList csvTexts(const JournalEntry &entry);
QString csvRecord(const JournalEntry &entry);

// The titles a file must have for its entries to be read: the window's
// columns other than the date, Т and the note are made from the others, and
// so is the rest of the calculation when a file lacks it.
QStringList requiredCsvTitles();

// A time as the journal writes it ("07.12.2026 09:05") or as a spreadsheet
// saves it again: a two-digit year ("07.12.26 22:55"), seconds added
// ("07.12.2026 09:05:00"). Invalid when it is none of these.
QDateTime csvTime(const QString &text);

// Where a file's header puts each field of an entry, found once for all its
// records.
class JournalCsvColumns
{
public:
    explicit JournalCsvColumns(const CsvHeader &header);

    // The entry of a record, or nothing when the record cannot be read: a
    // problem of the reader, a number of fields other than the header's, a
    // date that is not one, or a Т that is not a number text.
    std::optional<JournalEntry> entryOf(const CsvRecord &record) const;

private:
    qsizetype m_fieldCount = 0;
    int m_date = -1;
    int m_premium = -1;
    int m_note = -1;
    std::array<int, kJournalInputCount> m_inputs {};
    std::array<int, kAllCoefficients.size()> m_coefficients {};
};

// The same for one record.
std::optional<JournalEntry> entryOfCsvRecord(const CsvHeader &header, const CsvRecord &record);

} // namespace karvo
