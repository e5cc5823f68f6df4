// Feeds arbitrary bytes to the journal's CSV reader as a file to import and
// checks what it promises: lines come in order, a record that is too long
// comes without fields, and every entry it reads is written and read again
// as the same entry, note and all, whatever the note starts with.
#include "journal/JournalCsv.h"

#include <QBuffer>

#include <cstdlib>

namespace {

std::vector<karvo::JournalEntry> entriesOf(const QByteArray &bytes)
{
    QBuffer file;
    file.setData(bytes);
    file.open(QIODevice::ReadOnly);
    karvo::CsvReader reader(file);
    karvo::CsvRecord record;
    std::vector<karvo::JournalEntry> entries;
    if (!reader.next(record))
        return entries;
    const karvo::CsvHeader header(record.fields);
    int line = record.line;
    while (reader.next(record)) {
        if (record.line <= line)
            std::abort();
        line = record.line;
        if (record.problem == karvo::CsvRecord::Problem::TooLong && !record.fields.isEmpty())
            std::abort();
        if (const std::optional<karvo::JournalEntry> entry = karvo::entryOfCsvRecord(header, record))
            entries.push_back(*entry);
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const karvo::JournalEntry &entry : entriesOf(bytes)) {
        QByteArray again = "\xEF\xBB\xBF" + karvo::csvHeader().toUtf8() + karvo::csvRecord(entry).toUtf8();
        const std::vector<karvo::JournalEntry> back = entriesOf(again);
        if (back.size() != 1 || !back.front().sameCalculation(entry) || back.front().note != entry.note
            || back.front().time != entry.time)
            std::abort();
    }
    return 0;
}
