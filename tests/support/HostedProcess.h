#pragma once
#include <QString>
#include <QStringList>
#include <QTcpSocket>

// Under Wine the tests cannot start devsim or ser2net, Linux programs, nor read their
// pseudo-terminal: the served-devices host on the Linux side starts them on request, over
// a loopback connection to the address in REDAVIV_SERVED_DEVICES ("HOST:PORT"). One
// connection per program started; the host ends the program when the connection closes.
class HostedProcess {
public:
    // Whether a host is named; without one the device tests skip.
    static bool hostNamed();
    // Converts a path the host gave (Linux) to one this program opens (Wine's drive Z:).
    static QString fromHost(const QString& linuxPath);

    // Asks the host to start `program` ("devsim" or "ser2net") with `arguments`; what the
    // host answered about it (devsim: its pty and trace file; ser2net: its two port
    // names), empty when it did not start.
    QStringList start(const QString& program, const QStringList& arguments);
    bool running() const { return running_; }
    // Ends the program as SIGTERM does, or at once as SIGKILL does; returns once it ended.
    void terminate() { end(QStringLiteral("terminate")); }
    void kill() { end(QStringLiteral("kill")); }

private:
    QStringList ask(const QStringList& request);
    void end(const QString& how);

    QTcpSocket control_;
    bool running_ = false;
};
