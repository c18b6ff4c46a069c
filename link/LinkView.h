#pragma once
#include <QStringList>

#include <cstdint>
#include <string>

// The EDID the device presents, as its status answer names it.
enum class PresentedEdid { Internal, External, User };

// What the link shows of itself: the window's controls, or a record for tests and the
// command line. Texts are bytes shown as Latin-1; colours are 0x00BBGGRR.
class LinkView {
public:
    virtual ~LinkView() = default;
    virtual void setLinkLed(std::uint32_t bgr) = 0;
    virtual void setModelName(const std::string& text) = 0;
    virtual void setFirmwareVersionText(const std::string& text) = 0;
    // The firmware group grown to show its update controls (ISP mode) or shrunk again.
    virtual void setFirmwareControlsShown(bool shown) = 0;
    virtual void showPresentedEdid(PresentedEdid which) = 0;
    // The device and EDID controls that a connection enables, Disconnect included.
    virtual void setDeviceControlsEnabled(bool enabled) = 0;
    virtual void setDisconnectEnabled(bool enabled) = 0;
    virtual void setSearchEnabled(bool enabled) = 0;
    virtual void setBusyCursor(bool busy) = 0;
    virtual void setPortList(const QStringList& ports) = 0;
};
