#include "base/GeoPoint.h"

#include <QRegularExpression>

std::optional<double> ParseDegrees(const QString &text, double limit, QChar positive, QChar negative)
{
    QString t = text.simplified().remove(QLatin1Char(' ')).remove(QChar(0xB0)).toUpper();
    t.replace(QChar(0x2212), QLatin1Char('-')).replace(QLatin1Char(','), QLatin1Char('.'));
    int sign = 1;
    if (t.endsWith(positive.toUpper()) || t.endsWith(negative.toUpper())) {
        sign = t.endsWith(negative.toUpper()) ? -1 : 1;
        t.chop(1);
        // A minus and a letter together say the hemisphere twice.
        if (t.startsWith(QLatin1Char('-')))
            return std::nullopt;
    }
    // Digits, one point and a leading sign only: no exponents, no "inf".
    static const QRegularExpression number(QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!number.match(t).hasMatch())
        return std::nullopt;
    const double value = sign * t.toDouble();
    if (std::abs(value) > limit)
        return std::nullopt;
    return value == 0 ? 0.0 : value;
}

QString DegreesText(double value, QChar positive, QChar negative)
{
    return QString::number(std::abs(value), 'f', 4).replace(QLatin1Char('.'), QLatin1Char(',')) + QStringLiteral("° ") +
           (value < 0 ? negative : positive);
}
