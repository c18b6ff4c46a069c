#include "DeviceSearch.h"

#include "ApiTypes.h"
#include "DeviceLink.h"
#include "LinkView.h"
#include "PortNames.h"
#include "Reporter.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <string>

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

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

#ifdef Q_OS_LINUX
// Why a port the system refused could not be opened. The refusal also covers a port that
// another program holds: then this user may read and write the device node.
const char* refusalReason(const QString& path) {
    const bool allowed = ::access(QFile::encodeName(path).constData(), R_OK | W_OK) == 0;
    return allowed ? "Port busy.\r\n" : "Permission denied: join group dialout.\r\n";
}
#endif

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
    QSerialPort& port = link_.ComHandle;
    const QString path = portOpenPath(name);
    port.setPortName(path);
    const std::string shownName = name.toStdString();
    if (!port.open(QIODevice::ReadWrite)) {
        link_.handleValid_ = false;
        link_.reporter_.appendLog("Open " + shownName + " Failed.\r\n");
#ifdef Q_OS_LINUX
        if (port.error() == QSerialPort::PermissionError)
            link_.reporter_.appendLog(refusalReason(path));
#endif
        return false;
    }
    link_.handleValid_ = true;
    link_.readErrors_ = 0;
    link_.reporter_.appendLog("Check " + shownName + "\r\n");
    const bool configured =
        port.setBaudRate(QSerialPort::Baud57600) && port.setDataBits(QSerialPort::Data8) &&
        port.setParity(QSerialPort::NoParity) && port.setStopBits(QSerialPort::OneStop);
    if (!configured) {
        link_.reporter_.appendLog("Set COM Failed.\r\n");
        port.close();
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
    link_.ComHandle.clear(QSerialPort::Input);
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
    link_.ComHandle.close();
}
