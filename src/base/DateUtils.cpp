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

namespace {
// The civil date of a day count for years 1 to 9999, in plain integer arithmetic: the
// diary's grid asks for it for every date cell it shows, and QDate takes several times
// as long. Outside those years (QDate has no year 0) it declines.
bool CivilDate(TDateTime date, int &year, int &month, int &day)
{
    if (!(date > -693594.0 && date < 2958466.0))
        return false;
    // Days since 0000-03-01, so that the leap day ends each counted year.
    const qint64 z = static_cast<qint64>(std::trunc(date)) + 693899;
    const qint64 era = z / 146097;
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return year >= 1 && year <= 9999;
}
} // namespace

void DecodeDate(TDateTime date, int &year, int &month, int &day)
{
    if (CivilDate(date, year, month, day))
        return;
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
    int year = 0, month = 0, day = 0;
    if (CivilDate(date, year, month, day)) {
        const char16_t text[10] = {char16_t(u'0' + year / 1000),       char16_t(u'0' + year / 100 % 10),
                                   char16_t(u'0' + year / 10 % 10),    char16_t(u'0' + year % 10),
                                   u'-',                               char16_t(u'0' + month / 10),
                                   char16_t(u'0' + month % 10),        u'-',
                                   char16_t(u'0' + day / 10),          char16_t(u'0' + day % 10)};
        return QString(reinterpret_cast<const QChar *>(text), 10);
    }
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

qint64 DateNumber(QStringView text)
{
    if (text.size() < 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return -1;
    qint64 number = 0;
    for (const qsizetype i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        const char16_t c = text[i].unicode();
        if (c < '0' || c > '9')
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

QString MonthDay(TDateTime date)
{
    const QString text = DayText(date);
    const int dash = text.indexOf(QLatin1Char('-'));
    const QString md = dash < 0 ? text : text.mid(dash + 1);
    return md == QLatin1String("12-30") ? QStringLiteral("-") : md;
}
