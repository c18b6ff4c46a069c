#include "DeviceSearch.h"

#include "ApiTypes.h"
#include "LinkCore.h"
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

// The log's line after "Open ... Failed." that says why, when the line knows.
const char* whyNotOpened(LineOpen opened) {
    switch (opened) {
    case LineOpen::Busy:
        return "Port busy.\r\n";
    case LineOpen::Forbidden:
        return "Permission denied: join group dialout.\r\n";
    case LineOpen::ConnectionRefused:
        return "Connection refused.\r\n";
    case LineOpen::HostNotFound:
        return "Host not found.\r\n";
    case LineOpen::TimedOut:
        return "Timed out.\r\n";
    default:
        return nullptr;
    }
}

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

DeviceSearch::DeviceSearch(LinkCore& core, const BusyGuard::Operation& operation)
    : core_(core), operation_(operation) {}

void DeviceSearch::probePorts() {
    const QStringList ports = core_.portsToProbe();
    core_.display().setPortList(ports);
    BusyCursor cursor(core_.display());
    for (const QString& name : ports) {
        if (!openAndConfigure(name))
            continue;
        cursor.show();
        if (probe() != Outcome::Skipped)
            return;
    }
}

bool DeviceSearch::openAndConfigure(const QString& name) {
    std::unique_ptr<Line> line = makeLine(name);
    const LineOpen opened = line->open(name);
    core_.useLine(std::move(line));
    const std::string shownName = name.toStdString();
    switch (opened) {
    case LineOpen::Refused:
    case LineOpen::Busy:
    case LineOpen::Forbidden:
    case LineOpen::ConnectionRefused:
    case LineOpen::HostNotFound:
    case LineOpen::TimedOut:
        core_.setHandleValid(false);
        core_.log().appendLog("Open " + shownName + " Failed.\r\n");
        if (const char* why = whyNotOpened(opened))
            core_.log().appendLog(why);
        return false;
    case LineOpen::Unconfigured:
    case LineOpen::Opened:
        break;
    }
    core_.setHandleValid(true);
    core_.log().appendLog("Check " + shownName + "\r\n");
    if (opened == LineOpen::Unconfigured) {
        core_.log().appendLog("Set COM Failed.\r\n");
        return false;
    }
    return true;
}

DeviceSearch::Outcome DeviceSearch::probe() {
    LinkState& state = core_.state();
    // An earlier port's answer must not vouch for this one.
    state.DeviceManufacId.fill(0);
    request(Api_Manufac_Id, 3);
    core_.rxTimer().start();
    core_.pump().resume();
    core_.awaitAnswer(ProbeWaitMs);
    if (operation_.cancelled())
        return Outcome::Cancelled;

    if (!core_.answer().acknowledged())
        return checkForLoader();

    const auto& id = state.DeviceManufacId;
    const auto idEnd = std::find(id.begin(), id.end(), std::uint8_t{0});
    const std::string manufacturer(id.begin(), idEnd);
    core_.log().addLogLine("Got One Device!");
    core_.log().addLogLine("Manufac: " + manufacturer);
    if (manufacturer != ExpectedManufacturer) {
        giveUpPort();
        return Outcome::Skipped;
    }
    return identifyDevice();
}

DeviceSearch::Outcome DeviceSearch::identifyDevice() {
    LinkView& view = core_.display();
    view.setFirmwareControlsShown(false);
    view.setFirmwareVersionText("Current Version : ");
    request(Api_Model_Name, ModelNameBytes);
    core_.awaitAnswer(InfoWaitMs);
    if (operation_.cancelled())
        return Outcome::Cancelled;

    core_.setConnection(Connection::Connected);
    view.setDeviceControlsEnabled(true);
    request(Api_Fw_Version, FwVersionBytes);
    core_.awaitAnswer(InfoWaitMs);
    if (operation_.cancelled())
        return Outcome::Cancelled;

    request(Api_Edid_Mode, 1);
    return Outcome::Found;
}

DeviceSearch::Outcome DeviceSearch::checkForLoader() {
    LinkState& state = core_.state();
    core_.log().addLogLine("No Device Detected.");
    core_.line().discardInput();
    core_.answer().clearBytes();
    core_.waitFor(LoaderWaitMs);
    if (operation_.cancelled())
        return Outcome::Cancelled;

    const auto* text = core_.answer().bytes().data();
    if (std::count(text, text + LoaderTextBytes, std::uint8_t{0}) != 0) {
        giveUpPort();
        return Outcome::Skipped;
    }

    state.LinkFlags |= LinkFlag::IspMode;
    LinkView& view = core_.display();
    view.setFirmwareControlsShown(true);
    view.setFirmwareVersionText("Target Version : ");
    view.setLinkLed(Colour::Red);
    view.setModelName("ISP Mode.");
    core_.setConnection(Connection::Isp);
    view.setDisconnectEnabled(true);
    const bool marked = std::strstr(reinterpret_cast<const char*>(text), LoaderVariantMark);
    state.IspVariant = marked ? 1 : 0;
    if (marked)
        request(Api_Fw_Version, FwVersionBytes);
    return Outcome::Found;
}

void DeviceSearch::giveUpPort() {
    core_.rxTimer().stop();
    core_.pollTimer().stop();
    core_.line().close();
}

void DeviceSearch::request(std::uint16_t type, std::uint16_t count) {
    core_.send(ApiRead, type, count, nullptr, {});
}
