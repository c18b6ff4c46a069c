#include "CliRunner.h"

#include <QJsonDocument>
#include <QProcess>
#include <gtest/gtest.h>

#include <sstream>

CliRun runCli(const QStringList& args, const QString& input, const QString& workDir,
              const QString& output) {
    QProcess cli;
    cli.setStandardInputFile(input.isEmpty() ? QProcess::nullDevice() : input);
    if (!output.isEmpty())
        cli.setStandardOutputFile(output);
    if (!workDir.isEmpty())
        cli.setWorkingDirectory(workDir);
    cli.start(QStringLiteral(REDAVIV_CLI), args);
    // Generous: a slow machine makes a test slower, a hung command fails it.
    const bool finished = cli.waitForFinished(120000);
    EXPECT_TRUE(finished) << "redaviv-cli " << args.join(' ').toStdString();
    if (!finished) {
        cli.kill();
        cli.waitForFinished();
    }
    CliRun run;
    if (finished && cli.exitStatus() == QProcess::NormalExit)
        run.status = cli.exitCode();
    run.out = cli.readAllStandardOutput().toStdString();
    run.err = cli.readAllStandardError().toStdString();
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
