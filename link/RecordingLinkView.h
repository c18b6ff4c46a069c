#pragma once
#include "LinkView.h"
#include "Reporter.h"

#include <optional>

// A LinkView without widgets: it keeps what was last shown, in the start state at first.
class RecordingLinkView : public LinkView {
public:
    void setLinkLed(std::uint32_t bgr) override { led = bgr; }
    void setModelName(const std::string& text) override { modelName = text; }
    void setFirmwareVersionText(const std::string& text) override { firmwareVersion = text; }
    void setFirmwareControlsShown(bool shown) override { firmwareControlsShown = shown; }
    void showPresentedEdid(PresentedEdid which) override { presented = which; }
    void setDeviceControlsEnabled(bool enabled) override;
    void setDisconnectEnabled(bool enabled) override { disconnectEnabled = enabled; }
    void setSearchEnabled(bool enabled) override { searchEnabled = enabled; }
    void setBusyCursor(bool busy) override { busyCursor = busy; }
    void setPortList(const QStringList& list) override { ports = list; }

    std::uint32_t led = Colour::Grey;
    std::string modelName = "Not Found.";
    std::string firmwareVersion = "Current Version : ";
    bool firmwareControlsShown = false;
    std::optional<PresentedEdid> presented;
    bool deviceControlsEnabled = false;
    bool disconnectEnabled = false;
    bool searchEnabled = true;
    bool busyCursor = false;
    QStringList ports;
};
