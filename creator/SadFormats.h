#pragma once
#include <array>
#include <cstdint>
#include <string>

// How byte 3 of a short audio descriptor is filled from the panel.
enum class AudioByte3 {
    SampleSizes, // L-PCM: the sample-size boxes
    BitRate,     // the bit-rate edit / 8 while MaxCh is above 0, else the default
    Fixed,       // always `byte3`
};

// The short-audio-descriptor side of one creator audio format.
struct SadFormat {
    int v;                  // CheckBox_AudioFormat_<v>; its Audio_Formats bit is v - 1
    std::uint8_t code;      // SAD format code, (first byte >> 3) & 0x0F
    std::uint8_t firstByte; // first byte of a descriptor added for the "Yes" box
    AudioByte3 byte3Kind;
    // Used when the format's MaxCh is 0 or below (not for L-PCM, which has no default).
    std::uint8_t defaultChannels;
    std::uint8_t defaultRates;
    // The default byte 3 (BitRate) or the fixed one (Fixed).
    std::uint8_t byte3;
};

// L-PCM "Basic" first, then the Audio2 rows from the top (v = 3..9).
extern const std::array<SadFormat, 8> SadFormats;

constexpr const char* AudioFormatBoxPrefix = "CheckBox_AudioFormat_";
constexpr int AudioFormatBoxCount = 9;
// The invisible member of the family; its Audio_Formats bit marks multichannel L-PCM.
constexpr std::uint16_t MultichannelLpcmBit = 0x0002;
constexpr std::uint8_t LpcmCode = 1;

// The format of `code`, or null when the panel has none for it.
const SadFormat* FindSadFormat(std::uint8_t code);

// The names of a format's controls.
std::string MaxChEdit(const SadFormat& format);
std::string FrequencyPrefix(const SadFormat& format);
// Empty when the format has no bit-rate edit.
std::string BitRateEdit(const SadFormat& format);
// The "For Detail" box of an Audio2 row; empty for L-PCM.
std::string DetailBox(const SadFormat& format);
