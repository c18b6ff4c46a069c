// redaviv-cli upload: an EDID file to the device as its User EDID, as "Upload" sends it.
#include "CommandLine.h"
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "EdidDownload.h"
#include "EdidFileUpload.h"

#include <string>

namespace {

constexpr std::size_t UserEdidRow = 2; // in EdidDownloads

// The device takes writes without answering them: what it stored is read back from it.
bool verifyUserEdid(DeviceSession& session, ConsoleReporter& reporter, const EdidImage& sent,
                    const std::string& path) {
    EdidImage stored{};
    if (!ReadDeviceEdidImage(session.link(), EdidDownloads[UserEdidRow], stored)) {
        reporter.message("Verify Failed: the User EDID could not be read back.");
        return false;
    }
    std::size_t differences = 0;
    for (std::size_t i = 0; i < sent.size(); ++i)
        differences += sent[i] != stored[i] ? 1 : 0;
    if (differences == 0)
        return true;
    reporter.message("Verify Failed: the device's User EDID differs from " + path + " in " +
                     std::to_string(differences) + " bytes.");
    return false;
}

int runUpload(CommandContext& context) {
    DeviceCommandShape entry{1};
    entry.noVerify = true;
    return RunDeviceCommand(
        UploadCommand, context, entry, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            // Before the port is opened: a refused file must not hold the device.
            if (!CheckInputFile(UploadCommand, context, args.operands[0]))
                return ExitStatus::Failed;
            DeviceSession session(reporter, args.ports);
            if (!session.connect())
                return ExitStatus::Failed;
            reporter.showProgressOf(StatusLabel::Upload);
            EdidInfo record{};
            const FileUploadResult result =
                UploadEdidFile(session.link(), args.operands[0], record);
            if (result != FileUploadResult::Sent) {
                if (result == FileUploadResult::Cancelled)
                    reporter.message("Upload Edid Failed.");
                return ExitStatus::Failed;
            }
            if (!session.confirmPresentedEdid(PresentedEdid::User))
                return ExitStatus::Failed;
            if (!args.noVerify &&
                !verifyUserEdid(session, reporter, record.Image, args.operands[0]))
                return ExitStatus::Failed;
            return ExitStatus::Ok;
        });
}

} // namespace

const Command UploadCommand = {
    "upload",
    "upload FILE [--no-verify] [--port PATH]...",
    "validate an EDID file, upload it as the User EDID and present it",
    "Reads FILE (256 bytes; missing bytes read as 0xFF), validates it and, when it is\n"
    "valid, sends it to the device as its User EDID and makes the device present it.\n"
    "Progress is shown on standard error: a bar on a terminal, one percentage a line\n"
    "otherwise. The device does not answer the writes, so the User EDID is then read\n"
    "back from it and compared with FILE.\n"
    "\n"
    "  --no-verify     do not read the User EDID back\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0 once the device presents the User EDID and holds FILE's bytes; 1 when\n"
    "no device was found, FILE cannot be opened (\"Upload Edid Failed.\"), is not a valid\n"
    "EDID (\"Illegal Edid Header.\", \"Illegal Edid CheckSum0.\", ...; nothing is sent),\n"
    "the device did not confirm, or the User EDID read back differs from FILE (\"Verify\n"
    "Failed: ...\"); 2 on a usage error.\n",
    runUpload,
};
