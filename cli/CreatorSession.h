#pragma once
#include "Commands.h"

#include <QDate>

#include <string>
#include <vector>

// The arguments of a creator command: "-o OUT", "-d OUTDIR" (roundtrip only),
// "--today YYYY-MM-DD", "--help", and for roundtrip its input FILEs.
struct CreatorArgs {
    bool help = false;
    std::vector<std::string> inputs;
    std::string output;
    std::string outputDir;
    QDate today; // invalid: the local date
};

// Parses `context.args`; `wantsInput` says whether FILEs are given (one with -o, one or
// more with -d). On a usage error writes the message and the usage to `context.err` and
// returns false.
bool ParseCreatorArgs(const Command& command, CommandContext& context, bool wantsInput,
                      CreatorArgs& parsed);

// On a fresh creator model for each input: "Bin Modifiy" the input (or "Brand New"
// without one), then "Save" to the output. Returns the exit status.
int RunCreatorSession(CommandContext& context, const CreatorArgs& args);
