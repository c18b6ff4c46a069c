#include "LinkCore.h"

#include "ApiTypes.h"
#include "LinkView.h"
#include "MakeLine.h"
#include "PortNames.h"

namespace {

constexpr int RxTickMs = 100;
constexpr int PollMs = 1000;
constexpr std::uint32_t FirstDataDelayMs = 50;
constexpr std::uint32_t DataByteDelayMs = 1;
// Three receive ticks: a device that answers at all has been heard by then.
constexpr std::uint32_t PendingLimitMs = 300;
constexpr std::uint32_t PendingPollMs = 2;

} // namespace

LinkCore::LinkCore(Reporter& reporter, LinkView& view, std::function<void()> dispatch,
                   QObject* parent)
    : QObject(parent), reporter_(reporter), view_(view), rxTimer_(this), pollTimer_(this),
      pump_(this, std::move(dispatch)) {
    rxTimer_.setInterval(RxTickMs);
    pollTimer_.setInterval(PollMs);
    useLine(makeLine(QString()));
}

QStringList LinkCore::portsToProbe() const {
    return portOverride_.isEmpty() ? platformSerialPorts() : portOverride_;
}

void LinkCore::useLine(std::unique_ptr<Line> line) {
    line_ = std::move(line);
    connect(line_.get(), &Line::lost, this, &LinkCore::lineFailed);
}

void LinkCore::lineFailed() {
    if (lineCloseQueued_ || !line_->isOpen())
        return;
    // Closed from the event loop, not from inside the line's own read notification.
    lineCloseQueued_ = true;
    QMetaObject::invokeMethod(this, &LinkCore::closeLostLine, Qt::QueuedConnection);
}

void LinkCore::closeLostLine() {
    lineCloseQueued_ = false;
    if (!line_->isOpen())
        return;
    line_->close();
    noticeLineLost();
    emit lineLostAndClosed();
}

void LinkCore::noticeLineLost() {
    if (const std::function<void()> notice = std::exchange(lineLost_, nullptr))
        notice();
}

void LinkCore::setConnection(Connection connection) {
    connection_ = connection;
    view_.setSearchEnabled(connection == Connection::NotConnected);
    emit connectionSet(connection);
}

void LinkCore::writePort(const QByteArray& bytes) {
    if (shuttingDown() || !line_->isOpen())
        return;
    journal_.note(bytes);
    line_->write(bytes);
}

void LinkCore::send(std::uint8_t rw, std::uint16_t type, std::uint16_t count,
                    const std::uint8_t* data,
                    const std::function<void(std::uint16_t)>& beforeByte) {
    pollTimer_.stop();
    const char header[4] = {static_cast<char>(((type >> 8) & 0xFF) + (rw == ApiWrite ? 0x80 : 0)),
                            static_cast<char>(type & 0xFF), static_cast<char>(count & 0xFF), 0x0D};
    writePort(QByteArray(header, sizeof header));
    answer_.expect(type, count);
    lastAcknowledged_ = false;
    answerAwaited_ = rw == ApiRead;
    lastRequestWrite_ = rw == ApiWrite;
    if (rw != ApiWrite || count == 0 || data == nullptr)
        return;

    waitFor(FirstDataDelayMs);
    for (std::uint16_t i = 0; i < count; ++i) {
        // The port closed inside a wait (disconnect or closing): the rest is not sent.
        if (!line_->isOpen() || shuttingDown())
            return;
        if (beforeByte)
            beforeByte(i);
        writePort(QByteArray(1, static_cast<char>(data[i])));
        waitFor(DataByteDelayMs);
    }
    pollTimer_.start();
}

void LinkCore::takeReceived() {
    if (answer_.collect(*line_, reporter_))
        pump_.responseComplete();
}

void LinkCore::noteAnswer(bool acknowledged) {
    // Only the first answer after a request answers it; later completions are leftovers.
    if (answer_.awaitedType() == 0)
        return;
    lastAcknowledged_ = acknowledged;
    if (lastRequestWrite_)
        writesAnswered_ = acknowledged;
}

void LinkCore::answerTaken() {
    answer_.taken();
    answerAwaited_ = false;
}

void LinkCore::acknowledgeTaken() {
    answer_.drop();
    answerAwaited_ = false;
}

bool LinkCore::answerInFlight() const {
    if (answer_.awaitedType() == 0)
        return false;
    // A read's answer is awaited until it is taken.
    if (answerAwaited_)
        return true;
    // A write's answer is not awaited; it may still come, and then its bytes show: waiting
    // at the port, or collected in part. A box that acknowledges a write with the answer's
    // head only has sent all it will.
    if (line_->isOpen() && line_->bytesWaiting() > 0)
        return true;
    // Over a line that delays answers, one that has not shown at all may still be on its
    // way: the write's answer is awaited as long as an answer in flight may take.
    if (answer_.fill() == 0)
        return lastRequestWrite_ && answerAllowanceMs() > 0;
    return answer_.fill() != AnswerBuffer::HeadBytes;
}

void LinkCore::takeAnswerInFlight() {
    const std::uint32_t limit = PendingLimitMs + answerAllowanceMs();
    for (std::uint32_t waited = 0; answerInFlight() && waited < limit && !shuttingDown();
         waited += PendingPollMs) {
        // Bytes that have come are taken now, not at the next receive tick: the operation
        // waits for them.
        if (line_->isOpen() && line_->bytesWaiting() > 0)
            takeReceived();
        waitFor(PendingPollMs);
    }
}

void LinkCore::awaitAnswer(std::uint32_t ms) {
    const std::uint32_t allowance = answerAllowanceMs();
    if (allowance == 0) {
        waitFor(ms);
        return;
    }
    const std::uint32_t limit = ms + allowance;
    for (std::uint32_t waited = 0;
         answerAwaited_ && line_->isOpen() && waited < limit && !shuttingDown();)
        waited += waitFor(PendingPollMs);
}

void LinkCore::holdLine(std::function<void()> onLineLost) {
    lineHeld_ = true;
    lineLost_ = std::move(onLineLost);
}

void LinkCore::releaseLine() {
    lineHeld_ = false;
    lineLost_ = nullptr;
}
