#include "sky/DaySky.h"

#include "sky/Ephemeris.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr double Hour = 1.0 / 24.0;

TDateTime LastSundayAtOneUtc(int year, int month)
{
    const TDateTime last = EncodeDate(year, month, DaysInMonth(year, month));
    return last - (DayOfWeek(last) - 1) + Hour;
}

DaySky SkyOf(TDateTime day, const Astronomy::Ephemeris &ephemeris, const Astronomy::Site &site)
{
    using namespace Astronomy;
    DaySky sky;
    sky.day = day;
    const TDateTime from = UtFromPolishTime(sky.day);
    const TDateTime to = UtFromPolishTime(sky.day + 1);
    // The clocks change at most once a day: on all other days midnight's offset serves
    // every instant, which spares working out the year's changes for each.
    const bool summer = sky.day - from > 1.5 * Hour;
    const bool clocksChange = summer != (sky.day + 1 - to > 1.5 * Hour);
    const auto local = [&](TDateTime ut) { return clocksChange ? PolishTimeFromUt(ut) : ut + (summer ? 2 : 1) * Hour; };
    const TDateTime noon = clocksChange ? UtFromPolishTime(sky.day + 0.5) : sky.day + 0.5 - (summer ? 2 * Hour : Hour);

    const SunAndMoon atNoon = SunAndMoonAt(noon);
    sky.litFraction = MoonLitFraction(atNoon);
    sky.elongation = MoonElongation(atNoon);
    // The elongation grows by 10 to 16 degrees a day, so a day holds one principal phase
    // at most: the quarter turn the elongation completes within it.
    const double atStart = ephemeris.MoonElongation(from);
    const double atEnd = atStart + std::fmod(ephemeris.MoonElongation(to) - atStart + 360.0, 360.0);
    const int quarter = int(std::floor(atEnd / 90.0));
    if (quarter > int(std::floor(atStart / 90.0)))
        sky.phase = MoonPhase(2 * (quarter % 4));
    else
        sky.phase = MoonPhase(2 * int(sky.elongation / 90.0) + 1);

    const auto first = [&](const std::vector<TDateTime> &times) {
        return times.empty() ? std::nullopt : std::optional<TDateTime>(local(times.front()));
    };

    const HorizonEvents sun = ephemeris.RisesAndSets(Body::Sun, from, to, site);
    sky.sunrise = first(sun.rises);
    sky.sunset = first(sun.sets);
    const MoonEvents moon = ephemeris.MoonEventsBetween(from, to, site);
    sky.moonrise = first(moon.rises);
    sky.moonset = first(moon.sets);

    auto addPeriods = [&](const std::vector<TDateTime> &centres, double halfLength, bool major) {
        for (const TDateTime ut : centres)
            sky.periods.push_back({local(ut) - halfLength, local(ut) + halfLength, major});
    };
    for (const TDateTime ut : moon.upperTransits)
        sky.upperTransits.push_back(local(ut));
    for (const TDateTime ut : moon.lowerTransits)
        sky.lowerTransits.push_back(local(ut));
    addPeriods(moon.upperTransits, Hour, true);
    addPeriods(moon.lowerTransits, Hour, true);
    addPeriods(moon.rises, Hour / 2, false);
    addPeriods(moon.sets, Hour / 2, false);
    std::sort(sky.periods.begin(), sky.periods.end(),
              [](const SolunarPeriod &a, const SolunarPeriod &b) { return a.start < b.start; });
    return sky;
}
} // namespace

QString MoonPhaseName(MoonPhase phase)
{
    static const std::array<QString, 8> names = {QStringLiteral("Nów"),
                                                 QStringLiteral("Przybywający sierp"),
                                                 QStringLiteral("Pierwsza kwadra"),
                                                 QStringLiteral("Przybywający garb"),
                                                 QStringLiteral("Pełnia"),
                                                 QStringLiteral("Ubywający garb"),
                                                 QStringLiteral("Ostatnia kwadra"),
                                                 QStringLiteral("Ubywający sierp")};
    return names[size_t(phase)];
}

bool IsPolishSummerTime(TDateTime ut)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(ut, year, month, day);
    return ut >= LastSundayAtOneUtc(year, 3) && ut < LastSundayAtOneUtc(year, 10);
}

TDateTime PolishTimeFromUt(TDateTime ut)
{
    return ut + (IsPolishSummerTime(ut) ? 2 : 1) * Hour;
}

TDateTime UtFromPolishTime(TDateTime local)
{
    const TDateTime winter = local - Hour;
    return IsPolishSummerTime(winter - Hour) ? local - 2 * Hour : winter;
}

std::vector<DaySky> SkyOfDays(TDateTime firstDay, int dayCount, const Astronomy::Site &site)
{
    std::vector<DaySky> days;
    if (dayCount <= 0)
        return days;
    const TDateTime first = DateOf(firstDay);
    const Astronomy::Ephemeris ephemeris(UtFromPolishTime(first), UtFromPolishTime(first + dayCount));
    days.reserve(size_t(dayCount));
    for (int i = 0; i < dayCount; ++i)
        days.push_back(SkyOf(first + i, ephemeris, site));
    return days;
}

DaySky SkyOfDay(TDateTime day, const Astronomy::Site &site)
{
    return SkyOfDays(day, 1, site).front();
}
