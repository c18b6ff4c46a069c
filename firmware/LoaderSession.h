#pragma once
#include "DeviceLink.h"

class Reporter;

// What every loader update shares. While it lives the update owns the line through the
// link's raw channel. It starts with a fresh log ("ISP Mode Check...") and a black "0%",
// and the link is back on the framed protocol when it ends, however it ends.
class LoaderSession {
public:
    LoaderSession(DeviceLink& link, Reporter& reporter);
    LoaderSession(const LoaderSession&) = delete;
    LoaderSession& operator=(const LoaderSession&) = delete;

    DeviceLink::RawChannel& channel() { return channel_; }
    // Shows the red "Update Fw Failed.".
    void fail();

private:
    DeviceLink::RawChannel channel_;
    Reporter& reporter_;
};
