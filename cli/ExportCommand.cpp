// redaviv-cli export: an EDID as the decoder's hex block, a C array or the 256 bytes.
#include "CommandLine.h"
#include "Commands.h"
#include "EdidExport.h"
#include "EdidInput.h"
#include "EdidValidation.h"

#include <optional>
#include <ostream>

namespace {

struct ExportArgs {
    bool help = false;
    EdidExportFormat format = EdidExportFormat::Hex;
    std::string output = "-"; // standard output
    std::vector<std::string> files;
};

bool parseExportArgs(CommandContext& context, ExportArgs& parsed) {
    const std::vector<std::string>& args = context.args;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "--help" || arg == "-h")) {
            parsed.help = true;
        } else if (options && (arg == "--format" || arg == "-o")) {
            if (i + 1 == args.size())
                return UsageError(ExportCommand, context, "option '" + arg + "' needs a value");
            const std::string& value = args[++i];
            if (arg == "-o") {
                parsed.output = value;
                continue;
            }
            const auto format = EdidExportFormatNamed(value);
            if (!format)
                return UsageError(ExportCommand, context, "unknown format '" + value + "'");
            parsed.format = *format;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            return UsageError(ExportCommand, context, "unknown option '" + arg + "'");
        } else {
            parsed.files.push_back(arg);
        }
    }
    if (!parsed.help && parsed.files.size() != 1)
        return UsageError(ExportCommand, context,
                          parsed.files.empty() ? "no FILE given" : "one FILE only");
    return true;
}

int runExport(CommandContext& context) {
    ExportArgs args;
    if (!parseExportArgs(context, args))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(ExportCommand, context.out);
        return ExitStatus::Ok;
    }
    const std::string& file = args.files.front();
    const std::optional<EdidInput> input = ReadCommandInput(ExportCommand, context, file);
    if (!input)
        return ExitStatus::Failed;
    if (input->status != EdidInputStatus::Read) {
        PrintFileLine(context.err, file, EdidInputMessage(*input));
        return ExitStatus::Failed;
    }
    // As upload refuses it: what does not start with the EDID header is no EDID to pass on
    // (a text that is no hex would otherwise be exported as if its characters were one).
    EdidInfo record{};
    record.Image = input->image;
    if (!ValidateEdid(record) && (record.Status & EdidStatus::BadHeader) != 0) {
        PrintFileLine(context.err, file, ValidationMessage(record.Status));
        return ExitStatus::Failed;
    }
    return WriteCommandOutput(context, args.output, ExportEdid(input->image, args.format))
               ? ExitStatus::Ok
               : ExitStatus::Failed;
}

} // namespace

const Command ExportCommand = {
    "export",
    "export FILE [--format hex|c|bin] [-o OUT]",
    "write an EDID as hex text, a C array or binary",
    "Reads the EDID in FILE (\"-\": standard input) and writes it out whole (256 bytes).\n"
    "FILE is a binary EDID file (256 bytes; missing bytes read as 0xFF) or hex text: a\n"
    "decoder's hex dump after \"EDID (hex):\" or \"edid-decode (hex):\", the first \"EDID:\"\n"
    "block of a display server's verbose listing, or plain hex pairs (whitespace, commas\n"
    "and 0x prefixes allowed, as in the body of a C array; C comments are skipped). A\n"
    "FILE that does not start with the EDID header is refused (\"Illegal Edid Header.\"),\n"
    "as upload refuses it; one of more than 256 bytes is noted on stderr.\n"
    "\n"
    "  --format hex   the decoder's hex dump: lowercase pairs, 16 a line (the default)\n"
    "  --format c     static const unsigned char edid[256] = {...};\n"
    "  --format bin   the 256 bytes\n"
    "  -o OUT         write to OUT instead of standard output, whole or not at all\n"
    "                 (\"-\": standard output)\n"
    "\n"
    "Exit status: 0, or 1 when FILE cannot be read, is no EDID, or OUT cannot be written\n"
    "(\"OUT: Edid Open Fail. (REASON)\"); 2 on a usage error.\n",
    runExport,
};
