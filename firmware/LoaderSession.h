#pragma once
#include "LinkSessions.h"

class DeviceLink;

class Reporter;

// What every loader update shares. While it lives the update owns the line through the
// link's raw channel. It starts with a fresh log ("ISP Mode Check...") and a black "0%",
// and the link is back on the framed protocol when it ends, however it ends. A line
// lost meanwhile (hung up, or disconnected) is logged as "Line lost during the firmware
// update." and fails the update at once, before the window hides the firmware group.
class LoaderSession {
public:
    LoaderSession(DeviceLink& link, Reporter& reporter);
    LoaderSession(const LoaderSession&) = delete;
    LoaderSession& operator=(const LoaderSession&) = delete;

    RawChannel& channel() { return channel_; }
    // Shows the red "Update Fw Failed.", once.
    void fail();

private:
    Reporter& reporter_;
    bool failed_ = false;
    RawChannel channel_;
};
