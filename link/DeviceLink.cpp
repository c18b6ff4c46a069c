#include "DeviceLink.h"

#include "ApiTypes.h"
#include "DeviceSearch.h"
#include "LinkView.h"
#include "Reporter.h"

#include <QTimer>

#include <algorithm>

namespace {

constexpr std::uint8_t WatchdogLimit = 30;
constexpr std::uint32_t AckPollMs = 10;
constexpr std::uint16_t BlockBytes = 128;

} // namespace

DeviceLink::DeviceLink(Reporter& reporter, LinkView& view, QObject* parent)
    : QObject(parent), core_(
                           reporter, view, [this] { dispatch(); }, this) {
    connect(&core_.rxTimer(), &QTimer::timeout, this, &DeviceLink::receiveTick);
    connect(&core_.pollTimer(), &QTimer::timeout, this, &DeviceLink::pollTick);
    connect(&core_, &LinkCore::connectionSet, this, &DeviceLink::connectionChanged);
    connect(&core_, &LinkCore::lineLostAndClosed, this, &DeviceLink::afterLineLost);
    busy_.onOperationEnd([this] { emit operationEnded(); });
}

DeviceLink::DeviceLink(Reporter& reporter, LinkView& view, std::unique_ptr<Line> line)
    : DeviceLink(reporter, view) {
    core_.useLine(std::move(line));
    core_.rxTimer().start();
    core_.pump().resume();
}

DeviceLink::~DeviceLink() {
    shutdown();
}

void DeviceLink::nameTimers(const QString& receive, const QString& poll) {
    core_.rxTimer().setObjectName(receive);
    core_.pollTimer().setObjectName(poll);
}

void DeviceLink::search() {
    // A search belongs to the not-connected state: it would reopen the port in use.
    if (isShutDown() || connection() != Connection::NotConnected)
        return;
    BusyGuard::Operation operation = busy_.tryBegin();
    if (!operation)
        return;
    DeviceSearch(core_, operation).probePorts();
}

void DeviceLink::afterLineLost() {
    // Connected, the watchdog finds the silence and disconnects. ISP mode holds the
    // watchdog, so nothing else would notice: the line's end is a disconnect.
    if (connection() == Connection::Isp)
        disconnect();
}

void DeviceLink::disconnect() {
    if (!core_.handleValid())
        return;
    core_.state().LinkFlags = 0;
    core_.line().close();
    core_.pump().suspend();
    core_.pollTimer().stop();
    busy_.endSession();
    core_.noticeLineLost();
    core_.setConnection(Connection::NotConnected);

    LinkView& view = core_.display();
    view.setFirmwareControlsShown(false);
    view.setLinkLed(Colour::Grey);
    view.setModelName("Not Found.");
    view.setFirmwareVersionText("Current Version :");
    view.setDeviceControlsEnabled(false);
}

void DeviceLink::receiveTick() {
    if (isShutDown())
        return;
    watchdogTick();
    core_.takeReceived();
}

void DeviceLink::watchdogTick() {
    LinkState& state = core_.state();
    if ((state.LinkFlags & (LinkFlag::IspMode | LinkFlag::LinkAlive)) != 0 || core_.lineHeld() ||
        connection() == Connection::NotConnected) {
        state.WatchdogTicks = 0;
        return;
    }
    if (++state.WatchdogTicks >= WatchdogLimit) {
        state.WatchdogTicks = 0;
        disconnect();
    }
}

void DeviceLink::dispatch() {
    AnswerBuffer& answer = core_.answer();
    if (!answer.takeCompletion())
        return;
    const std::uint8_t* payload = answer.bytes().data() + AnswerBuffer::HeadBytes;
    const bool acknowledged = answer.acknowledged();
    core_.noteAnswer(acknowledged);
    if (acknowledged) {
        LinkView& view = core_.display();
        switch (answer.awaitedType()) {
        case Api_Model_Name:
            view.setLinkLed(Colour::Green);
            view.setModelName(answer.payloadText());
            break;
        case Api_Fw_Version:
            view.setFirmwareVersionText("Current Version : v" + answer.payloadText());
            break;
        case Api_Manufac_Id:
            std::copy(payload, payload + 3, core_.state().DeviceManufacId.begin());
            break;
        case Api_Edid_Mode:
            if (payload[0] == 0x00)
                view.showPresentedEdid(PresentedEdid::Internal);
            else if (payload[0] == 0x02)
                view.showPresentedEdid(PresentedEdid::External);
            else if (payload[0] == 0x03)
                view.showPresentedEdid(PresentedEdid::User);
            core_.state().LinkFlags |= LinkFlag::LinkAlive;
            break;
        default:
            break;
        }
        core_.pollTimer().start();
    }
    core_.answerTaken();
}

void DeviceLink::pollTick() {
    // A running operation owns the line; the poll waits for it.
    if (connection() == Connection::NotConnected || busy_.busy() || isShutDown())
        return;
    core_.state().LinkFlags &= ~LinkFlag::LinkAlive;
    sendRead(Api_Edid_Mode, 1);
}

void DeviceLink::sendRead(std::uint16_t type, std::uint16_t count) {
    core_.send(ApiRead, type, count, nullptr, {});
}

void DeviceLink::sendWrite(std::uint16_t type, std::uint16_t count, const std::uint8_t* data,
                           const std::function<void(std::uint16_t)>& beforeByte) {
    core_.send(ApiWrite, type, count, data, beforeByte);
}

DeviceBlock DeviceLink::readBlock(std::uint16_t type, std::uint32_t waitMs) {
    sendRead(type, BlockBytes);
    core_.awaitAnswer(waitMs);
    return DeviceBlock(core_.answer().bytes(), core_.lastAcknowledged());
}

bool DeviceLink::awaitAck(std::int32_t tries) {
    tries += static_cast<std::int32_t>(core_.answerAllowanceMs() / AckPollMs);
    std::int32_t i = 0;
    for (;;) {
        ++i;
        if (i >= tries)
            break;
        core_.waitFor(AckPollMs);
        if (core_.answer().acknowledged())
            break;
    }
    if (i >= tries)
        return false;
    core_.acknowledgeTaken();
    return true;
}

void DeviceLink::markAlive() {
    core_.state().LinkFlags |= LinkFlag::LinkAlive;
}

bool DeviceLink::ispMode() const {
    return (core_.state().LinkFlags & LinkFlag::IspMode) != 0;
}

int DeviceLink::ispVariant() const {
    return core_.state().IspVariant;
}

DeviceLink::Report DeviceLink::report() const {
    return {core_.answer().awaitedType(), (core_.state().LinkFlags & LinkFlag::LinkAlive) != 0,
            core_.pollTimer().isActive(),
            core_.rxTimer().isActive() && core_.answer().mode() == FramedLinkMode};
}

void DeviceLink::shutdown() {
    if (isShutDown())
        return;
    core_.abortWaits();
    busy_.endSession();
    core_.rxTimer().stop();
    core_.pollTimer().stop();
    core_.line().close();
    core_.pump().suspend();
    core_.pump().stop();
}
