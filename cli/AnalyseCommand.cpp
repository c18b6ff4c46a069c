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
    if (!ParseFileCommandArgs(AnalyseCommand, context, true, args))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(AnalyseCommand, context.out);
        return ExitStatus::Ok;
    }
    int status = ExitStatus::Ok;
    bool first = true;
    for (const std::string& file : args.files) {
        EdidInfo info;
        if (!CheckInputFile(AnalyseCommand, context, file) || !ReadFreshRecord(file, info)) {
            status = ExitStatus::Failed;
            if (args.json)
                context.out << "{\"file\": " << JsonTextString(file) << ", \"error\": \""
                            << kOpenFailMessage << "\"}\n";
            else
                context.out << (first ? "" : "\n") << file << ": " << kOpenFailMessage << "\n";
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
    "Reads each EDID file (256 bytes; missing bytes read as 0xFF) into a fresh record,\n"
    "decodes it and shows the fourteen items of the analyser page.\n"
    "\n"
    "  --json   one JSON object per line:\n"
    "           {\"file\": ..., \"summary\": {\"edid_header\": ..., ...}}\n"
    "           or {\"file\": ..., \"error\": \"Edid Open Fail.\"}\n"
    "\n"
    "Exit status: 0, or 1 when a file could not be opened; 2 on a usage error.\n",
    runAnalyse,
};
