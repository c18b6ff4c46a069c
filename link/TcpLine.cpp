#include "TcpLine.h"

#include "NetworkAddress.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstring>

#if defined(Q_OS_LINUX)
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#elif defined(Q_OS_WIN)
#include <winsock2.h>
// After winsock2.h, which it builds on.
#include <mstcpip.h>
#endif

namespace {

// A server that holds back a small send until its last one is acknowledged (Nagle's rule,
// ser2net's default) would wait for the delayed acknowledgement of each read, 40 ms a
// time, in the middle of an answer (Windows: up to 200 ms). Acknowledged at once, the
// answer's rest follows. Linux's quick acknowledgement lasts a while only, so it is asked
// for after every read; Windows takes an acknowledgement frequency of 1 (a version that
// does not know it refuses it and keeps its delay).
void acknowledgeAtOnce(const QTcpSocket& socket) {
#if defined(Q_OS_LINUX)
    const int on = 1;
    ::setsockopt(static_cast<int>(socket.socketDescriptor()), IPPROTO_TCP, TCP_QUICKACK, &on,
                 sizeof on);
#elif defined(Q_OS_WIN)
    DWORD everySegment = 1;
    DWORD returned = 0;
    ::WSAIoctl(static_cast<SOCKET>(socket.socketDescriptor()), SIO_TCP_SET_ACK_FREQUENCY,
               &everySegment, sizeof everySegment, nullptr, 0, &returned, nullptr, nullptr);
#else
    Q_UNUSED(socket);
#endif
}

} // namespace

TcpLine::TcpLine() {
    connect(&socket_, &QTcpSocket::readyRead, this, &TcpLine::readSocket);
    // A connection made, refused or ended: a wait may be over.
    connect(&socket_, &QTcpSocket::stateChanged, this, &TcpLine::checkWait);
    connect(&socket_, &QTcpSocket::errorOccurred, this, &TcpLine::failed);
    connect(&socket_, &QTcpSocket::disconnected, this, [this] {
        if (open_)
            emit lost();
    });
}

TcpLine::~TcpLine() {
    // A closing socket still signals; nothing of this line may answer any more.
    socket_.disconnect(this);
}

LineOpen TcpLine::open(const QString& name) {
    name_ = name;
    const std::optional<NetworkAddress> address = parseNetworkName(name);
    if (!address)
        return LineOpen::Refused;
    input_.clear();
    socket_.connectToHost(address->host, address->port);
    waitFor([this] { return socket_.state() == QAbstractSocket::ConnectedState; }, ConnectLimitMs);
    if (socket_.state() != QAbstractSocket::ConnectedState) {
        const QAbstractSocket::SocketState state = socket_.state();
        const QAbstractSocket::SocketError error = socket_.error();
        socket_.abort();
        if (state != QAbstractSocket::UnconnectedState)
            return LineOpen::TimedOut;
        switch (error) {
        case QAbstractSocket::ConnectionRefusedError:
            return LineOpen::ConnectionRefused;
        case QAbstractSocket::HostNotFoundError:
            return LineOpen::HostNotFound;
        case QAbstractSocket::SocketTimeoutError:
            return LineOpen::TimedOut;
        default:
            return LineOpen::Refused;
        }
    }
    // Requests are a few bytes, the data bytes of a write one at a time: each goes at once.
    socket_.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const LineOpen settled = settle();
    if (socket_.state() != QAbstractSocket::ConnectedState) {
        socket_.abort();
        return LineOpen::Refused;
    }
    if (settled != LineOpen::Opened) {
        socket_.abort();
        return settled;
    }
    open_ = true;
    return LineOpen::Opened;
}

void TcpLine::write(const QByteArray& bytes) {
    if (open_)
        send(outgoing(bytes));
}

void TcpLine::send(const QByteArray& bytes) {
    socket_.write(bytes);
    socket_.flush();
}

qint64 TcpLine::read(char* into, qint64 max) {
    const qint64 count = std::min<qint64>(max, input_.size());
    if (count <= 0)
        return 0;
    std::memcpy(into, input_.constData(), static_cast<std::size_t>(count));
    input_.remove(0, count);
    return count;
}

void TcpLine::waitForBytes(int maxWaitMs) {
    if (open_ && input_.isEmpty() && socket_.state() == QAbstractSocket::ConnectedState)
        socket_.waitForReadyRead(maxWaitMs);
}

void TcpLine::discardInput() {
    readSocket();
    input_.clear();
    if (open_)
        discardServerInput();
}

void TcpLine::close() {
    open_ = false;
    input_.clear();
    socket_.abort();
    if (waiting_)
        waiting_->quit();
}

void TcpLine::readSocket() {
    const QByteArray incoming = socket_.readAll();
    if (!incoming.isEmpty()) {
        acknowledgeAtOnce(socket_);
        take(incoming);
        if (!input_.isEmpty())
            emit bytesArrived();
    }
    checkWait();
}

void TcpLine::failed(QAbstractSocket::SocketError error) {
    // A wait for bytes that ran out (the firmware update's passes) is no failure.
    if (error == QAbstractSocket::SocketTimeoutError)
        return;
    checkWait();
    if (open_)
        emit lost();
}

void TcpLine::waitFor(const std::function<bool()>& done, int limitMs) {
    if (done() || socket_.state() == QAbstractSocket::UnconnectedState)
        return;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    waitDone_ = done;
    waiting_ = &loop;
    limit.start(limitMs);
    loop.exec();
    waiting_ = nullptr;
    waitDone_ = nullptr;
}

void TcpLine::checkWait() {
    if (waiting_ && (socket_.state() == QAbstractSocket::UnconnectedState || waitDone_()))
        waiting_->quit();
}
