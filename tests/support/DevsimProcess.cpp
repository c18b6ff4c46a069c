#include "DevsimProcess.h"

#include <QProcessEnvironment>

DevsimProcess::DevsimProcess(const QStringList& options) {
    QStringList args = options;
    // How the device answers writes, for a suite run against each way (see CMakeLists).
    const QString writeAnswers =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("REDAVIV_DEVSIM_WRITES"));
    if (!writeAnswers.isEmpty())
        args << writeAnswers;
    tracePath_ = dir_.filePath(QStringLiteral("trace.txt"));
    args << QStringLiteral("--trace") << tracePath_;
    process_.setProgram(QStringLiteral(REDAVIV_DEVSIM));
    process_.setArguments(args);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted(10000))
        return;
    while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
    }
    path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
}

bool DevsimProcess::running() const {
    return process_.state() == QProcess::Running;
}

DevsimProcess::~DevsimProcess() {
    stop();
}

void DevsimProcess::stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(10000);
    }
}

void DevsimProcess::kill() {
    process_.kill();
    process_.waitForFinished(10000);
}
