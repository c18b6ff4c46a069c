// redaviv-cli brandnew: the creator's template, saved.
#include "CreatorCommands.h"
#include "CreatorSession.h"

#include "CommandLine.h"

namespace {

int runBrandnew(CommandContext& context) {
    CreatorArgs args;
    if (!ParseCreatorArgs(BrandnewCommand, context, false, args))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(BrandnewCommand, context.out);
        return ExitStatus::Ok;
    }
    return RunCreatorSession(context, args);
}

} // namespace

const Command BrandnewCommand = {
    "brandnew",
    "brandnew -o OUT [--today YYYY-MM-DD]",
    "start the creator from its template (\"Brand New\") and save it as OUT",
    "In a fresh creator, loads the built-in template as \"Brand New\" does (with the year\n"
    "and ISO week of today) and saves it to OUT as \"Save\" does. OUT is written whole or\n"
    "not at all; \"-\" writes the 256 bytes to standard output.\n"
    "\n"
    "  -o OUT              the EDID file to write\n"
    "  --today YYYY-MM-DD  the date whose year and ISO week are written\n"
    "                      (default: the local date)\n"
    "\n"
    "Exit status: 0 written; 1 OUT cannot be written (\"OUT: Edid Open Fail. (REASON)\");\n"
    "2 usage error; 3 an edit did not hold a number.\n",
    runBrandnew,
};
