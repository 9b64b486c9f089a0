// Runs the benchmarks the command line chose, printed as usual, and hands every run that measured
// something to `seen`, so that a benchmark can print its ratios against their targets at the end.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

namespace benchrun {

using Run = benchmark::BenchmarkReporter::Run;

// False when the command line holds an argument the benchmark library does not know.
inline bool runAll(int& argc, char** argv, std::function<void(const Run&)> seen) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return false;
    struct Collector : benchmark::ConsoleReporter {
        explicit Collector(std::function<void(const Run&)> each)
            : ConsoleReporter(OO_Tabular), each(std::move(each)) {}
        void ReportRuns(const std::vector<Run>& runs) override {
            for (const Run& run : runs)
                if (run.run_type == Run::RT_Iteration && run.iterations != 0 && !run.error_occurred)
                    each(run);
            ConsoleReporter::ReportRuns(runs);
        }
        std::function<void(const Run&)> each;
    } reporter(std::move(seen));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return true;
}

} // namespace benchrun
