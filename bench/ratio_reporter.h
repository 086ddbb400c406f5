#pragma once

// Runs the registered benchmarks, then prints each named ratio between two of
// them, measured in the same run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace gleaner::bench {

struct Ratio {
    std::string what;
    std::string subject;
    std::string baseline;
    double limit;
};

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

inline int runWithRatios(int argc, char** argv, const std::vector<Ratio>& ratios)
{
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratios (same run):\n");
    for (const Ratio& r : ratios) {
        const auto s = reporter.times.find(r.subject);
        const auto b = reporter.times.find(r.baseline);
        if (s == reporter.times.end() || b == reporter.times.end() || b->second <= 0)
            continue;
        const double ratio = s->second / b->second;
        std::printf("  %-58s %6.2fx  (limit %.1fx) %s\n", r.what.c_str(), ratio, r.limit,
                    ratio <= r.limit ? "ok" : "OVER");
    }
    benchmark::Shutdown();
    return 0;
}

} // namespace gleaner::bench
