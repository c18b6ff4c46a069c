// redaviv-cli: the headless front end. Each subcommand lives in its own source file
// and is listed in the command table.
#include "CommandTable.h"
#include "DeviceArgs.h"
#include "StandardOutput.h"

#include <QCoreApplication>

#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The arguments after the program's name, as UTF-8.
#ifdef _WIN32
// argv holds the system's code page; Qt reads the command line as the system keeps it
// (UTF-16), so every name arrives whole.
std::vector<std::string> programArguments(int, char*[]) {
    std::vector<std::string> args;
    for (const QString& arg : QCoreApplication::arguments().mid(1))
        args.push_back(arg.toStdString());
    return args;
}
#else
// The bytes given, so that paths are reported exactly as given.
std::vector<std::string> programArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + 1, argv + argc);
}
#endif

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("redaviv-cli");
#ifdef _WIN32
    // EDIDs and exports pass through standard input and output as bytes: no line-end
    // translation, and a 0x1A byte ends no input. Messages end their lines as on Linux.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif

    std::vector<std::string> args = programArguments(argc, argv);
    const std::vector<std::string> leading = TakeLeadingPortOptions(args);
    if (args.empty()) {
        PrintOverallUsage(std::cerr);
        return ExitStatus::Usage;
    }
    // Static, so that what is buffered is still written when the program ends by exit().
    static StandardOutput buffer;
    std::ostream out(&buffer);
    // On a terminal each piece shows as it is written.
    if (isatty(STDOUT_FILENO))
        out << std::unitbuf;
    const std::string name = args.front();
    if (name == "--help" || name == "-h" || name == "help") {
        PrintOverallUsage(out);
        return FinishStandardOutput(buffer, std::cerr, ExitStatus::Ok);
    }
    for (const Command* command : CommandTable()) {
        if (name != command->name)
            continue;
        CommandContext context{leading, out, std::cerr};
        context.args.insert(context.args.end(), args.begin() + 1, args.end());
        return FinishStandardOutput(buffer, std::cerr, command->run(context));
    }
    std::cerr << "redaviv-cli: unknown command '" << name << "'\n\n";
    PrintOverallUsage(std::cerr);
    return ExitStatus::Usage;
}
