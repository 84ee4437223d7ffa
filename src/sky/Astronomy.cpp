#include "sky/Astronomy.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

namespace Astronomy {
namespace {

constexpr double Rad = std::numbers::pi / 180.0;
constexpr double J2000 = 2451545.0;
constexpr double EarthRadiusKm = 6378.14;
constexpr double AuKm = 149597870.7;
// TDateTime counts days from 1899-12-30, which is Julian day 2415018.5.
constexpr double DateTimeEpochJd = 2415018.5;
constexpr double Step = 10.0 / 1440.0;

double Sin(double degrees)
{
    return std::sin(degrees * Rad);
}
double Cos(double degrees)
{
    return std::cos(degrees * Rad);
}

double Wrap360(double degrees)
{
    const double r = std::fmod(degrees, 360.0);
    return r < 0 ? r + 360.0 : r;
}

double Wrap180(double degrees)
{
    const double r = Wrap360(degrees);
    return r >= 180.0 ? r - 360.0 : r;
}

// Julian centuries of terrestrial time since J2000 for a universal time.
double CenturiesTT(TDateTime ut)
{
    const double jd = JulianDay(ut);
    const double year = 2000.0 + (jd - J2000) / 365.25;
    return (jd + DeltaT(year) / 86400.0 - J2000) / 36525.0;
}

struct Nutation
{
    double longitude; // degrees
    double obliquity; // degrees, true obliquity of date
};

Nutation NutationAt(double T)
{
    const double omega = 125.04452 - 1934.136261 * T;
    const double sunL = 280.4665 + 36000.7698 * T;
    const double moonL = 218.3165 + 481267.8813 * T;
    const double dPsi =
        (-17.20 * Sin(omega) - 1.32 * Sin(2 * sunL) - 0.23 * Sin(2 * moonL) + 0.21 * Sin(2 * omega)) / 3600.0;
    const double dEps =
        (9.20 * Cos(omega) + 0.57 * Cos(2 * sunL) + 0.10 * Cos(2 * moonL) - 0.09 * Cos(2 * omega)) / 3600.0;
    const double eps0 = 23.4392911 - 0.0130041667 * T - 1.639e-7 * T * T + 5.036e-7 * T * T * T;
    return {dPsi, eps0 + dEps};
}

Equatorial ToEquatorial(const Ecliptic &e, double obliquity)
{
    const double l = e.longitude * Rad, b = e.latitude * Rad, eps = obliquity * Rad;
    const double ra = std::atan2(std::sin(l) * std::cos(eps) - std::tan(b) * std::sin(eps), std::cos(l)) / Rad;
    const double dec = std::asin(std::sin(b) * std::cos(eps) + std::cos(b) * std::sin(eps) * std::sin(l)) / Rad;
    return {Wrap360(ra), dec, e.distanceKm};
}

struct LunarTerm
{
    signed char d, m, mp, f;
    int coefficient;
    int distance;
};

// Periodic terms of the Moon's longitude (1e-6 degree) and distance (1e-3 km).
constexpr std::array<LunarTerm, 60> LongitudeTerms{{
    {0, 0, 1, 0, 6288774, -20905355},
    {2, 0, -1, 0, 1274027, -3699111},
    {2, 0, 0, 0, 658314, -2955968},
    {0, 0, 2, 0, 213618, -569925},
    {0, 1, 0, 0, -185116, 48888},
    {0, 0, 0, 2, -114332, -3149},
    {2, 0, -2, 0, 58793, 246158},
    {2, -1, -1, 0, 57066, -152138},
    {2, 0, 1, 0, 53322, -170733},
    {2, -1, 0, 0, 45758, -204586},
    {0, 1, -1, 0, -40923, -129620},
    {1, 0, 0, 0, -34720, 108743},
    {0, 1, 1, 0, -30383, 104755},
    {2, 0, 0, -2, 15327, 10321},
    {0, 0, 1, 2, -12528, 0},
    {0, 0, 1, -2, 10980, 79661},
    {4, 0, -1, 0, 10675, -34782},
    {0, 0, 3, 0, 10034, -23210},
    {4, 0, -2, 0, 8548, -21636},
    {2, 1, -1, 0, -7888, 24208},
    {2, 1, 0, 0, -6766, 30824},
    {1, 0, -1, 0, -5163, -8379},
    {1, 1, 0, 0, 4987, -16675},
    {2, -1, 1, 0, 4036, -12831},
    {2, 0, 2, 0, 3994, -10445},
    {4, 0, 0, 0, 3861, -11650},
    {2, 0, -3, 0, 3665, 14403},
    {0, 1, -2, 0, -2689, -7003},
    {2, 0, -1, 2, -2602, 0},
    {2, -1, -2, 0, 2390, 10056},
    {1, 0, 1, 0, -2348, 6322},
    {2, -2, 0, 0, 2236, -9884},
    {0, 1, 2, 0, -2120, 5751},
    {0, 2, 0, 0, -2069, 0},
    {2, -2, -1, 0, 2048, -4950},
    {2, 0, 1, -2, -1773, 4130},
    {2, 0, 0, 2, -1595, 0},
    {4, -1, -1, 0, 1215, -3958},
    {0, 0, 2, 2, -1110, 0},
    {3, 0, -1, 0, -892, 3258},
    {2, 1, 1, 0, -810, 2616},
    {4, -1, -2, 0, 759, -1897},
    {0, 2, -1, 0, -713, -2117},
    {2, 2, -1, 0, -700, 2354},
    {2, 1, -2, 0, 691, 0},
    {2, -1, 0, -2, 596, 0},
    {4, 0, 1, 0, 549, -1423},
    {0, 0, 4, 0, 537, -1117},
    {4, -1, 0, 0, 520, -1571},
    {1, 0, -2, 0, -487, -1739},
    {2, 1, 0, -2, -399, 0},
    {0, 0, 2, -2, -381, -4421},
    {1, 1, 1, 0, 351, 0},
    {3, 0, -2, 0, -340, 0},
    {4, 0, -3, 0, 330, 0},
    {2, -1, 2, 0, 327, 0},
    {0, 2, 1, 0, -323, 1165},
    {1, 1, -1, 0, 299, 0},
    {2, 0, 3, 0, 294, 0},
    {2, 0, -1, -2, 0, 8752},
}};

// Periodic terms of the Moon's latitude (1e-6 degree).
constexpr std::array<LunarTerm, 60> LatitudeTerms{{
    {0, 0, 0, 1, 5128122, 0}, {0, 0, 1, 1, 280602, 0},  {0, 0, 1, -1, 277693, 0}, {2, 0, 0, -1, 173237, 0},
    {2, 0, -1, 1, 55413, 0},  {2, 0, -1, -1, 46271, 0}, {2, 0, 0, 1, 32573, 0},   {0, 0, 2, 1, 17198, 0},
    {2, 0, 1, -1, 9266, 0},   {0, 0, 2, -1, 8822, 0},   {2, -1, 0, -1, 8216, 0},  {2, 0, -2, -1, 4324, 0},
    {2, 0, 1, 1, 4200, 0},    {2, 1, 0, -1, -3359, 0},  {2, -1, -1, 1, 2463, 0},  {2, -1, 0, 1, 2211, 0},
    {2, -1, -1, -1, 2065, 0}, {0, 1, -1, -1, -1870, 0}, {4, 0, -1, -1, 1828, 0},  {0, 1, 0, 1, -1794, 0},
    {0, 0, 0, 3, -1749, 0},   {0, 1, -1, 1, -1565, 0},  {1, 0, 0, 1, -1491, 0},   {0, 1, 1, 1, -1475, 0},
    {0, 1, 1, -1, -1410, 0},  {0, 1, 0, -1, -1344, 0},  {1, 0, 0, -1, -1335, 0},  {0, 0, 3, 1, 1107, 0},
    {4, 0, 0, -1, 1021, 0},   {4, 0, -1, 1, 833, 0},    {0, 0, 1, -3, 777, 0},    {4, 0, -2, 1, 671, 0},
    {2, 0, 0, -3, 607, 0},    {2, 0, 2, -1, 596, 0},    {2, -1, 1, -1, 491, 0},   {2, 0, -2, 1, -451, 0},
    {0, 0, 3, -1, 439, 0},    {2, 0, 2, 1, 422, 0},     {2, 0, -3, -1, 421, 0},   {2, 1, -1, 1, -366, 0},
    {2, 1, 0, 1, -351, 0},    {4, 0, 0, 1, 331, 0},     {2, -1, 1, 1, 315, 0},    {2, -2, 0, -1, 302, 0},
    {0, 0, 1, 3, -283, 0},    {2, 1, 1, -1, -229, 0},   {1, 1, 0, -1, 223, 0},    {1, 1, 0, 1, 223, 0},
    {0, 1, -2, -1, -220, 0},  {2, 1, -1, -1, -220, 0},  {1, 0, 1, 1, -185, 0},    {2, -1, -2, -1, 181, 0},
    {0, 1, 2, 1, -177, 0},    {4, 0, -2, -1, 176, 0},   {4, -1, -1, -1, 166, 0},  {1, 0, 1, -1, -164, 0},
    {4, 0, 1, -1, 132, 0},    {1, 0, -1, -1, -119, 0},  {4, -1, 0, -1, 115, 0},   {2, -2, 0, 1, 107, 0},
}};

// The cosine and sine of an angle, multiplied as unit complex numbers: the product is
// the turn by the sum of the angles.
struct Turn
{
    double cos = 1, sin = 0;

    Turn operator*(const Turn &o) const { return {cos * o.cos - sin * o.sin, sin * o.cos + cos * o.sin}; }
};

// The turns by -4 to 4 times an angle given in degrees.
class Multiples
{
public:
    explicit Multiples(double degrees)
    {
        const double r = Wrap360(degrees) * Rad;
        m_turns[4] = Turn{};
        m_turns[5] = Turn{std::cos(r), std::sin(r)};
        for (size_t k = 6; k < m_turns.size(); ++k)
            m_turns[k] = m_turns[k - 1] * m_turns[5];
        for (size_t k = 0; k < 4; ++k)
            m_turns[k] = Turn{m_turns[8 - k].cos, -m_turns[8 - k].sin};
    }
    const Turn &Of(int k) const { return m_turns[size_t(k + 4)]; }

private:
    std::array<Turn, 9> m_turns;
};

// The lunar series needs terrestrial time in centuries; Ecliptic of date, nutation
// included.
Ecliptic MoonAt(double T, const Nutation &n)
{
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    const double Lp = 218.3164477 + 481267.88123421 * T - 0.0015786 * T2 + T3 / 538841.0 - T4 / 65194000.0;
    const double D = 297.8501921 + 445267.1114034 * T - 0.0018819 * T2 + T3 / 545868.0 - T4 / 113065000.0;
    const double M = 357.5291092 + 35999.0502909 * T - 0.0001536 * T2 + T3 / 24490000.0;
    const double Mp = 134.9633964 + 477198.8675055 * T + 0.0087414 * T2 + T3 / 69699.0 - T4 / 14712000.0;
    const double F = 93.2720950 + 483202.0175233 * T - 0.0036539 * T2 - T3 / 3526000.0 + T4 / 863310000.0;
    const double E = 1.0 - 0.002516 * T - 0.0000074 * T2;
    const double A1 = 119.75 + 131.849 * T, A2 = 53.09 + 479264.290 * T, A3 = 313.45 + 481266.484 * T;

    // Every term's argument is a sum of small multiples of D, M, M' and F: their sines and
    // cosines follow from those of the four angles by the addition formulas, which is far
    // cheaper than a sine per term and no less exact.
    const Multiples d(D), m(M), mp(Mp), f(F);
    const std::array<double, 3> eccentricity{1.0, E, E * E};
    double sumL = 0, sumR = 0, sumB = 0;
    for (const LunarTerm &t : LongitudeTerms) {
        const Turn arg = d.Of(t.d) * m.Of(t.m) * mp.Of(t.mp) * f.Of(t.f);
        const double e = eccentricity[size_t(std::abs(t.m))];
        sumL += t.coefficient * e * arg.sin;
        sumR += t.distance * e * arg.cos;
    }
    for (const LunarTerm &t : LatitudeTerms)
        sumB +=
            t.coefficient * eccentricity[size_t(std::abs(t.m))] * (d.Of(t.d) * m.Of(t.m) * mp.Of(t.mp) * f.Of(t.f)).sin;
    sumL += 3958 * Sin(A1) + 1962 * Sin(Lp - F) + 318 * Sin(A2);
    sumB += -2235 * Sin(Lp) + 382 * Sin(A3) + 175 * Sin(A1 - F) + 175 * Sin(A1 + F) + 127 * Sin(Lp - Mp) -
            115 * Sin(Lp + Mp);

    return {Wrap360(Lp + sumL / 1e6 + n.longitude), sumB / 1e6, 385000.56 + sumR / 1000.0};
}

Ecliptic SunAt(double T, const Nutation &n)
{
    const double L0 = 280.46646 + 36000.76983 * T + 0.0003032 * T * T;
    const double M = 357.52911 + 35999.05029 * T - 0.0001537 * T * T;
    const double e = 0.016708634 - 0.000042037 * T - 0.0000001267 * T * T;
    const double C = (1.914602 - 0.004817 * T - 0.000014 * T * T) * Sin(M) + (0.019993 - 0.000101 * T) * Sin(2 * M) +
                     0.000289 * Sin(3 * M);
    const double R = 1.000001018 * (1 - e * e) / (1 + e * Cos(M + C));
    // Aberration: 20.4898" over the distance in astronomical units.
    const double lambda = L0 + C + n.longitude - 20.4898 / 3600.0 / R;
    return {Wrap360(lambda), 0.0, R * AuKm};
}

Ecliptic MoonAt(double T)
{
    return MoonAt(T, NutationAt(T));
}

Ecliptic SunAt(double T)
{
    return SunAt(T, NutationAt(T));
}

double Elongation(const Ecliptic &moon, const Ecliptic &sun)
{
    return Wrap360(moon.longitude - sun.longitude);
}

double LitFraction(const Ecliptic &moon, const Ecliptic &sun)
{
    const double cosPsi = Cos(moon.latitude) * Cos(moon.longitude - sun.longitude);
    const double psi = std::acos(std::clamp(cosPsi, -1.0, 1.0));
    const double phaseAngle = std::atan2(sun.distanceKm * std::sin(psi), moon.distanceKm - sun.distanceKm * cosPsi);
    return (1 + std::cos(phaseAngle)) / 2;
}

// The instants at which the crossing searches sample their functions: every ten minutes
// from `from`, the last step cut short at `to`. No rise, set or transit outruns the step.
std::vector<TDateTime> SampleTimes(TDateTime from, TDateTime to, double step)
{
    std::vector<TDateTime> times{from};
    for (double t0 = from; t0 < to;) {
        t0 = std::min(t0 + step, to);
        times.push_back(t0);
    }
    return times;
}

// Adds the instants where f crosses zero going upwards, given f's values at the sample
// times: each crossing is halved down to well under a second. Jumps of the angle
// functions across ±180 are not crossings. Several functions of one position share the
// samples, so the Moon is computed once per sample for all of them.
template <typename Function>
void AddUpwardCrossings(std::vector<TDateTime> &found, const std::vector<TDateTime> &times,
                        const std::vector<double> &values, Function f, int halvings)
{
    for (size_t i = 1; i < times.size(); ++i) {
        const double f0 = values[i - 1], f1 = values[i];
        if (f0 < 0 && f1 >= 0 && f1 - f0 < 90) {
            double lo = times[i - 1], hi = times[i];
            for (int n = 0; n < halvings; ++n) {
                const double mid = (lo + hi) / 2;
                (f(mid) < 0 ? lo : hi) = mid;
            }
            found.push_back((lo + hi) / 2);
        }
    }
}

template <typename Function> std::vector<TDateTime> UpwardCrossings(Function f, TDateTime from, TDateTime to)
{
    const std::vector<TDateTime> times = SampleTimes(from, to, Step);
    std::vector<double> values;
    values.reserve(times.size());
    for (const TDateTime t : times)
        values.push_back(f(t));
    std::vector<TDateTime> found;
    AddUpwardCrossings(found, times, values, f, 22);
    return found;
}

// The body's altitude above the altitude of its rising, given its position at ut.
double RiseValue(Body body, TDateTime ut, const Site &site, const Equatorial &p)
{
    const double H = SiderealDegrees(ut) + site.longitude - p.rightAscension;
    const double sinAlt = Sin(site.latitude) * Sin(p.declination) + Cos(site.latitude) * Cos(p.declination) * Cos(H);
    return std::asin(std::clamp(sinAlt, -1.0, 1.0)) / Rad - RisingAltitude(body, p.distanceKm);
}

// Zero at the Moon's upper (offset 0) or lower (offset 180) transit, rising through it.
double TransitValue(TDateTime ut, const Site &site, const Equatorial &p, double offset)
{
    return Wrap180(Wrap180(SiderealDegrees(ut) + site.longitude - p.rightAscension) + offset);
}

} // namespace

double JulianDay(TDateTime ut)
{
    return ut + DateTimeEpochJd;
}

double DeltaT(double year)
{
    // Polynomial fits to the observed and predicted values.
    if (year < 2005) {
        const double t = std::max(year, 1986.0) - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t + 0.000651814 * std::pow(t, 4) +
               0.00002373599 * std::pow(t, 5);
    }
    const double t = std::min(year, 2050.0) - 2000;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
}

Ecliptic SunEcliptic(TDateTime ut)
{
    return SunAt(CenturiesTT(ut));
}

Ecliptic MoonEcliptic(TDateTime ut)
{
    return MoonAt(CenturiesTT(ut));
}

Equatorial Position(Body body, TDateTime ut)
{
    const double T = CenturiesTT(ut);
    return ToEquatorial(body == Body::Sun ? SunAt(T) : MoonAt(T), NutationAt(T).obliquity);
}

double MoonElongation(TDateTime ut)
{
    const double T = CenturiesTT(ut);
    return Elongation(MoonAt(T), SunAt(T));
}

double MoonLitFraction(TDateTime ut)
{
    const double T = CenturiesTT(ut);
    return LitFraction(MoonAt(T), SunAt(T));
}

SunAndMoon SunAndMoonAt(TDateTime ut)
{
    const double T = CenturiesTT(ut);
    const Nutation n = NutationAt(T);
    SunAndMoon sky{SunAt(T, n), MoonAt(T, n), {}, {}};
    sky.sun = ToEquatorial(sky.sunEcliptic, n.obliquity);
    sky.moon = ToEquatorial(sky.moonEcliptic, n.obliquity);
    return sky;
}

double MoonElongation(const SunAndMoon &sky)
{
    return Elongation(sky.moonEcliptic, sky.sunEcliptic);
}

double MoonLitFraction(const SunAndMoon &sky)
{
    return LitFraction(sky.moonEcliptic, sky.sunEcliptic);
}

double SiderealDegrees(TDateTime ut)
{
    const double jd = JulianDay(ut);
    const double T = (jd - J2000) / 36525.0;
    return Wrap360(280.46061837 + 360.98564736629 * (jd - J2000) + 0.000387933 * T * T - T * T * T / 38710000.0);
}

double RisingAltitude(Body body, double distanceKm)
{
    if (body == Body::Sun)
        return -0.8333;
    const double parallax = std::asin(EarthRadiusKm / distanceKm) / Rad;
    return 0.7275 * parallax - 0.5667;
}

double AboveRising(Body body, TDateTime ut, const Site &site)
{
    return RiseValue(body, ut, site, Position(body, ut));
}

std::vector<PhaseInstant> PrincipalPhasesBetween(TDateTime from, TDateTime to)
{
    // The elongation grows about 12° a day: a six-hour step is fine enough. The four
    // phases share the samples.
    const std::vector<TDateTime> times = SampleTimes(from, to, 0.25);
    std::vector<double> elongation;
    elongation.reserve(times.size());
    for (const TDateTime t : times)
        elongation.push_back(MoonElongation(t));
    std::vector<PhaseInstant> phases;
    std::vector<double> values(times.size());
    for (int k = 0; k < 4; ++k) {
        const auto offset = [k](double e) { return Wrap180(e - 90.0 * k); };
        std::transform(elongation.begin(), elongation.end(), values.begin(), offset);
        std::vector<TDateTime> found;
        AddUpwardCrossings(
            found, times, values, [&](TDateTime t) { return offset(MoonElongation(t)); }, 24);
        for (const TDateTime ut : found)
            phases.push_back({PrincipalPhase(k), ut});
    }
    std::sort(phases.begin(), phases.end(), [](const PhaseInstant &a, const PhaseInstant &b) { return a.ut < b.ut; });
    return phases;
}

std::vector<TDateTime> Rises(Body body, TDateTime from, TDateTime to, const Site &site)
{
    return UpwardCrossings([&](TDateTime t) { return AboveRising(body, t, site); }, from, to);
}

std::vector<TDateTime> Sets(Body body, TDateTime from, TDateTime to, const Site &site)
{
    return UpwardCrossings([&](TDateTime t) { return -AboveRising(body, t, site); }, from, to);
}

std::vector<TDateTime> MoonTransits(bool upper, TDateTime from, TDateTime to, const Site &site)
{
    const double offset = upper ? 0.0 : 180.0;
    return UpwardCrossings([&](TDateTime t) { return TransitValue(t, site, Position(Body::Moon, t), offset); }, from,
                           to);
}

HorizonEvents RisesAndSets(Body body, TDateTime from, TDateTime to, const Site &site)
{
    const std::vector<TDateTime> times = SampleTimes(from, to, Step);
    std::vector<double> rise;
    rise.reserve(times.size());
    for (const TDateTime t : times)
        rise.push_back(AboveRising(body, t, site));
    std::vector<double> set(rise.size());
    std::transform(rise.begin(), rise.end(), set.begin(), std::negate<>());
    HorizonEvents events;
    AddUpwardCrossings(
        events.rises, times, rise, [&](TDateTime t) { return AboveRising(body, t, site); }, 22);
    AddUpwardCrossings(
        events.sets, times, set, [&](TDateTime t) { return -AboveRising(body, t, site); }, 22);
    return events;
}

MoonEvents MoonEventsBetween(TDateTime from, TDateTime to, const Site &site)
{
    const std::vector<TDateTime> times = SampleTimes(from, to, Step);
    std::vector<double> rise, set, upper, lower;
    for (auto *values : {&rise, &set, &upper, &lower})
        values->reserve(times.size());
    for (const TDateTime t : times) {
        const Equatorial p = Position(Body::Moon, t);
        rise.push_back(RiseValue(Body::Moon, t, site, p));
        set.push_back(-rise.back());
        upper.push_back(TransitValue(t, site, p, 0.0));
        lower.push_back(TransitValue(t, site, p, 180.0));
    }
    MoonEvents events;
    AddUpwardCrossings(
        events.rises, times, rise, [&](TDateTime t) { return AboveRising(Body::Moon, t, site); }, 22);
    AddUpwardCrossings(
        events.sets, times, set, [&](TDateTime t) { return -AboveRising(Body::Moon, t, site); }, 22);
    AddUpwardCrossings(
        events.upperTransits, times, upper,
        [&](TDateTime t) { return TransitValue(t, site, Position(Body::Moon, t), 0.0); }, 22);
    AddUpwardCrossings(
        events.lowerTransits, times, lower,
        [&](TDateTime t) { return TransitValue(t, site, Position(Body::Moon, t), 180.0); }, 22);
    return events;
}

} // namespace Astronomy
