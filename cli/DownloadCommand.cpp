// redaviv-cli download: one of the device's four EDIDs to a file, as the "Download"
// buttons save it.
#include "CommandLine.h"
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "EdidDownload.h"
#include "FilePath.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace {

// In the order of DeviceEdids; "all" is each of them.
const std::vector<std::string> SourceWords = {"internal", "external", "user", "stored", "all"};
constexpr std::size_t AllSources = 4;

// Why "all" cannot write into `folder`, checked before the port is opened: a missing folder
// is made once the device is found, when its parent exists. Empty when it can.
std::string folderProblem(const std::string& folder) {
    const PathKind kind = KindOfPath(folder);
    if (kind != PathKind::Missing)
        return kind == PathKind::Directory ? "" : folder + ": is not a folder";
    const std::string parent = ParentOf(folder);
    const PathKind parentKind = KindOfPath(parent);
    if (parentKind == PathKind::Missing)
        return folder + ": cannot be made: " + parent + " does not exist";
    if (parentKind != PathKind::Directory)
        return folder + ": cannot be made: " + parent + " is not a folder";
    return {};
}

// One EDID to standard output: the transfer the download makes, without a file.
int downloadToStandardOutput(CommandContext& context, DeviceSession& session,
                             ConsoleReporter& reporter, const DeviceEdid& row) {
    EdidImage image{};
    if (!ReadDeviceEdidImage(session.link(), row, image)) {
        reporter.message("API Timeout.");
        return ExitStatus::Failed;
    }
    context.out.write(reinterpret_cast<const char*>(image.data()),
                      static_cast<std::streamsize>(image.size()));
    return ExitStatus::Ok;
}

int runDownload(CommandContext& context) {
    DeviceCommandShape entry{1};
    entry.output = true;
    return RunDeviceCommand(
        DownloadCommand, context, entry, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            const auto source = ParseWord(DownloadCommand, context, args.operands[0], SourceWords);
            if (!source)
                return ExitStatus::Usage;
            const bool all = *source == AllSources;
            if (all && args.output == "-") {
                UsageError(DownloadCommand, context,
                           "\"all\" writes four files: -o needs a folder");
                return ExitStatus::Usage;
            }
            // Before the port is opened: a folder that cannot be had must not hold the device.
            if (all) {
                const std::string problem = folderProblem(args.output);
                if (!problem.empty()) {
                    reporter.message(problem);
                    return ExitStatus::Failed;
                }
            }
            DeviceSession session(reporter, args.ports);
            if (!session.findDevice())
                return ExitStatus::Failed;
            if (args.output == "-")
                return downloadToStandardOutput(context, session, reporter, DeviceEdids[*source]);
            if (all && KindOfPath(args.output) != PathKind::Directory && !MakeFolder(args.output)) {
                reporter.message(args.output + ": cannot be made: " + std::strerror(errno));
                return ExitStatus::Failed;
            }
            // The file named on the command line, or for "all" each EDID's offered name
            // in the folder. A failed transfer leaves its own file alone and the others
            // go on.
            int status = ExitStatus::Ok;
            for (std::size_t row = all ? 0 : *source; row < (all ? AllSources : *source + 1);
                 ++row) {
                const std::string path =
                    all ? args.output + "/" + DeviceEdids[row].offeredName : args.output;
                if (DownloadEdid(session.link(), path, DeviceEdids[row]) != DownloadResult::Written)
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
    "the whole transfer, and then whole: a failed download leaves FILE as it was. With\n"
    "FILE \"-\", the 256 bytes go to standard output.\n"
    "With \"all\", the four EDIDs are fetched in one session into the folder DIR (made\n"
    "when it does not exist and its parent does) as Internal_Edid.bin, External_Edid.bin,\n"
    "User_Edid.bin and Stored_Edid.bin, each written only after its own transfer; one\n"
    "that fails does not stop the others.\n"
    "\n"
    "  -o FILE|DIR     the file to write (\"-\": standard output), or with \"all\" the\n"
    "                  folder\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0, or 1 when no device was found, FILE cannot be written (\"Edid Open\n"
    "Fail.\"), DIR is not a folder and cannot be made or the device did not answer (\"API\n"
    "Timeout.\"); with \"all\", 1 when any of the four failed; 2 on a usage error.\n",
    runDownload,
};
