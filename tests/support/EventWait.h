#pragma once
#include <functional>

// Lets the event loop run until `done` holds or `timeoutMs` passed; true when it held.
// Bounds are generous: tests wait on events, not on the clock.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// Lets the event loop run for `ms` milliseconds.
void runEventsFor(int ms);
