#include "bench/project/ratioreporter.h"

#include <cstdio>

namespace bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        // Only plain runs: aggregates (mean, median) repeat their benchmark's name.
        if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
            seconds_[run.benchmark_name()] = run.cpu_accumulated_time / double(run.iterations);
    }
    ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::PrintRatios() const {
    for (const Ratio& r : ratios_) {
        const auto n = seconds_.find(r.numerator);
        const auto d = seconds_.find(r.denominator);
        if (n == seconds_.end() || d == seconds_.end() || d->second <= 0)
            continue;
        std::printf("ratio: %s = %.2f\n", r.label.c_str(), r.scale * n->second / d->second);
    }
    std::fflush(stdout);
}

}  // namespace bench
