#pragma once

#include "sky/Astronomy.h"

#include <array>
#include <cstddef>
#include <vector>

namespace Astronomy {

// The Sun and the Moon over a span of time, for finding the events of many days at one
// go. Positions are computed exactly every twelve hours and interpolated between by a
// polynomial through six of them: the interpolation stays within 0.1" of the lunar
// theory, itself good to a fraction of an arc minute, which moves no event by even a
// second, and it costs a few multiplications instead of the whole lunar series.
//
// The searches keep the exact ones' rule: the functions are looked at every ten minutes
// from the start of the search, and an event is a change of sign between two such
// samples, so both find the same events, and a Moon grazing the horizon between two
// samples is left out by both alike. A sample whose sign follows from a bound on how fast
// the function can change is never computed, which leaves a few dozen per day.
//
// The grid of exact positions is fixed in time, so an instant is interpolated alike
// whatever span the ephemeris was made for: the events of a day do not depend on the
// days computed with it.
class Ephemeris
{
public:
    // Positions for instants within [from, to].
    Ephemeris(TDateTime from, TDateTime to);

    // The same events as the free functions of the same names for a search within the span.
    HorizonEvents RisesAndSets(Body body, TDateTime from, TDateTime to, const Site &site) const;
    MoonEvents MoonEventsBetween(TDateTime from, TDateTime to, const Site &site) const;

    // Interpolated like the positions, 0 to 360.
    double MoonElongation(TDateTime ut) const;

private:
    struct Node
    {
        double rightAscension = 0; // degrees, 0 to 360
        double sinDeclination = 0, cosDeclination = 0;
        double sinRising = 0;  // of the altitude of rising
        double elongation = 0; // degrees, 0 to 360, in the Moon's table only
    };
    struct Interpolation
    {
        size_t first = 0;
        double fraction = 0; // of the way from the third node to the fourth
        std::array<double, 6> weights{};
    };
    // A body's rising function at a site, with the bounds on its slope and curvature.
    struct Horizon
    {
        double sinLatitude = 0, cosLatitude = 0, longitude = 0;
        double hourAngleRate = 0, slopeError = 0, maxCurvature = 0;
    };
    // A searched function's value at an instant, and for how many days at least it keeps
    // its sign from there.
    struct Probe
    {
        double value = 0, reach = 0;
    };

    Interpolation At(TDateTime ut) const;
    const std::vector<Node> &Nodes(Body body) const { return body == Body::Sun ? m_sun : m_moon; }
    double Sidereal(const Interpolation &at) const;
    static double Angle(const std::vector<Node> &nodes, double Node::*degrees, const Interpolation &at);
    Probe RiseProbe(Body body, TDateTime ut, const Horizon &horizon) const;
    Probe TransitProbe(TDateTime ut, double longitude) const;

    long long m_firstNode = 0;
    std::vector<Node> m_sun, m_moon;
    std::vector<double> m_sidereal; // degrees, 0 to 360
};

} // namespace Astronomy
