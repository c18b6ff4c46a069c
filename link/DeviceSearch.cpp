#include "DeviceSearch.h"

#include "ApiTypes.h"
#include "DeviceLink.h"
#include "LinkView.h"
#include "MakeLine.h"
#include "Reporter.h"

#include <QTimer>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr std::uint32_t ProbeWaitMs = 360;
constexpr std::uint32_t InfoWaitMs = 160;
constexpr std::uint32_t LoaderWaitMs = 500;
constexpr int LoaderTextBytes = 10;
constexpr char ExpectedManufacturer[] = "VRN";
constexpr char LoaderVariantMark[] = "KQB707";

// Puts the hourglass up for the search and takes it down however the search ends.
class BusyCursor {
public:
    explicit BusyCursor(LinkView& view) : view_(view) {}
    ~BusyCursor() {
        if (shown_)
            view_.setBusyCursor(false);
    }
    void show() {
        if (!shown_)
            view_.setBusyCursor(true);
        shown_ = true;
    }

private:
    LinkView& view_;
    bool shown_ = false;
};

} // namespace

void DeviceLink::search() {
    // A search belongs to the not-connected state: it would reopen the port in use.
    if (isShutDown() || connection_ != Connection::NotConnected)
        return;
    BusyGuard::Operation operation = busy_.tryBegin();
    if (!operation)
        return;
    Search(*this, operation).probePorts();
}

DeviceLink::Search::Search(DeviceLink& link, const BusyGuard::Operation& operation)
    : link_(link), operation_(operation) {}

void DeviceLink::Search::probePorts() {
    const QStringList ports = link_.listPorts();
    link_.view_.setPortList(ports);
    BusyCursor cursor(link_.view_);
    for (const QString& name : ports) {
        if (!openAndConfigure(name))
            continue;
        cursor.show();
        if (probe() != Outcome::Skipped)
            return;
    }
}

bool DeviceLink::Search::openAndConfigure(const QString& name) {
    std::unique_ptr<Line> line = makeLine(name);
    const LineOpen opened = line->open(name);
    link_.useLine(std::move(line));
    const std::string shownName = name.toStdString();
    switch (opened) {
    case LineOpen::Refused:
    case LineOpen::Busy:
    case LineOpen::Forbidden:
        link_.handleValid_ = false;
        link_.reporter_.appendLog("Open " + shownName + " Failed.\r\n");
        if (opened == LineOpen::Busy)
            link_.reporter_.appendLog("Port busy.\r\n");
        else if (opened == LineOpen::Forbidden)
            link_.reporter_.appendLog("Permission denied: join group dialout.\r\n");
        return false;
    case LineOpen::Unconfigured:
    case LineOpen::Opened:
        break;
    }
    link_.handleValid_ = true;
    link_.reporter_.appendLog("Check " + shownName + "\r\n");
    if (opened == LineOpen::Unconfigured) {
        link_.reporter_.appendLog("Set COM Failed.\r\n");
        return false;
    }
    return true;
}

DeviceLink::Search::Outcome DeviceLink::Search::probe() {
    LinkState& state = link_.state_;
    // An earlier port's answer must not vouch for this one.
    state.DeviceManufacId.fill(0);
    link_.sendRead(Api_Manufac_Id, 3);
    link_.rxTimer_.start();
    link_.pump_.resume();
    link_.waitMs(ProbeWaitMs);
    if (operation_.cancelled())
        return Outcome::Cancelled;

    if (state.RxBuffer[0] != ApiAck)
        return checkForLoader();

    const auto& id = state.DeviceManufacId;
    const auto idEnd = std::find(id.begin(), id.end(), std::uint8_t{0});
    const std::string manufacturer(id.begin(), idEnd);
    link_.reporter_.addLogLine("Got One Device!");
    link_.reporter_.addLogLine("Manufac: " + manufacturer);
    if (manufacturer != ExpectedManufacturer) {
        giveUpPort();
        return Outcome::Skipped;
    }
    return identifyDevice();
}

DeviceLink::Search::Outcome DeviceLink::Search::identifyDevice() {
    LinkView& view = link_.view_;
    view.setFirmwareControlsShown(false);
    view.setFirmwareVersionText("Current Version : ");
    link_.sendRead(Api_Model_Name, ModelNameBytes);
    link_.waitMs(InfoWaitMs);
    if (operation_.cancelled())
        return Outcome::Cancelled;

    link_.setConnection(Connection::Connected);
    view.setDeviceControlsEnabled(true);
    link_.sendRead(Api_Fw_Version, FwVersionBytes);
    link_.waitMs(InfoWaitMs);
    if (operation_.cancelled())
        return Outcome::Cancelled;

    link_.sendRead(Api_Edid_Mode, 1);
    return Outcome::Found;
}

DeviceLink::Search::Outcome DeviceLink::Search::checkForLoader() {
    LinkState& state = link_.state_;
    link_.reporter_.addLogLine("No Device Detected.");
    link_.line_->discardInput();
    link_.clearRxBuffer();
    link_.waitMs(LoaderWaitMs);
    if (operation_.cancelled())
        return Outcome::Cancelled;

    const auto* text = state.RxBuffer.data();
    if (std::count(text, text + LoaderTextBytes, std::uint8_t{0}) != 0) {
        giveUpPort();
        return Outcome::Skipped;
    }

    state.LinkFlags |= LinkFlag::IspMode;
    LinkView& view = link_.view_;
    view.setFirmwareControlsShown(true);
    view.setFirmwareVersionText("Target Version : ");
    link_.reporter_.setStatusText(StatusLabel::Firmware, "0%");
    view.setLinkLed(Colour::Red);
    view.setModelName("ISP Mode.");
    link_.setConnection(Connection::Isp);
    view.setDisconnectEnabled(true);
    const bool marked = std::strstr(reinterpret_cast<const char*>(text), LoaderVariantMark);
    state.IspVariant = marked ? 1 : 0;
    if (marked)
        link_.sendRead(Api_Fw_Version, FwVersionBytes);
    return Outcome::Found;
}

void DeviceLink::Search::giveUpPort() {
    link_.rxTimer_.stop();
    link_.pollTimer_.stop();
    link_.line_->close();
}
