#include "bench/project/ratioreporter.h"

#include <cstdio>

namespace bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred)
            continue;
        const double seconds =
            run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        // With repetitions, the median stands for its benchmark; other aggregates are left out.
        if (run.run_type == Run::RT_Iteration)
            seconds_[run.run_name.str()] = seconds;
        else if (run.aggregate_name == "median")
            medians_[run.run_name.str()] = seconds;
    }
    ConsoleReporter::ReportRuns(runs);
}

double RatioReporter::time_of(const std::string& name) const {
    const auto median = medians_.find(name);
    if (median != medians_.end())
        return median->second;
    const auto run = seconds_.find(name);
    return run != seconds_.end() ? run->second : 0;
}

void RatioReporter::PrintRatios() const {
    for (const Ratio& r : ratios_) {
        const double n = time_of(r.numerator), d = time_of(r.denominator);
        if (n > 0 && d > 0)
            std::printf("ratio: %s = %.2f\n", r.label.c_str(), r.scale * n / d);
    }
    std::fflush(stdout);
}

}  // namespace bench
