// redaviv-cli analyse: the analyser's fourteen items for each EDID file.
#include "CommandLine.h"
#include "Commands.h"
#include "EdidDecoder.h"
#include "EdidSummary.h"
#include "Json.h"
#include "SummaryOutput.h"

#include <ostream>

namespace {

int runAnalyse(CommandContext& context) {
    FileCommandArgs args;
    if (!ParseFileCommandArgs(AnalyseCommand, context, true, args) ||
        !CheckOneStandardInput(AnalyseCommand, context, args.files))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(AnalyseCommand, context.out);
        return ExitStatus::Ok;
    }
    int status = ExitStatus::Ok;
    bool first = true;
    for (const std::string& file : args.files) {
        EdidInfo info;
        const std::string failure = ReadFreshRecord(AnalyseCommand, context, file, info);
        if (!failure.empty()) {
            status = ExitStatus::Failed;
            if (args.json)
                context.out << "{\"file\": " << JsonTextString(file)
                            << ", \"error\": " << JsonTextString(failure) << "}\n";
            else
                PrintFileLine(context.out << (first ? "" : "\n"), file, failure);
            first = false;
            continue;
        }
        DecodeEdid(info);
        const EdidSummary summary = SummariseEdid(info);
        if (args.json) {
            PrintSummaryJson(context.out, "file", file, summary);
        } else {
            context.out << (first ? "" : "\n");
            PrintSummaryTable(context.out, file, summary);
        }
        first = false;
    }
    return status;
}

} // namespace

const Command AnalyseCommand = {
    "analyse",
    "analyse [--json] FILE...",
    "the analyser's fourteen items for each EDID file",
    "Reads each EDID file into a fresh record, decodes it and shows the fourteen items\n"
    "of the analyser page.\n" EDID_INPUT_HELP "\n"
    "  --json   one JSON object per line:\n"
    "           {\"file\": ..., \"summary\": {\"edid_header\": ..., ...}}\n"
    "           or {\"file\": ..., \"error\": \"Edid Open Fail.\"} (or why the input\n"
    "           is no EDID)\n"
    "\n"
    "Exit status: 0, or 1 when a file could not be read; 2 on a usage error.\n",
    runAnalyse,
};
