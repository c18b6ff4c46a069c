// redaviv-cli info: what Search finds on the ports.
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"

#include <ostream>

namespace {

const std::string VersionCaption = "Current Version : ";
// The caption once the device's version answer was shown.
const std::string AnsweredVersionCaption = VersionCaption + "v";

int runInfo(CommandContext& context) {
    return RunDeviceCommand(
        InfoCommand, context, {0}, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            DeviceSession session(reporter, args.ports);
            if (!session.search())
                return ExitStatus::Failed;
            const RecordingLinkView& view = session.view();
            // The search goes on without them; an answer that came late was dropped.
            const bool modelCame = view.led == Colour::Green;
            const bool versionCame = view.firmwareVersion.rfind(AnsweredVersionCaption, 0) == 0;
            if (session.link().connection() == Connection::Connected &&
                !(modelCame && versionCame)) {
                reporter.message("API Timeout.");
                return ExitStatus::Failed;
            }
            context.out << "Port: " << session.portName() << "\n";
            context.out << "Model: " << view.modelName << "\n";
            if (session.link().connection() == Connection::Isp) {
                const int variant = session.link().ispVariant();
                context.out << "Loader variant: " << variant << (variant == 1 ? " (KQB707)" : "")
                            << "\n";
                return ExitStatus::Ok;
            }
            std::string version = view.firmwareVersion;
            if (version.rfind(VersionCaption, 0) == 0)
                version.erase(0, VersionCaption.size());
            context.out << "Firmware version: " << version << "\n";
            const auto presented = session.awaitPresentedEdid();
            if (!presented) {
                reporter.message("API Timeout.");
                return ExitStatus::Failed;
            }
            context.out << "Presented EDID: " << PresentedEdidName(*presented) << "\n";
            return ExitStatus::Ok;
        });
}

} // namespace

const Command InfoCommand = {
    "info",
    "info [--port PATH]...",
    "find the device and show its model, firmware version and presented EDID",
    "Searches the ports as the window's \"Search\" does and prints what it found:\n"
    "  Port: PATH\n"
    "  Model: NAME\n"
    "  Firmware version: vX.YZ\n"
    "  Presented EDID: Internal|External|User\n"
    "or, for a device whose firmware loader runs,\n"
    "  Model: ISP Mode.\n"
    "  Loader variant: 0|1 (KQB707)\n"
    "\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0, or 1 when no device was found (\"Not Found.\") or it did not answer\n"
    "with its model, version or presented EDID (\"API Timeout.\"); 2 on a usage error.\n",
    runInfo,
};
