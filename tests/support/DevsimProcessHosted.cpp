// devsim started by the Linux side's host, for the Windows build under Wine.
#include "DevsimProcess.h"

DevsimProcess::DevsimProcess(const QStringList& options) {
    const QStringList started = process_.start(QStringLiteral("devsim"), options);
    if (started.size() < 2)
        return;
    path_ = started[0];
    tracePath_ = HostedProcess::fromHost(started[1]);
}

bool DevsimProcess::running() const {
    return process_.running();
}

DevsimProcess::~DevsimProcess() {
    stop();
}

void DevsimProcess::stop() {
    process_.terminate();
}

void DevsimProcess::kill() {
    process_.kill();
}
