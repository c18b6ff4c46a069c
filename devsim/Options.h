#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Everything the command line can set. Defaults describe a healthy device.
struct DevsimOptions {
    // Device identity and content.
    std::string manufacturer = "VRN";
    std::string model = "EM-01";
    std::string version = "1.23";
    int mode = 0x00;
    std::string internalFile;
    std::string externalFile;
    std::string userFile;
    std::string storedFile;

    // Output files.
    std::string dumpUser;
    std::string dumpFlash;
    std::string trace;

    // Loader.
    bool isp = false;
    bool banner = false;

    // Faults.
    bool silent = false;
    int delayMs = 0;
    int noise = 0;
    std::vector<std::uint16_t> ignoredTypes;
    std::vector<std::uint16_t> ignoredWrites;
    bool flood = false;
    bool noWriteAnswers = false;
    bool shortWriteAnswers = false;
    int dropAfter = -1;
    int corruptReadback = 0;
    int corruptReadbackTimes = -1;
    bool readbackTimeout = false;
    bool wire = false;
    bool streamNonzeroThenZero = false;

    bool ignoreStdin = false;
    bool help = false;
};

struct ParseResult {
    DevsimOptions options;
    std::string error; // empty when the command line was understood
};

ParseResult parseOptions(const std::vector<std::string>& args);

// The text of `devsim --help`.
std::string usageText();
