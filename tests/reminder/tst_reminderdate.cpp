#include "reminder/ReminderDate.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using karvo::ReminderDateCheck;

// The tests run with Russian settings, where the short date is dd.MM.yyyy.
static QString russianShortDate(const QDate &date)
{
    return date.toString(u"dd.MM.yyyy"_s);
}

class TestReminderDate : public QObject
{
    Q_OBJECT

private slots:
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

        QTest::newRow("no leading zeros") << u"1.1.2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("two-digit year") << u"20.12.99"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("31 February") << u"31.02.2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("29 February of a common year") << u"29.02.2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("trailing blank") << u"20.12.2099 "_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("leading blank") << u" 20.12.2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("ISO form") << u"2099-12-20"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("slashes") << u"20/12/2099"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("words") << u"двадцатое декабря"_s << ReminderDateCheck::NotAShortDate;
        QTest::newRow("blank") << u" "_s << ReminderDateCheck::NotAShortDate;
    }

    void check()
    {
        QFETCH(QString, text);
        QFETCH(ReminderDateCheck, expected);
        QCOMPARE(karvo::checkReminderDate(text, QDate::currentDate()), expected);
    }
};

QTEST_GUILESS_MAIN(TestReminderDate)
#include "tst_reminderdate.moc"
