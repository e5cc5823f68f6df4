#include "journal/JournalCsv.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

constexpr QChar kSeparator = u';';

QString quoted(const QString &field)
{
    if (!field.contains(kSeparator) && !field.contains(u'"') && !field.contains(u'\n')
        && !field.contains(u'\r'))
        return field;
    QString escaped = field;
    escaped.replace(u"\""_s, u"\"\""_s);
    return u'"' + escaped + u'"';
}

QString joined(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &field : fields)
        out << quoted(field);
    return out.join(kSeparator) + u"\r\n"_s;
}

constexpr qsizetype kFieldCount
    = kJournalColumnCount + qsizetype(kJournalInputCount) + qsizetype(kAllCoefficients.size());

} // namespace

QString csvHeader()
{
    QStringList fields;
    for (int column = 0; column < kJournalColumnCount; ++column)
        fields << columnTitle(JournalColumn(column));
    for (const auto &field : journalInputFields())
        fields << field.first;
    for (const Coefficient coefficient : kAllCoefficients)
        fields << shortName(coefficient);
    return joined(fields);
}

QString csvRecord(const JournalEntry &entry)
{
    QStringList fields;
    for (int column = 0; column < kJournalColumnCount; ++column)
        fields << columnText(entry, JournalColumn(column));
    for (const auto &field : journalInputFields())
        fields << entry.inputs.*field.second;
    for (const QString &coefficient : entry.coefficients)
        fields << coefficient;
    return joined(fields);
}

std::vector<CsvRecord> readCsvRecords(const QString &text)
{
    std::vector<CsvRecord> records;
    CsvRecord record;
    QString field;
    bool inQuotes = false;
    bool fieldStarted = false; // the record holds at least one character
    int line = 1;
    record.line = 1;
    const auto endRecord = [&] {
        record.fields << field;
        records.push_back(record);
        record = {};
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty()) {
            inQuotes = true;
            fieldStarted = true;
        } else if (c == kSeparator) {
            record.fields << field;
            field.clear();
            fieldStarted = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            // Blank lines are no records; a spreadsheet often leaves one at the end.
            if (fieldStarted || !field.isEmpty())
                endRecord();
            ++line;
            record.line = line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty()) {
        record.complete = !inQuotes;
        endRecord();
    }
    return records;
}

std::optional<JournalEntry> entryOfCsvRecord(const CsvRecord &record)
{
    if (!record.complete || record.fields.size() != kFieldCount)
        return std::nullopt;
    static const QRegularExpression number(u"^\\d+(,\\d+)?$"_s);
    JournalEntry entry;
    entry.time = QDateTime::fromString(record.fields[int(JournalColumn::Date)], kJournalDateFormat);
    entry.t = record.fields[int(JournalColumn::Premium)];
    entry.note = record.fields[int(JournalColumn::Note)];
    if (!entry.time.isValid() || !number.match(entry.t).hasMatch())
        return std::nullopt;
    qsizetype index = kJournalColumnCount;
    for (const auto &field : journalInputFields())
        entry.inputs.*field.second = record.fields[index++];
    for (QString &coefficient : entry.coefficients)
        coefficient = record.fields[index++];
    return entry;
}

} // namespace karvo
