// redaviv-cli: the headless front end. Each subcommand lives in its own source file
// and is listed in the command table.
#include "CommandTable.h"
#include "DeviceArgs.h"

#include <QCoreApplication>

#include <cstring>
#include <iostream>
#include <string>
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
    const std::string name = args.front();
    if (name == "--help" || name == "-h" || name == "help") {
        PrintOverallUsage(std::cout);
        return ExitStatus::Ok;
    }
    for (const Command* command : CommandTable()) {
        if (name != command->name)
            continue;
        CommandContext context{leading, std::cout, std::cerr};
        context.args.insert(context.args.end(), args.begin() + 1, args.end());
        const int status = command->run(context);
        std::cout.flush();
        return status;
    }
    std::cerr << "redaviv-cli: unknown command '" << name << "'\n\n";
    PrintOverallUsage(std::cerr);
    return ExitStatus::Usage;
}
