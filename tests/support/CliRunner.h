#pragma once
// redaviv-cli run as a user runs it, for every test of its commands.
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

struct CliRun {
    int status = -1; // the exit status; -1 when it did not exit normally
    std::string out; // standard output, the bytes as written
    std::string err;
    std::vector<QJsonObject> lines; // standard output's lines that parse as JSON objects
    bool allJson = true;            // every line of standard output is one
};

// Runs redaviv-cli with `args` and waits for its end. Standard input reads the file
// `input` when one is given and is empty otherwise; `workDir`, when given, is the folder
// it runs in; `output`, when given, is the file standard output writes to (`out` then
// stays empty), such as /dev/full.
CliRun runCli(const QStringList& args, const QString& input = {}, const QString& workDir = {},
              const QString& output = {});

// redaviv-cli started and left to run, for a test that acts while it runs (sends it a
// signal); runCli() is this, finished at once.
class CliProcess {
public:
    explicit CliProcess(const QStringList& args, const QString& input = {},
                        const QString& workDir = {}, const QString& output = {});
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

#ifndef _WIN32
    // Sends it the signal `number` (SIGINT, SIGTERM), as a terminal or a service manager.
    void signal(int number);
#endif
    // Waits for its end; what it wrote and its exit status.
    CliRun finish();

private:
    QStringList args_;
    QProcess process_;
};
