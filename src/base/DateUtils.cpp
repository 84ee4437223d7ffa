#include "base/DateUtils.h"

#include <QRegularExpression>
#include <cmath>

namespace {
const QDate BaseDate(1899, 12, 30);
constexpr double MSecsPerDay = 86400000.0;
} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && IsLeapYear(year))
        return 29;
    return lengths[month - 1];
}

TDateTime EncodeDate(int year, int month, int day)
{
    return static_cast<TDateTime>(BaseDate.daysTo(QDate(year, month, day)));
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const double time = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec;
    const TDateTime date = EncodeDate(year, month, day);
    // Before the base date the fraction still counts forward from midnight.
    return date < 0 ? date - time / MSecsPerDay : date + time / MSecsPerDay;
}

TDateTime DateOf(TDateTime dateTime)
{
    return std::trunc(dateTime);
}

QDate ToQDate(TDateTime date)
{
    return BaseDate.addDays(static_cast<qint64>(std::trunc(date)));
}

TDateTime FromQDate(const QDate &date)
{
    return static_cast<TDateTime>(BaseDate.daysTo(date));
}

TDateTime FromQDateTime(const QDateTime &dateTime)
{
    const QTime t = dateTime.time();
    return EncodeDateTime(dateTime.date().year(), dateTime.date().month(), dateTime.date().day(), t.hour(), t.minute(),
                          t.second(), t.msec());
}

void DecodeDate(TDateTime date, int &year, int &month, int &day)
{
    const QDate d = ToQDate(date);
    year = d.year();
    month = d.month();
    day = d.day();
}

int DayOfWeek(TDateTime date)
{
    return ToQDate(date).dayOfWeek() % 7 + 1;
}

QString DayText(TDateTime date)
{
    const QDate d = ToQDate(date);
    return QStringLiteral("%1-%2-%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

bool TryParseDateText(const QString &text, TDateTime &result)
{
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(\d{1,4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:\.(\d{1,3}))?)?)?\s*$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    const int year = m.captured(1).toInt();
    const int month = m.captured(2).toInt();
    const int day = m.captured(3).toInt();
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    const int hour = m.captured(4).toInt();
    const int minute = m.captured(5).toInt();
    const int second = m.captured(6).toInt();
    const QString msText = m.captured(7);
    const int msec = msText.isEmpty() ? 0 : msText.leftJustified(3, QLatin1Char('0')).toInt();
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    result = EncodeDateTime(year, month, day, hour, minute, second, msec);
    return true;
}

QString MonthDay(TDateTime date)
{
    const QString text = DayText(date);
    const int dash = text.indexOf(QLatin1Char('-'));
    const QString md = dash < 0 ? text : text.mid(dash + 1);
    return md == QLatin1String("12-30") ? QStringLiteral("-") : md;
}
