// The sky of a selected day is computed afresh at every day change, and the month's new
// and full moons once per month shown: both against one position of the Moon, the unit
// of work they are made of.

#include "BenchRatio.h"

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

RYBOWID_BENCHMARK_MAIN_WITH_RATIOS({"BM_SkyOfDay", "BM_MoonPosition"}, {"BM_MonthPhases", "BM_MoonPosition"})
