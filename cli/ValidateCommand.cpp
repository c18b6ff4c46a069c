// redaviv-cli validate: the validation verdict for each EDID file.
#include "CommandLine.h"
#include "Commands.h"
#include "EdidInfo.h"
#include "EdidValidation.h"
#include "Json.h"

#include <ostream>

namespace {

int runValidate(CommandContext& context) {
    FileCommandArgs args;
    if (!ParseFileCommandArgs(ValidateCommand, context, true, args) ||
        !CheckOneStandardInput(ValidateCommand, context, args.files))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(ValidateCommand, context.out);
        return ExitStatus::Ok;
    }
    int status = ExitStatus::Ok;
    for (const std::string& file : args.files) {
        EdidInfo info;
        std::string message;
        bool valid = false;
        const std::string failure = ReadFreshRecord(ValidateCommand, context, file, info);
        if (!failure.empty()) {
            message = failure;
        } else if (ValidateEdid(info)) {
            valid = true;
            message = "valid";
        } else {
            message = ValidationMessage(info.Status);
        }
        if (!valid)
            status = ExitStatus::Failed;
        if (args.json)
            context.out << "{\"file\": " << JsonTextString(file)
                        << ", \"valid\": " << (valid ? "true" : "false")
                        << ", \"message\": " << JsonTextString(message) << "}\n";
        else
            PrintFileLine(context.out, file, message);
    }
    return status;
}

} // namespace

const Command ValidateCommand = {
    "validate",
    "validate [--json] FILE...",
    "check each EDID file: header, checksums, extension count",
    "Reads each EDID file and validates it.\n" EDID_INPUT_HELP "\n"
    "Prints one line per file:\n"
    "\"FILE: valid\" or \"FILE: <message>\", the message being one of\n"
    "\"Illegal Edid Header.\", \"Illegal Edid CheckSum0.\", \"Illegal Edid CheckSum1.\",\n"
    "\"Edid Over Banks.\", \"Edid Open Fail.\" or why the input is no EDID (\"empty\n"
    "input\", \"line 3: 'g' is not a hex digit\", the byte count of hex text of the wrong\n"
    "length, ...).\n"
    "\n"
    "  --json   one JSON object per line: {\"file\": ..., \"valid\": true|false, \"message\": "
    "...}\n"
    "\n"
    "Exit status: 0 when every file is valid, 1 otherwise; 2 on a usage error.\n",
    runValidate,
};
