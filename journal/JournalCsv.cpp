#include "journal/JournalCsv.h"

#include "journal/CsvWriter.h"
#include "journal/JournalTexts.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// The window's КБМ column and the coefficient share a title; the coefficient
// is the later one.
int coefficientOccurrence(const CsvHeader &header, Coefficient coefficient)
{
    const QString title = shortName(coefficient);
    return header.indexOf(title, 1) >= 0 ? 1 : 0;
}

} // namespace

QStringList csvTitles()
{
    QStringList titles;
    for (int column = 0; column < kJournalColumnCount; ++column)
        titles << columnTitle(JournalColumn(column));
    for (const auto &field : journalInputFields())
        titles << field.first;
    for (const Coefficient coefficient : kAllCoefficients)
        titles << shortName(coefficient);
    return titles;
}

QString csvHeader()
{
    return csvLine(csvTitles());
}

QStringList csvTexts(const JournalEntry &entry)
{
    QStringList texts;
    for (int column = 0; column < kJournalColumnCount; ++column)
        texts << columnText(entry, JournalColumn(column));
    for (const auto &field : journalInputFields())
        texts << entry.inputs.*field.second;
    for (const QString &coefficient : entry.coefficients)
        texts << coefficient;
    return texts;
}

QString csvRecord(const JournalEntry &entry)
{
    return csvLine(csvTexts(entry));
}

QStringList requiredCsvTitles()
{
    QStringList titles { columnTitle(JournalColumn::Date), columnTitle(JournalColumn::Premium),
        columnTitle(JournalColumn::Note) };
    // A file of the journal's first release has the choices, not the rest of
    // the calculation, which is then made again from them.
    for (std::size_t i = 0; i < kFirstJournalInputCount; ++i)
        titles << journalInputFields()[i].first;
    for (const Coefficient coefficient : kAllCoefficients)
        titles << shortName(coefficient);
    titles.removeDuplicates();
    return titles;
}

QDateTime csvTime(const QString &text)
{
    static const QRegularExpression format(
        u"^\\s*(\\d{1,2})\\.(\\d{1,2})\\.(\\d{4}|\\d{2})\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?\\s*$"_s);
    const QRegularExpressionMatch match = format.match(text);
    if (!match.hasMatch())
        return {};
    int year = match.captured(3).toInt();
    // Two digits: the journal began in this century.
    if (match.capturedLength(3) == 2)
        year += 2000;
    const QDate date(year, match.captured(2).toInt(), match.captured(1).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
        match.capturedLength(6) > 0 ? match.captured(6).toInt() : 0);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

std::optional<JournalEntry> entryOfCsvRecord(const CsvHeader &header, const CsvRecord &record)
{
    if (record.problem != CsvRecord::Problem::None || record.fields.size() != header.titles().size())
        return std::nullopt;
    static const QRegularExpression number(u"^\\d+(,\\d+)?$"_s);
    JournalEntry entry;
    entry.time = csvTime(header.field(record, columnTitle(JournalColumn::Date)));
    entry.t = header.field(record, columnTitle(JournalColumn::Premium));
    entry.note = header.field(record, columnTitle(JournalColumn::Note));
    if (!entry.time.isValid() || !number.match(entry.t).hasMatch())
        return std::nullopt;
    for (const auto &field : journalInputFields())
        entry.inputs.*field.second = header.field(record, field.first);
    for (std::size_t i = 0; i < kAllCoefficients.size(); ++i) {
        const Coefficient coefficient = kAllCoefficients[i];
        entry.coefficients[i]
            = header.field(record, shortName(coefficient), coefficientOccurrence(header, coefficient));
    }
    return entry;
}

} // namespace karvo
