#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

// The reminder fires at every log-on on or after the stored day, so that a
// day the computer stays off is not missed. Both programs render dates and
// times through the functions below, in the Russian short forms whatever the
// locale of the session, so the window, the report and the launcher always
// agree on the day.
namespace karvo {

// "07.12.2026": day, month and four-digit year, as Russian settings write a short date.
QString shortDateText(const QDate &date);

// "09:05": hours and minutes on the 24-hour clock.
QString shortTimeText(const QTime &time);

QString todayText();

enum class ReminderDateCheck {
    Accepted,
    NotAShortDate, // not in the form dd.MM.yyyy, so the launcher never matches it
    NoSuchDate, // in that form, but no such day exists (31.04.2027)
    Past, // a real date, but already gone
};

// Today itself is accepted: the launcher fires at the next log-on.
ReminderDateCheck checkReminderDate(const QString &text, const QDate &today);

// A stored reminder date in the form shortDateText() gives. Older versions
// stored the short date of the session's locale at the time ("12/20/30" for
// en_US, "20.12.30" for de_DE, "20 Dec 2030" for C); such a text is read in
// the Russian form first, then in `system`'s short form, the C locale's and
// ISO 8601, and written anew. A two-digit year means the first century in
// which the day is not yet past, as the older versions accepted it. A text
// none of them reads comes back unchanged.
QString reminderDateFromStored(
    const QString &stored, const QDate &today, const QLocale &system = QLocale::system());

// The reminder day in the form shortDateText() gives, when the launcher is to
// start the calculator on `today` for the stored text: on that day or after
// it. Nothing before the day, or for a text that names no day.
std::optional<QString> dueReminder(
    const QString &stored, const QDate &today, const QLocale &system = QLocale::system());

} // namespace karvo
