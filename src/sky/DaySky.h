#pragma once

#include "base/DateUtils.h"
#include "sky/Astronomy.h"

#include <QString>
#include <optional>
#include <vector>

// What the sky holds for an angler on one day at one place, in Polish time: the moon's
// phase and lit part, the rising and setting of the Sun and the Moon, and the solunar
// periods (two hours around each transit of the Moon, one hour around its rise and set).
enum class MoonPhase {
    NewMoon,
    WaxingCrescent,
    FirstQuarter,
    WaxingGibbous,
    FullMoon,
    WaningGibbous,
    LastQuarter,
    WaningCrescent
};

struct SolunarPeriod
{
    TDateTime start = 0;
    TDateTime end = 0;
    bool major = false;

    bool operator==(const SolunarPeriod &) const = default;
};

struct DaySky
{
    TDateTime day = 0;
    MoonPhase phase = MoonPhase::NewMoon;
    // At noon, 0 to 1.
    double litFraction = 0;
    // Moon's elongation at noon, 0 to 360, for drawing the phase.
    double elongation = 0;
    std::optional<TDateTime> sunrise, sunset, moonrise, moonset;
    std::vector<TDateTime> upperTransits, lowerTransits;
    // Ordered by start.
    std::vector<SolunarPeriod> periods;

    bool operator==(const DaySky &) const = default;
};

// The Polish name of a phase, starting with a capital letter ("Pierwsza kwadra").
QString MoonPhaseName(MoonPhase phase);

// Polish civil time: UTC+1, UTC+2 from the last Sunday of March to the last Sunday of
// October (01:00 UTC both).
bool IsPolishSummerTime(TDateTime ut);
TDateTime PolishTimeFromUt(TDateTime ut);
TDateTime UtFromPolishTime(TDateTime local);

// The sky of a local calendar day (its time of day is ignored); all times local.
// The day bears a principal phase's name when that phase falls within it, otherwise
// the name of the quarter the Moon is passing through.
DaySky SkyOfDay(TDateTime day, const Astronomy::Site &site);
// The skies of consecutive days from firstDay's, at a few microseconds a day over a long
// span. Each day's sky is the very one SkyOfDay gives, whatever span it was computed in.
std::vector<DaySky> SkyOfDays(TDateTime firstDay, int dayCount, const Astronomy::Site &site);
