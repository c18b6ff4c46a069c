#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#ifdef Q_OS_WIN
#include "HostedProcess.h"
#else
#include <QProcess>
#include <QTemporaryDir>
#endif

#include <vector>

// One devsim on its own pseudo-terminal for one test: started with the given options
// (plus a trace file, and the option in REDAVIV_DEVSIM_WRITES when set), stopped when
// destroyed. Under Wine the Linux side's host starts it (see HostedProcess): its pty is
// then reached only through ser2net.
class DevsimProcess {
public:
    struct TraceLine {
        long ms;
        bool fromHost; // "rx": bytes the program sent to the device
        QByteArray bytes;
    };

    explicit DevsimProcess(const QStringList& options = {});
    ~DevsimProcess();
    DevsimProcess(const DevsimProcess&) = delete;
    DevsimProcess& operator=(const DevsimProcess&) = delete;

    // The pty slave path devsim printed, empty when it did not start.
    const QString& path() const { return path_; }
    bool running() const;
    void stop();
    // Ends devsim at once (SIGKILL), as a pulled cable ends the line: no goodbye.
    void kill();

    std::vector<TraceLine> trace() const;
    // What the program sent, one entry per read devsim made, in order.
    std::vector<QByteArray> requests() const;
    // Every byte the program sent, in order, however devsim's reads split it.
    QByteArray sentStream() const;
    // How many requests begin with `frame` (e.g. the status poll 00 01 01 0d... by header).
    int countRequests(const QByteArray& frame) const;
    // Waits until a status poll that the program sent after this call has come: all it
    // sent before has arrived, and it has gone on with its polling. At most one poll is
    // on its way at a time (the next waits for the answer), so two more are awaited.
    bool waitForLaterPoll() const;

    // The file devsim traces into, for this program to read.
    const QString& tracePath() const { return tracePath_; }

private:
#ifdef Q_OS_WIN
    HostedProcess process_;
#else
    QTemporaryDir dir_;
    QProcess process_;
#endif
    QString path_;
    QString tracePath_;
};
