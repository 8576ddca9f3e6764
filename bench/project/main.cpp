// The project benchmarks and the ratios they are read by.
#include "bench/project/ratioreporter.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::RatioReporter reporter({
        {"JSON parse / project load (goal >= 10)", "JsonParse", "ProjectLoadRelease"},
        {"project load / read + byte sum (goal <= 5)", "ProjectLoadRelease", "ReadAndSum"},
        {"from memory, own identifiers / repeated ones", "ProjectOwnIdsLoadRelease",
         "ProjectMemoryLoadRelease"},
        {"constant ChangeParameters / bare SetParameters", "ConstantChangeParameters",
         "ConstantSetParameters"},
        {"periodic ChangeParameters / bare SetParameters", "PeriodicChangeParameters",
         "PeriodicSetParameters"},
        {"effect list, 100-effect compound / one object", "EffectStructsCompound100",
         "EffectStructsOneObject"},
        {"effect list, per effect: compound / one object", "EffectStructsCompound100",
         "EffectStructsOneObject", 0.01},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
