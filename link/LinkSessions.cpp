// The holds an operation takes on the line: the line session, the receive pause and the
// raw channel of the firmware loader.
#include "DeviceLink.h"

#include <QCoreApplication>

DeviceLink::LineSession::LineSession(DeviceLink& link, const BusyGuard::Operation& operation,
                                     std::function<void()> onLineLost)
    : link_(link), operation_(operation) {
    link_.pollTimer_.stop();
    link_.lineHeld_ = true;
    link_.lineLost_ = std::move(onLineLost);
    // A status poll sent just before the operation began would be taken for the answer
    // to the operation's first request.
    link_.awaitAnswerInFlight();
}

DeviceLink::LineSession::~LineSession() {
    link_.lineHeld_ = false;
    link_.lineLost_ = nullptr;
    link_.state_.WatchdogTicks = 0;
    // A closed link has stopped its poll; it stays stopped.
    if (!operation_.cancelled() && !link_.isShutDown())
        link_.pollTimer_.start();
}

DeviceLink::ReceivePause::ReceivePause(DeviceLink& link) : link_(link) {
    link_.rxTimer_.stop();
}

DeviceLink::ReceivePause::~ReceivePause() {
    // A closing window keeps its timers stopped.
    if (!link_.isShutDown())
        link_.rxTimer_.start();
}

DeviceLink::RawChannel::RawChannel(DeviceLink& link, std::function<void()> onLineLost)
    : link_(link) {
    link_.rxTimer_.stop();
    link_.lineLost_ = std::move(onLineLost);
}

DeviceLink::RawChannel::~RawChannel() {
    link_.lineLost_ = nullptr;
    link_.state_.LinkMode = FramedLinkMode;
    if (!link_.isShutDown())
        link_.rxTimer_.start();
}

void DeviceLink::RawChannel::write(const QByteArray& bytes) {
    link_.writePort(bytes);
}

qint64 DeviceLink::RawChannel::waiting(int maxWaitMs) {
    QCoreApplication::processEvents();
    Line& line = *link_.line_;
    if (link_.isShutDown() || !line.isOpen())
        return 0;
    // Blocks this thread for at most maxWaitMs; the events of that time are handled on
    // the next call.
    line.waitForBytes(maxWaitMs);
    return line.isOpen() ? line.bytesWaiting() : 0;
}

qint64 DeviceLink::RawChannel::read(char* into, qint64 max) {
    return link_.line_->read(into, max);
}

void DeviceLink::RawChannel::skip(qint64 count) {
    link_.line_->skip(count);
}

void DeviceLink::RawChannel::discard() {
    link_.line_->discardInput();
}

void DeviceLink::RawChannel::setMode(std::uint8_t mode) {
    link_.state_.LinkMode = mode;
}
