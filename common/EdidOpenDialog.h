#pragma once
#include "EdidInput.h"

#include <optional>
#include <string>

class Prompts;

// The Open dialog of an EDID file, as the upload, the analyser and the creator show it:
// "*.bin" files read as they always were, and hex text read by the EDID input reader.
constexpr const char* EdidBinFilter = "EDID (*.bin)";
constexpr const char* EdidTextFilter = "EDID hex text (*.txt *.hex)";

struct ChosenEdidFile {
    std::string path;
    EdidFileReading reading = EdidFileReading::Binary;
};

// Asks for an EDID file; nothing when the user cancelled.
std::optional<ChosenEdidFile> ChooseEdidFile(Prompts& prompts);
