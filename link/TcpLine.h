#pragma once
#include "Line.h"

#include <QTcpSocket>

#include <functional>

class QEventLoop;

// A serial server's port reached over the network ("tcp://HOST:PORT"): the bytes pass
// unchanged, at the line settings the server keeps for its port. Opening waits a bounded
// time for the connection while the events go on; the connection's end, from either
// side, is the line lost.
class TcpLine : public Line {
    Q_OBJECT
public:
    TcpLine();
    ~TcpLine() override;

    LineOpen open(const QString& name) override;
    bool isOpen() const override { return open_; }
    // The name as given: the server's address is the line's only name.
    QString systemName() const override { return name_; }
    void write(const QByteArray& bytes) override;
    qint64 bytesWaiting() const override { return input_.size(); }
    qint64 read(char* into, qint64 max) override;
    void waitForBytes(int maxWaitMs) override;
    void discardInput() override;
    void close() override;
    std::uint32_t answerAllowanceMs() const override { return AnswerAllowanceMs; }

    // A server that does not take the connection within this long is given up.
    static constexpr int ConnectLimitMs = 5000;
    // The server and the network between add to the device's time to answer: this much is
    // allowed on top of the waits of a local port.
    static constexpr std::uint32_t AnswerAllowanceMs = 500;

protected:
    // Once connected: what the line does before it is used (the Telnet line negotiates).
    virtual LineOpen settle() { return LineOpen::Opened; }
    // Takes the bytes the server sent into the device's bytes (`input_`).
    virtual void take(const QByteArray& incoming) { input_ += incoming; }
    // The device's bytes as they go to the server.
    virtual QByteArray outgoing(const QByteArray& bytes) { return bytes; }
    // Asks the server to drop what its port received and has not sent yet.
    virtual void discardServerInput() {}

    // Sends `bytes` to the server as they are.
    void send(const QByteArray& bytes);
    // Lets the events run until `done` holds, the connection ends or `limitMs` passed.
    void waitFor(const std::function<bool()>& done, int limitMs);

    // The device's bytes received and not read yet.
    QByteArray input_;

private:
    void readSocket();
    void failed(QAbstractSocket::SocketError error);
    // Ends the running waitFor() when it is done or the connection ended.
    void checkWait();

    QTcpSocket socket_;
    QString name_;
    bool open_ = false;
    QEventLoop* waiting_ = nullptr;
    std::function<bool()> waitDone_;
};
