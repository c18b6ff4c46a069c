// redaviv-cli: the headless front end. Each subcommand lives in its own source file
// and is listed in kCommands.
#include "Commands.h"
#include "CreatorCommands.h"
#include "DeviceArgs.h"
#include "DeviceCommands.h"

#include <QCoreApplication>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The device form of analyse comes first: it hands every other use to the file form.
const Command* const kCommands[] = {
    &DeviceAnalyseCommand, &AnalyseCommand, &DumpCommand,     &ValidateCommand, &RoundtripCommand,
    &BrandnewCommand,      &InfoCommand,    &DownloadCommand, &UploadCommand,   &ModeCommand,
    &FirmwareCommand,      &ExportCommand,  &DiffCommand,
};

void printUsage(std::ostream& out) {
    out << "usage: redaviv-cli [--port PATH]... COMMAND [OPTIONS] [ARGUMENTS]\n"
           "       redaviv-cli COMMAND --help\n"
           "\n"
           "Commands:\n";
    for (const Command* command : kCommands)
        out << "  " << command->synopsis << "\n      " << command->summary << "\n";
    out << "\nExit status:\n"
           "  0  success\n"
           "  1  a device or file failure\n"
           "  2  a usage error\n"
           "  3  roundtrip, brandnew: an edit of the creator did not hold a number (its\n"
           "     message is printed, nothing is written)\n";
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("redaviv-cli");

    // Arguments as the bytes given, so that paths are reported exactly as given.
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::vector<std::string> leading = TakeLeadingPortOptions(args);
    if (args.empty()) {
        printUsage(std::cerr);
        return ExitStatus::Usage;
    }
    const std::string name = args.front();
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return ExitStatus::Ok;
    }
    for (const Command* command : kCommands) {
        if (name != command->name)
            continue;
        CommandContext context{leading, std::cout, std::cerr};
        context.args.insert(context.args.end(), args.begin() + 1, args.end());
        const int status = command->run(context);
        std::cout.flush();
        return status;
    }
    std::cerr << "redaviv-cli: unknown command '" << name << "'\n\n";
    printUsage(std::cerr);
    return ExitStatus::Usage;
}
