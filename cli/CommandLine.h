#pragma once
#include "Commands.h"

#include <string>
#include <vector>

// The arguments of a file command: options first or mixed with files, "--" ends
// the options. Options are "--json" (where the command allows it) and "--help"/"-h".
struct FileCommandArgs {
    bool json = false;
    bool help = false;
    std::vector<std::string> files;
};

// Parses `context.args`. On a usage error writes the message and the command's
// usage to `context.err` and returns false.
bool ParseFileCommandArgs(const Command& command, CommandContext& context, bool allowJson,
                          FileCommandArgs& parsed);

// Writes "usage: redaviv-cli <synopsis>" and the command's help.
void PrintCommandHelp(const Command& command, std::ostream& out);
void PrintCommandUsage(const Command& command, std::ostream& out);

// A usage error: writes "redaviv-cli COMMAND: MESSAGE" and the command's usage to
// `context.err`. Always false, for the parser that returns it.
bool UsageError(const Command& command, CommandContext& context, const std::string& message);

// What an EDID input may be, for the commands' help (whole lines).
#define EDID_INPUT_HELP                                                                            \
    "Each FILE is a binary EDID file (256 bytes; missing bytes read as 0xFF), hex text\n"          \
    "(a decoder's hex dump, the first \"EDID:\" block of a display server's verbose\n"             \
    "listing, plain hex pairs, a C array or its body), or \"-\" for standard input\n"              \
    "(once).\n"

// The message a file that cannot be opened gets.
constexpr const char* kOpenFailMessage = "Edid Open Fail.";

// True when `path` may be read as an input file. Refuses, with "redaviv-cli COMMAND:
// PATH: <why>" on `context.err`, "-" (the command does not read standard input) and
// anything that exists but is not a regular file: a FIFO would block the open, a device
// would be opened. A missing file passes, for the usual open failure to report it.
bool CheckInputFile(const Command& command, CommandContext& context, const std::string& path);

// The same for an EDID input, where "-" is standard input.
bool CheckEdidInput(const Command& command, CommandContext& context, const std::string& path);

// Repeated "-" is a usage error (standard input holds one EDID): writes it and the
// usage to `context.err` and returns false.
bool CheckOneStandardInput(const Command& command, CommandContext& context,
                           const std::vector<std::string>& inputs);

struct EdidInfo;

// Reads the EDID in `path` (a binary file or hex text; "-" standard input) into `info`
// made fresh (all bytes zero), as the analyser's "Bin File" choice does. Empty when it
// was read; otherwise what the command reports for it: "Edid Open Fail." (a refused
// path also gets its reason on `context.err`) or the byte count of hex text of the
// wrong length.
std::string ReadFreshRecord(const Command& command, CommandContext& context,
                            const std::string& path, EdidInfo& info);
