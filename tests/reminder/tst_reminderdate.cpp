#include "reminder/ReminderDate.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using karvo::ReminderDateCheck;

// The forms are Russian whatever the locale, so the test runs a second time
// under en_US (tests/reminder/CMakeLists.txt); the rows do not depend on it.
static QString russianShortDate(const QDate &date)
{
    return date.toString(u"dd.MM.yyyy"_s);
}

class TestReminderDate : public QObject
{
    Q_OBJECT

private slots:
    void rendersTheRussianShortForms()
    {
        QCOMPARE(karvo::shortDateText(QDate(2026, 12, 7)), u"07.12.2026"_s);
        QCOMPARE(karvo::shortTimeText(QTime(9, 5, 59)), u"09:05"_s);
        QCOMPARE(karvo::shortTimeText(QTime(21, 5)), u"21:05"_s);
        QCOMPARE(karvo::todayText(), russianShortDate(QDate::currentDate()));
    }

    void check_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<ReminderDateCheck>("expected");

        const QDate today = QDate::currentDate();
        QTest::newRow("today") << russianShortDate(today) << ReminderDateCheck::Accepted;
        QTest::newRow("tomorrow") << russianShortDate(today.addDays(1)) << ReminderDateCheck::Accepted;
        QTest::newRow("a year ahead") << russianShortDate(today.addYears(1)) << ReminderDateCheck::Accepted;
        QTest::newRow("29 February of a leap year") << u"29.02.2096"_s << ReminderDateCheck::Accepted;

        QTest::newRow("yesterday") << russianShortDate(today.addDays(-1)) << ReminderDateCheck::Past;
        QTest::newRow("the window's example") << u"20.12.2013"_s << ReminderDateCheck::Past;
        QTest::newRow("four-digit year 0013") << u"20.12.0013"_s << ReminderDateCheck::Past;

        QTest::newRow("31 February") << u"31.02.2099"_s << ReminderDateCheck::NoSuchDate;
        QTest::newRow("29 February of a common year") << u"29.02.2027"_s << ReminderDateCheck::NoSuchDate;
        QTest::newRow("31 April") << u"31.04.2027"_s << ReminderDateCheck::NoSuchDate;
        QTest::newRow("month 13") << u"20.13.2099"_s << ReminderDateCheck::NoSuchDate;
        QTest::newRow("day 00") << u"00.12.2099"_s << ReminderDateCheck::NoSuchDate;
        QTest::newRow("year 0000") << u"20.12.0000"_s << ReminderDateCheck::NoSuchDate;

        QTest::newRow("no leading zeros") << u"1.1.2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("two-digit year") << u"20.12.99"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("five-digit year") << u"20.12.20991"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("trailing blank") << u"20.12.2099 "_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("leading blank") << u" 20.12.2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("sign in the year") << u"20.12.+099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("Arabic-Indic digits") << u"٢٠.١٢.٢٠٩٩"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("ISO form") << u"2099-12-20"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("slashes") << u"20/12/2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("C locale form") << u"20 Dec 2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("words") << u"двадцатое декабря"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("blank") << u" "_s << ReminderDateCheck::NotAShortDate;
    }

    void check()
    {
        QFETCH(QString, text);
        QFETCH(ReminderDateCheck, expected);
        QCOMPARE(karvo::checkReminderDate(text, QDate::currentDate()), expected);
    }

    // A date an older version stored in the short form of its session's
    // locale, read by a launcher that now runs under `locale`.
    void storedDate_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("converted");
        QTest::addColumn<bool>("fires");

        const QDate day(2026, 12, 7);
        const QDate dayAfter = day.addDays(1);
        const QDate dayBefore = day.addDays(-1);
        const QString ru = u"07.12.2026"_s;
        QTest::newRow("Russian, ru_RU") << u"ru_RU"_s << ru << day << ru << true;
        QTest::newRow("Russian, C") << u"C"_s << ru << day << ru << true;
        QTest::newRow("Russian, en_US") << u"en_US"_s << ru << day << ru << true;
        QTest::newRow("Russian, the day after") << u"en_US"_s << ru << dayAfter << ru << true;
        QTest::newRow("Russian, the day before") << u"en_US"_s << ru << dayBefore << ru << false;
        QTest::newRow("no such day stays as it is")
            << u"en_US"_s << u"31.04.2027"_s << day << u"31.04.2027"_s << false;

        QTest::newRow("en_US") << u"en_US"_s << u"12/7/26"_s << day << ru << true;
        QTest::newRow("en_US, the day after") << u"en_US"_s << u"12/7/26"_s << dayAfter << ru << true;
        QTest::newRow("en_US, 7 December is not 12 July")
            << u"en_US"_s << u"7/12/26"_s << QDate(2026, 7, 11) << u"12.07.2026"_s << false;
        QTest::newRow("en_US, a year ahead is 2030, not 1930")
            << u"en_US"_s << u"12/20/30"_s << day << u"20.12.2030"_s << false;
        QTest::newRow("en_US, a past year is 2013, not 1913")
            << u"en_US"_s << u"12/20/13"_s << day << u"20.12.2013"_s << true;
        QTest::newRow("en_US, 1999 ahead of 1999 stays")
            << u"en_US"_s << u"12/20/99"_s << QDate(1999, 1, 1) << u"20.12.1999"_s << false;
        QTest::newRow("en_US, a form it never wrote")
            << u"en_US"_s << u"12/07/26"_s << day << u"12/07/26"_s << false;
        QTest::newRow("en_US text under ru_RU is not guessed")
            << u"ru_RU"_s << u"12/7/26"_s << day << u"12/7/26"_s << false;

        QTest::newRow("de_DE") << u"de_DE"_s << u"07.12.26"_s << day << ru << true;
        QTest::newRow("de_DE, the next century")
            << u"de_DE"_s << u"07.12.99"_s << QDate(2099, 12, 7) << u"07.12.2099"_s << true;
        QTest::newRow("en_GB") << u"en_GB"_s << u"07/12/2026"_s << day << ru << true;
        QTest::newRow("C") << u"C"_s << u"7 Dec 2026"_s << day << ru << true;
        QTest::newRow("C text under en_US") << u"en_US"_s << u"7 Dec 2026"_s << day << ru << true;
        QTest::newRow("C, trailing blank") << u"C"_s << u"7 Dec 2026 "_s << day << u"7 Dec 2026 "_s << false;
        QTest::newRow("ISO under ru_RU") << u"ru_RU"_s << u"2026-12-07"_s << day << ru << true;
        QTest::newRow("ISO with a time")
            << u"ru_RU"_s << u"2026-12-07T00:00"_s << day << u"2026-12-07T00:00"_s << false;

        QTest::newRow("nothing stored") << u"C"_s << QString() << day << QString() << false;
        QTest::newRow("words") << u"ru_RU"_s << u"завтра"_s << day << u"завтра"_s << false;
    }

    void storedDate()
    {
        QFETCH(QString, locale);
        QFETCH(QString, stored);
        QFETCH(QDate, today);
        QFETCH(QString, converted);
        QFETCH(bool, fires);
        QCOMPARE(karvo::reminderDateFromStored(stored, today, QLocale(locale)), converted);
        const std::optional<QString> due = karvo::dueReminder(stored, today, QLocale(locale));
        QCOMPARE(due.has_value(), fires);
        if (due)
            QCOMPARE(*due, converted);
    }
};

QTEST_GUILESS_MAIN(TestReminderDate)
#include "tst_reminderdate.moc"
