#pragma once
#include "BusyGuard.h"
#include "ReceiveRule.h"

#include <QByteArray>

#include <cstdint>
#include <functional>

class LinkCore;

// The holds an operation takes on the link's line; the link hands them out.

// A device operation's hold on the line: holds the status poll and the watchdog and lets
// an answer in flight be dispatched; at its end, restores them unless the operation was
// cancelled. While it lives, `onLineLost` runs once if the line is lost (hung up, or
// disconnected): before the window hides or disables anything, so that the operation's
// failure shows.
class LineSession {
public:
    LineSession(LinkCore& core, const BusyGuard::Operation& operation,
                std::function<void()> onLineLost);
    ~LineSession();
    LineSession(const LineSession&) = delete;
    LineSession& operator=(const LineSession&) = delete;

private:
    LinkCore& core_;
    const BusyGuard::Operation& operation_;
};

// Nothing received is collected or logged while it lives (a dialog is open).
class ReceivePause {
public:
    explicit ReceivePause(LinkCore& core);
    ~ReceivePause();
    ReceivePause(const ReceivePause&) = delete;
    ReceivePause& operator=(const ReceivePause&) = delete;

private:
    LinkCore& core_;
};

// The firmware loader's unframed bytes: while it lives, the receive tick is off and the
// line carries raw bytes; at its end the framed protocol is back. `onLineLost` as for a
// line session.
class RawChannel {
public:
    RawChannel(LinkCore& core, std::function<void()> onLineLost);
    ~RawChannel();
    RawChannel(const RawChannel&) = delete;
    RawChannel& operator=(const RawChannel&) = delete;

    void write(const QByteArray& bytes);
    // Lets pending events be handled, then, when nothing is waiting, waits at most
    // `maxWaitMs` for bytes. The bytes waiting; 0 when the line closed.
    qint64 waiting(int maxWaitMs);
    // Takes the `waiting` bytes into `buffer` by the link's receive rule (ReceiveWaiting),
    // a flood's bytes kept at `floodAt`. False for a flood.
    bool receive(qint64 waiting, RxBytes& buffer, std::uint32_t& fill, std::uint32_t floodAt);
    // The loader's phase, as the link's mode: confirming (0) or transferring (1).
    void setMode(std::uint8_t mode);

private:
    LinkCore& core_;
};
