#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

// Prints the usual console table, then each measured figure as a ratio to its floor: the same work
// done by the bare platform in the same run, so the ratio means something on a noisy machine.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // `pairs`: (benchmark name, floor name, goal ratio).
    struct Pair {
        std::string measured;
        std::string floor;
        double goal;
    };
    explicit RatioReporter(std::vector<Pair> pairs) : pairs_(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    std::vector<Pair> pairs_;
    std::map<std::string, double> seconds_;  // real time per iteration, by benchmark name
};
