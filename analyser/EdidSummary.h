#pragma once
#include "EdidInfo.h"

#include <array>
#include <cstddef>
#include <string>

// The fourteen items of the analyser's summary, in the order the page shows them.
enum class SummaryItem : std::size_t {
    EdidHeader,
    EdidChecksum,
    Manufacturer,
    MonitorName,
    MaxResolution,
    MaxColorDepth,
    Support3d,
    SupportYuv420,
    SupportScdc,
    Support600Mhz,
    SupportHdr,
    AudioFormats,
    AudioChannels,
    CecAddress,
};

constexpr std::size_t kSummaryItems = 14;

// Every item, in order, with the words it is known by outside the program.
struct SummaryItemNames {
    SummaryItem item;
    const char* key;     // its JSON key, e.g. "edid_header"
    const char* caption; // the caption beside it, e.g. "    EDID Header :"
};
extern const std::array<SummaryItemNames, kSummaryItems> SummaryItemTable;

// What the analyser shows for one decoded record. Texts are bytes as the record
// holds them (the window shows them as Latin-1).
struct EdidSummary {
    std::array<std::string, kSummaryItems> texts; // in the order of SummaryItem
    // False for a record that failed validation: "Illegal" and thirteen "-".
    bool valid = false;

    const std::string& text(SummaryItem item) const {
        return texts[static_cast<std::size_t>(item)];
    }
    std::string& text(SummaryItem item) { return texts[static_cast<std::size_t>(item)]; }
};

// The summary of a record after DecodeEdid. An invalid image (Status & 0x0078) gives
// "Illegal" and thirteen "-".
EdidSummary SummariseEdid(const EdidInfo& info);

// Appends one audio format word to the audio formats text, breaking the line once:
// while `broken` is false and the text is longer than 30 characters, "\r\n" comes
// first and `broken` becomes true.
void AppendAudioFormat(std::string& text, bool& broken, const char* word);
