#include "reminder/ReminderDate.h"

#include <QLocale>

namespace karvo {

QString shortDateText(const QDate &date)
{
    return QLocale::system().toString(date, QLocale::ShortFormat);
}

QString todayText()
{
    return shortDateText(QDate::currentDate());
}

ReminderDateCheck checkReminderDate(const QString &text, const QDate &today)
{
    const QDate parsed = QLocale::system().toDate(text, QLocale::ShortFormat);
    if (!parsed.isValid())
        return ReminderDateCheck::NotAShortDate;
    // Formats with a two-digit year read "20.12.30" as 1930, while the
    // launcher renders 20 December 2030 the same way: the next century is
    // the date meant. With a four-digit year the shifted date renders
    // differently and drops out.
    for (const QDate &candidate : { parsed, parsed.addYears(100) }) {
        if (shortDateText(candidate) != text)
            continue;
        if (candidate >= today)
            return ReminderDateCheck::Accepted;
    }
    return shortDateText(parsed) == text ? ReminderDateCheck::Past : ReminderDateCheck::NotAShortDate;
}

} // namespace karvo
