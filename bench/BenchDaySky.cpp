// The sky of a selected day is computed afresh at every day change, the month's new and
// full moons once per month shown, and the catch log wants the sky of every day of a
// ten-year diary at once: all against one position of the Moon, the unit of work they are
// made of. The ten years must cost no more than reading the diary (about 80 ms), which is
// ten Moon positions a day.

#include "BenchRatio.h"

#include <chrono>

#include "sky/Astronomy.h"
#include "sky/DaySky.h"

namespace {
const Astronomy::Site Centre{52.0692, 19.4803};

void BM_MoonPosition(benchmark::State &state)
{
    TDateTime t = EncodeDate(2025, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Astronomy::Position(Astronomy::Body::Moon, t));
        t += 0.01;
    }
}
BENCHMARK(BM_MoonPosition);

void BM_SkyOfDay(benchmark::State &state)
{
    TDateTime day = EncodeDate(2025, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SkyOfDay(day, Centre));
        day += 1;
    }
}
BENCHMARK(BM_SkyOfDay);

// One call for 3,653 days, timed per day so that it reads against one Moon position.
void BM_SkyOfTenYears(benchmark::State &state)
{
    constexpr int Days = 3653;
    const TDateTime first = EncodeDate(2016, 1, 1);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(SkyOfDays(first, Days, Centre));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count() / Days);
    }
}
// The manual time is a day's: without a fixed count the library would run enough ten-year
// spans to fill its half second with days.
BENCHMARK(BM_SkyOfTenYears)->UseManualTime()->Iterations(20);

void BM_MonthPhases(benchmark::State &state)
{
    TDateTime first = EncodeDate(2025, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Astronomy::PrincipalPhasesBetween(first, first + 31));
        first += 31;
    }
}
BENCHMARK(BM_MonthPhases);
} // namespace

RYBOWID_BENCHMARK_MAIN_WITH_RATIOS({"BM_SkyOfDay", "BM_MoonPosition"}, {"BM_SkyOfTenYears", "BM_MoonPosition", 10},
                                   {"BM_MonthPhases", "BM_MoonPosition"})
