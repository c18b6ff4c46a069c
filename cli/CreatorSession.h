#pragma once
#include "Commands.h"

#include <QDate>

#include <optional>
#include <string>

// The arguments of a creator command: "-o OUT", "--today YYYY-MM-DD", "--help", and
// for roundtrip its one input FILE.
struct CreatorArgs {
    bool help = false;
    std::optional<std::string> input;
    std::string output;
    QDate today; // invalid: the local date
};

// Parses `context.args`; `wantsInput` says whether one FILE must be given. On a usage
// error writes the message and the usage to `context.err` and returns false.
bool ParseCreatorArgs(const Command& command, CommandContext& context, bool wantsInput,
                      CreatorArgs& parsed);

// In one fresh window: "Bin Modifiy" the input (or "Brand New" without one), then "Save"
// to the output, with scripted dialogs. Returns the exit status.
int RunCreatorSession(CommandContext& context, const CreatorArgs& args);
