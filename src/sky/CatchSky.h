#pragma once

#include "sky/DaySky.h"

#include <QString>

// What the sky was doing when a fish was caught, all times local (Polish civil time).

// The phase at an instant: a principal phase within twelve hours of it names it, as a
// day is named by the principal phase it holds; otherwise the quarter the Moon is
// passing through.
MoonPhase MoonPhaseAt(TDateTime local);

// The solunar period holding the instant (a major one before a minor one where they
// overlap); none when it falls outside them.
const SolunarPeriod *PeriodAt(const DaySky &sky, TDateTime local);

// Minutes from the nearer of the day's sunrise and sunset to the instant, negative before
// it; sunrise is true when that is the sunrise. False on a day without either.
bool NearestSunEvent(const DaySky &sky, TDateTime local, int &minutes, bool &sunrise);

// Whether the Moon was above the horizon at the instant, as the calendar's moonrise and
// moonset have it.
bool MoonUpAt(TDateTime local, const Astronomy::Site &site);

// One line for the angler: the period, the distance from sunrise or sunset, whether the
// Moon was above the horizon.
QString CatchSkyText(const DaySky &sky, TDateTime local, bool moonUp);
