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

// The message a file that cannot be opened gets.
constexpr const char* kOpenFailMessage = "Edid Open Fail.";

// True when `path` may be read as an input file. Refuses, with "redaviv-cli COMMAND:
// PATH: <why>" on `context.err`, "-" (no command reads standard input) and anything that
// exists but is not a regular file: a FIFO would block the open, a device would be
// opened. A missing file passes, for the usual open failure to report it.
bool CheckInputFile(const Command& command, CommandContext& context, const std::string& path);

struct EdidInfo;

// Reads an EDID file into `info` made fresh (all bytes zero), as the analyser's
// "Bin File" choice does. False when the file cannot be opened.
bool ReadFreshRecord(const std::string& path, EdidInfo& info);
