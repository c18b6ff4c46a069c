#include "Options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>

namespace {

using Setter = std::function<bool(DevsimOptions&, const std::string&)>;

struct OptionEntry {
    const char* name;
    const char* argument; // nullptr for a flag
    const char* help;
    Setter set;
};

// Decimal, or hexadecimal with 0x; the whole text must be a number in [low, high].
bool parseNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

Setter text(std::string DevsimOptions::*field) {
    return [field](DevsimOptions& o, const std::string& v) {
        o.*field = v;
        return true;
    };
}

Setter flag(bool DevsimOptions::*field) {
    return [field](DevsimOptions& o, const std::string&) {
        o.*field = true;
        return true;
    };
}

Setter number(int DevsimOptions::*field, long low, long high) {
    return [field, low, high](DevsimOptions& o, const std::string& v) {
        long value = 0;
        if (!parseNumber(v, low, high, value)) {
            return false;
        }
        o.*field = static_cast<int>(value);
        return true;
    };
}

bool addIgnoredType(DevsimOptions& o, const std::string& v) {
    long value = 0;
    if (!parseNumber(v, 0, 0xFFFF, value)) {
        return false;
    }
    // The write bit of the frame's first byte is not part of the type.
    o.ignoredTypes.push_back(static_cast<std::uint16_t>(value & 0x7FFF));
    return true;
}

bool addIgnoredWrite(DevsimOptions& o, const std::string& v) {
    long value = 0;
    if (!parseNumber(v, 0, 0xFFFF, value)) {
        return false;
    }
    o.ignoredWrites.push_back(static_cast<std::uint16_t>(value & 0x7FFF));
    return true;
}

const std::vector<OptionEntry>& optionTable() {
    static const std::vector<OptionEntry> table = {
        {"--manufacturer", "TEXT", "manufacturer ID answered to 0x0009 (default VRN)",
         text(&DevsimOptions::manufacturer)},
        {"--model", "TEXT", "model name answered to 0x0001 (default EM-01)",
         text(&DevsimOptions::model)},
        {"--version", "TEXT", "firmware version answered to 0x0002 (default 1.23)",
         text(&DevsimOptions::version)},
        {"--mode", "N",
         "presented EDID at start: 0 Internal, 2 External, 3 User (default 0; any byte)",
         number(&DevsimOptions::mode, 0, 255)},
        {"--internal", "FILE", "Internal EDID (256 bytes; missing bytes read as 0xFF)",
         text(&DevsimOptions::internalFile)},
        {"--external", "FILE", "External EDID", text(&DevsimOptions::externalFile)},
        {"--user", "FILE", "User EDID at start", text(&DevsimOptions::userFile)},
        {"--stored", "FILE", "Stored EDID", text(&DevsimOptions::storedFile)},
        {"--dump-user", "FILE", "write the User EDID (256 bytes) to FILE at exit",
         text(&DevsimOptions::dumpUser)},
        {"--dump-flash", "FILE", "write the loader's memory (3 banks of 64 KiB) to FILE at exit",
         text(&DevsimOptions::dumpFlash)},
        {"--trace", "FILE",
         "log every read and write: '<whole ms since start> rx|tx <hex bytes>', one line each",
         text(&DevsimOptions::trace)},
        {"--isp", nullptr, "run the firmware loader instead of the framed protocol",
         flag(&DevsimOptions::isp)},
        {"--banner", nullptr, "the loader announces itself with a text containing KQB707",
         flag(&DevsimOptions::banner)},
        {"--silent", nullptr, "never answer (the loader still streams until its first command)",
         flag(&DevsimOptions::silent)},
        {"--delay-ms", "N", "send every answer N ms after its request",
         number(&DevsimOptions::delayMs, 0, 600000)},
        {"--noise", "N",
         "block 0 reads (0x0105, 0x0206) answer N noise bytes instead of the "
         "3-byte head, so the EDID header lands at offset N",
         number(&DevsimOptions::noise, 0, 1024)},
        {"--ignore-type", "0xNNNN",
         "never answer requests of this type, read or write "
         "(repeatable)",
         addIgnoredType},
        {"--ignore-write", "0xNNNN",
         "never answer nor store writes of this type; its reads are answered "
         "(repeatable)",
         addIgnoredWrite},
        {"--no-write-answers", nullptr,
         "store written data and answer no write but the select (0x0108), whose "
         "acknowledge the program awaits",
         flag(&DevsimOptions::noWriteAnswers)},
        {"--short-write-answers", nullptr,
         "answer a write with the 3-byte head only (A1 and the two type bytes)",
         flag(&DevsimOptions::shortWriteAnswers)},
        {"--flood", nullptr, "answer the first request with 1200 bytes in one write",
         flag(&DevsimOptions::flood)},
        {"--drop-after", "N",
         "answer N requests, then hang up the line at the next one and stay silent",
         number(&DevsimOptions::dropAfter, 0, 1000000)},
        {"--corrupt-readback", "N", "invert N data bytes of each loader read-back",
         number(&DevsimOptions::corruptReadback, 0, 512)},
        {"--corrupt-readback-times", "K", "corrupt only the first K read-backs",
         number(&DevsimOptions::corruptReadbackTimes, 0, 1000000)},
        {"--readback-timeout", nullptr, "the loader never answers a read-back (0x85)",
         flag(&DevsimOptions::readbackTimeout)},
        {"--wire", nullptr, "emulate 57600-baud wire time both ways (10 bits per byte)",
         flag(&DevsimOptions::wire)},
        {"--stream-nonzero-then-zero", nullptr,
         "stream nine non-zero bytes then a zero, over and over, and answer nothing",
         flag(&DevsimOptions::streamNonzeroThenZero)},
        {"--ignore-stdin", nullptr, "serve until SIGTERM only, not until stdin ends",
         flag(&DevsimOptions::ignoreStdin)},
        {"--help", nullptr, "show this text", flag(&DevsimOptions::help)},
    };
    return table;
}

const OptionEntry* findOption(const std::string& name) {
    for (const OptionEntry& entry : optionTable()) {
        if (name == entry.name) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace

ParseResult parseOptions(const std::vector<std::string>& args) {
    ParseResult result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string name = args[i];
        const OptionEntry* entry = findOption(name);
        if (entry == nullptr) {
            result.error = "unknown option: " + name;
            return result;
        }
        std::string value;
        if (entry->argument != nullptr) {
            if (i + 1 >= args.size()) {
                result.error = name + " needs " + entry->argument;
                return result;
            }
            value = args[++i];
        }
        if (!entry->set(result.options, value)) {
            result.error = "bad value for " + name + ": " + value;
            return result;
        }
    }
    return result;
}

std::string usageText() {
    std::string text = "Usage: devsim [options]\n"
                       "Opens a pseudo-terminal, prints its path on the first line and serves\n"
                       "the device on it until SIGTERM, or until stdin ends when stdin is a\n"
                       "pipe or a terminal.\n\nOptions:\n";
    for (const OptionEntry& entry : optionTable()) {
        std::string left = std::string("  ") + entry.name;
        if (entry.argument != nullptr) {
            left += std::string(" ") + entry.argument;
        }
        left.resize(std::max<std::size_t>(left.size() + 1, 32), ' ');
        text += left + entry.help + "\n";
    }
    text += "\nRequests are answered A1, the two type bytes of the frame, then the count's\n"
            "payload (reads) or the stored data (writes). Api_Edid_Select (0x0108) takes\n"
            "FF Internal, 00 User, 55 Stored; 0x0105/0x0106 writes store the User EDID.\n"
            "The loader streams its banner until a command comes, and again after 2 s\n"
            "without one: 81 -> 81; 87 -> 87 len text 00; 83 b; 84 hh ll; 86 + 512 bytes;\n"
            "85 -> 85 00 + the 512 bytes at the set address.\n";
    return text;
}
