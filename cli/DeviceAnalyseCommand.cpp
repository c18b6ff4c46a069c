// redaviv-cli analyse internal|external|user: the analyser's fourteen items for one of the
// device's EDIDs, read with the analyser's selection, waits and attempts. Any other
// first operand is a file for the file form of analyse.
#include "CommandLine.h"
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceEdidRead.h"
#include "DeviceSession.h"
#include "EdidDecoder.h"
#include "EdidSummary.h"
#include "SummaryOutput.h"

#include <algorithm>
#include <ostream>

namespace {

// In the order of DeviceEdids.
const std::vector<std::string> SourceWords = {"internal", "external", "user"};

bool isSourceWord(const std::string& arg) {
    return std::find(SourceWords.begin(), SourceWords.end(), arg) != SourceWords.end();
}

// The device form is asked for when the first operand names a device EDID; a file of
// that name is given as ./internal.
bool namesDeviceEdid(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--port")
            ++i;
        else if (arg == "--")
            return i + 1 < args.size() && isSourceWord(args[i + 1]);
        else if (arg.empty() || arg[0] != '-' || arg == "-")
            return isSourceWord(arg);
    }
    return false;
}

int analyseDevice(CommandContext& context) {
    DeviceCommandShape entry{1};
    entry.json = true;
    return RunDeviceCommand(
        DeviceAnalyseCommand, context, entry,
        [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            const std::string& word = args.operands[0];
            const auto source = ParseWord(DeviceAnalyseCommand, context, word, SourceWords);
            if (!source)
                return ExitStatus::Usage;
            DeviceSession session(reporter, args.ports);
            if (!session.findDevice())
                return ExitStatus::Failed;
            const BusyGuard::Operation operation = session.link().tryBeginOperation();
            EdidInfo record{};
            const DeviceEdidRead read =
                ReadDeviceEdid(session.link(), DeviceEdids[*source], record, operation);
            if (operation.cancelled()) {
                reporter.message(session.view().modelName);
                return ExitStatus::Failed;
            }
            // The window shows the zeros read for a block that never came; a summary of
            // them would pass for the device's EDID.
            if (read == DeviceEdidRead::Block1Missing) {
                reporter.message("Read Failed: block 1 of the " + word + " EDID did not arrive.");
                return ExitStatus::Failed;
            }
            // As the page does: the summary of what was read, "Illegal" when it is not valid.
            DecodeEdid(record);
            const EdidSummary summary = SummariseEdid(record);
            if (args.json)
                PrintSummaryJson(context.out, "source", word, summary);
            else
                PrintSummaryTable(context.out, word, summary);
            return read == DeviceEdidRead::Valid ? ExitStatus::Ok : ExitStatus::Failed;
        });
}

int runAnalyse(CommandContext& context) {
    if (namesDeviceEdid(context.args))
        return analyseDevice(context);
    const auto& args = context.args;
    const bool help = std::find(args.begin(), args.end(), "--help") != args.end() ||
                      std::find(args.begin(), args.end(), "-h") != args.end();
    const int status = AnalyseCommand.run(context);
    // Help for analyse covers both forms.
    if (help) {
        context.out << "\n";
        PrintCommandHelp(DeviceAnalyseCommand, context.out);
    }
    return status;
}

} // namespace

const Command DeviceAnalyseCommand = {
    "analyse",
    "analyse internal|external|user [--json] [--port PATH]...",
    "the analyser's fourteen items for one of the device's EDIDs",
    "Connects to the device and reads its Internal, External or User EDID as the\n"
    "analyser page does (up to five attempts, six for User, each logging \"API Timeout.\",\n"
    "\"No Header Found.\" or \"Retry Edid.\" as it meets them), then shows the fourteen\n"
    "items. An EDID that never read valid shows \"Illegal\" and thirteen \"-\".\n"
    "\n"
    "  --json          one JSON object:\n"
    "                  {\"source\": \"internal\", \"summary\": {\"edid_header\": ..., "
    "...}}\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0, or 1 when no device was found, no attempt read a valid EDID, or\n"
    "block 1 never came (\"Read Failed: block 1 of the internal EDID did not arrive.\";\n"
    "no summary is shown); 2 on a usage error.\n",
    runAnalyse,
};
