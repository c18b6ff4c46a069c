#pragma once
#include <iosfwd>
#include <string>
#include <vector>

// One subcommand of redaviv-cli. Each lives in its own source file and is listed in
// the table of main.cpp. `args` are the arguments after the subcommand's name.
// Exit status: 0 success, 1 a device or file failure, 2 usage error; the creator's
// commands add 3 (CreatorCommands.h); a device write interrupted by a signal exits 128
// and the signal's number (WriteInterruption.h).
struct CommandContext {
    std::vector<std::string> args;
    std::ostream& out;
    std::ostream& err;
};

struct Command {
    const char* name;
    const char* synopsis; // "analyse [--json] FILE..."
    const char* summary;  // one line for the overall help
    const char* help;     // the command's own --help text (after its synopsis)
    int (*run)(CommandContext& context);
};

namespace ExitStatus {
constexpr int Ok = 0;
constexpr int Failed = 1;
constexpr int Usage = 2;
constexpr int Interrupted = 128; // and the signal's number
} // namespace ExitStatus

extern const Command AnalyseCommand;
extern const Command DumpCommand;
extern const Command ValidateCommand;
extern const Command ExportCommand;
extern const Command DiffCommand;
