#include "SadFormats.h"

#include "CreatorTables.h"

const std::array<SadFormat, 8> SadFormats = {{
    {1, 1, 0x09, AudioByte3::SampleSizes, 0, 0, 0},
    {3, 2, 0x10, AudioByte3::BitRate, 5, 0x07, 0x50},
    {4, 10, 0x50, AudioByte3::Fixed, 7, 0x06, 0x00},
    {5, 12, 0x60, AudioByte3::Fixed, 7, 0x7E, 0x00},
    {6, 7, 0x38, AudioByte3::BitRate, 6, 0x1E, 0xC0},
    {7, 11, 0x58, AudioByte3::Fixed, 7, 0x7E, 0x01},
    {8, 6, 0x30, AudioByte3::BitRate, 5, 0x06, 0x3C},
    {9, 9, 0x48, AudioByte3::Fixed, 5, 0x02, 0x00},
}};

namespace {

// The name part of a format's controls: the L-PCM group's, or its Audio2 row's.
std::string key(const SadFormat& format) {
    for (const CreatorAudioFormat& row : CreatorAudioFormats) {
        if (row.yesBox == format.v)
            return row.key;
    }
    return "LPCM";
}

} // namespace

const SadFormat* FindSadFormat(std::uint8_t code) {
    for (const SadFormat& format : SadFormats) {
        if (format.code == code)
            return &format;
    }
    return nullptr;
}

std::string MaxChEdit(const SadFormat& format) {
    return "Edit_Audio" + key(format) + "_MaxCh";
}

std::string FrequencyPrefix(const SadFormat& format) {
    return "CheckBox_Audio" + key(format) + "_Freq_";
}

std::string BitRateEdit(const SadFormat& format) {
    return format.byte3Kind == AudioByte3::BitRate ? "Edit_Audio" + key(format) + "_BitRate"
                                                   : std::string();
}

std::string DetailBox(const SadFormat& format) {
    return format.code == LpcmCode ? std::string() : "CheckBox_AudDetail_" + key(format);
}
