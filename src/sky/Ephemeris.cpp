#include "sky/Ephemeris.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace Astronomy {
namespace {

constexpr double Rad = std::numbers::pi / 180.0;
// Days between exact positions; the grid runs every half day from the TDateTime epoch.
constexpr double Spacing = 0.5;
// The exact searches' sampling step.
constexpr double Step = 10.0 / 1440.0;
// Roots are refined to under a hundredth of a second: finer than the times are shown or
// the theories deserve, and each tenfold costs another evaluation per event.
constexpr double Tolerance = 1e-7;

// How fast a body's hour angle and declination change, in radians and days. The Moon's
// right ascension grows by 10.4 to 17.4 degrees a day, so its hour angle turns at 6.058
// ± 0.061 rad a day; its declination changes by under 0.128 rad a day, and the second
// derivatives of both stay under 0.04 rad a day² (measured over 1990 to 2060; the orbit
// hardly changes over centuries). The Sun's vary far less. The bounds leave room to
// spare: a bound too tight would lose events, one too loose only costs a few samples.
struct Motion
{
    double hourAngleRate, hourAngleSpread, maxDeclinationRate, maxSecondDerivative;

    double MaxHourAngleRate() const { return hourAngleRate + hourAngleSpread; }
};
constexpr Motion SunMotion{6.2832, 0.01, 0.02, 0.01};
constexpr Motion MoonMotion{6.058, 0.1, 0.2, 0.1};

const Motion &MotionOf(Body body)
{
    return body == Body::Sun ? SunMotion : MoonMotion;
}

// The root of f between a and b, where f changes sign, by regula falsi with the Illinois
// correction: over a few minutes the functions are nearly straight, so two or three
// evaluations do what halving does in twenty.
template <typename Function> TDateTime Root(Function f, TDateTime a, double fa, TDateTime b, double fb)
{
    // The weights are the values, but the one at an end that stays put twice is halved,
    // which keeps a curved f from dragging the chord along one side.
    double weightA = fa, weightB = fb;
    int lastMoved = 0;
    for (int i = 0; i < 64 && b - a > Tolerance; ++i) {
        const TDateTime c = b - weightB * (b - a) / (weightB - weightA);
        const double fc = f(c).value;
        // The chord's slope tells how far c still is from the root.
        if (fc == 0 || std::abs(fc) * (b - a) < Tolerance * std::abs(fb - fa))
            return c;
        if ((fc < 0) == (fa < 0)) {
            a = c;
            fa = weightA = fc;
            if (lastMoved < 0)
                weightB /= 2;
            lastMoved = -1;
        } else {
            b = c;
            fb = weightB = fc;
            if (lastMoved > 0)
                weightA /= 2;
            lastMoved = 1;
        }
    }
    return (a + b) / 2;
}

// Adds the instants where g changes sign between samples taken every Step from `from`, the
// last cut short at `to`, as the exact searches sample. g's probe at a sample also tells
// for how long g surely keeps its sign, so the samples within that reach are skipped:
// only the first sample beyond it is computed, and when the sign has changed there, the
// one before it, which brackets the root.
template <typename Function>
void AddSignChanges(Function g, TDateTime from, TDateTime to, std::vector<TDateTime> &upward,
                    std::vector<TDateTime> &downward)
{
    const long long last = std::max(1LL, (long long)std::ceil((to - from) / Step - 1e-9));
    const auto timeOf = [&](long long k) { return k >= last ? to : std::min(from + double(k) * Step, to); };
    long long k = 0;
    auto gk = g(from);
    while (k < last) {
        const long long next = std::min(last, k + 1 + (long long)(std::min(gk.reach, to - from) / Step * (1 - 1e-9)));
        const auto gNext = g(timeOf(next));
        if ((gk.value < 0) != (gNext.value < 0) || (gk.value > 0) != (gNext.value > 0)) {
            const TDateTime a = timeOf(next - 1), b = timeOf(next);
            const double ga = next - 1 == k ? gk.value : g(a).value;
            if (ga < 0 && gNext.value >= 0)
                upward.push_back(Root(g, a, ga, b, gNext.value));
            else if (ga > 0 && gNext.value <= 0)
                downward.push_back(Root(g, a, ga, b, gNext.value));
        }
        k = next;
        gk = gNext;
    }
}

} // namespace

Ephemeris::Ephemeris(TDateTime from, TDateTime to) : m_firstNode((long long)std::floor(from / Spacing) - 2)
{
    const long long lastNode = (long long)std::floor(to / Spacing) + 3;
    const size_t count = size_t(std::max(0LL, lastNode - m_firstNode + 1));
    m_sun.reserve(count);
    m_moon.reserve(count);
    m_sidereal.reserve(count);
    const double sinSunRising = std::sin(RisingAltitude(Body::Sun, 0) * Rad);
    for (long long node = m_firstNode; node <= lastNode; ++node) {
        const SunAndMoon sky = SunAndMoonAt(double(node) * Spacing);
        m_sidereal.push_back(SiderealDegrees(double(node) * Spacing));
        m_sun.push_back({sky.sun.rightAscension, std::sin(sky.sun.declination * Rad),
                         std::cos(sky.sun.declination * Rad), sinSunRising, 0});
        m_moon.push_back(
            {sky.moon.rightAscension, std::sin(sky.moon.declination * Rad), std::cos(sky.moon.declination * Rad),
             std::sin(RisingAltitude(Body::Moon, sky.moon.distanceKm) * Rad), Astronomy::MoonElongation(sky)});
    }
}

Ephemeris::Interpolation Ephemeris::At(TDateTime ut) const
{
    const double x = ut / Spacing;
    const double node = std::floor(x);
    const double u = x - node;
    const long long first = (long long)node - 2 - m_firstNode;
    Q_ASSERT(first >= 0 && size_t(first) + 6 <= m_moon.size());
    // Lagrange's weights for the nodes at -2 .. 3 around u: the product of u's distances
    // to the other nodes over the node's own distances to them.
    const std::array<double, 6> d{u + 2, u + 1, u, u - 1, u - 2, u - 3};
    std::array<double, 6> before{}, after{};
    before[0] = after[5] = 1;
    for (size_t j = 1; j < 6; ++j) {
        before[j] = before[j - 1] * d[j - 1];
        after[5 - j] = after[6 - j] * d[6 - j];
    }
    constexpr std::array<double, 6> inverseDistances{-1.0 / 120, 1.0 / 24, -1.0 / 12, 1.0 / 12, -1.0 / 24, 1.0 / 120};
    Interpolation at;
    at.first = size_t(first);
    at.fraction = u;
    for (size_t j = 0; j < 6; ++j)
        at.weights[j] = before[j] * after[j] * inverseDistances[j];
    return at;
}

double Ephemeris::Sidereal(const Interpolation &at) const
{
    // Sidereal time is linear in time to well within a rounding error over half a day.
    const double start = m_sidereal[at.first + 2];
    double turn = m_sidereal[at.first + 3] - start;
    if (turn < 0)
        turn += 360;
    return start + turn * at.fraction;
}

double Ephemeris::Angle(const std::vector<Node> &nodes, double Node::*degrees, const Interpolation &at)
{
    // The angles only grow, by far less than half a turn between nodes: a fall is a
    // wrap through 360, undone here so that the polynomial sees a smooth curve.
    double previous = nodes[at.first].*degrees;
    double turns = 0, sum = 0;
    for (size_t j = 0; j < 6; ++j) {
        double angle = nodes[at.first + j].*degrees + turns;
        if (angle < previous - 180) {
            angle += 360;
            turns += 360;
        }
        sum += at.weights[j] * angle;
        previous = angle;
    }
    return sum;
}

Ephemeris::Probe Ephemeris::RiseProbe(Body body, TDateTime ut, const Horizon &horizon) const
{
    const Interpolation at = At(ut);
    const std::vector<Node> &nodes = Nodes(body);
    double sinDeclination = 0, cosDeclination = 0, sinRising = 0;
    for (size_t j = 0; j < 6; ++j) {
        const Node &n = nodes[at.first + j];
        sinDeclination += at.weights[j] * n.sinDeclination;
        cosDeclination += at.weights[j] * n.cosDeclination;
        sinRising += at.weights[j] * n.sinRising;
    }
    const double hourAngle = (Sidereal(at) + horizon.longitude - Angle(nodes, &Node::rightAscension, at)) * Rad;
    const double value =
        horizon.sinLatitude * sinDeclination + horizon.cosLatitude * cosDeclination * std::cos(hourAngle) - sinRising;
    // The slope as the turning hour angle alone gives it, less what the rest may take off:
    // with a bound on the curvature, g cannot reach zero before the parabola below it does.
    const double sign = value < 0 ? -1 : 1;
    const double slope =
        -sign * horizon.cosLatitude * cosDeclination * std::sin(hourAngle) * horizon.hourAngleRate - horizon.slopeError;
    const double size = std::abs(value);
    if (size == 0)
        return {value, 0};
    const double root = std::sqrt(slope * slope + 2 * horizon.maxCurvature * size);
    return {value, slope < 0 ? 2 * size / (root - slope) : (slope + root) / horizon.maxCurvature};
}

Ephemeris::Probe Ephemeris::TransitProbe(TDateTime ut, double longitude) const
{
    const Interpolation at = At(ut);
    const double hourAngle = (Sidereal(at) + longitude - Angle(m_moon, &Node::rightAscension, at)) * Rad;
    // The hour angle only grows: the next transit, upper or lower, is where it next reaches
    // a multiple of half a turn.
    const double pastTransit = hourAngle - std::numbers::pi * std::floor(hourAngle / std::numbers::pi);
    return {std::sin(hourAngle), (std::numbers::pi - pastTransit) / MoonMotion.MaxHourAngleRate()};
}

HorizonEvents Ephemeris::RisesAndSets(Body body, TDateTime from, TDateTime to, const Site &site) const
{
    // g = sin(altitude) - sin(altitude of rising). Its slope strays from the hour angle's
    // part by at most cos(latitude) times the spread of the hour angle's rate, plus the
    // declination's rate; its curvature is bounded by the squares and products of the
    // rates and the second derivatives.
    const Motion &m = MotionOf(body);
    const double cosLatitude = std::abs(std::cos(site.latitude * Rad));
    const double maxRate = m.MaxHourAngleRate();
    const double dec = m.maxDeclinationRate;
    const Horizon horizon{std::sin(site.latitude * Rad),
                          cosLatitude,
                          site.longitude,
                          m.hourAngleRate,
                          cosLatitude * m.hourAngleSpread + dec,
                          1.5 * (m.maxSecondDerivative + dec * dec) +
                              cosLatitude * (2 * dec * maxRate + maxRate * maxRate + m.maxSecondDerivative)};
    HorizonEvents events;
    AddSignChanges([&](TDateTime t) { return RiseProbe(body, t, horizon); }, from, to, events.rises, events.sets);
    return events;
}

MoonEvents Ephemeris::MoonEventsBetween(TDateTime from, TDateTime to, const Site &site) const
{
    const HorizonEvents horizon = RisesAndSets(Body::Moon, from, to, site);
    MoonEvents events{horizon.rises, horizon.sets, {}, {}};
    // The sine of the hour angle rises through zero at the upper transit and falls through
    // it at the lower one.
    AddSignChanges([&](TDateTime t) { return TransitProbe(t, site.longitude); }, from, to, events.upperTransits,
                   events.lowerTransits);
    return events;
}

double Ephemeris::MoonElongation(TDateTime ut) const
{
    const double elongation = std::fmod(Angle(m_moon, &Node::elongation, At(ut)), 360.0);
    return elongation < 0 ? elongation + 360 : elongation;
}

} // namespace Astronomy
