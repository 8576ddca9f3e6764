#pragma once
// Console output of Google Benchmark, followed by ratios of benchmarks measured in the same run:
// each ratio divides one benchmark's CPU time per iteration (the process's, system time
// included) by another's; on a machine shared with other work it is steadier than wall time.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

struct Ratio {
    std::string label;        // what the ratio says, e.g. "JSON parse / project load"
    std::string numerator;    // benchmark names
    std::string denominator;
    double scale = 1;         // the quotient is multiplied by this (per-item ratios)
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: the output is read by scripts as well as by people.
    explicit RatioReporter(std::vector<Ratio> ratios)
        : ConsoleReporter(OO_Tabular), ratios_(std::move(ratios)) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints one line per ratio whose two benchmarks ran: "ratio: LABEL = VALUE".
    void PrintRatios() const;

private:
    // The median's CPU time per iteration when there were repetitions, else the run's; 0 when
    // the benchmark did not run.
    double time_of(const std::string& name) const;

    std::vector<Ratio> ratios_;
    std::map<std::string, double> seconds_;  // CPU time per iteration, by benchmark name
    std::map<std::string, double> medians_;  // the same, medians of repetitions
};

}  // namespace bench
