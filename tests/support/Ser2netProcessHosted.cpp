// ser2net started by the Linux side's host, for the Windows build under Wine.
#include "Ser2netProcess.h"

Ser2netProcess::Ser2netProcess(const QString& devicePath, const QString& host) {
    const QStringList started = process_.start(QStringLiteral("ser2net"), {devicePath, host});
    listening_ = started.size() == 2;
    if (listening_) {
        rawName_ = started[0];
        rfc2217Name_ = started[1];
    }
}

Ser2netProcess::~Ser2netProcess() {
    process_.terminate();
}

void Ser2netProcess::kill() {
    process_.kill();
}
