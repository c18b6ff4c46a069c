#pragma once
#include "BusyGuard.h"
#include "DeviceBlock.h"
#include "Line.h"
#include "LinkCore.h"
#include "LinkSessions.h"
#include "LinkState.h"

#include <QObject>
#include <QStringList>

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
    // A link over a line that is already open (a test's): it receives from it at once, as
    // from a port a search opened, and is not connected until a search. A search opens
    // lines of its own.
    DeviceLink(Reporter& reporter, LinkView& view, std::unique_ptr<Line> line);
    ~DeviceLink() override;

    // When not empty, the only ports a search probes, in this order.
    void setPortOverride(const QStringList& ports) { core_.setPortOverride(ports); }
    QStringList listPorts() const { return core_.portsToProbe(); }
    // Names the timers as the owner's layout knows them (the window's timer controls).
    void nameTimers(const QString& receive, const QString& poll);

    // May throw ConversionError for a port name (Windows only).
    void search();
    void disconnect();

    // Typed requests. A read asks for `count` bytes; its answer is awaited. A write sends
    // its header and `count` data bytes paced more than 50 ms after it and more than
    // 1 ms apart, `beforeByte(i)` called before data byte i goes (an upload's progress);
    // the protocol awaits no answer to it, though most boxes send one.
    void sendRead(std::uint16_t type, std::uint16_t count);
    void sendWrite(std::uint16_t type, std::uint16_t count, const std::uint8_t* data = nullptr,
                   const std::function<void(std::uint16_t)>& beforeByte = {});
    // True when byte 0 of the received bytes became 0xA1 within `tries` looks 10 ms
    // apart, and as many more as the line's answer allowance covers (then they are
    // cleared, and the answer counts as taken).
    bool awaitAck(std::int32_t tries);
    // Sends a read of one EDID block and awaits its answer for `waitMs` (over a network
    // line up to its answer allowance longer, ending once it came): the answer as it
    // stands then.
    DeviceBlock readBlock(std::uint16_t type, std::uint32_t waitMs);
    std::uint32_t waitMs(std::uint32_t ms) { return core_.waitFor(ms); }
    // Lets an answer still in flight come in and be dispatched, for at most a few receive
    // ticks, so that it cannot be taken for the answer to the next request. Waits only
    // when one is coming: a read is unanswered, or bytes of an answer have been received.
    void awaitAnswerInFlight() { core_.takeAnswerInFlight(); }
    // How much longer than over a local port an answer may take on the line in use.
    std::uint32_t answerAllowanceMs() const { return core_.answerAllowanceMs(); }

    // The holds an operation takes on the line (LinkSessions.h).
    LineSession takeLine(const BusyGuard::Operation& operation,
                         std::function<void()> onLineLost = {}) {
        return {core_, operation, std::move(onLineLost)};
    }
    ReceivePause pauseReceive() { return ReceivePause(core_); }
    RawChannel openRawChannel(std::function<void()> onLineLost = {}) {
        return {core_, std::move(onLineLost)};
    }

    // Starts a device operation, or returns an empty one when another runs. Its end is
    // signalled by operationEnded().
    BusyGuard::Operation tryBeginOperation() { return busy_.tryBegin(); }
    bool operationRunning() const { return busy_.busy(); }
    // Stops the running operation, the line left open: it finishes the frame in flight,
    // sends nothing more and ends as a failure (a command interrupted by a signal).
    void cancelOperation() { busy_.endSession(); }
    // A long task runs (a file analysed): the watchdog must not take the silence for a
    // lost device.
    void markAlive();

    // The window is closing: nothing more is sent, every wait returns at once, the pump
    // is stopped and joined.
    void shutdown();
    bool isShutDown() const { return core_.shuttingDown(); }

    Connection connection() const { return core_.connection(); }
    bool portOpen() const { return core_.line().isOpen(); }
    // The port the link holds, by its system name.
    QString portName() const { return core_.line().systemName(); }
    bool ispMode() const;
    // Which firmware loader answered the search (0, or 1 for the marked one).
    int ispVariant() const;
    // Whether the response to the last request sent completed and began with 0xA1.
    bool lastResponseAcknowledged() const { return core_.lastAcknowledged(); }
    // Whether the device answered the last write whose answer came whole; false until one
    // did. A box that takes writes silently, or answers them with the head only, never does.
    bool writesAnswered() const { return core_.writesAnswered(); }
    const WriteJournal& journal() const { return core_.journal(); }
    WriteJournal& journal() { return core_.journal(); }
    Reporter& reporter() { return core_.log(); }
    LinkView& view() { return core_.display(); }

    // The link at a glance, for a status display or a test; nothing in it can be changed.
    struct Report {
        std::uint16_t awaiting; // the request whose answer is awaited; 0 once taken
        bool alive;             // the device answered the last status poll, or a long task runs
        bool polling;           // the status poll runs
        bool receiving;         // the receive tick takes framed answers: not while a dialog is
                                // open or the loader's raw bytes hold the line
    };
    Report report() const;

signals:
    void operationEnded();
    // A search found the device or its loader, or the link was disconnected.
    void connectionChanged(Connection connection);

private:
    void receiveTick();
    void pollTick();
    void dispatch();
    void watchdogTick();
    // The line was lost and closed under the link.
    void afterLineLost();

    LinkCore core_;
    BusyGuard busy_;
};
