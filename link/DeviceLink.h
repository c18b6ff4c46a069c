#pragma once
#include "BusyGuard.h"
#include "LinkState.h"
#include "MonotonicWait.h"
#include "TThread_Uart_Api.h"
#include "WriteJournal.h"

#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>

#include <cstdint>

class LinkView;
class Reporter;

// The device link: the serial port and the request in flight, the receive tick with its
// watchdog, the dispatch of responses, the status poll, search and disconnect.
// Every request, wait and port write of the program goes through here. GUI thread only.
class DeviceLink : public QObject {
    Q_OBJECT
public:
    // The two timers are the window's (100 ms and 1000 ms, stopped); when null, the link
    // makes its own. The owner connects their ticks to Timer_UART_RxTimer and
    // Timer_Poll_StatusTimer, as it connects the buttons.
    DeviceLink(Reporter& reporter, LinkView& view, QTimer* rxTimer = nullptr,
               QTimer* pollTimer = nullptr, QObject* parent = nullptr);
    ~DeviceLink() override;

    // When not empty, the only ports a search probes, in this order.
    void setPortOverride(const QStringList& ports) { portOverride_ = ports; }
    void ListComPorts(QStringList& list) const;

    // Handlers. Search may throw ConversionError for a port name (Windows only).
    void BitBtn_SearchClick();
    void BitBtn_DisconnectClick();
    void Timer_UART_RxTimer();
    void Timer_Poll_StatusTimer();
    void DispatchResponse();

    // Sends one request: the 4-byte header and, for a write, `count` data bytes paced
    // more than 50 ms after it and more than 1 ms apart.
    void Uart_Api_Send(std::uint8_t rw, std::uint16_t type, std::uint16_t count,
                       const std::uint8_t* data = nullptr);
    std::uint32_t WaitMs(std::uint32_t ms);
    // True on time-out; false when byte 0 of RxBuffer became 0xA1 (then the buffer is
    // cleared).
    bool WaitForAck(std::int32_t tries);
    // Lets the answer to a request still in flight (a status poll sent just before an
    // operation began) come in and be dispatched, for at most a few receive ticks, so
    // that it cannot be taken for the answer to the operation's next request.
    void AwaitPendingResponse();
    // Raw bytes for the firmware loader, which runs without frames.
    void writePort(const QByteArray& bytes);

    // Starts a device operation, or returns an empty one when another runs.
    BusyGuard::Operation tryBeginOperation() { return busy_.tryBegin(); }
    bool operationRunning() const { return busy_.busy(); }

    // The window is closing: nothing more is sent, every wait returns at once, the pump
    // is stopped and joined.
    void shutdown();
    bool isShutDown() const { return waits_.aborted(); }

    LinkState& state() { return state_; }
    const LinkState& state() const { return state_; }
    Connection connection() const { return connection_; }
    bool portOpen() const { return ComHandle.isOpen(); }
    QSerialPort& comHandle() { return ComHandle; }
    // Whether the response to the last request sent completed and began with 0xA1.
    bool lastResponseAcknowledged() const { return lastAcknowledged_; }
    const WriteJournal& journal() const { return journal_; }
    WriteJournal& journal() { return journal_; }
    QTimer& rxTimer() { return *rxTimer_; }
    QTimer& pollTimer() { return *pollTimer_; }
    Reporter& reporter() { return reporter_; }
    LinkView& view() { return view_; }

private:
    friend class DeviceSearch;

    void clearRxBuffer();
    void setConnection(Connection connection);
    void watchdogTick();
    void collectReceived();
    void dropStrayAnswers();
    void portFailed(QSerialPort::SerialPortError error);
    void closeLostLine();

    Reporter& reporter_;
    LinkView& view_;
    QSerialPort ComHandle;
    LinkState state_;
    Connection connection_ = Connection::NotConnected;
    bool handleValid_ = false; // false until a port opened, and after a failed open
    bool lastAcknowledged_ = false;
    // Bytes of an answer that is not the pending request's are being skipped.
    bool skippingStray_ = false;
    // Read errors since the last bytes read; a hung-up line repeats them endlessly.
    int readErrors_ = 0;
    bool lineCloseQueued_ = false;
    QStringList portOverride_;
    // Guarded: the window's timers may be destroyed before the link.
    QPointer<QTimer> rxTimer_;
    QPointer<QTimer> pollTimer_;
    WriteJournal journal_;
    BusyGuard busy_;
    MonotonicWait waits_;
    TThread_Uart_Api pump_;
};
