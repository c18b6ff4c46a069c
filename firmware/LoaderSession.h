#pragma once

class DeviceLink;
class Reporter;

// What every loader update shares. While it lives the update owns the port: the receive
// timer is off. It starts with a fresh log ("ISP Mode Check...") and a black "0%", and
// hands the link back to the framed protocol when it ends, however it ends.
class LoaderSession {
public:
    LoaderSession(DeviceLink& link, Reporter& reporter);
    ~LoaderSession();
    LoaderSession(const LoaderSession&) = delete;
    LoaderSession& operator=(const LoaderSession&) = delete;

    // Shows the red "Update Fw Failed.".
    void fail();

private:
    DeviceLink& link_;
    Reporter& reporter_;
};
