#include "DeviceCommands.h"

#include "CommandLine.h"
#include "ConsoleReporter.h"

#include <iostream>

int RunDeviceCommand(const Command& command, CommandContext& context,
                     const DeviceCommandShape& entry,
                     const std::function<int(const DeviceArgs&, ConsoleReporter&)>& body) {
    DeviceArgs args;
    if (!ParseDeviceArgs(command, context, entry, args))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(command, context.out);
        return ExitStatus::Ok;
    }
    const bool terminal = &context.err == &std::cerr && StderrIsTerminal();
    ConsoleReporter reporter(context.err, terminal, args.verbose);
    return body(args, reporter);
}
