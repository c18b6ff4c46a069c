#pragma once
#include "Device.h"
#include "Streamer.h"

// Something on the port that only talks: it streams nine non-zero bytes and a zero,
// over and over, and answers nothing. Not a loader, however busy it looks.
class StreamDevice : public Device {
public:
    explicit StreamDevice(DeviceWire& line) : line_(line), streamer_(line, pattern()) {}

    void receive(const Bytes&, double) override {}
    void tick(double now) override {
        if (line_.isOpen()) {
            streamer_.tick(now);
        }
    }
    double nextWakeup() const override { return line_.isOpen() ? streamer_.nextWakeup() : kNever; }

private:
    static Bytes pattern() { return {'L', 'O', 'A', 'D', 'E', 'R', ' ', 'O', 'K', 0x00}; }

    DeviceWire& line_;
    Streamer streamer_;
};
