#pragma once

// Registers a benchmark program's benchmarks, some of them only known at run time (one per
// corpus file set); RegisteredBenchMain.cpp calls it before running them.
void RegisterBenchmarks();
