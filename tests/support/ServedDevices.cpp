// served-devices: starts devsim and ser2net for the Windows build's device tests, which
// run under Wine and can neither start these Linux programs nor read a pty. Listens on a
// loopback port, prints the port as its first line, and serves until its standard input
// ends; every program it started ends with it.
//
// Each connection starts one program, with one line of fields separated by tabs:
//   start devsim OPTION...    answered: started PTY TRACE-FILE
//   start ser2net PTY HOST    answered: started RAW-NAME RFC2217-NAME
// or "failed". Then "terminate" (as SIGTERM: devsim writes its dumps) or "kill" (at once)
// ends it, answered "ended"; a connection that closes ends it too. Windows paths among
// devsim's options (C:\..., Z:\...) reach it as the paths of Wine's drives here.
#include "DevsimProcess.h"
#include "Ser2netProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// A Windows path as Wine's drive folders show it here (dosdevices/c: is drive_c,
// dosdevices/z: the root); any other argument unchanged.
QString onThisSystem(const QString& argument) {
    static const QRegularExpression drive(QStringLiteral("^([A-Za-z]):[\\\\/]"));
    const QRegularExpressionMatch match = drive.match(argument);
    if (!match.hasMatch())
        return argument;
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString prefix = environment.value(QStringLiteral("WINEPREFIX"),
                                             QDir::homePath() + QStringLiteral("/.wine"));
    return prefix + QStringLiteral("/dosdevices/") + match.captured(1).toLower() +
           QStringLiteral(":/") + argument.mid(3).replace('\\', '/');
}

// One connection and the program it started.
class Session : public QObject {
public:
    explicit Session(QTcpSocket* socket) : QObject(socket), socket_(socket) {
        connect(socket, &QTcpSocket::readyRead, this, &Session::read);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    void read() {
        while (socket_->canReadLine()) {
            const QStringList fields =
                QString::fromUtf8(socket_->readLine()).chopped(1).split('\t');
            answer(serve(fields));
        }
    }

    QStringList serve(const QStringList& fields) {
        const QString request = fields.value(0);
        if (request == QLatin1String("start") && fields.value(1) == QLatin1String("devsim")) {
            QStringList options;
            for (const QString& option : fields.mid(2))
                options << onThisSystem(option);
            devsim_ = std::make_unique<DevsimProcess>(options);
            if (devsim_->path().isEmpty())
                return {QStringLiteral("failed")};
            return {QStringLiteral("started"), devsim_->path(), devsim_->tracePath()};
        }
        if (request == QLatin1String("start") && fields.value(1) == QLatin1String("ser2net")) {
            ser2net_ = std::make_unique<Ser2netProcess>(fields.value(2), fields.value(3));
            if (!ser2net_->listening())
                return {QStringLiteral("failed")};
            return {QStringLiteral("started"), ser2net_->rawName(), ser2net_->rfc2217Name()};
        }
        if (request == QLatin1String("kill")) {
            if (devsim_)
                devsim_->kill();
            if (ser2net_)
                ser2net_->kill();
            return {QStringLiteral("ended")};
        }
        if (request == QLatin1String("terminate")) {
            devsim_.reset();
            ser2net_.reset();
            return {QStringLiteral("ended")};
        }
        return {QStringLiteral("failed")};
    }

    void answer(const QStringList& fields) { socket_->write(fields.join('\t').toUtf8() + '\n'); }

    QTcpSocket* socket_;
    std::unique_ptr<DevsimProcess> devsim_;
    std::unique_ptr<Ser2netProcess> ser2net_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost)) {
        std::fprintf(stderr, "served-devices: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    QObject::connect(&server, &QTcpServer::newConnection, [&server] {
        while (QTcpSocket* socket = server.nextPendingConnection())
            new Session(socket);
    });
    std::printf("%u\n", server.serverPort());
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}
