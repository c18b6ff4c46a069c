#include "CommandTable.h"

#include "CreatorCommands.h"
#include "DeviceCommands.h"

#include <ostream>

const std::vector<const Command*>& CommandTable() {
    // The device form of analyse comes first: it hands every other use to the file form.
    static const std::vector<const Command*> table = {
        &DeviceAnalyseCommand, &AnalyseCommand,  &DumpCommand,     &ValidateCommand,
        &RoundtripCommand,     &BrandnewCommand, &InfoCommand,     &DownloadCommand,
        &UploadCommand,        &ModeCommand,     &FirmwareCommand, &ExportCommand,
        &DiffCommand,
    };
    return table;
}

const char* const kExitStatusHelp =
    "  0  success\n"
    "  1  a device or file failure, or standard output that could not be written\n"
    "     (\"write error: \" and the system's reason)\n"
    "  2  a usage error\n"
    "  3  roundtrip, brandnew: an edit of the creator did not hold a number (its\n"
    "     message is printed, nothing is written)\n"
    "  130  upload, firmware, mode: SIGINT came while the device was written to (the\n"
    "     frame in flight is finished, nothing more is sent)\n"
    "  143  the same for SIGTERM\n";

void PrintOverallUsage(std::ostream& out) {
    out << "usage: redaviv-cli [--port PATH]... COMMAND [OPTIONS] [ARGUMENTS]\n"
           "       redaviv-cli COMMAND --help\n"
           "\n"
           "Commands:\n";
    for (const Command* command : CommandTable())
        out << "  " << command->synopsis << "\n      " << command->summary << "\n";
    out << "\nExit status:\n" << kExitStatusHelp;
}
