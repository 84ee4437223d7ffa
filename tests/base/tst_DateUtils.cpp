#include "base/DateUtils.h"

#include <QTest>

class DateUtilsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Day counts turn into dates by arithmetic of their own; QDate is the reference, over
    // every day of years 1 to 9999 and a little past both ends, where QDate takes over.
    void dayCountsMatchTheCalendar()
    {
        const QDate base(1899, 12, 30);
        for (qint64 days = base.daysTo(QDate(1, 1, 1)) - 400; days <= base.daysTo(QDate(9999, 12, 31)) + 400; ++days) {
            const QDate expected = base.addDays(days);
            int year = 0, month = 0, day = 0;
            // A time of day counts away from the base date on either side of it.
            DecodeDate(days < 0 ? double(days) - 0.75 : double(days) + 0.75, year, month, day);
            if (year != expected.year() || month != expected.month() || day != expected.day())
                QFAIL(qPrintable(QStringLiteral("day %1: %2-%3-%4").arg(days).arg(year).arg(month).arg(day)));
            if (days % 97 == 0 || (year == 1 && month == 1 && day == 1) || (year == 9999 && month == 12 && day == 31))
                QCOMPARE(DayText(double(days)), QStringLiteral("%1-%2-%3")
                                                    .arg(year, 4, 10, QLatin1Char('0'))
                                                    .arg(month, 2, 10, QLatin1Char('0'))
                                                    .arg(day, 2, 10, QLatin1Char('0')));
        }
    }
};

QTEST_GUILESS_MAIN(DateUtilsTest)
#include "tst_DateUtils.moc"
