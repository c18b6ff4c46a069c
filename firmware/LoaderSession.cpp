#include "LoaderSession.h"

#include "Reporter.h"

LoaderSession::LoaderSession(DeviceLink& link, Reporter& reporter)
    : channel_(link), reporter_(reporter) {
    reporter_.replaceLog("ISP Mode Check...\r\n");
    reporter_.setStatusColour(StatusLabel::Firmware, Colour::Black);
    reporter_.setStatusText(StatusLabel::Firmware, "0%");
}

void LoaderSession::fail() {
    reporter_.setStatusColour(StatusLabel::Firmware, Colour::Red);
    reporter_.setStatusText(StatusLabel::Firmware, "Update Fw Failed.");
}
