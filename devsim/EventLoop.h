#pragma once
#include "Clock.h"
#include "Device.h"
#include "DeviceWire.h"

// Serves the line until SIGTERM (or SIGINT) or, unless told otherwise, the end of
// stdin. Sleeps in poll() until bytes come or something is due; never spins.
class EventLoop {
public:
    EventLoop(const Clock& clock, DeviceWire& line, Device& device, bool watchStdin);
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    // False when the signal pipe could not be set up.
    bool ready() const { return signalPipe_[0] >= 0; }
    void run();

private:
    int timeoutMs(double now) const;
    bool stdinEnded();

    const Clock& clock_;
    DeviceWire& line_;
    Device& device_;
    bool watchStdin_;
    int signalPipe_[2] = {-1, -1};
};
