#pragma once

// Google Benchmark reports absolute times, which mean little on a shared machine. A
// RatioReporter prints, after the usual table, each benchmark's time as a ratio against
// a baseline measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // Pairs of (benchmark name, baseline name), as the names appear in the table.
    explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs) : m_pairs(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nRatios (time / baseline time, same run):\n");
        for (const auto &[name, baseline] : m_pairs) {
            const auto a = m_times.find(name);
            const auto b = m_times.find(baseline);
            if (a == m_times.end() || b == m_times.end() || b->second <= 0) {
                std::printf("  %-40s vs %-30s  (not measured)\n", name.c_str(), baseline.c_str());
                continue;
            }
            std::printf("  %-40s vs %-30s  %.2f\n", name.c_str(), baseline.c_str(), a->second / b->second);
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> m_pairs;
    std::map<std::string, double> m_times;
};

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
