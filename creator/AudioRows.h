#pragma once
#include <array>

// One collapsible format row of the Audio2 page: its caption, the layout name of its
// panel, the number of its "Yes" box in the audio-format family (which also numbers its
// "For Detail" box and names its format), and whether it has a bit-rate edit.
struct CreatorAudioFormat {
    const char* caption;
    const char* panel;
    int yesBox;
    bool hasBitRate;
};

// In the order of the rows from the top.
inline constexpr std::array<CreatorAudioFormat, 7> CreatorAudioFormats = {{
    {"Dolby Digital", "Panel44", 3, true},
    {"Dolby Digital+", "Panel45", 4, false},
    {"Dolby TrueHD", "Panel46", 5, false},
    {"DTS", "Panel47", 6, true},
    {"DTS HD", "Panel48", 7, false},
    {"AAC LC", "Panel49", 8, true},
    {"One Bit Audio", "Panel50", 9, false},
}};

// Captions of the seven frequency boxes of every audio format; box N stands for SAD byte 2
// bit 7 - N.
inline constexpr std::array<const char*, 7> CreatorFrequencyCaptions = {
    "192kHz", "176.4kHz", "96kHz", "88.2kHz", "48kHz", "44.1kHz", "32kHz"};
