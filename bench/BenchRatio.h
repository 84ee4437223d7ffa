#pragma once

// Google Benchmark reports absolute times, which mean little on a shared machine. A
// RatioReporter prints, after the usual table, each benchmark's time as a ratio against
// a baseline measured in the same run.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // A benchmark against its baseline, as the names appear in the table, and the ratio
    // it must stay within (none when 0). A benchmark that times its baseline itself, in
    // turn with its own work, reports the ratio in its counter "ratio"; its baseline
    // names what it was timed against.
    struct Ratio
    {
        std::string name, baseline;
        double goal = 0;
    };

    explicit RatioReporter(std::vector<Ratio> ratios) : m_ratios(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median") {
                m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
                if (const auto ratio = run.counters.find("ratio"); ratio != run.counters.end())
                    m_own[run.run_name.function_name] = ratio->second.value;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nRatios (time / baseline time, same run):\n");
        for (const auto &[name, baseline, goal] : m_ratios) {
            const auto a = m_times.find(name);
            const auto b = m_times.find(baseline);
            const auto own = m_own.find(name);
            if (own == m_own.end() && (a == m_times.end() || b == m_times.end() || b->second <= 0)) {
                std::printf("  %-40s vs %-30s  (not measured)\n", name.c_str(), baseline.c_str());
                continue;
            }
            const double ratio = own != m_own.end() ? own->second : a->second / b->second;
            std::printf("  %-40s vs %-30s  %.2f", name.c_str(), baseline.c_str(), ratio);
            if (goal > 0)
                std::printf("  (goal at most %.2f: %s)", goal, ratio <= goal ? "met" : "NOT MET");
            std::printf("\n");
        }
    }

private:
    std::vector<Ratio> m_ratios;
    std::map<std::string, double> m_times;
    std::map<std::string, double> m_own;
};

// The median of a set of timings (0 for none).
inline double Median(std::vector<double> times)
{
    if (times.empty())
        return 0;
    std::nth_element(times.begin(), times.begin() + ptrdiff_t(times.size() / 2), times.end());
    return times[times.size() / 2];
}

// The main() of a benchmark program whose ratios are the given pairs.
#define RYBOWID_BENCHMARK_MAIN_WITH_RATIOS(...)                                                                        \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        RatioReporter reporter({__VA_ARGS__});                                                                         \
        benchmark::RunSpecifiedBenchmarks(&reporter);                                                                  \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
