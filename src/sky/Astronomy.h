#pragma once

#include "base/DateUtils.h"
#include "base/GeoPoint.h"

#include <vector>

// Low-precision positions of the Sun and the Moon and the events anglers plan by:
// rising, setting, transits and the principal moon phases. The solar theory is good to
// about 0.01°, the lunar series to well under a minute of arc, which puts rise and set
// within a minute or two. Every instant here is universal time held as a TDateTime.
namespace Astronomy {

struct Equatorial
{
    double rightAscension = 0; // degrees
    double declination = 0;    // degrees
    double distanceKm = 0;
};

struct Ecliptic
{
    double longitude = 0; // degrees, apparent, of date
    double latitude = 0;
    double distanceKm = 0;
};

enum class Body { Sun, Moon };
enum class PrincipalPhase { NewMoon = 0, FirstQuarter = 1, FullMoon = 2, LastQuarter = 3 };

double JulianDay(TDateTime ut);
// Terrestrial time minus universal time, in seconds, for a year.
double DeltaT(double year);

Ecliptic SunEcliptic(TDateTime ut);
Ecliptic MoonEcliptic(TDateTime ut);
Equatorial Position(Body body, TDateTime ut);

// Moon's ecliptic longitude minus the Sun's, 0 to 360: 0 at new moon, 180 at full.
double MoonElongation(TDateTime ut);
// The lit part of the Moon's disc, 0 to 1.
double MoonLitFraction(TDateTime ut);

// Both bodies at one instant from one evaluation of each theory, for callers that need
// several things of the same instant; each value equals the one the single functions give.
struct SunAndMoon
{
    Ecliptic sunEcliptic, moonEcliptic;
    Equatorial sun, moon;
};
SunAndMoon SunAndMoonAt(TDateTime ut);
double MoonElongation(const SunAndMoon &sky);
double MoonLitFraction(const SunAndMoon &sky);

// Greenwich mean sidereal time, 0 to 360 degrees.
double SiderealDegrees(TDateTime ut);

struct PhaseInstant
{
    PrincipalPhase phase;
    TDateTime ut;
};
// Every principal phase inside [from, to), in time order.
std::vector<PhaseInstant> PrincipalPhasesBetween(TDateTime from, TDateTime to);

// The place the sky is seen from.
using Site = GeoPoint;

// The altitude at which the body rises or sets: its upper limb touching the horizon with
// standard refraction, and for the Moon its parallax, which depends on its distance.
double RisingAltitude(Body body, double distanceKm);
// Degrees the body stands above the altitude of its rising: above zero it is up. The
// rise and set searches look for the zeros of this very function.
double AboveRising(Body body, TDateTime ut, const Site &site);

// The rises (or sets) of the body inside [from, to), in time order.
std::vector<TDateTime> Rises(Body body, TDateTime from, TDateTime to, const Site &site);
std::vector<TDateTime> Sets(Body body, TDateTime from, TDateTime to, const Site &site);
// The Moon crossing the meridian above (upper) or below (lower) the pole.
std::vector<TDateTime> MoonTransits(bool upper, TDateTime from, TDateTime to, const Site &site);

// The same events found together, each instant as the single searches give it: the
// functions share their samples, so each position is computed once for all of them.
struct HorizonEvents
{
    std::vector<TDateTime> rises, sets;
};
HorizonEvents RisesAndSets(Body body, TDateTime from, TDateTime to, const Site &site);
struct MoonEvents
{
    std::vector<TDateTime> rises, sets, upperTransits, lowerTransits;
};
MoonEvents MoonEventsBetween(TDateTime from, TDateTime to, const Site &site);

} // namespace Astronomy
