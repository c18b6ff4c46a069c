#include "CommandLine.h"

#include "EdidFile.h"
#include "EdidInfo.h"
#include "EdidInput.h"
#include "FilePath.h"
#include "TerminalText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>

namespace {

// Why a path is no input file, or nothing for a regular file or a missing one.
const char* notRegularReason(PathKind kind) {
    switch (kind) {
    case PathKind::Missing:
    case PathKind::Regular:
        return nullptr;
    case PathKind::Directory:
        return "is a directory, not a file";
    case PathKind::Fifo:
        return "is a FIFO, not a regular file";
    case PathKind::Device:
        return "is a device, not a regular file";
    case PathKind::Other:
        break;
    }
    return "is not a regular file";
}

} // namespace

void PrintCommandUsage(const Command& command, std::ostream& out) {
    out << "usage: redaviv-cli " << command.synopsis << "\n";
}

bool UsageError(const Command& command, CommandContext& context, const std::string& message) {
    context.err << "redaviv-cli " << command.name << ": " << TerminalText(message) << "\n";
    PrintCommandUsage(command, context.err);
    return false;
}

void PrintCommandHelp(const Command& command, std::ostream& out) {
    PrintCommandUsage(command, out);
    out << "\n" << command.help;
}

bool ParseFileCommandArgs(const Command& command, CommandContext& context, bool allowJson,
                          FileCommandArgs& parsed) {
    bool options = true;
    for (const std::string& arg : context.args) {
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "--help" || arg == "-h")) {
            parsed.help = true;
        } else if (options && allowJson && arg == "--json") {
            parsed.json = true;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            return UsageError(command, context, "unknown option '" + arg + "'");
        } else {
            parsed.files.push_back(arg);
        }
    }
    if (!parsed.help && parsed.files.empty()) {
        return UsageError(command, context, "no FILE given");
    }
    return true;
}

bool CheckInputFile(const Command& command, CommandContext& context, const std::string& path) {
    const char* reason = path == "-"
                             ? "standard input is not read; name a file (./- for a file named -)"
                             : notRegularReason(KindOfPath(path));
    if (!reason)
        return true;
    context.err << "redaviv-cli " << command.name << ": ";
    PrintFileLine(context.err, path, reason);
    return false;
}

bool CheckEdidInput(const Command& command, CommandContext& context, const std::string& path) {
    return path == "-" || CheckInputFile(command, context, path);
}

bool CheckOneStandardInput(const Command& command, CommandContext& context,
                           const std::vector<std::string>& inputs) {
    if (std::count(inputs.begin(), inputs.end(), "-") < 2)
        return true;
    return UsageError(command, context, "'-' given more than once: standard input holds one EDID");
}

void PrintFileLine(std::ostream& out, const std::string& path, const std::string& text) {
    out << TerminalText(path + ": " + text) << "\n";
}

std::optional<EdidInput> ReadCommandInput(const Command& command, CommandContext& context,
                                          const std::string& path) {
    if (!CheckEdidInput(command, context, path))
        return std::nullopt;
    EdidInput input = ReadEdidInput(path);
    NoteLongInput(context, path, input);
    return input;
}

void NoteLongInput(CommandContext& context, const std::string& path, const EdidInput& input) {
    if (input.status == EdidInputStatus::Read && input.length > kEdidSize)
        PrintFileLine(context.err, path,
                      std::to_string(input.length) +
                          " bytes; only the first 256 (the base block and one extension) are "
                          "read.");
}

std::string OutputFailure(const std::string& path) {
    const int error = errno;
    const char* reason = notRegularReason(KindOfPath(path));
    return path + ": " + kOpenFailMessage + " (" + (reason ? reason : std::strerror(error)) + ")";
}

bool WriteCommandOutput(CommandContext& context, const std::string& path,
                        const std::vector<std::uint8_t>& bytes) {
    if (path == "-") {
        // Binary-safe: the bytes as they are; a failed write is reported at the end.
        context.out.write(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<std::streamsize>(bytes.size()));
        return true;
    }
    if (WriteFileWhole(path, bytes))
        return true;
    context.err << TerminalText(OutputFailure(path)) << "\n";
    return false;
}

std::string ReadFreshRecord(const Command& command, CommandContext& context,
                            const std::string& path, EdidInfo& info) {
    info = EdidInfo{};
    const std::optional<EdidInput> input = ReadCommandInput(command, context, path);
    if (!input)
        return kOpenFailMessage;
    if (input->status == EdidInputStatus::Read)
        info.Image = input->image;
    return EdidInputMessage(*input);
}
