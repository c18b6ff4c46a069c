#include "LoopbackServers.h"

#include <QHostAddress>

QString loopbackName(const char* scheme, quint16 port) {
    return QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(scheme)).arg(port);
}

quint16 closedLoopbackPort() {
    QTcpServer gone;
    gone.listen(QHostAddress::LocalHost);
    return gone.serverPort();
}

PlayedServer::PlayedServer() {
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, [this] {
        peer.reset(server.nextPendingConnection());
        QObject::connect(peer.get(), &QTcpSocket::readyRead, [this] {
            received += peer->readAll();
            if (answer)
                answer(*peer);
        });
    });
}

FullServer::FullServer() {
    // The queue holds one connection; the one made here fills it.
    server_.setListenBacklogSize(0);
    server_.listen(QHostAddress::LocalHost);
    server_.pauseAccepting();
    queued_.connectToHost(QHostAddress::LocalHost, server_.serverPort());
    queued_.waitForConnected(5000);
}
