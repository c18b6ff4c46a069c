// redaviv-cli download: one of the device's four EDIDs to a file, as the "Download"
// buttons save it.
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "EdidDownload.h"
#include "FilePath.h"
#include "ScriptedPrompts.h"

namespace {

// In the order of EdidDownloads; "all" is each of them.
const std::vector<std::string> SourceWords = {"internal", "external", "user", "stored", "all"};
constexpr std::size_t AllSources = 4;

int runDownload(CommandContext& context) {
    DeviceCommandShape entry{1};
    entry.output = true;
    return RunDeviceCommand(
        DownloadCommand, context, entry, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            const auto source = ParseWord(DownloadCommand, context, args.operands[0], SourceWords);
            if (!source)
                return ExitStatus::Usage;
            const bool all = *source == AllSources;
            // Before the port is opened: a missing folder must not hold the device.
            if (all && KindOfPath(args.output) != PathKind::Directory) {
                reporter.message(args.output + ": is not a folder");
                return ExitStatus::Failed;
            }
            DeviceSession session(reporter, args.ports);
            if (!session.findDevice())
                return ExitStatus::Failed;
            // The save dialog answers with the file named on the command line, or for
            // "all" with each EDID's offered name in the folder. A failed transfer leaves
            // its own file alone and the others go on.
            int status = ExitStatus::Ok;
            for (std::size_t row = all ? 0 : *source; row < (all ? AllSources : *source + 1);
                 ++row) {
                ScriptedPrompts prompts;
                prompts.saveAnswers.push_back(
                    all ? args.output + "/" + EdidDownloads[row].offeredName : args.output);
                if (DownloadEdid(session.link(), prompts, EdidDownloads[row]) !=
                    DownloadResult::Written)
                    status = ExitStatus::Failed;
            }
            return status;
        });
}

} // namespace

const Command DownloadCommand = {
    "download",
    "download internal|external|user|stored|all -o FILE|DIR [--port PATH]...",
    "save one of the device's EDIDs to a file, or all four into a folder",
    "Connects to the device and saves its Internal, External, User or Stored EDID\n"
    "(256 bytes, as received) to FILE. The file is written only when the device answered\n"
    "the whole transfer, and then whole: a failed download leaves FILE as it was.\n"
    "With \"all\", the four EDIDs are fetched in one session into the existing folder DIR\n"
    "as Internal_Edid.bin, External_Edid.bin, User_Edid.bin and Stored_Edid.bin, each\n"
    "written only after its own transfer; one that fails does not stop the others.\n"
    "\n"
    "  -o FILE|DIR     the file to write, or with \"all\" the folder\n" DEVICE_COMMAND_OPTIONS_HELP
    "\n"
    "Exit status: 0, or 1 when no device was found, FILE cannot be written (\"Edid Open\n"
    "Fail.\"), DIR is not a folder or the device did not answer (\"API Timeout.\"); with\n"
    "\"all\", 1 when any of the four failed; 2 on a usage error.\n",
    runDownload,
};
