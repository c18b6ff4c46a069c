// Entry point of the benchmarks that register themselves at run time (no window, no link).
#include "RegisterBenchmarks.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    RegisterBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
