#pragma once
#include "AnswerBuffer.h"
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

// The device link's insides, shared by the link and by what works on its line in its name:
// the search, an operation's line session, a receive pause, the loader's raw channel. It
// holds the line, the request in flight and its answer's bytes, the receive tick's and the
// status poll's timers, the waits, and what an operation holding the line asks for. It
// frames requests and collects answers; what an answer means, the poll and the watchdog
// are the link's. Nothing outside link/ reaches it. GUI thread only.
class LinkCore : public QObject {
    Q_OBJECT
public:
    // `dispatch` takes a completed answer, on the GUI thread, once the pump handed it on.
    LinkCore(Reporter& reporter, LinkView& view, std::function<void()> dispatch, QObject* parent);

    // Where the link logs, and what it shows of itself.
    Reporter& log() { return reporter_; }
    LinkView& display() { return view_; }
    Line& line() { return *line_; }
    const Line& line() const { return *line_; }
    LinkState& state() { return state_; }
    const LinkState& state() const { return state_; }
    AnswerBuffer& answer() { return answer_; }
    const AnswerBuffer& answer() const { return answer_; }
    QTimer& rxTimer() { return rxTimer_; }
    const QTimer& rxTimer() const { return rxTimer_; }
    QTimer& pollTimer() { return pollTimer_; }
    const QTimer& pollTimer() const { return pollTimer_; }
    TThread_Uart_Api& pump() { return pump_; }
    WriteJournal& journal() { return journal_; }
    const WriteJournal& journal() const { return journal_; }

    // The ports a search probes: the override when there is one, else the system's.
    void setPortOverride(const QStringList& ports) { portOverride_ = ports; }
    QStringList portsToProbe() const;
    // From now on the link talks to `line`; when it is lost, it is closed.
    void useLine(std::unique_ptr<Line> line);
    // False until a port opened, and after a failed open: nothing to disconnect then.
    bool handleValid() const { return handleValid_; }
    void setHandleValid(bool valid) { handleValid_ = valid; }
    Connection connection() const { return connection_; }
    void setConnection(Connection connection);

    // Sends a request: its header, then for a write its data bytes paced more than 50 ms
    // after it and more than 1 ms apart, `beforeByte(i)` called before data byte i goes.
    void send(std::uint8_t rw, std::uint16_t type, std::uint16_t count, const std::uint8_t* data,
              const std::function<void(std::uint16_t)>& beforeByte);
    // Bytes written as they are, noted in the journal; nothing once closed.
    void writePort(const QByteArray& bytes);
    // Collects what waits at the line; a completed answer goes to the pump.
    void takeReceived();
    // Lets an answer in flight come in and be dispatched, for at most a few receive ticks
    // and the line's answer allowance.
    void takeAnswerInFlight();
    // The wait of `ms` after a read, for its answer. Over a line that adds to the answer's
    // time (a network server) it lasts up to the line's allowance longer and ends once
    // the answer has been dispatched; over a local port it is waitFor(ms), whatever comes.
    void awaitAnswer(std::uint32_t ms);
    // How much longer than over a local port an answer may take on the line in use.
    std::uint32_t answerAllowanceMs() const { return line_->answerAllowanceMs(); }
    // A completed answer is being taken; `acknowledged` when it began with 0xA1.
    void noteAnswer(bool acknowledged);
    // It was taken: nothing is awaited any more.
    void answerTaken();
    // An acknowledge seen by an operation that waited for it: the answer counts as taken.
    void acknowledgeTaken();
    bool lastAcknowledged() const { return lastAcknowledged_; }
    bool writesAnswered() const { return writesAnswered_; }

    // An operation holds the line: the watchdog counts nothing while it does.
    void holdLine(std::function<void()> onLineLost);
    void releaseLine();
    bool lineHeld() const { return lineHeld_; }
    // What runs, once, when the line is lost while it is set.
    void setLineLostAction(std::function<void()> onLineLost) { lineLost_ = std::move(onLineLost); }
    // Tells the operation that holds the line that the line is gone, once.
    void noticeLineLost();

    // The link's waits (MonotonicWait): events are handled meanwhile. Once the link is
    // shutting down, every wait returns at once.
    std::uint32_t waitFor(std::uint32_t ms) { return waits_.runFor(ms); }
    void abortWaits() { waits_.abortAll(); }
    bool shuttingDown() const { return waits_.aborted(); }

signals:
    void connectionSet(Connection connection);
    // The line was lost and is closed now.
    void lineLostAndClosed();

private:
    bool answerInFlight() const;
    void lineFailed();
    void closeLostLine();

    Reporter& reporter_;
    LinkView& view_;
    std::unique_ptr<Line> line_;
    LinkState state_;
    AnswerBuffer answer_;
    Connection connection_ = Connection::NotConnected;
    bool handleValid_ = false;
    bool lastAcknowledged_ = false;
    bool lastRequestWrite_ = false;
    bool writesAnswered_ = false;
    // The last request was a read whose answer has not been taken yet.
    bool answerAwaited_ = false;
    bool lineCloseQueued_ = false;
    bool lineHeld_ = false;
    // What the operation holding the line does when the line is lost under it.
    std::function<void()> lineLost_;
    QStringList portOverride_;
    QTimer rxTimer_;
    QTimer pollTimer_;
    WriteJournal journal_;
    MonotonicWait waits_;
    TThread_Uart_Api pump_;
};
