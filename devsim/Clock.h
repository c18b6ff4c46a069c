#pragma once
#include <chrono>
#include <limits>

// Milliseconds since the simulator started, on the monotonic clock. Every time the
// simulator handles (trace lines, deadlines, pacing) is on this one scale.
class Clock {
public:
    Clock() : start_(std::chrono::steady_clock::now()) {}

    double nowMs() const {
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        return std::chrono::duration<double, std::milli>(elapsed).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

// "Nothing scheduled" for deadline arithmetic.
constexpr double kNever = std::numeric_limits<double>::infinity();
