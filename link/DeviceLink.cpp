#include "DeviceLink.h"

#include "ApiTypes.h"
#include "LinkView.h"
#include "MakeLine.h"
#include "PortNames.h"
#include "Reporter.h"

#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace {

constexpr int RxTickMs = 100;
constexpr int PollMs = 1000;
constexpr std::uint8_t WatchdogLimit = 30;
// More than this many bytes waiting at one tick is a flood: keep a few, drop the rest.
constexpr qint64 FloodKeep = 16;
constexpr std::uint32_t FirstDataDelayMs = 50;
constexpr std::uint32_t DataByteDelayMs = 1;
constexpr std::uint32_t AckPollMs = 10;
// Three receive ticks: a device that answers at all has been heard by then.
constexpr std::uint32_t PendingLimitMs = 300;
constexpr std::uint32_t PendingPollMs = 2;
constexpr std::uint32_t ResponseHeadBytes = 3;
constexpr std::uint16_t BlockBytes = 128;

// The text in `bytes` up to its first zero byte.
std::string textUntilZero(const std::uint8_t* bytes, std::size_t max) {
    const auto* end = std::find(bytes, bytes + max, std::uint8_t{0});
    return std::string(bytes, end);
}

} // namespace

DeviceLink::DeviceLink(Reporter& reporter, LinkView& view, QObject* parent)
    : QObject(parent), reporter_(reporter), view_(view), rxTimer_(this), pollTimer_(this),
      pump_(this, [this] {
          if (pump_.resumed())
              dispatch();
      }) {
    rxTimer_.setInterval(RxTickMs);
    pollTimer_.setInterval(PollMs);
    connect(&rxTimer_, &QTimer::timeout, this, &DeviceLink::receiveTick);
    connect(&pollTimer_, &QTimer::timeout, this, &DeviceLink::pollTick);
    busy_.onOperationEnd([this] { emit operationEnded(); });
    useLine(makeLine(QString()));
}

DeviceLink::DeviceLink(Reporter& reporter, LinkView& view, std::unique_ptr<Line> line)
    : DeviceLink(reporter, view) {
    useLine(std::move(line));
}

void DeviceLink::useLine(std::unique_ptr<Line> line) {
    line_ = std::move(line);
    connect(line_.get(), &Line::lost, this, &DeviceLink::lineFailed);
}

void DeviceLink::lineFailed() {
    if (lineCloseQueued_ || !line_->isOpen())
        return;
    // Closed from the event loop, not from inside the line's own read notification.
    lineCloseQueued_ = true;
    QMetaObject::invokeMethod(this, &DeviceLink::closeLostLine, Qt::QueuedConnection);
}

void DeviceLink::closeLostLine() {
    lineCloseQueued_ = false;
    if (!line_->isOpen())
        return;
    line_->close();
    noticeLineLost();
    // Connected, the watchdog finds the silence and disconnects. ISP mode holds the
    // watchdog, so nothing else would notice: the line's end is a disconnect.
    if (connection_ == Connection::Isp)
        disconnect();
}

void DeviceLink::noticeLineLost() {
    if (const std::function<void()> notice = std::exchange(lineLost_, nullptr))
        notice();
}

DeviceLink::~DeviceLink() {
    shutdown();
}

QStringList DeviceLink::listPorts() const {
    return portOverride_.isEmpty() ? platformSerialPorts() : portOverride_;
}

void DeviceLink::nameTimers(const QString& receive, const QString& poll) {
    rxTimer_.setObjectName(receive);
    pollTimer_.setObjectName(poll);
}

void DeviceLink::disconnect() {
    if (!handleValid_)
        return;
    state_.LinkFlags = 0;
    line_->close();
    pump_.suspend();
    pollTimer_.stop();
    busy_.endSession();
    noticeLineLost();
    setConnection(Connection::NotConnected);

    view_.setFirmwareControlsShown(false);
    view_.setLinkLed(Colour::Grey);
    view_.setModelName("Not Found.");
    view_.setFirmwareVersionText("Current Version :");
    view_.setDeviceControlsEnabled(false);
}

void DeviceLink::setConnection(Connection connection) {
    connection_ = connection;
    view_.setSearchEnabled(connection == Connection::NotConnected);
}

void DeviceLink::receiveTick() {
    if (isShutDown())
        return;
    watchdogTick();
    takeReceived();
}

void DeviceLink::takeReceived() {
    if (!collectReceived())
        return;
    dropStrayAnswers();
    if (state_.RxFill >= state_.LastRequestCount + 3 && state_.LinkMode == FramedLinkMode) {
        state_.LinkFlags |= LinkFlag::ResponseComplete;
        pump_.responseComplete();
    }
}

void DeviceLink::watchdogTick() {
    if ((state_.LinkFlags & (LinkFlag::IspMode | LinkFlag::LinkAlive)) != 0 || lineHeld_ ||
        connection_ == Connection::NotConnected) {
        state_.WatchdogTicks = 0;
        return;
    }
    if (++state_.WatchdogTicks >= WatchdogLimit) {
        state_.WatchdogTicks = 0;
        disconnect();
    }
}

bool DeviceLink::collectReceived() {
    if (!line_->isOpen())
        return false;
    const qint64 waiting = line_->bytesWaiting();
    if (waiting > static_cast<qint64>(RxCapacity)) {
        line_->read(reinterpret_cast<char*>(state_.RxBuffer.data()), FloodKeep);
        line_->discardInput();
        return false;
    }
    // Bytes beyond the buffer's capacity (a chatty device with no new request) are dropped.
    const qint64 room = static_cast<qint64>(RxCapacity) - state_.RxFill;
    const qint64 wanted = std::min(waiting, std::max<qint64>(room, 0));
    const qint64 got =
        wanted > 0 ? line_->read(reinterpret_cast<char*>(&state_.RxBuffer[state_.RxFill]), wanted)
                   : 0;
    if (waiting > wanted)
        line_->skip(waiting - wanted);
    if (got <= 0)
        return true;
    state_.RxBuffer[state_.RxFill + got] = 0;
    const auto* bytes = state_.RxBuffer.data();
    reporter_.appendLog(textUntilZero(bytes, RxCapacity));
    state_.RxFill += static_cast<std::uint32_t>(got);
    return true;
}

void DeviceLink::dropStrayAnswers() {
    if (state_.LastRequestType == 0 || state_.LinkMode != FramedLinkMode)
        return;
    auto& rx = state_.RxBuffer;
    const std::uint32_t type = state_.LastRequestType;
    const std::uint8_t head[ResponseHeadBytes] = {ApiAck, static_cast<std::uint8_t>(type >> 8),
                                                  static_cast<std::uint8_t>(type & 0xFF)};
    // Whether the bytes from `at` begin the pending request's answer, as far as they reach.
    // The type's high byte may carry the write bit, as in the request.
    const auto beginsAnswer = [&](std::uint32_t at) {
        for (std::uint32_t i = 0; i < ResponseHeadBytes && at + i < state_.RxFill; ++i) {
            const std::uint8_t got = i == 1 ? rx[at + i] & 0x7F : rx[at + i];
            if (got != head[i])
                return false;
        }
        return true;
    };
    std::uint32_t from = 0;
    if (!skippingStray_) {
        // Every answer names its request's type; one naming another request is a late
        // answer to an earlier one. A head without the acknowledge is left to the
        // dispatch, which drops it.
        if (state_.RxFill < ResponseHeadBytes || rx[0] != ApiAck || beginsAnswer(0))
            return;
        char text[48];
        std::snprintf(text, sizeof text, "Unexpected Answer %02X %02X Dropped.", rx[1], rx[2]);
        reporter_.addLogLine(text);
        skippingStray_ = true;
        from = 1;
    }
    // Skip to the pending request's answer; the stray's later bytes may still come.
    std::uint32_t at = from;
    while (at < state_.RxFill && !beginsAnswer(at))
        ++at;
    std::copy(rx.begin() + at, rx.begin() + state_.RxFill, rx.begin());
    state_.RxFill -= at;
    std::fill(rx.begin() + state_.RxFill, rx.end(), std::uint8_t{0});
    if (state_.RxFill >= ResponseHeadBytes)
        skippingStray_ = false;
}

void DeviceLink::dispatch() {
    if ((state_.LinkFlags & LinkFlag::ResponseComplete) == 0)
        return;
    state_.LinkFlags &= ~LinkFlag::ResponseComplete;
    const std::uint8_t* payload = &state_.RxBuffer[3];
    const bool acknowledged = state_.RxBuffer[0] == ApiAck;
    // Only the first response after a request answers it; later completions are leftovers.
    if (state_.LastRequestType != 0) {
        lastAcknowledged_ = acknowledged;
        if (lastRequestWrite_)
            writesAnswered_ = acknowledged;
    }
    if (acknowledged) {
        switch (state_.LastRequestType) {
        case Api_Model_Name:
            view_.setLinkLed(Colour::Green);
            view_.setModelName(textUntilZero(payload, RxCapacity - 3));
            break;
        case Api_Fw_Version:
            view_.setFirmwareVersionText("Current Version : v" +
                                         textUntilZero(payload, RxCapacity - 3));
            break;
        case Api_Manufac_Id:
            std::copy(payload, payload + 3, state_.DeviceManufacId.begin());
            break;
        case Api_Edid_Mode:
            if (payload[0] == 0x00)
                view_.showPresentedEdid(PresentedEdid::Internal);
            else if (payload[0] == 0x02)
                view_.showPresentedEdid(PresentedEdid::External);
            else if (payload[0] == 0x03)
                view_.showPresentedEdid(PresentedEdid::User);
            state_.LinkFlags |= LinkFlag::LinkAlive;
            break;
        default:
            break;
        }
        pollTimer_.start();
    }
    state_.RxFill = 0;
    state_.LastRequestType = 0;
    answerAwaited_ = false;
}

void DeviceLink::pollTick() {
    // A running operation owns the line; the poll waits for it.
    if (connection_ == Connection::NotConnected || busy_.busy() || isShutDown())
        return;
    state_.LinkFlags &= ~LinkFlag::LinkAlive;
    sendRead(Api_Edid_Mode, 1);
}

void DeviceLink::clearRxBuffer() {
    state_.RxBuffer.fill(0);
}

void DeviceLink::writePort(const QByteArray& bytes) {
    if (isShutDown() || !line_->isOpen())
        return;
    journal_.note(bytes);
    line_->write(bytes);
}

void DeviceLink::sendRead(std::uint16_t type, std::uint16_t count) {
    send(ApiRead, type, count, nullptr, {});
}

void DeviceLink::sendWrite(std::uint16_t type, std::uint16_t count, const std::uint8_t* data,
                           const std::function<void(std::uint16_t)>& beforeByte) {
    send(ApiWrite, type, count, data, beforeByte);
}

void DeviceLink::send(std::uint8_t rw, std::uint16_t type, std::uint16_t count,
                      const std::uint8_t* data,
                      const std::function<void(std::uint16_t)>& beforeByte) {
    pollTimer_.stop();
    const char header[4] = {static_cast<char>(((type >> 8) & 0xFF) + (rw == ApiWrite ? 0x80 : 0)),
                            static_cast<char>(type & 0xFF), static_cast<char>(count & 0xFF), 0x0D};
    writePort(QByteArray(header, sizeof header));
    state_.RxFill = 0;
    state_.LastRequestType = type;
    state_.LastRequestCount = count;
    // A completion still waiting for its dispatch belongs to the previous request: left
    // set, that dispatch would run against this request and reset it.
    state_.LinkFlags &= ~LinkFlag::ResponseComplete;
    lastAcknowledged_ = false;
    answerAwaited_ = rw == ApiRead;
    lastRequestWrite_ = rw == ApiWrite;
    skippingStray_ = false;
    clearRxBuffer();
    if (rw != ApiWrite || count == 0 || data == nullptr)
        return;

    waitMs(FirstDataDelayMs);
    for (std::uint16_t i = 0; i < count; ++i) {
        // The port closed inside a wait (disconnect or closing): the rest is not sent.
        if (!line_->isOpen() || isShutDown())
            return;
        if (beforeByte)
            beforeByte(i);
        writePort(QByteArray(1, static_cast<char>(data[i])));
        waitMs(DataByteDelayMs);
    }
    pollTimer_.start();
}

std::uint32_t DeviceLink::waitMs(std::uint32_t ms) {
    return waits_.waitMs(ms);
}

bool DeviceLink::answerInFlight() const {
    if (state_.LastRequestType == 0)
        return false;
    // A read's answer is awaited until it is taken.
    if (answerAwaited_)
        return true;
    // A write's answer is not awaited; it may still come, and then its bytes show: waiting
    // at the port, or collected in part. A box that acknowledges a write with the answer's
    // head only has sent all it will.
    if (line_->isOpen() && line_->bytesWaiting() > 0)
        return true;
    return state_.RxFill > 0 && state_.RxFill != ResponseHeadBytes;
}

void DeviceLink::awaitAnswerInFlight() {
    for (std::uint32_t waited = 0; answerInFlight() && waited < PendingLimitMs && !isShutDown();
         waited += PendingPollMs) {
        // Bytes that have come are taken now, not at the next receive tick: the operation
        // waits for them.
        if (line_->isOpen() && line_->bytesWaiting() > 0)
            takeReceived();
        waitMs(PendingPollMs);
    }
}

const std::uint8_t* DeviceLink::readBlock(std::uint16_t type, std::uint32_t waitMs) {
    sendRead(type, BlockBytes);
    this->waitMs(waitMs);
    return state_.RxBuffer.data();
}

bool DeviceLink::awaitAck(std::int32_t tries) {
    std::int32_t i = 0;
    for (;;) {
        ++i;
        if (i >= tries)
            break;
        waitMs(AckPollMs);
        if (state_.RxBuffer[0] == ApiAck)
            break;
    }
    if (i >= tries)
        return false;
    state_.RxFill = 0;
    answerAwaited_ = false;
    clearRxBuffer();
    return true;
}

void DeviceLink::shutdown() {
    if (isShutDown())
        return;
    waits_.abortAll();
    busy_.endSession();
    rxTimer_.stop();
    pollTimer_.stop();
    line_->close();
    pump_.suspend();
    pump_.stop();
}
