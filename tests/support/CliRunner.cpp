#include "CliRunner.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

CliRun runCli(const QStringList& args, const QString& input, const QString& workDir,
              const QString& output) {
    return CliProcess(args, input, workDir, output).finish();
}

CliProcess::CliProcess(const QStringList& args, const QString& input, const QString& workDir,
                       const QString& output)
    : args_(args) {
    process_.setStandardInputFile(input.isEmpty() ? QProcess::nullDevice() : input);
    if (!output.isEmpty())
        process_.setStandardOutputFile(output);
    if (!workDir.isEmpty())
        process_.setWorkingDirectory(workDir);
    process_.start(QStringLiteral(REDAVIV_CLI), args);
#ifdef _WIN32
    // Wine now and then fails to create a process while others start (an internal error
    // of its process creation, nothing of the program's): such a start is made once more.
    if (!process_.waitForStarted(10000) && process_.error() == QProcess::FailedToStart)
        process_.start(QStringLiteral(REDAVIV_CLI), args);
#endif
    EXPECT_TRUE(process_.waitForStarted(10000)) << "redaviv-cli " << args.join(' ').toStdString()
                                                << ": " << process_.errorString().toStdString();
}

CliProcess::~CliProcess() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.kill();
    process_.waitForFinished();
}

#ifndef _WIN32
void CliProcess::signal(int number) {
    ::kill(static_cast<pid_t>(process_.processId()), number);
}
#endif

CliRun CliProcess::finish() {
    // Generous: a slow machine makes a test slower, a hung command fails it.
    const bool finished = process_.waitForFinished(120000);
    EXPECT_TRUE(finished) << "redaviv-cli " << args_.join(' ').toStdString();
    if (!finished) {
        process_.kill();
        process_.waitForFinished();
    }
    CliRun run;
    if (finished && process_.exitStatus() == QProcess::NormalExit)
        run.status = process_.exitCode();
    run.out = process_.readAllStandardOutput().toStdString();
    run.err = process_.readAllStandardError().toStdString();
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject()) {
            run.allJson = false;
            continue;
        }
        run.lines.push_back(doc.object());
    }
    return run;
}
