#include "diary/CatchValues.h"

#include "data/FieldConvert.h"

#include <QRegularExpression>
#include <cmath>

namespace CatchValues {

QString Refusal(const QString &column, double value)
{
    const bool weight = column.compare(QLatin1String("waga"), Qt::CaseInsensitive) == 0;
    const bool length = column.compare(QLatin1String("dlugosc"), Qt::CaseInsensitive) == 0;
    if (!weight && !length)
        return {};
    const double max = weight ? MaxWeightKg : MaxLengthCm;
    // NaN fails both comparisons and is refused with the rest.
    if (value > 0 && value <= max)
        return {};
    const QString typed = FieldConvert::FloatText(value).replace(QLatin1Char('.'), QLatin1Char(','));
    return weight
               ? QStringLiteral("Waga ryby musi być większa od 0 i nie większa niż 400 kg (wpisano: %1 kg).").arg(typed)
               : QStringLiteral("Długość ryby musi być większa od 0 i nie większa niż 500 cm (wpisano: %1 cm).")
                     .arg(typed);
}

QString MeasureText(double value)
{
    if (value == 0)
        return {};
    // Sums of many weights carry binary noise; grams are the finest a scale shows.
    return FieldConvert::FloatText(std::round(value * 1000) / 1000).replace(QLatin1Char('.'), QLatin1Char(','));
}

std::optional<QString> HourText(const QString &typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QString();
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2})(?:[:.]?(\\d{2}))?$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt();
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minute, 2, 10, QLatin1Char('0'));
}

} // namespace CatchValues
