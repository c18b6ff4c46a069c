#pragma once
#include "Commands.h"
#include "DeviceArgs.h"

#include <functional>

class ConsoleReporter;

// The subcommands that talk to the device. Each runs the window's own operation on the
// link; messages are the window's texts on standard error.
extern const Command InfoCommand;
extern const Command DownloadCommand;
extern const Command UploadCommand;
extern const Command ModeCommand;
extern const Command DeviceAnalyseCommand;
extern const Command FirmwareCommand;

// Parses the command's arguments (printing its help, or a usage error with status 2),
// then runs `body` with a console reporter on standard error.
int RunDeviceCommand(const Command& command, CommandContext& context,
                     const DeviceCommandShape& entry,
                     const std::function<int(const DeviceArgs&, ConsoleReporter&)>& body);
