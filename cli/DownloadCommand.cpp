// redaviv-cli download: one of the device's four EDIDs to a file, as the "Download"
// buttons save it.
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "EdidDownload.h"
#include "ScriptedPrompts.h"

namespace {

// In the order of EdidDownloads.
const std::vector<std::string> SourceWords = {"internal", "external", "user", "stored"};

int runDownload(CommandContext& context) {
    DeviceCommandShape entry{1};
    entry.output = true;
    return RunDeviceCommand(
        DownloadCommand, context, entry, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            const auto source = ParseWord(DownloadCommand, context, args.operands[0], SourceWords);
            if (!source)
                return ExitStatus::Usage;
            DeviceSession session(reporter, args.ports);
            if (!session.connect())
                return ExitStatus::Failed;
            // The save dialog answers with the file named on the command line.
            ScriptedPrompts prompts;
            prompts.saveAnswers.push_back(args.output);
            const DownloadResult result =
                DownloadEdid(session.link(), prompts, EdidDownloads[*source]);
            return result == DownloadResult::Written ? ExitStatus::Ok : ExitStatus::Failed;
        });
}

} // namespace

const Command DownloadCommand = {
    "download",
    "download internal|external|user|stored -o FILE [--port PATH]...",
    "save one of the device's EDIDs to a file",
    "Connects to the device and saves its Internal, External, User or Stored EDID\n"
    "(256 bytes, as received) to FILE. The file is written only when the device answered\n"
    "the whole transfer, and then whole: a failed download leaves FILE as it was.\n"
    "\n"
    "  -o FILE         the file to write\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0, or 1 when no device was found, FILE cannot be written (\"Edid Open\n"
    "Fail.\") or the device did not answer (\"API Timeout.\"); 2 on a usage error.\n",
    runDownload,
};
