// redaviv-cli mode: which EDID the device presents, as the "Mode" radio buttons choose it.
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "EdidModeChoice.h"
#include "WriteInterruption.h"

namespace {

const std::vector<std::string> ModeWords = {"internal", "external", "user"};
const PresentedEdid ModeEdids[] = {PresentedEdid::Internal, PresentedEdid::External,
                                   PresentedEdid::User};

int runMode(CommandContext& context) {
    return RunDeviceCommand(
        ModeCommand, context, {1}, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            const auto mode = ParseWord(ModeCommand, context, args.operands[0], ModeWords);
            if (!mode)
                return ExitStatus::Usage;
            DeviceSession session(reporter, args.ports);
            if (!session.findDevice())
                return ExitStatus::Failed;
            bool sent = false;
            if (const auto interrupted = RunDeviceWrite(
                    session.link(), reporter,
                    "the presented EDID on " + session.portName() +
                        " may not have changed; choose it again.",
                    [&] { sent = ChooseEdidMode(session.link(), ModeEdids[*mode]); }))
                return *interrupted;
            if (!sent)
                return ExitStatus::Failed;
            return session.confirmPresentedEdid(ModeEdids[*mode]) ? ExitStatus::Ok
                                                                  : ExitStatus::Failed;
        });
}

} // namespace

const Command ModeCommand = {
    "mode",
    "mode internal|external|user [--port PATH]...",
    "choose the EDID the device presents",
    "Connects to the device, asks it to present its Internal, External or User EDID and\n"
    "waits until the device reports that it does.\n"
    "\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0, or 1 when no device was found or the device did not take the\n"
    "choice; 2 on a usage error; 130 (SIGINT) or 143 (SIGTERM) when a signal came while\n"
    "the choice was sent: the request is finished and \"Interrupted: the presented EDID\n"
    "on PORT may not have changed; choose it again.\" is shown; a second signal ends the\n"
    "command at once.\n",
    runMode,
};
