#pragma once
#include "EdidInfo.h"

#include <array>
#include <cstddef>
#include <string>

// One row of the analyser's "Informations" group, top to bottom.
struct SummaryRow {
    const char* panel;   // the row's panel, e.g. "Panel1"
    const char* caption; // the panel's caption, e.g. "    EDID Header :"
    const char* label;   // the label the analyser fills, e.g. "Label_Edid_Header"
};

constexpr std::size_t kSummaryRows = 14;
extern const std::array<SummaryRow, kSummaryRows> SummaryRows;

// Heights of Panel10, the audio formats row.
constexpr int kPanel10Height = 23;
constexpr int kPanel10TallHeight = 38;

// What the analyser shows for one decoded record. Texts are bytes as the record
// holds them (the window shows them as Latin-1).
struct EdidSummary {
    std::array<std::string, kSummaryRows> texts; // in the order of SummaryRows
    int panel10Height = kPanel10Height;

    // The text of a label by its name ("Label_Audio_Formats"); empty for an unknown name.
    const std::string& text(const std::string& label) const;
};

// The summary of a record after DecodeEdid. An invalid image (Status & 0x0078) gives
// "Illegal" and thirteen "-", and Panel10 keeps `panel10Before`, the height it had.
EdidSummary SummariseEdid(const EdidInfo& info, int panel10Before = kPanel10Height);

// Appends one audio format word to the label's text, breaking the line once: when
// the row is still short and the text is longer than 30 characters, "\r\n" comes
// first and the row grows to 38 pixels.
void AppendAudioFormat(std::string& text, int& panel10Height, const char* word);
