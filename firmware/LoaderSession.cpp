#include "LoaderSession.h"

#include "DeviceLink.h"
#include "Reporter.h"

LoaderSession::LoaderSession(DeviceLink& link, Reporter& reporter)
    : link_(link), reporter_(reporter) {
    link_.rxTimer().stop();
    reporter_.replaceLog("ISP Mode Check...\r\n");
    reporter_.setStatusColour(StatusLabel::Firmware, Colour::Black);
    reporter_.setStatusText(StatusLabel::Firmware, "0%");
}

LoaderSession::~LoaderSession() {
    link_.state().LinkMode = FramedLinkMode;
    // A closing window keeps its timers stopped.
    if (!link_.isShutDown())
        link_.rxTimer().start();
}

void LoaderSession::fail() {
    reporter_.setStatusColour(StatusLabel::Firmware, Colour::Red);
    reporter_.setStatusText(StatusLabel::Firmware, "Update Fw Failed.");
}
