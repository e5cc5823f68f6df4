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

JournalCsvColumns::JournalCsvColumns(const CsvHeader &header)
    : m_fieldCount(header.titles().size())
    , m_date(header.indexOf(columnTitle(JournalColumn::Date)))
    , m_premium(header.indexOf(columnTitle(JournalColumn::Premium)))
    , m_note(header.indexOf(columnTitle(JournalColumn::Note)))
{
    for (std::size_t i = 0; i < kJournalInputCount; ++i)
        m_inputs[i] = header.indexOf(journalInputFields()[i].first);
    for (std::size_t i = 0; i < kAllCoefficients.size(); ++i) {
        const Coefficient coefficient = kAllCoefficients[i];
        m_coefficients[i]
            = header.indexOf(shortName(coefficient), coefficientOccurrence(header, coefficient));
    }
}

std::optional<JournalEntry> JournalCsvColumns::entryOf(const CsvRecord &record) const
{
    if (record.problem != CsvRecord::Problem::None || record.fields.size() != m_fieldCount)
        return std::nullopt;
    // Every position is below the header's size, or -1 for a missing column.
    const auto text = [&](int index) { return index < 0 ? QString() : csvFieldText(record.fields[index]); };
    static const QRegularExpression number(u"^\\d+(,\\d+)?$"_s);
    JournalEntry entry;
    entry.time = csvTime(text(m_date));
    entry.t = text(m_premium);
    entry.note = text(m_note);
    if (!entry.time.isValid() || !number.match(entry.t).hasMatch())
        return std::nullopt;
    for (std::size_t i = 0; i < kJournalInputCount; ++i)
        entry.inputs.*journalInputFields()[i].second = text(m_inputs[i]);
    for (std::size_t i = 0; i < kAllCoefficients.size(); ++i)
        entry.coefficients[i] = text(m_coefficients[i]);
    return entry;
}

std::optional<JournalEntry> entryOfCsvRecord(const CsvHeader &header, const CsvRecord &record)
{
    return JournalCsvColumns(header).entryOf(record);
}

} // namespace karvo
