#pragma once
#include "Device.h"
#include "DeviceState.h"
#include "DeviceWire.h"
#include "Faults.h"
#include "FrameParser.h"

// The EDID device's request protocol: every request is answered with 0xA1, the two
// type bytes of its frame, then for a read `count` payload bytes and for a write the
// bytes it stored. The fault options decide what is answered, when and how.
class FramedDevice : public Device {
public:
    static constexpr std::uint8_t kAck = 0xA1;
    // A1 and the two type bytes.
    static constexpr std::size_t kHeadBytes = 3;

    FramedDevice(DeviceWire& line, DeviceState& state, Faults& faults);

    void receive(const Bytes& bytes, double now) override;
    void tick(double now) override { parser_.expire(now); }
    double nextWakeup() const override { return parser_.deadline(); }

private:
    void handle(const Request& request, double now);
    Bytes answer(const Request& request);

    DeviceWire& line_;
    DeviceState& state_;
    Faults& faults_;
    FrameParser parser_;
};
