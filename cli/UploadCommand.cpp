// redaviv-cli upload: an EDID file to the device as its User EDID, as "Upload" sends it.
#include "CommandLine.h"
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "EdidFileUpload.h"

namespace {

int runUpload(CommandContext& context) {
    return RunDeviceCommand(
        UploadCommand, context, {1}, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
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
            return session.confirmPresentedEdid(PresentedEdid::User) ? ExitStatus::Ok
                                                                     : ExitStatus::Failed;
        });
}

} // namespace

const Command UploadCommand = {
    "upload",
    "upload FILE [--port PATH]...",
    "validate an EDID file, upload it as the User EDID and present it",
    "Reads FILE (256 bytes; missing bytes read as 0xFF), validates it and, when it is\n"
    "valid, sends it to the device as its User EDID and makes the device present it.\n"
    "Progress is shown on standard error: a bar on a terminal, one percentage a line\n"
    "otherwise.\n"
    "\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0 once the device presents the User EDID; 1 when no device was found,\n"
    "FILE cannot be opened (\"Upload Edid Failed.\"), is not a valid EDID (\"Illegal Edid\n"
    "Header.\", \"Illegal Edid CheckSum0.\", ...; nothing is sent) or the device did not\n"
    "confirm; 2 on a usage error.\n",
    runUpload,
};
