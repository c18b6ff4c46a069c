#pragma once
#include "Commands.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
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
    "listing, plain hex pairs, a C array or its body, C comments skipped; UTF-8, or\n"             \
    "UTF-16 with its byte-order mark), or \"-\" for standard input (once). Text that is\n"         \
    "not hex is refused with its line (\"line 3: 'g' is not a hex digit\"); a FILE of more\n"      \
    "than 256 bytes is noted on stderr, as only the first 256 are read.\n"

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
struct EdidInput;

// "PATH: TEXT" on a line of its own, shown as TerminalText shows text: how a command
// reports one file.
void PrintFileLine(std::ostream& out, const std::string& path, const std::string& text);

// Reads the EDID input `path` ("-": standard input) for `command`. Nothing when
// CheckEdidInput refuses it (its reason is then on `context.err`). An input that holds
// more than the 256 bytes read is noted on `context.err` (NoteLongInput).
std::optional<EdidInput> ReadCommandInput(const Command& command, CommandContext& context,
                                          const std::string& path);

// The box holds 256 bytes, so no more are read: "FILE: N bytes; only the first 256 (the
// base block and one extension) are read." on `context.err` for an input that held more.
void NoteLongInput(CommandContext& context, const std::string& path, const EdidInput& input);

// The line for an output that could not be written, right after the write failed (errno
// says why): "PATH: Edid Open Fail. (REASON)", the reason being what the path is when it
// exists but is no regular file, or the system's reason.
std::string OutputFailure(const std::string& path);

// Writes `bytes` to the output `path` as a command's -o does: whole or not at all, or
// to standard output (`context.out`) for "-". False, with OutputFailure on
// `context.err`, when it could not be written.
bool WriteCommandOutput(CommandContext& context, const std::string& path,
                        const std::vector<std::uint8_t>& bytes);

// Reads the EDID in `path` (a binary file or hex text; "-" standard input) into `info`
// made fresh (all bytes zero), as the analyser's "Bin File" choice does, by
// ReadCommandInput. Empty when it was read; otherwise what the command reports for it:
// "Edid Open Fail." (a refused path also gets its reason on `context.err`) or why the
// input is no EDID (EdidInputMessage).
std::string ReadFreshRecord(const Command& command, CommandContext& context,
                            const std::string& path, EdidInfo& info);
