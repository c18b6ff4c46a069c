#pragma once
#include "BinaryFile.h"

// What serves the line: the framed EDID device, the firmware loader or a plain
// byte stream. The event loop hands it the bytes that arrived and wakes it when due.
class Device {
public:
    virtual ~Device() = default;
    virtual void receive(const Bytes& bytes, double now) = 0;
    virtual void tick(double now) = 0;
    // When tick next has work, or kNever.
    virtual double nextWakeup() const = 0;
};
