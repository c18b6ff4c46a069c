#pragma once
#include "BinaryFile.h"
#include "Clock.h"

#include <cstdint>
#include <vector>

// One request of the framed protocol as it came over the line.
struct Request {
    std::uint8_t first = 0;  // type high byte, 0x80 added for a write
    std::uint8_t second = 0; // type low byte
    std::uint8_t count = 0;
    Bytes data; // a write's data bytes

    bool isWrite() const { return (first & 0x80) != 0; }
    std::uint16_t type() const {
        return static_cast<std::uint16_t>(((first & 0x7F) << 8) | second);
    }
};

// Assembles requests from bytes that may arrive one at a time: a 4-byte header
// (type high, type low, count, 0x0D) and, for a write, `count` data bytes. A header
// that does not end in 0x0D is slid over byte by byte until one does. A frame left
// unfinished for longer than kIdleMs is dropped, so a lost byte spoils one request only.
class FrameParser {
public:
    static constexpr double kIdleMs = 1000.0;

    void feed(const Bytes& bytes, double now, std::vector<Request>& complete);
    // Drops an unfinished frame that has waited too long.
    void expire(double now);
    // When expire next has work, or kNever.
    double deadline() const { return partial_.empty() ? kNever : lastByte_ + kIdleMs; }

private:
    Bytes partial_;
    double lastByte_ = 0;
};
