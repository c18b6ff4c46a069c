#pragma once
#include <QString>
#ifdef Q_OS_WIN
#include "HostedProcess.h"
#else
#include <QProcess>
#include <QTemporaryDir>
#endif

// Debian's ser2net in front of one device's pseudo-terminal for one test, run with a
// configuration the helper writes: a raw TCP accepter and a telnet(rfc2217) accepter on
// ports of the loopback address `host` that were free a moment before. Both listen once
// the constructor returns (when ser2net could start); stopped when destroyed. Under Wine
// the Linux side's host starts it (see HostedProcess).
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
    QString rawName() const { return rawName_; }
    QString rfc2217Name() const { return rfc2217Name_; }
    // Ends ser2net at once (SIGKILL), as a server that fails: its connections drop.
    void kill();

private:
#ifdef Q_OS_WIN
    HostedProcess process_;
#else
    QTemporaryDir dir_;
    QProcess process_;
#endif
    QString rawName_;
    QString rfc2217Name_;
    bool listening_ = false;
};
