// redaviv-cli info: what Search finds on the ports.
#include "ConsoleReporter.h"
#include "DeviceCommands.h"
#include "DeviceSession.h"
#include "Json.h"
#include "TerminalText.h"

#include <cctype>

#include <ostream>

namespace {

// What Search found; the firmware's own fields are empty in ISP mode.
struct Found {
    std::string port;
    std::string model;
    int loaderVariant = -1; // ISP mode only
    std::string firmware;
    std::string presented;
};

void printText(std::ostream& out, const Found& found) {
    // The device's texts are its bytes, shown as Latin-1 with control characters escaped.
    out << "Port: " << TerminalText(found.port) << "\n";
    out << "Model: " << Latin1TerminalText(found.model) << "\n";
    if (found.loaderVariant >= 0) {
        out << "Loader variant: " << found.loaderVariant
            << (found.loaderVariant == 1 ? " (KQB707)" : "") << "\n";
        return;
    }
    out << "Firmware version: " << Latin1TerminalText(found.firmware) << "\n";
    out << "Presented EDID: " << found.presented << "\n";
}

void printJson(std::ostream& out, const Found& found) {
    out << "{\"port\": " << JsonTextString(found.port)
        << ", \"model\": " << JsonLatin1String(found.model);
    if (found.loaderVariant >= 0) {
        out << ", \"mode\": \"isp\", \"loader_variant\": " << found.loaderVariant << "}\n";
        return;
    }
    std::string presented = found.presented;
    for (char& c : presented)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    out << ", \"firmware\": " << JsonLatin1String(found.firmware)
        << ", \"presented\": " << JsonLatin1String(presented) << "}\n";
}

int runInfo(CommandContext& context) {
    DeviceCommandShape entry{0};
    entry.json = true;
    return RunDeviceCommand(InfoCommand, context, entry,
                            [&](const DeviceArgs& args, ConsoleReporter& reporter) {
                                DeviceSession session(reporter, args.ports);
                                if (!session.search())
                                    return ExitStatus::Failed;
                                // The search goes on without them, even when asked again.
                                if (session.link().connection() == Connection::Connected &&
                                    !(session.modelNameShown() && session.firmwareVersion())) {
                                    reporter.message("API Timeout.");
                                    return ExitStatus::Failed;
                                }
                                Found found;
                                found.port = session.portName();
                                found.model = session.view().modelName;
                                if (session.link().connection() == Connection::Isp) {
                                    found.loaderVariant = session.link().ispVariant();
                                } else {
                                    found.firmware = "v" + *session.firmwareVersion();
                                    const auto presented = session.awaitPresentedEdid();
                                    if (!presented) {
                                        reporter.message("API Timeout.");
                                        return ExitStatus::Failed;
                                    }
                                    found.presented = PresentedEdidName(*presented);
                                }
                                if (args.json)
                                    printJson(context.out, found);
                                else
                                    printText(context.out, found);
                                return ExitStatus::Ok;
                            });
}

} // namespace

const Command InfoCommand = {
    "info",
    "info [--json] [--port PATH]...",
    "find the device and show its model, firmware version and presented EDID",
    "Searches the ports as the window's \"Search\" does and prints what it found:\n"
    "  Port: PATH\n"
    "  Model: NAME\n"
    "  Firmware version: vX.YZ\n"
    "  Presented EDID: Internal|External|User\n"
    "or, for a device whose firmware loader runs,\n"
    "  Model: ISP Mode.\n"
    "  Loader variant: 0|1 (KQB707)\n"
    "\n"
    "  --json          one JSON object instead:\n"
    "                  {\"port\": ..., \"model\": ..., \"firmware\": \"vX.YZ\",\n"
    "                   \"presented\": \"internal\"|\"external\"|\"user\"}\n"
    "                  or {\"port\": ..., \"model\": \"ISP Mode.\", \"mode\": \"isp\",\n"
    "                   \"loader_variant\": 0|1}\n" DEVICE_COMMAND_OPTIONS_HELP "\n"
    "Exit status: 0, or 1 when no device was found (\"Not Found.\") or it did not answer\n"
    "with its model, version or presented EDID (\"API Timeout.\"); 2 on a usage error.\n",
    runInfo,
};
