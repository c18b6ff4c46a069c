// redaviv-cli analyse: the analyser's fourteen items for each EDID file.
#include "CommandLine.h"
#include "Commands.h"
#include "EdidDecoder.h"
#include "EdidSummary.h"
#include "Json.h"

#include <ostream>

namespace {

void printJson(std::ostream& out, const std::string& file, const EdidSummary& summary) {
    out << "{\"file\": " << JsonTextString(file) << ", \"labels\": {";
    for (std::size_t i = 0; i < kSummaryRows; ++i) {
        out << (i ? ", " : "") << '"' << SummaryRows[i].label
            << "\": " << JsonLatin1String(summary.texts[i]);
    }
    out << "}, \"panel10\": " << summary.panel10Height << "}\n";
}

void printTable(std::ostream& out, const std::string& file, const EdidSummary& summary) {
    constexpr std::size_t kCaptionWidth = 26;
    out << file << "\n";
    for (std::size_t i = 0; i < kSummaryRows; ++i) {
        const std::string caption = SummaryRows[i].caption;
        out << caption << std::string(kCaptionWidth - caption.size(), ' ');
        // The audio formats may hold one "\r\n" break: continue under the value column.
        const std::string text = Latin1ToUtf8(summary.texts[i]);
        std::size_t start = 0;
        for (std::size_t brk; (brk = text.find("\r\n", start)) != std::string::npos;
             start = brk + 2) {
            out << text.substr(start, brk - start) << "\n" << std::string(kCaptionWidth, ' ');
        }
        out << text.substr(start) << "\n";
    }
}

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
        if (!ReadFreshRecord(file, info)) {
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
        // A window that starts fresh for each file: Panel10 is 23 pixels high before.
        const EdidSummary summary = SummariseEdid(info, kPanel10Height);
        if (args.json) {
            printJson(context.out, file, summary);
        } else {
            context.out << (first ? "" : "\n");
            printTable(context.out, file, summary);
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
    "           {\"file\": ..., \"labels\": {\"Label_Edid_Header\": ..., ...}, \"panel10\": 23}\n"
    "           or {\"file\": ..., \"error\": \"Edid Open Fail.\"}\n"
    "\n"
    "Exit status: 0, or 1 when a file could not be opened; 2 on a usage error.\n",
    runAnalyse,
};
