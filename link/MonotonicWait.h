#pragma once
#include <cstdint>
#include <vector>

class QEventLoop;

// Waits on a monotonic clock while the GUI thread goes on handling its events (timer
// ticks, dispatches, user input), in a nested event loop ended by a precise timer: no
// spinning, and a 1 ms wait costs about a millisecond.
class MonotonicWait {
public:
    // Returns once more than `ms` milliseconds have passed, or at once after abortAll().
    // The result is the milliseconds that passed.
    std::uint32_t runFor(std::uint32_t ms);
    // Ends every wait in progress and makes later waits return at once (closing down).
    void abortAll();
    bool aborted() const { return aborted_; }

private:
    bool aborted_ = false;
    std::vector<QEventLoop*> running_;
};
