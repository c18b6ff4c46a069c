#pragma once
#include <array>
#include <cstdint>

// Tables shared by the creator's panel, its loader and its builder. Plain data, walked in
// this order by every loop that reads or sets the panel.

// The video codes of the SD/HD/UHD boxes ("CheckBox_VideoIdCode_<vic>").
inline constexpr std::array<std::uint8_t, 21> CreatorVicList = {
    6, 3, 21, 18, 60, 61, 62, 19, 4, 20, 5, 32, 33, 34, 31, 16, 93, 94, 95, 96, 97};

// The video codes of the YCbCr 4:2:0 boxes ("CheckBox_YUV420VDB_<vic>").
inline constexpr std::array<std::uint8_t, 2> CreatorYuv420VicList = {96, 97};

// One collapsible format row of the Audio2 page. Its controls are named from `key`:
// "Edit_Audio<key>_MaxCh", "Edit_Audio<key>_BitRate" (when hasBitRate),
// "CheckBox_Audio<key>_Freq_1".."_7", "CheckBox_AudDetail_<key>", and its "Yes" box is
// "CheckBox_AudioFormat_<yesBox>".
struct CreatorAudioFormat {
    const char* key;
    const char* caption;
    const char* panel;
    int yesBox;
    bool hasBitRate;
};

// In the order of the rows from the top, which is also the order the loader walks.
inline constexpr std::array<CreatorAudioFormat, 7> CreatorAudioFormats = {{
    {"AC3", "Dolby Digital", "Panel44", 3, true},
    {"EAC3", "Dolby Digital+", "Panel45", 4, false},
    {"MAT", "Dolby TrueHD", "Panel46", 5, false},
    {"DTS", "DTS", "Panel47", 6, true},
    {"DTSHD", "DTS HD", "Panel48", 7, false},
    {"AAC", "AAC LC", "Panel49", 8, true},
    {"OBA", "One Bit Audio", "Panel50", 9, false},
}};

// Captions of the seven frequency boxes of every audio format; box N stands for SAD byte 2
// bit 7 - N.
inline constexpr std::array<const char*, 7> CreatorFrequencyCaptions = {
    "192kHz", "176.4kHz", "96kHz", "88.2kHz", "48kHz", "44.1kHz", "32kHz"};
