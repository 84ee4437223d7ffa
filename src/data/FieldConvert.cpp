#include "data/FieldConvert.h"

#include "base/Clock.h"
#include "base/Exception.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace FieldConvert {

namespace {
constexpr double MSecsPerDay = 86400000.0;

std::string_view trimmed(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool digitsAt(std::string_view text, size_t from, size_t count, int &value)
{
    if (from + count > text.size())
        return false;
    value = 0;
    for (size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// Days from 1899-12-30 to a valid civil date (proleptic Gregorian).
qint64 daysFromCivil(int year, int month, int day)
{
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    constexpr qint64 base = 693899; // 1899-12-30 counted the same way
    return qint64(era) * 146097 + doe - base;
}

bool validDate(int year, int month, int day)
{
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

TDateTime withTime(qint64 days, int hour, int minute, int second, int msec)
{
    const double time = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / MSecsPerDay;
    return days < 0 ? double(days) - time : double(days) + time;
}

std::string_view view(const QByteArray &bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

double timeFraction(TDateTime value)
{
    return std::fabs(value - std::trunc(value));
}
} // namespace

bool ParseInteger(std::string_view text, int &value)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return false;
    qint64 wide = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), wide);
    if (error != std::errc() || end != text.data() + text.size() || wide < INT_MIN || wide > INT_MAX)
        return false;
    value = int(wide);
    return true;
}

bool ParseFloat(std::string_view text, double &value)
{
    text = trimmed(text);
    // A number stored with a decimal comma (typed on a Polish system into another
    // program) reads as the number it means rather than failing the whole table.
    if (const size_t comma = text.find(','); comma != std::string_view::npos && text.find('.') == text.npos &&
                                             text.find(',', comma + 1) == text.npos && text.size() < 64) {
        char buffer[64];
        text.copy(buffer, text.size());
        buffer[comma] = '.';
        return ParseFloat(std::string_view(buffer, text.size()), value);
    }
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.find_first_of("0123456789") == std::string_view::npos ||
        text.find_first_of("xXnN") != std::string_view::npos)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

bool ParseBoolean(std::string_view text, bool &value)
{
    text = trimmed(text);
    double number = 0;
    if (ParseFloat(text, number)) {
        value = number != 0;
        return true;
    }
    const QString word = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (word.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    return false;
}

bool ParseDate(std::string_view text, TDateTime &value)
{
    int year = 0, month = 0, day = 0;
    // The stored form: exactly yyyy-mm-dd, read without building any text.
    if (text.size() == 10 && text[4] == '-' && text[7] == '-' && digitsAt(text, 0, 4, year) &&
        digitsAt(text, 5, 2, month) && digitsAt(text, 8, 2, day)) {
        if (!validDate(year, month, day))
            return false;
        value = double(daysFromCivil(year, month, day));
        return true;
    }
    return TryParseDateText(QString::fromUtf8(text.data(), qsizetype(text.size())), value);
}

bool ParseTimeOfDay(std::string_view text, TDateTime &value)
{
    text = trimmed(text);
    int hour = 0, minute = 0, second = 0, msec = 0;
    size_t at = 0;
    auto number = [&](int &out, size_t maxDigits) {
        size_t n = 0;
        out = 0;
        while (at < text.size() && n < maxDigits && text[at] >= '0' && text[at] <= '9') {
            out = out * 10 + (text[at] - '0');
            ++at;
            ++n;
        }
        return n > 0;
    };
    if (!number(hour, 2) || at >= text.size() || text[at++] != ':' || !number(minute, 2))
        return false;
    if (at < text.size()) {
        if (text[at++] != ':' || !number(second, 2))
            return false;
        if (at < text.size()) {
            const size_t msStart = at + 1;
            if (text[at++] != '.' || !number(msec, 3))
                return false;
            for (size_t digits = at - msStart; digits < 3; ++digits)
                msec *= 10;
        }
    }
    if (at != text.size() || hour > 23 || minute > 59 || second > 59)
        return false;
    value = withTime(0, hour, minute, second, msec);
    return true;
}

TDateTime ParseSQLiteDateTime(std::string_view text)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    if (text.size() > 9 && !(digitsAt(text, 0, 4, year) && digitsAt(text, 5, 2, month) && digitsAt(text, 8, 2, day)))
        return 0;
    if (text.size() > 10 && !(digitsAt(text, 11, 2, hour) && digitsAt(text, 14, 2, minute)))
        return 0;
    if (text.size() > 16 && !digitsAt(text, 17, 2, second))
        return 0;
    if (text.size() >= 20) {
        const size_t count = std::min<size_t>(3, text.size() - 20);
        if (count == 0 || !digitsAt(text, 20, count, msec))
            return 0;
        for (size_t n = count; n < 3; ++n)
            msec *= 10;
    }
    if (!validDate(year, month, day) || hour > 23 || minute > 59 || second > 59)
        return 0;
    return withTime(daysFromCivil(year, month, day), hour, minute, second, msec);
}

void RaiseConvertError(TFieldType type, const QString &text)
{
    switch (type) {
    case TFieldType::ftInteger:
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    case TFieldType::ftBoolean:
        throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    default:
        throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(text));
    }
}

QString FloatText(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    // The shortest digits that read back as the same number, always in the decimal form:
    // an angler reads 100000, never 1e+05. Built here, since a grid of weights and
    // lengths asks for thousands of these and Qt's number formatting costs several
    // times as much.
    char scientific[32];
    const auto [end, error] =
        std::to_chars(scientific, scientific + sizeof scientific, value, std::chars_format::scientific);
    if (error != std::errc() || !std::isfinite(value))
        return QString::number(value, 'f', QLocale::FloatingPointShortest);
    // "-d.ddde+XX": the sign, the digits without the point, and the exponent.
    const char *at = scientific;
    const bool negative = *at == '-';
    if (negative)
        ++at;
    char digits[24];
    int digitCount = 0;
    for (; at < end && *at != 'e'; ++at) {
        if (*at != '.')
            digits[digitCount++] = *at;
    }
    int exponent = 0;
    std::from_chars(at + 1 + (at[1] == '+'), end, exponent);
    const int point = exponent + 1;
    // Up to 308 zeros before the digits or 323 after the point, the digits and a sign.
    char text[360];
    int length = 0;
    if (negative)
        text[length++] = '-';
    if (point <= 0) {
        text[length++] = '0';
        text[length++] = '.';
        for (int i = point; i < 0; ++i)
            text[length++] = '0';
        for (int i = 0; i < digitCount; ++i)
            text[length++] = digits[i];
    } else {
        for (int i = 0; i < std::max(point, digitCount); ++i) {
            if (i == point)
                text[length++] = '.';
            text[length++] = i < digitCount ? digits[i] : '0';
        }
    }
    return QString::fromLatin1(text, length);
}

QString ShownText(TFieldType type, const QString &text)
{
    if (type != TFieldType::ftFloat && type != TFieldType::ftCurrency)
        return text;
    QString shown = text;
    return shown.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString TimeText(TDateTime value)
{
    qint64 ms = qRound64(timeFraction(value) * MSecsPerDay);
    if (ms >= qint64(MSecsPerDay))
        ms = qint64(MSecsPerDay) - 1;
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString FormatDateTimeText(const QString &format, TDateTime value)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(value, year, month, day);
    qint64 ms = qRound64(timeFraction(value) * MSecsPerDay);
    if (ms >= qint64(MSecsPerDay))
        ms = qint64(MSecsPerDay) - 1;
    const int hour = int(ms / 3600000), minute = int(ms / 60000 % 60), second = int(ms / 1000 % 60),
              msec = int(ms % 1000);

    QString out;
    bool afterHour = false;
    const QString f = format.toLower();
    qsizetype i = 0;
    auto run = [&](QChar c) {
        qsizetype n = 0;
        while (i + n < f.size() && f[i + n] == c)
            ++n;
        return n;
    };
    auto padded = [](int number, int width) { return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0')); };
    while (i < f.size()) {
        const QChar c = f[i];
        const qsizetype n = run(c);
        if (c == QLatin1Char('y')) {
            out += n >= 4 ? padded(year, 4) : padded(year % 100, 2);
        } else if (c == QLatin1Char('m')) {
            const int number = afterHour ? minute : month;
            out += n >= 2 ? padded(number, 2) : QString::number(number);
            afterHour = false;
        } else if (c == QLatin1Char('d')) {
            out += n >= 2 ? padded(day, 2) : QString::number(day);
        } else if (c == QLatin1Char('h')) {
            out += n >= 2 ? padded(hour, 2) : QString::number(hour);
            afterHour = true;
        } else if (c == QLatin1Char('n')) {
            out += n >= 2 ? padded(minute, 2) : QString::number(minute);
            afterHour = false;
        } else if (c == QLatin1Char('s')) {
            out += n >= 2 ? padded(second, 2) : QString::number(second);
        } else if (c == QLatin1Char('z')) {
            out += n >= 3 ? padded(msec, 3) : QString::number(msec);
        } else {
            out += format.mid(i, n);
        }
        i += n;
    }
    return out;
}

QVariant ValueFromText(TFieldType type, const QString &text, bool sqliteDateFormat)
{
    if (text.isEmpty())
        return {};
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
    case TFieldType::ftUnknown:
        return text;
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return text.toUtf8();
    case TFieldType::ftInteger: {
        int value = 0;
        if (!ParseInteger(view(text.toUtf8()), value))
            RaiseConvertError(type, text);
        return value;
    }
    case TFieldType::ftBoolean: {
        bool value = false;
        if (!ParseBoolean(view(text.toUtf8()), value))
            RaiseConvertError(type, text);
        return value;
    }
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: {
        double value = 0;
        // Users type the Polish decimal comma; the stored form uses ".".
        QString typed = text;
        typed.replace(QLatin1Char(','), QLatin1Char('.'));
        if (!ParseFloat(view(typed.toUtf8()), value))
            RaiseConvertError(type, text);
        return value;
    }
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp: {
        const QByteArray bytes = text.toUtf8();
        TDateTime value = 0;
        if (type == TFieldType::ftDateTime && sqliteDateFormat)
            return ParseSQLiteDateTime(view(bytes));
        if (ParseDate(view(bytes), value))
            return KindPart(type, value);
        if (type == TFieldType::ftTime && ParseTimeOfDay(view(bytes), value))
            return value;
        RaiseConvertError(type, text);
    }
    }
    return {};
}

TDateTime KindPart(TFieldType type, TDateTime value)
{
    if (type == TFieldType::ftDate)
        return DateOf(value);
    // A time field holds the time of day only, as it is written back.
    if (type == TFieldType::ftTime)
        return timeFraction(value);
    return value;
}

QString TextOfValue(TFieldType type, const QVariant &value)
{
    if (!value.isValid())
        return {};
    switch (type) {
    case TFieldType::ftInteger:
        return QString::number(value.toInt());
    case TFieldType::ftBoolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return FloatText(value.toDouble());
    case TFieldType::ftDate:
        return DayText(value.toDouble());
    case TFieldType::ftTime:
        return TimeText(value.toDouble());
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp: {
        const TDateTime moment = value.toDouble();
        if (timeFraction(moment) == 0)
            return DayText(moment);
        return DayText(moment) + QLatin1Char(' ') + TimeText(moment);
    }
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

QVariant InitialValue(TFieldType type)
{
    switch (type) {
    case TFieldType::ftInteger:
        return 0;
    case TFieldType::ftBoolean:
        return false;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        // A measure nobody has given yet (a new catch's weight) is blank, not 0.
        return QVariant();
    case TFieldType::ftDate:
        return Clock::Today();
    case TFieldType::ftTime:
        return timeFraction(Clock::Now());
    case TFieldType::ftDateTime:
    case TFieldType::ftTimeStamp:
        return Clock::Now();
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return QByteArray("");
    default:
        return QString(QLatin1String(""));
    }
}

} // namespace FieldConvert
