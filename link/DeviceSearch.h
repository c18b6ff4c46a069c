#pragma once
#include "BusyGuard.h"

#include <QString>

#include <cstdint>

class LinkCore;

// One press of Search: probes the listed ports in order until one answers as the
// device (connected) or streams its loader's text (ISP mode).
class DeviceSearch {
public:
    DeviceSearch(LinkCore& core, const BusyGuard::Operation& operation);
    void probePorts();

private:
    enum class Outcome { Skipped, Found, Cancelled };

    Outcome probe();
    bool openAndConfigure(const QString& name);
    Outcome identifyDevice();
    Outcome checkForLoader();
    void giveUpPort();
    // A read request, as the link sends one.
    void request(std::uint16_t type, std::uint16_t count);

    LinkCore& core_;
    const BusyGuard::Operation& operation_;
};
