// redaviv-cli dump: every field of the decoded record, as JSON.
#include "CommandLine.h"
#include "Commands.h"
#include "EdidDecoder.h"
#include "EdidRecordFields.h"
#include "Json.h"

#include <ostream>

namespace {

// Every field in record order, under its own name.
std::string recordJson(const EdidInfo& record) {
    std::string s = "{";
    bool first = true;
    for (const RecordField& field : RecordFields(record)) {
        s += first ? "\"" : ", \"";
        s += field.name;
        s += "\": ";
        // A character field: each byte the character of its code.
        s += field.isText ? JsonLatin1String(field.value) : field.value;
        first = false;
    }
    return s + '}';
}

int runDump(CommandContext& context) {
    FileCommandArgs args;
    if (!ParseFileCommandArgs(DumpCommand, context, true, args) ||
        !CheckOneStandardInput(DumpCommand, context, args.files))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(DumpCommand, context.out);
        return ExitStatus::Ok;
    }
    int status = ExitStatus::Ok;
    for (const std::string& file : args.files) {
        EdidInfo info;
        context.out << "{\"file\": " << JsonTextString(file);
        const std::string failure = ReadFreshRecord(DumpCommand, context, file, info);
        if (!failure.empty()) {
            status = ExitStatus::Failed;
            context.out << ", \"error\": " << JsonTextString(failure) << "}\n";
            continue;
        }
        DecodeEdid(info);
        context.out << ", \"record\": " << recordJson(info) << "}\n";
    }
    return status;
}

} // namespace

const Command DumpCommand = {
    "dump",
    "dump [--json] FILE...",
    "every field of the decoded EDID record, as JSON",
    "Reads each EDID file into a fresh record, decodes it and prints one JSON object\n"
    "per line.\n" EDID_INPUT_HELP "\n"
    "Each line is {\"file\": ..., \"record\": {\"Status\": ..., \"Flags\": ..., \"Image\": [...], "
    "...}}\n"
    "with every field of the record under its name: integers as numbers, byte arrays as\n"
    "arrays of numbers, Manufac_Name, Monitor_Name and Max_Resolution as strings (each\n"
    "byte the character of the same code). JSON is the only format; --json is accepted.\n"
    "A file that cannot be opened gives {\"file\": ..., \"error\": \"Edid Open Fail.\"}, one\n"
    "that is no EDID {\"file\": ..., \"error\": ...} with why.\n"
    "\n"
    "Exit status: 0, or 1 when a file could not be read; 2 on a usage error.\n",
    runDump,
};
