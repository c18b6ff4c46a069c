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
    return RunCreatorSession(context, args);
}

} // namespace

const Command RoundtripCommand = {
    "roundtrip",
    "roundtrip FILE -o OUT | FILE... -d OUTDIR [--today YYYY-MM-DD]",
    "load FILE into the creator (\"Bin Modifiy\") and save it unchanged as OUT",
    "In a fresh creator, loads FILE as \"Bin Modifiy\" does and saves what the editor then\n"
    "holds to OUT as \"Save\" does, with no edit in between. OUT is written whole or not\n"
    "at all; \"-\" writes the 256 bytes to standard output. Blocks that did not fit are\n"
    "named on stderr (\"Not Written: ...\"). A FILE of more than 256 bytes is noted on\n"
    "stderr: only the first 256 are read.\n"
    "With -d, each FILE goes through its own fresh creator into OUTDIR under its own\n"
    "base name; each failure is a line \"FILE: message\" on stderr, or for a file that\n"
    "cannot be saved \"OUTDIR/NAME: Edid Open Fail. (REASON)\". Nothing is written when\n"
    "two FILEs have the same base name or when a file to write is one of the FILEs (or a\n"
    "link to one).\n"
    "FILE is a binary EDID file or hex text, as analyse reads it; \"-\" (standard input)\n"
    "only with -o.\n"
    "\n"
    "  -o OUT              the EDID file to write (\"-\": standard output)\n"
    "  -d OUTDIR           the folder to write one file per FILE into\n"
    "  --today YYYY-MM-DD  the date whose year and week a Brand New EDID shows\n"
    "                      (default: the local date)\n"
    "\n"
    "Exit status: 0 written; 1 FILE cannot be read (\"Edid Open Fail.\", or why it is no\n"
    "EDID), the creator refused FILE (\"FILE: \" and its validation message, \"Illegal\n"
    "Edid CheckSum1.\" and the like; nothing is written for it) or OUT cannot be written\n"
    "(\"OUT: Edid Open Fail. (REASON)\"); 2 usage error;\n"
    "3 an edit did not hold a number (its message is printed, nothing is written).\n"
    "With -d: 0 all written; 1 OUTDIR is not a folder or any FILE failed; 2 two FILEs\n"
    "would be saved as one file, or a file to write is a FILE (nothing is written).\n",
    runRoundtrip,
};
