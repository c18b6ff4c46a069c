#include "Ser2netProcess.h"

#include "EventWait.h"

#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTextStream>

#include <tuple>

namespace {

// Two ports of `host` that nothing listens on now.
std::pair<quint16, quint16> freePorts(const QHostAddress& host) {
    QTcpServer first;
    QTcpServer second;
    if (!first.listen(host) || !second.listen(host))
        return {0, 0};
    return {first.serverPort(), second.serverPort()};
}

// Whether a socket of this machine listens on TCP port `port` (the system's own tables).
bool listensOn(quint16 port) {
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            continue;
        file.readLine(); // the heading
        while (!file.atEnd()) {
            const QList<QByteArray> fields = file.readLine().simplified().split(' ');
            // "sl local_address rem_address st ...": HEX_ADDRESS:HEX_PORT, state 0A listens.
            if (fields.size() > 3 && fields[3] == "0A" &&
                fields[1].split(':').value(1).toUShort(nullptr, 16) == port)
                return true;
        }
    }
    return false;
}

QString ser2netProgram() {
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("ser2net"));
    if (!onPath.isEmpty())
        return onPath;
    // A system program: /usr/sbin is not on every user's path.
    return QStandardPaths::findExecutable(QStringLiteral("ser2net"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

// "SCHEME://HOST:PORT", an IPv6 host in brackets.
QString portName(const QString& scheme, const QString& host, quint16 port) {
    const QString named = host.contains(':') ? '[' + host + ']' : host;
    return QStringLiteral("%1://%2:%3").arg(scheme, named).arg(port);
}

} // namespace

Ser2netProcess::Ser2netProcess(const QString& devicePath, const QString& host) {
    quint16 rawPort = 0;
    quint16 rfc2217Port = 0;
    std::tie(rawPort, rfc2217Port) = freePorts(QHostAddress(host));
    const QString program = ser2netProgram();
    if (rawPort == 0 || program.isEmpty())
        return;
    const QString config = dir_.filePath(QStringLiteral("ser2net.yaml"));
    {
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            return;
        // The line settings the raw accepter holds for its port are the protocol's; the
        // rfc2217 one lets the client set them. "local": a pty has no modem lines.
        const QString connector = QStringLiteral("serialdev,%1,57600n81,local").arg(devicePath);
        QTextStream(&file) << "connection: &raw\n"
                           << "  accepter: tcp," << host << "," << rawPort << "\n"
                           << "  connector: " << connector << "\n"
                           << "connection: &rfc2217\n"
                           << "  accepter: telnet(rfc2217),tcp," << host << "," << rfc2217Port
                           << "\n"
                           << "  connector: " << connector << "\n";
    }
    process_.setProgram(program);
    // In the foreground, without lock files, its pid file beside its configuration.
    process_.setArguments({QStringLiteral("-n"), QStringLiteral("-u"), QStringLiteral("-P"),
                           dir_.filePath(QStringLiteral("ser2net.pid")), QStringLiteral("-c"),
                           config});
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start();
    if (!process_.waitForStarted(10000))
        return;
    listening_ = waitUntil(
        [&] {
            return process_.state() == QProcess::Running && listensOn(rawPort) &&
                   listensOn(rfc2217Port);
        },
        10000);
    rawName_ = portName(QStringLiteral("tcp"), host, rawPort);
    rfc2217Name_ = portName(QStringLiteral("rfc2217"), host, rfc2217Port);
}

Ser2netProcess::~Ser2netProcess() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(10000))
        kill();
}

void Ser2netProcess::kill() {
    process_.kill();
    process_.waitForFinished(10000);
}
