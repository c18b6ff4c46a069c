#pragma once
// Servers on the loopback address that the tests play, for the network lines.
#include <QByteArray>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <memory>

// A port name of a loopback server: "tcp://127.0.0.1:PORT" for the scheme "tcp".
QString loopbackName(const char* scheme, quint16 port);

// A loopback port that nothing listens on: a connection to it is refused.
quint16 closedLoopbackPort();

// A server that takes connections (while the events run) and keeps what came; one that
// no event loop serves still has its connections made by the system, and is silent.
struct PlayedServer {
    PlayedServer();
    QString name(const char* scheme) const { return loopbackName(scheme, server.serverPort()); }

    QTcpServer server;
    std::unique_ptr<QTcpSocket> peer; // the last connection taken
    QByteArray received;
    // What the server does each time bytes came, when it answers at all.
    std::function<void(QTcpSocket&)> answer;
};

// A server whose queue of connections not taken yet is full: a new connection to it is
// never answered.
class FullServer {
public:
    FullServer();
    // Whether its queue is full.
    bool ready() const { return queued_.state() == QAbstractSocket::ConnectedState; }
    QString name(const char* scheme) const { return loopbackName(scheme, server_.serverPort()); }

private:
    QTcpServer server_;
    QTcpSocket queued_;
};
