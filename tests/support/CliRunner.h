#pragma once
// redaviv-cli run as a user runs it, for every test of its commands.
#include <QJsonObject>
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
