#include "LinkSessions.h"

#include "LinkCore.h"

#include <QCoreApplication>

LineSession::LineSession(LinkCore& core, const BusyGuard::Operation& operation,
                         std::function<void()> onLineLost)
    : core_(core), operation_(operation) {
    core_.pollTimer().stop();
    core_.holdLine(std::move(onLineLost));
    // A status poll sent just before the operation began would be taken for the answer
    // to the operation's first request.
    core_.takeAnswerInFlight();
}

LineSession::~LineSession() {
    core_.releaseLine();
    core_.state().WatchdogTicks = 0;
    // A closed link has stopped its poll; it stays stopped.
    if (!operation_.cancelled() && !core_.shuttingDown())
        core_.pollTimer().start();
}

ReceivePause::ReceivePause(LinkCore& core) : core_(core) {
    core_.rxTimer().stop();
}

ReceivePause::~ReceivePause() {
    // A closing window keeps its timers stopped.
    if (!core_.shuttingDown())
        core_.rxTimer().start();
}

RawChannel::RawChannel(LinkCore& core, std::function<void()> onLineLost) : core_(core) {
    core_.rxTimer().stop();
    core_.setLineLostAction(std::move(onLineLost));
}

RawChannel::~RawChannel() {
    core_.setLineLostAction(nullptr);
    core_.answer().setMode(FramedLinkMode);
    if (!core_.shuttingDown())
        core_.rxTimer().start();
}

void RawChannel::write(const QByteArray& bytes) {
    core_.writePort(bytes);
}

qint64 RawChannel::waiting(int maxWaitMs) {
    QCoreApplication::processEvents();
    Line& line = core_.line();
    if (core_.shuttingDown() || !line.isOpen())
        return 0;
    // Blocks this thread for at most maxWaitMs; the events of that time are handled on
    // the next call.
    line.waitForBytes(maxWaitMs);
    return line.isOpen() ? line.bytesWaiting() : 0;
}

bool RawChannel::receive(qint64 waiting, RxBytes& buffer, std::uint32_t& fill,
                         std::uint32_t floodAt) {
    return ReceiveWaiting(core_.line(), waiting, buffer, fill, floodAt);
}

void RawChannel::setMode(std::uint8_t mode) {
    core_.answer().setMode(mode);
}
