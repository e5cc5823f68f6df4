#include "reminder/ReminderDate.h"

using namespace Qt::Literals::StringLiterals;

namespace karvo {
namespace {

// The forms are fixed rather than taken from the session's locale: under
// C.UTF-8 the locale would write "7 Dec 2026" beside the Russian example
// "(Пример:20.12.2013)", and a launcher started under another LANG than the
// calculator would never match the stored text.
const QString kDateFormat = u"dd.MM.yyyy"_s;
const QString kTimeFormat = u"HH:mm"_s;

// Exactly the shape shortDateText() writes: ASCII digits, leading zeros, a
// four-digit year. A date parser would also take "1.1.2030" or other digits,
// which the launcher never renders.
bool hasShortDateForm(const QString &text)
{
    if (text.size() != kDateFormat.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool ok = (i == 2 || i == 5) ? c == u'.' : (c >= u'0' && c <= u'9');
        if (!ok)
            return false;
    }
    return true;
}

// Invalid when the text has the shape but names no day (31.04.2027, year 0).
QDate dateOfShortForm(const QString &text)
{
    return QDate(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.left(2).toInt());
}

// The date that `locale` rendered as `text`, or an invalid date. Only an
// exact rendering counts, as only an exact one ever matched the launcher.
// A two-digit year reads as 19xx; the day a reminder meant is the first of
// its renderings that was still ahead, which is how older versions checked
// it, and of past ones the latest.
QDate dateRenderedIn(const QString &text, const QLocale &locale, const QDate &today)
{
    const QDate parsed = locale.toDate(text, QLocale::ShortFormat);
    if (!parsed.isValid())
        return {};
    QDate meant;
    for (const QDate &candidate : { parsed, parsed.addYears(100) }) {
        if (locale.toString(candidate, QLocale::ShortFormat) != text)
            continue;
        meant = candidate;
        if (candidate >= today)
            break;
    }
    return meant;
}

} // namespace

QString shortDateText(const QDate &date)
{
    return date.toString(kDateFormat);
}

QString shortTimeText(const QTime &time)
{
    return time.toString(kTimeFormat);
}

QString todayText()
{
    return shortDateText(QDate::currentDate());
}

ReminderDateCheck checkReminderDate(const QString &text, const QDate &today)
{
    if (!hasShortDateForm(text))
        return ReminderDateCheck::NotAShortDate;
    const QDate date = dateOfShortForm(text);
    if (!date.isValid())
        return ReminderDateCheck::NoSuchDate;
    return date < today ? ReminderDateCheck::Past : ReminderDateCheck::Accepted;
}

QString reminderDateFromStored(const QString &stored, const QDate &today, const QLocale &system)
{
    // The older version rendered with the locale of its session, most likely
    // the one this session runs under; C is what a session without any
    // locale settings wrote.
    if (stored.isEmpty() || hasShortDateForm(stored))
        return stored;
    for (const QLocale &locale : { system, QLocale::c() }) {
        const QDate date = dateRenderedIn(stored, locale, today);
        if (date.isValid())
            return shortDateText(date);
    }
    const QDate iso = QDate::fromString(stored, Qt::ISODate);
    if (iso.isValid() && iso.toString(Qt::ISODate) == stored)
        return shortDateText(iso);
    return stored;
}

std::optional<QString> dueReminder(const QString &stored, const QDate &today, const QLocale &system)
{
    const QString date = reminderDateFromStored(stored, today, system);
    if (!hasShortDateForm(date))
        return std::nullopt;
    const QDate day = dateOfShortForm(date);
    if (!day.isValid() || day > today)
        return std::nullopt;
    return date;
}

} // namespace karvo
