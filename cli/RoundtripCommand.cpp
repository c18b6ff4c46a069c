// redaviv-cli roundtrip: an EDID file through the creator unchanged.
#include "CreatorCommands.h"
#include "CreatorSession.h"

#include "CommandLine.h"

namespace {

int runRoundtrip(CommandContext& context) {
    CreatorArgs args;
    if (!ParseCreatorArgs(RoundtripCommand, context, true, args))
        return ExitStatus::Usage;
    if (args.help) {
        PrintCommandHelp(RoundtripCommand, context.out);
        return ExitStatus::Ok;
    }
    // One input is refused with its reason; with -d a refused input is one failure line.
    if (args.outputDir.empty() && !CheckEdidInput(RoundtripCommand, context, args.inputs.front()))
        return ExitStatus::Failed;
    return RunCreatorSession(context, args);
}

} // namespace

const Command RoundtripCommand = {
    "roundtrip",
    "roundtrip FILE -o OUT | FILE... -d OUTDIR [--today YYYY-MM-DD]",
    "load FILE into the creator (\"Bin Modifiy\") and save it unchanged as OUT",
    "In a fresh creator, loads FILE as \"Bin Modifiy\" does and saves what the editor then\n"
    "holds to OUT as \"Save\" does, with no edit in between. OUT is written whole or not\n"
    "at all. Blocks that did not fit are named on stderr (\"Not Written: ...\").\n"
    "With -d, each FILE goes through its own fresh creator into OUTDIR under its own\n"
    "base name; each failure is a line \"FILE: message\" on stderr.\n"
    "FILE is a binary EDID file or hex text, as analyse reads it; \"-\" (standard input)\n"
    "only with -o.\n"
    "\n"
    "  -o OUT              the EDID file to write\n"
    "  -d OUTDIR           the folder to write one file per FILE into\n"
    "  --today YYYY-MM-DD  the date whose year and week a Brand New EDID shows\n"
    "                      (default: the local date)\n"
    "\n"
    "Exit status: 0 written; 1 FILE cannot be read or OUT cannot be written (\"Edid\n"
    "Open Fail.\", or the byte count of hex text of the wrong length), or the creator\n"
    "refused FILE (\"FILE: \" and its validation message, \"Illegal Edid CheckSum1.\" and\n"
    "the like; nothing is written for it); 2 usage error;\n"
    "3 an edit did not hold a number (its message is printed, nothing is written).\n"
    "With -d: 0 all written; 1 any FILE failed.\n",
    runRoundtrip,
};
