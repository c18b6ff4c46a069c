// redaviv-cli upload: an EDID file to the device as its User EDID, as "Upload" sends it.
#include "CommandLine.h"
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "EdidDiff.h"
#include "EdidDownload.h"
#include "EdidFileUpload.h"
#include "EdidInput.h"
#include "PortNames.h"
#include "TerminalText.h"
#include "WriteInterruption.h"

#include <optional>
#include <ostream>
#include <string>

namespace {

constexpr std::size_t UserEdidRow = 2; // in DeviceEdids

// The device takes writes without answering them: what it stored is read back from it.
bool verifyUserEdid(DeviceSession& session, ConsoleReporter& reporter, const EdidImage& sent,
                    const std::string& path) {
    EdidImage stored{};
    if (!ReadDeviceEdidImage(session.link(), DeviceEdids[UserEdidRow], stored)) {
        reporter.message("Verify Failed: the User EDID could not be read back.");
        return false;
    }
    const std::size_t differences = DiffImages(sent, stored).size();
    if (differences == 0)
        return true;
    reporter.message("Verify Failed: the device's User EDID differs from " + path + " in " +
                     std::to_string(differences) + " bytes.");
    return false;
}

// What a box that took the upload did.
std::string uploadedText(bool verify) {
    return verify ? "Uploaded, verified, presented." : "Uploaded, presented.";
}

// The line that tells what became of one box: "PORT: MODEL: RESULT". The model name is
// the device's bytes; `result` is the program's own text, or a message already shown.
void printResult(std::ostream& out, const std::string& port, const std::string& model,
                 const std::string& result) {
    out << TerminalText(port) << ": " << Latin1TerminalText(model) << ": " << result << "\n";
    out.flush();
}

// Uploads `input` to the device `session` is connected to, has it presented and, unless
// `verify` is false, reads it back.
int uploadTo(DeviceSession& session, ConsoleReporter& reporter, const EdidInput& input,
             const std::string& file, bool verify) {
    reporter.showProgressOf(StatusLabel::Upload);
    EdidInfo record{};
    FileUploadResult result = FileUploadResult::Refused;
    if (const auto interrupted = RunDeviceWrite(
            session.link(), reporter,
            "the User EDID on " + session.portName() + " may be incomplete; upload again.",
            [&] { result = UploadEdidInput(session.link(), input, record); }))
        return *interrupted;
    // Each failure has shown its message.
    if (result != FileUploadResult::Sent)
        return ExitStatus::Failed;
    // A box that answered neither block will not answer the mode write either: it is
    // asked now what it presents rather than at the next status poll.
    if (!session.link().writesAnswered())
        session.askPresentedEdid();
    if (!session.confirmPresentedEdid(PresentedEdid::User))
        return ExitStatus::Failed;
    if (verify && !verifyUserEdid(session, reporter, record.Image, file))
        return ExitStatus::Failed;
    return ExitStatus::Ok;
}

// --each: every box on the candidate ports in turn, each in its own session. With
// --port every port named is a box that must take the upload; without it, ports where
// nothing answers are no boxes and only counted.
int uploadToEach(CommandContext& context, const DeviceArgs& args, ConsoleReporter& reporter,
                 const EdidInput& input) {
    const std::string& file = args.operands[0];
    if (input.status != EdidInputStatus::Read) {
        reporter.message(EdidInputMessage(input));
        return ExitStatus::Failed;
    }
    const QStringList ports = args.ports.isEmpty() ? platformSerialPorts() : args.ports;
    int programmed = 0;
    int failed = 0;
    int empty = 0;
    for (const QString& port : ports) {
        reporter.forgetMessages(); // a box's result is never an earlier box's message
        DeviceSession session(reporter, QStringList{port});
        const bool connected = session.findDevice();
        const bool found = session.link().connection() != Connection::NotConnected;
        if (!found && args.ports.isEmpty()) {
            ++empty;
            continue;
        }
        const int status = connected ? uploadTo(session, reporter, input, file, !args.noVerify)
                                     : ExitStatus::Failed;
        // Interrupted: no box is written to after it.
        if (status > ExitStatus::Interrupted)
            return status;
        const bool ok = status == ExitStatus::Ok;
        ++(ok ? programmed : failed);
        std::string outcome = ok ? uploadedText(!args.noVerify) : reporter.lastMessage();
        if (session.link().connection() == Connection::Isp)
            outcome = "Not uploaded, its firmware loader runs.";
        else if (outcome.empty())
            outcome = "Failed.";
        printResult(context.out, port.toStdString(), found ? session.view().modelName : "-",
                    outcome);
    }
    context.out << programmed << " of " << (programmed + failed) << " boxes programmed, " << failed
                << " failed";
    if (args.ports.isEmpty())
        context.out << "; " << empty << " ports without a device";
    context.out << ".\n";
    return failed == 0 && programmed > 0 ? ExitStatus::Ok : ExitStatus::Failed;
}

// FILE read for the upload. Nothing, its reason on stderr, when it is refused or its
// content is no EDID; a file that cannot be opened fails later, as the window's upload.
std::optional<EdidInput> readInput(CommandContext& context, const std::string& file) {
    std::optional<EdidInput> input = ReadCommandInput(UploadCommand, context, file);
    if (input && input->status != EdidInputStatus::Read &&
        input->status != EdidInputStatus::CannotOpen) {
        PrintFileLine(context.err, file, EdidInputMessage(*input));
        return std::nullopt;
    }
    return input;
}

int runUpload(CommandContext& context) {
    DeviceCommandShape entry{1};
    entry.noVerify = true;
    entry.each = true;
    return RunDeviceCommand(
        UploadCommand, context, entry, [&](const DeviceArgs& args, ConsoleReporter& reporter) {
            const std::string& file = args.operands[0];
            // Before the port is opened: a refused file must not hold the
            // device. Read once, as standard input can only be read once.
            const std::optional<EdidInput> read = readInput(context, file);
            if (!read)
                return ExitStatus::Failed;
            const EdidInput& input = *read;
            if (args.each)
                return uploadToEach(context, args, reporter, input);
            DeviceSession session(reporter, args.ports);
            if (!session.findDevice())
                return ExitStatus::Failed;
            const int status = uploadTo(session, reporter, input, file, !args.noVerify);
            if (status == ExitStatus::Ok)
                printResult(context.out, session.portName(), session.view().modelName,
                            uploadedText(!args.noVerify));
            return status;
        });
}

} // namespace

const Command UploadCommand = {
    "upload",
    "upload FILE [--each] [--no-verify] [--port PATH]...",
    "validate an EDID file, upload it as the User EDID and present it",
    "Reads FILE (a binary EDID file, 256 bytes with missing bytes read as 0xFF, hex text\n"
    "as analyse reads it, or \"-\" for standard input), validates it and, when it is\n"
    "valid, sends it to the device as its User EDID and makes the device present it.\n"
    "Progress is shown on standard error: a bar on a terminal, otherwise a line at the\n"
    "first percentage and at each tenth. The device does not answer the writes, so the\n"
    "User EDID is then read back from it and compared with FILE. Standard output gets\n"
    "one line of what was done: \"PORT: MODEL: Uploaded, verified, presented.\" (with\n"
    "--no-verify \"Uploaded, presented.\").\n"
    "\n"
    "  --each          upload to every box in turn: each port given with --port (each\n"
    "                  must hold a box), or every serial port where a box answers; one\n"
    "                  line per box on standard output (\"PORT: MODEL: RESULT\", a box\n"
    "                  whose loader runs \"Not uploaded, its firmware loader runs.\") and\n"
    "                  a summary line; a box that fails does not stop the others\n"
    "  --no-verify     do not read the User EDID back\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0 once the device presents the User EDID and holds FILE's bytes; 1 when\n"
    "no device was found, FILE cannot be read (\"Upload Edid Failed.\"), is not a valid\n"
    "EDID (\"Illegal Edid Header.\", \"Illegal Edid CheckSum0.\", ...; nothing is sent),\n"
    "the device did not confirm, or the User EDID read back differs from FILE (\"Verify\n"
    "Failed: ...\"); with --each, 1 when any box failed or none was found; 2 on a usage\n"
    "error; 130 (SIGINT) or 143 (SIGTERM) when a signal came while the EDID was sent:\n"
    "the block in flight is finished, nothing more is sent (with --each, to no box) and\n"
    "\"Interrupted: the User EDID on PORT may be incomplete; upload again.\" is shown; a\n"
    "second signal ends the command at once.\n",
    runUpload,
};
