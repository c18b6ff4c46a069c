#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>

// How an attempt to open a line ended.
enum class LineOpen {
    Opened,
    Unconfigured, // opened, but the protocol's settings were refused: closed again
    Refused,      // the system would not open it
    Busy,         // refused: another program holds it
    Forbidden,    // refused: this user may not open it
    // A network line's server could not be reached:
    ConnectionRefused, // nothing listens at its port
    HostNotFound,      // its name does not resolve
    TimedOut,          // no answer to the connection within the bounded wait
};

// The wire to the device, the only thing the link knows of it: a byte stream at the
// protocol's settings (57600 baud, 8 data bits, no parity, 1 stop bit). GUI thread only.
class Line : public QObject {
    Q_OBJECT
public:
    // Opens the line that `name` (a port name as listed) stands for, at the protocol's
    // settings. May throw ConversionError for a name that cannot be a port (Windows).
    virtual LineOpen open(const QString& name) = 0;
    virtual bool isOpen() const = 0;
    // The line's name as the system knows it.
    virtual QString systemName() const = 0;
    // Sends the bytes at once.
    virtual void write(const QByteArray& bytes) = 0;
    virtual qint64 bytesWaiting() const = 0;
    virtual qint64 read(char* into, qint64 max) = 0;
    // Blocks this thread for at most `maxWaitMs` until bytes are waiting.
    virtual void waitForBytes(int maxWaitMs) = 0;
    // Drops every byte received and not read yet.
    virtual void discardInput() = 0;
    virtual void close() = 0;
    // How much longer than over a local port the device's answers may take to come back:
    // the time a network server and its network add. The waits for an answer grow by it;
    // 0 for a local port, whose waits are the protocol's own.
    virtual std::uint32_t answerAllowanceMs() const { return 0; }

    // Reads `count` bytes and drops them.
    void skip(qint64 count);

signals:
    void bytesArrived();
    // The line is gone (hung up, unplugged, or reads keep failing); emitted while it is
    // still open, perhaps more than once.
    void lost();
};
