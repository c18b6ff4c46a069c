#pragma once
#include "BusyGuard.h"
#include "Line.h"
#include "LinkState.h"
#include "MonotonicWait.h"
#include "TThread_Uart_Api.h"
#include "WriteJournal.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>

class LinkView;
class Reporter;

// The device link: the line to the device and the request in flight, the receive tick with its
// watchdog, the dispatch of responses, the status poll, search and disconnect.
// Every request, wait and port write of the program goes through here. GUI thread only.
class DeviceLink : public QObject {
    Q_OBJECT
public:
    // The link makes and wires its two timers: the receive tick (100 ms) and the status
    // poll (1000 ms), both stopped until a search finds the device.
    DeviceLink(Reporter& reporter, LinkView& view, QObject* parent = nullptr);
    // A link over a line that is already open, not connected until a search: a test's
    // line. A search opens lines of its own.
    DeviceLink(Reporter& reporter, LinkView& view, std::unique_ptr<Line> line);
    ~DeviceLink() override;

    // When not empty, the only ports a search probes, in this order.
    void setPortOverride(const QStringList& ports) { portOverride_ = ports; }
    QStringList listPorts() const;
    // Names the timers as the owner's layout knows them (the window's timer controls).
    void nameTimers(const QString& receive, const QString& poll);

    // May throw ConversionError for a port name (Windows only).
    void search();
    void disconnect();
    void receiveTick();
    void pollTick();
    void dispatch();

    // Typed requests. A read asks for `count` bytes; its answer is awaited. A write sends
    // its header and `count` data bytes paced more than 50 ms after it and more than
    // 1 ms apart, `beforeByte(i)` called before data byte i goes (an upload's progress);
    // the protocol awaits no answer to it, though most boxes send one.
    void sendRead(std::uint16_t type, std::uint16_t count);
    void sendWrite(std::uint16_t type, std::uint16_t count, const std::uint8_t* data = nullptr,
                   const std::function<void(std::uint16_t)>& beforeByte = {});
    // True when byte 0 of the received bytes became 0xA1 within `tries` looks 10 ms
    // apart (then they are cleared, and the answer counts as taken).
    bool awaitAck(std::int32_t tries);
    // Sends a read of one EDID block and waits `waitMs`: the received bytes (answer head
    // included), RxCapacity of them and a terminating zero.
    const std::uint8_t* readBlock(std::uint16_t type, std::uint32_t waitMs);
    std::uint32_t waitMs(std::uint32_t ms);
    // Lets an answer still in flight come in and be dispatched, for at most a few receive
    // ticks, so that it cannot be taken for the answer to the next request. Waits only
    // when one is coming: a read is unanswered, or bytes of an answer have been received.
    void awaitAnswerInFlight();

    // A device operation's hold on the line: holds the status poll and the watchdog and
    // lets an answer in flight be dispatched; at its end, restores them unless the
    // operation was cancelled. While it lives, `onLineLost` runs once if the line is lost
    // (hung up, or disconnected): before the window hides or disables anything, so that
    // the operation's failure shows.
    class LineSession {
    public:
        LineSession(DeviceLink& link, const BusyGuard::Operation& operation,
                    std::function<void()> onLineLost = {});
        ~LineSession();
        LineSession(const LineSession&) = delete;
        LineSession& operator=(const LineSession&) = delete;

    private:
        DeviceLink& link_;
        const BusyGuard::Operation& operation_;
    };
    LineSession takeLine(const BusyGuard::Operation& operation,
                         std::function<void()> onLineLost = {}) {
        return {*this, operation, std::move(onLineLost)};
    }

    // Nothing received is collected or logged while it lives (a dialog is open).
    class ReceivePause {
    public:
        explicit ReceivePause(DeviceLink& link);
        ~ReceivePause();
        ReceivePause(const ReceivePause&) = delete;
        ReceivePause& operator=(const ReceivePause&) = delete;

    private:
        DeviceLink& link_;
    };
    ReceivePause pauseReceive() { return ReceivePause(*this); }

    // The firmware loader's unframed bytes: while it lives, the receive tick is off and
    // the line carries raw bytes; at its end the framed protocol is back. `onLineLost`
    // as for a line session.
    class RawChannel {
    public:
        explicit RawChannel(DeviceLink& link, std::function<void()> onLineLost = {});
        ~RawChannel();
        RawChannel(const RawChannel&) = delete;
        RawChannel& operator=(const RawChannel&) = delete;

        void write(const QByteArray& bytes);
        // Lets pending events be handled, then, when nothing is waiting, waits at most
        // `maxWaitMs` for bytes. The bytes waiting; 0 when the line closed.
        qint64 waiting(int maxWaitMs);
        qint64 read(char* into, qint64 max);
        void skip(qint64 count);
        void discard();
        // The loader's phase, as LinkMode: confirming (0) or transferring (1).
        void setMode(std::uint8_t mode);

    private:
        DeviceLink& link_;
    };

    // Starts a device operation, or returns an empty one when another runs. Its end is
    // signalled by operationEnded().
    BusyGuard::Operation tryBeginOperation() { return busy_.tryBegin(); }
    bool operationRunning() const { return busy_.busy(); }
    // Stops the running operation, the line left open: it finishes the frame in flight,
    // sends nothing more and ends as a failure (a command interrupted by a signal).
    void cancelOperation() { busy_.endSession(); }
    // A long task runs (a file analysed): the watchdog must not take the silence for a
    // lost device.
    void markAlive() { state_.LinkFlags |= LinkFlag::LinkAlive; }

    // The window is closing: nothing more is sent, every wait returns at once, the pump
    // is stopped and joined.
    void shutdown();
    bool isShutDown() const { return waits_.aborted(); }

    Connection connection() const { return connection_; }
    bool portOpen() const { return line_->isOpen(); }
    // The port the link holds, by its system name.
    QString portName() const { return line_->systemName(); }
    bool ispMode() const { return (state_.LinkFlags & LinkFlag::IspMode) != 0; }
    // Which firmware loader answered the search (0, or 1 for the marked one).
    int ispVariant() const { return state_.IspVariant; }
    // Whether the response to the last request sent completed and began with 0xA1.
    bool lastResponseAcknowledged() const { return lastAcknowledged_; }
    // Whether the device answered the last write whose answer came whole; false until one
    // did. A box that takes writes silently, or answers them with the head only, never does.
    bool writesAnswered() const { return writesAnswered_; }
    const WriteJournal& journal() const { return journal_; }
    WriteJournal& journal() { return journal_; }
    Reporter& reporter() { return reporter_; }
    LinkView& view() { return view_; }

    // The link's insides, for its own tests only.
    LinkState& state() { return state_; }
    const LinkState& state() const { return state_; }
    QTimer& rxTimer() { return rxTimer_; }
    QTimer& pollTimer() { return pollTimer_; }

signals:
    void operationEnded();

private:
    void send(std::uint8_t rw, std::uint16_t type, std::uint16_t count, const std::uint8_t* data,
              const std::function<void(std::uint16_t)>& beforeByte);
    void writePort(const QByteArray& bytes);
    void clearRxBuffer();
    void setConnection(Connection connection);
    void watchdogTick();
    // False when nothing may complete at this tick: the port is closed, or a flood
    // was discarded.
    bool collectReceived();
    // The receive tick without its watchdog: collects, drops stray answers, completes.
    void takeReceived();
    void dropStrayAnswers();
    bool answerInFlight() const;
    void useLine(std::unique_ptr<Line> line);
    void lineFailed();
    void closeLostLine();
    // Tells the operation that holds the line that the line is gone, once.
    void noticeLineLost();

    // One search: probes the listed ports in order (DeviceSearch.cpp, with search()).
    class Search;

    Reporter& reporter_;
    LinkView& view_;
    std::unique_ptr<Line> line_;
    LinkState state_;
    Connection connection_ = Connection::NotConnected;
    bool handleValid_ = false; // false until a port opened, and after a failed open
    bool lastAcknowledged_ = false;
    bool lastRequestWrite_ = false;
    bool writesAnswered_ = false;
    // The last request was a read whose answer has not been taken yet.
    bool answerAwaited_ = false;
    // Bytes of an answer that is not the pending request's are being skipped.
    bool skippingStray_ = false;
    bool lineCloseQueued_ = false;
    // An operation holds the line: the watchdog counts nothing.
    bool lineHeld_ = false;
    // What the operation holding the line does when the line is lost under it.
    std::function<void()> lineLost_;
    QStringList portOverride_;
    QTimer rxTimer_;
    QTimer pollTimer_;
    WriteJournal journal_;
    BusyGuard busy_;
    MonotonicWait waits_;
    TThread_Uart_Api pump_;
};
