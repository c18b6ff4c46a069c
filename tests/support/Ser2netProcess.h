#pragma once
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Debian's ser2net in front of one device's pseudo-terminal for one test, run with a
// configuration the helper writes: a raw TCP accepter and a telnet(rfc2217) accepter on
// ports of the loopback address `host` that were free a moment before. Both listen once
// the constructor returns (when ser2net could start); stopped when destroyed.
class Ser2netProcess {
public:
    explicit Ser2netProcess(const QString& devicePath,
                            const QString& host = QStringLiteral("127.0.0.1"));
    ~Ser2netProcess();
    Ser2netProcess(const Ser2netProcess&) = delete;
    Ser2netProcess& operator=(const Ser2netProcess&) = delete;

    // Whether both accepters listen.
    bool listening() const { return listening_; }
    // The port names that reach the device through each accepter: "tcp://HOST:PORT" and
    // "rfc2217://HOST:PORT" (an IPv6 host in brackets).
    QString rawName() const { return name(QStringLiteral("tcp"), rawPort_); }
    QString rfc2217Name() const { return name(QStringLiteral("rfc2217"), rfc2217Port_); }
    // Ends ser2net at once (SIGKILL), as a server that fails: its connections drop.
    void kill();

private:
    QString name(const QString& scheme, quint16 port) const;

    QTemporaryDir dir_;
    QProcess process_;
    QString host_;
    quint16 rawPort_ = 0;
    quint16 rfc2217Port_ = 0;
    bool listening_ = false;
};
