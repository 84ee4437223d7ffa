#pragma once

#include <QChar>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>

// A place on the Earth: latitude north positive, longitude east positive, degrees.
struct GeoPoint
{
    double latitude = 0;
    double longitude = 0;

    bool operator==(const GeoPoint &) const = default;

    // Latitude within -90..90 and longitude within -180..180.
    bool Valid() const
    {
        return std::isfinite(latitude) && std::isfinite(longitude) && std::abs(latitude) <= 90 &&
               std::abs(longitude) <= 180;
    }
};

// The distance along the Earth's surface, in metres (a sphere of the mean radius: good
// to half a percent, far finer than anglers place a water).
inline double DistanceMetres(const GeoPoint &a, const GeoPoint &b)
{
    constexpr double Rad = 3.14159265358979323846 / 180;
    constexpr double EarthRadius = 6371008.8;
    const double dLat = (b.latitude - a.latitude) * Rad;
    const double dLon = (b.longitude - a.longitude) * Rad;
    const double h = std::pow(std::sin(dLat / 2), 2) +
                     std::cos(a.latitude * Rad) * std::cos(b.latitude * Rad) * std::pow(std::sin(dLon / 2), 2);
    return 2 * EarthRadius * std::asin(std::sqrt(std::min(1.0, h)));
}

// Degrees as an angler types them: a decimal comma or point, an optional degree sign,
// the hemisphere by a minus or a letter (N/S, E/W); none when the text is no number or
// lies beyond the limit (90 for a latitude, 180 for a longitude).
std::optional<double> ParseDegrees(const QString &text, double limit, QChar positive, QChar negative);
// "52,1000° N": four decimals, about ten metres.
QString DegreesText(double value, QChar positive, QChar negative);
