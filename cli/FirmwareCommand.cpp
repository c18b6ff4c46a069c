// redaviv-cli firmware: the firmware group's "Open" and "Update" for a device whose
// firmware loader already runs.
#include "CommandLine.h"
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "FirmwareHandlers.h"
#include "FirmwareUpdate.h"
#include "FirmwareView.h"
#include "WriteInterruption.h"

#include <memory>

namespace {

// The firmware controls on a console: the target version as a message, "Update"
// enabled or not, "With Verification" as given.
class ConsoleFirmwareView : public FirmwareView {
public:
    ConsoleFirmwareView(ConsoleReporter& reporter, bool verify, bool& updateEnabled)
        : reporter_(reporter), verify_(verify), updateEnabled_(updateEnabled) {}

    void showFirmwarePath(const std::string&) override {}
    void setVersionText(const std::string& text) override { reporter_.message(text); }
    void setUpdateEnabled(bool enabled) override { updateEnabled_ = enabled; }
    bool verifyChecked() const override { return verify_; }

private:
    ConsoleReporter& reporter_;
    bool verify_;
    bool& updateEnabled_;
};

int runFirmware(CommandContext& context) {
    DeviceCommandShape entry{1};
    entry.noVerify = true;
    return RunDeviceCommand(
        FirmwareCommand, context, entry, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            // Before the port is opened: a refused file must not hold the device.
            if (!CheckInputFile(FirmwareCommand, context, args.operands[0]))
                return ExitStatus::Failed;
            DeviceSession session(reporter, args.ports);
            if (!session.search())
                return ExitStatus::Failed;
            // The file named on the command line, checked as the window's "Open" checks
            // it: it says whether "Update" may be pressed.
            bool updateEnabled = false;
            FirmwareHandlers handlers(
                session.link(), reporter,
                std::make_unique<ConsoleFirmwareView>(reporter, !args.noVerify, updateEnabled));
            handlers.checkImage(args.operands[0]);
            if (!updateEnabled)
                return ExitStatus::Failed;
            reporter.showProgressOf(StatusLabel::Firmware);
            const bool verify = !args.noVerify;
            FirmwareUpdateResult result = FirmwareUpdateResult::Refused;
            if (const auto interrupted = RunDeviceWrite(
                    session.link(), reporter,
                    "the firmware on " + session.portName() +
                        " may be incomplete; update again while the loader runs.",
                    [&] {
                        result = updateFirmware(session.link(), reporter, handlers.firmwarePath(),
                                                [verify] { return verify; });
                    }))
                return *interrupted;
            return result == FirmwareUpdateResult::Finished ? ExitStatus::Ok : ExitStatus::Failed;
        });
}

} // namespace

const Command FirmwareCommand = {
    "firmware",
    "firmware FILE [--no-verify] [--port PATH]...",
    "update the firmware of a device whose firmware loader runs (ISP mode)",
    "Finds the device in ISP mode, checks FILE as the firmware group's \"Open\" does (its\n"
    "version tag, shown as \"Target Version : vX.YYY\") and writes it block by block,\n"
    "reading every block back. Progress is shown on standard error: a bar on a terminal,\n"
    "otherwise a line at the first percentage and at each tenth. The command does not\n"
    "put the device into ISP mode.\n"
    "\n"
    "  --no-verify     accept each block once read back, without comparing it\n"
    "                  (\"With Verification\" unchecked)\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0 once the last block was written; 1 when no device was found, the\n"
    "device is not in ISP mode (\"Not ISP Mode.\"), FILE cannot be opened or has no\n"
    "version tag (\"Target Version : Illegal !\"), or the update failed (\"Update Fw\n"
    "Failed.\"); 2 on a usage error; 130 (SIGINT) or 143 (SIGTERM) when a signal came\n"
    "during the update: the command in flight is finished, nothing more is sent and\n"
    "\"Interrupted: the firmware on PORT may be incomplete; update again while the loader\n"
    "runs.\" is shown; a second signal ends the command at once.\n",
    runFirmware,
};
