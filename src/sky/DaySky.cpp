#include "sky/DaySky.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr double Hour = 1.0 / 24.0;

TDateTime LastSundayAtOneUtc(int year, int month)
{
    TDateTime day = EncodeDate(year, month, DaysInMonth(year, month));
    while (DayOfWeek(day) != 1)
        day -= 1;
    return day + Hour;
}

std::optional<TDateTime> First(const std::vector<TDateTime> &times)
{
    if (times.empty())
        return std::nullopt;
    return PolishTimeFromUt(times.front());
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

DaySky SkyOfDay(TDateTime day, const Astronomy::Site &site)
{
    using namespace Astronomy;
    DaySky sky;
    sky.day = DateOf(day);
    const TDateTime from = UtFromPolishTime(sky.day);
    const TDateTime to = UtFromPolishTime(sky.day + 1);
    const TDateTime noon = UtFromPolishTime(sky.day + 0.5);

    sky.litFraction = MoonLitFraction(noon);
    sky.elongation = MoonElongation(noon);
    const std::vector<PhaseInstant> principal = PrincipalPhasesBetween(from, to);
    if (!principal.empty())
        sky.phase = MoonPhase(2 * int(principal.front().phase));
    else
        sky.phase = MoonPhase(2 * int(sky.elongation / 90.0) + 1);

    const HorizonEvents sun = RisesAndSets(Body::Sun, from, to, site);
    sky.sunrise = First(sun.rises);
    sky.sunset = First(sun.sets);
    const MoonEvents moon = MoonEventsBetween(from, to, site);
    sky.moonrise = First(moon.rises);
    sky.moonset = First(moon.sets);

    auto addPeriods = [&sky](const std::vector<TDateTime> &centres, double halfLength, bool major) {
        for (const TDateTime ut : centres) {
            const TDateTime local = PolishTimeFromUt(ut);
            sky.periods.push_back({local - halfLength, local + halfLength, major});
        }
    };
    for (const TDateTime ut : moon.upperTransits)
        sky.upperTransits.push_back(PolishTimeFromUt(ut));
    for (const TDateTime ut : moon.lowerTransits)
        sky.lowerTransits.push_back(PolishTimeFromUt(ut));
    addPeriods(moon.upperTransits, Hour, true);
    addPeriods(moon.lowerTransits, Hour, true);
    addPeriods(moon.rises, Hour / 2, false);
    addPeriods(moon.sets, Hour / 2, false);
    std::sort(sky.periods.begin(), sky.periods.end(),
              [](const SolunarPeriod &a, const SolunarPeriod &b) { return a.start < b.start; });
    return sky;
}
