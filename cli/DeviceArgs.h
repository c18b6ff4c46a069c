#pragma once
#include "Commands.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// Which options a device command takes besides --port, --verbose and --help, and how
// many operands (words and files) it wants.
struct DeviceCommandShape {
    std::size_t operands;
    bool json = false;
    bool output = false; // -o FILE, required
    bool noVerify = false;
    bool each = false; // --each
};

// The parsed arguments of a device command. "--" ends the options.
struct DeviceArgs {
    bool help = false;
    bool verbose = false;
    bool json = false;
    bool noVerify = false;
    bool each = false;
    // --port PATH, each port once in the order first given; empty: the platform's ports.
    // A network line's name (tcp://HOST:PORT) is checked here: a bad one is a usage error.
    QStringList ports;
    std::string output;
    std::vector<std::string> operands;
};

// Parses `context.args`. On a usage error writes the message and the command's usage to
// `context.err` and returns false.
bool ParseDeviceArgs(const Command& command, CommandContext& context,
                     const DeviceCommandShape& entry, DeviceArgs& parsed);

// The index of `word` in `words` (e.g. "external" in {"internal", "external", "user"}),
// or nothing; a usage error is written for a word not listed.
std::optional<std::size_t> ParseWord(const Command& command, CommandContext& context,
                                     const std::string& word,
                                     const std::vector<std::string>& words);

// "--port PATH" may also come before the command ("redaviv-cli --port PATH info"): takes
// those from the front of `args` and returns them, to be given to the command first.
std::vector<std::string> TakeLeadingPortOptions(std::vector<std::string>& args);

// Common text for the help of every device command.
#define DEVICE_COMMAND_OPTIONS_HELP                                                                \
    "  --port PATH     probe only this port (repeatable, in the order given, each port\n"          \
    "                  once); without it the machine's serial ports are searched. A box\n"         \
    "                  behind a network serial server: tcp://HOST:PORT (raw bytes) or\n"           \
    "                  rfc2217://HOST:PORT (Telnet COM port control)\n"                            \
    "  -v, --verbose   also show the device's raw bytes, as the window's log does\n"
