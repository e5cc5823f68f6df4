#pragma once

#include <QDate>
#include <QString>

// The reminder fires when the stored date text equals, letter for letter, the
// launcher's rendering of today. Both programs render dates through the
// functions below, so the calculator can only store what the launcher will
// one day produce.
namespace karvo {

// The date in the user's short date format ("20.12.2013" with Russian settings).
QString shortDateText(const QDate &date);

QString todayText();

enum class ReminderDateCheck {
    Accepted,
    NotAShortDate, // no date renders as this text, so the launcher never matches it
    Past, // a real date, but the launcher will not see it again
};

// Today itself is accepted: the launcher still fires at the next log-on.
ReminderDateCheck checkReminderDate(const QString &text, const QDate &today);

} // namespace karvo
