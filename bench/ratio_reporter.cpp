#include "ratio_reporter.h"

#include <cstdio>

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // With repetitions, the median stands for the benchmark.
        if (run.run_type == Run::RT_Iteration && seconds_.count(run.benchmark_name())) continue;
        std::string name = run.run_name.function_name;
        if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
        seconds_[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
}

void RatioReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%-22s %12s %12s %8s %6s\n", "ratio", "measured", "floor", "ratio", "goal");
    for (const Pair& pair : pairs_) {
        auto measured = seconds_.find(pair.measured), floor = seconds_.find(pair.floor);
        if (measured == seconds_.end() || floor == seconds_.end()) continue;
        double ratio = measured->second / floor->second;
        std::printf("%-22s %10.3fms %10.3fms %8.2f %5.1fx %s\n", pair.measured.c_str(), measured->second * 1e3,
                    floor->second * 1e3, ratio, pair.goal, ratio <= pair.goal ? "met" : "MISSED");
    }
}
