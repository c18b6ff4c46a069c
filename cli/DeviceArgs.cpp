#include "DeviceArgs.h"

#include "CommandLine.h"
#include "NetworkAddress.h"

#include <QFileInfo>

#include <ostream>

namespace {

// Each port once, under the name it was first given: a port named twice, or once more
// through a link to the same device, is still one box.
QStringList distinctPorts(const QStringList& ports) {
    QStringList kept;
    QStringList devices;
    for (const QString& port : ports) {
        const QString resolved = QFileInfo(port).canonicalFilePath();
        const QString device = resolved.isEmpty() ? port : resolved;
        if (kept.contains(port) || devices.contains(device))
            continue;
        kept << port;
        devices << device;
    }
    return kept;
}

} // namespace

bool ParseDeviceArgs(const Command& command, CommandContext& context,
                     const DeviceCommandShape& entry, DeviceArgs& parsed) {
    const std::vector<std::string>& args = context.args;
    bool options = true;
    bool haveOutput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // An option with a value, as "--port PATH" or "--port=PATH".
        const auto valueOf = [&](const char* name) -> std::optional<std::string> {
            const std::string prefix = std::string(name) + "=";
            if (arg.rfind(prefix, 0) == 0)
                return arg.substr(prefix.size());
            if (arg != name || i + 1 >= args.size())
                return std::nullopt;
            return args[++i];
        };
        if (!options || arg == "-" || arg.empty() || arg[0] != '-') {
            parsed.operands.push_back(arg);
        } else if (arg == "--") {
            options = false;
        } else if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--verbose" || arg == "-v") {
            parsed.verbose = true;
        } else if (entry.json && arg == "--json") {
            parsed.json = true;
        } else if (entry.noVerify && arg == "--no-verify") {
            parsed.noVerify = true;
        } else if (entry.each && arg == "--each") {
            parsed.each = true;
        } else if (const auto port = valueOf("--port")) {
            parsed.ports.append(QString::fromLocal8Bit(port->c_str()));
        } else if (const auto output = entry.output ? valueOf("-o") : std::nullopt) {
            parsed.output = *output;
            haveOutput = true;
        } else if (arg == "--port" || (entry.output && arg == "-o")) {
            return UsageError(command, context, "option '" + arg + "' needs a value");
        } else {
            return UsageError(command, context, "unknown option '" + arg + "'");
        }
    }
    parsed.ports = distinctPorts(parsed.ports);
    if (parsed.help)
        return true;
    for (const QString& port : parsed.ports) {
        std::string error;
        if (isNetworkName(port) && !parseNetworkName(port, &error))
            return UsageError(command, context, error);
    }
    if (parsed.operands.size() != entry.operands)
        return UsageError(command, context,
                          parsed.operands.size() < entry.operands ? "missing argument"
                                                                  : "too many arguments");
    if (entry.output && (!haveOutput || parsed.output.empty()))
        return UsageError(command, context, "no output file given (-o FILE)");
    return true;
}

std::optional<std::size_t> ParseWord(const Command& command, CommandContext& context,
                                     const std::string& word,
                                     const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (word == words[i])
            return i;
    }
    UsageError(command, context, "unknown source '" + word + "'");
    return std::nullopt;
}

std::vector<std::string> TakeLeadingPortOptions(std::vector<std::string>& args) {
    std::size_t taken = 0;
    while (taken < args.size()) {
        if (args[taken].rfind("--port=", 0) == 0)
            taken += 1;
        else if (args[taken] == "--port" && taken + 1 < args.size())
            taken += 2;
        else
            break;
    }
    std::vector<std::string> leading(args.begin(), args.begin() + taken);
    args.erase(args.begin(), args.begin() + taken);
    return leading;
}
