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

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("redaviv-cli");

    // Arguments as the bytes given, so that paths are reported exactly as given.
    std::vector<std::string> args(argv + 1, argv + argc);
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
