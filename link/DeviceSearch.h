#pragma once
#include "DeviceLink.h"

#include <QString>

// One press of Search: probes the listed ports in order until one answers as the
// device (connected) or streams its loader's text (ISP mode).
class DeviceLink::Search {
public:
    Search(DeviceLink& link, const BusyGuard::Operation& operation);
    void probePorts();

private:
    enum class Outcome { Skipped, Found, Cancelled };

    Outcome probe();
    bool openAndConfigure(const QString& name);
    Outcome identifyDevice();
    Outcome checkForLoader();
    void giveUpPort();

    DeviceLink& link_;
    const BusyGuard::Operation& operation_;
};
