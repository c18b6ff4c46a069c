#include "CommandLine.h"

#include "EdidFile.h"
#include "EdidInfo.h"

#include <ostream>

void PrintCommandUsage(const Command& command, std::ostream& out) {
    out << "usage: redaviv-cli " << command.synopsis << "\n";
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
            context.err << "redaviv-cli " << command.name << ": unknown option '" << arg << "'\n";
            PrintCommandUsage(command, context.err);
            return false;
        } else {
            parsed.files.push_back(arg);
        }
    }
    if (!parsed.help && parsed.files.empty()) {
        context.err << "redaviv-cli " << command.name << ": no FILE given\n";
        PrintCommandUsage(command, context.err);
        return false;
    }
    return true;
}

bool ReadFreshRecord(const std::string& path, EdidInfo& info) {
    info = EdidInfo{};
    return ReadEdidFile(path, info.Image);
}
