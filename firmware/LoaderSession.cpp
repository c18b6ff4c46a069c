#include "LoaderSession.h"

#include "DeviceLink.h"
#include "Reporter.h"

LoaderSession::LoaderSession(DeviceLink& link, Reporter& reporter)
    : reporter_(reporter), channel_(link.openRawChannel([this] {
          reporter_.addLogLine("Line lost during the firmware update.");
          fail();
      })) {
    reporter_.replaceLog("ISP Mode Check...\r\n");
    reporter_.setStatusColour(StatusLabel::Firmware, Colour::Black);
    reporter_.setStatusText(StatusLabel::Firmware, "0%");
}

void LoaderSession::fail() {
    if (failed_)
        return;
    failed_ = true;
    reporter_.setStatusColour(StatusLabel::Firmware, Colour::Red);
    reporter_.setStatusText(StatusLabel::Firmware, "Update Fw Failed.");
}
