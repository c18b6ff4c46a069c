#pragma once
#include "BinaryFile.h"
#include "Clock.h"
#include "DeviceWire.h"

// Sends a text over and over while active, one whole copy per write, as a loader
// announcing itself does. A copy is skipped while the line is busy or the program
// has a backlog to read (the port may not even be open), so nothing piles up and no
// copy is ever cut short.
class Streamer {
public:
    static constexpr double kIntervalMs = 20.0;
    static constexpr std::size_t kBacklogLimit = 2048;

    Streamer(DeviceWire& line, Bytes text) : line_(line), text_(std::move(text)) {}

    bool active() const { return active_; }
    void setActive(bool active) { active_ = active; }

    void tick(double now) {
        if (!active_ || now < next_) {
            return;
        }
        next_ = now + kIntervalMs;
        if (line_.outputIdle() && line_.unread() < kBacklogLimit) {
            line_.send(text_, now, true);
        }
    }
    double nextWakeup() const { return active_ ? next_ : kNever; }

private:
    DeviceWire& line_;
    Bytes text_;
    bool active_ = true;
    double next_ = 0;
};
