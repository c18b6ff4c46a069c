#pragma once
// How much CPU the test's own process used: a line read in a loop shows as well over
// half a core, an idle program as a few percent.
#include <time.h>

// CPU time this process has used, in milliseconds.
inline double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}
