#pragma once
#include "CreatorFields.h"

#include <array>
#include <cstdint>

// How byte 3 of a short audio descriptor is filled from the model.
enum class AudioByte3 {
    SampleSizes, // L-PCM: the sample-size boxes
    BitRate,     // the bit-rate edit / 8 while MaxCh is above 0, else the default
    Fixed,       // always `byte3`
};

// The short-audio-descriptor side of one creator audio format.
struct SadFormat {
    int v;                  // box v of the audio-format family; its Audio_Formats bit is v - 1
    std::uint8_t code;      // SAD format code, (first byte >> 3) & 0x0F
    std::uint8_t firstByte; // first byte of a descriptor added for the "Yes" box
    AudioByte3 byte3Kind;
    // Used when the format's MaxCh is 0 or below (not for L-PCM, which has no default).
    std::uint8_t defaultChannels;
    std::uint8_t defaultRates;
    // The default byte 3 (BitRate) or the fixed one (Fixed).
    std::uint8_t byte3;
    CreatorEdit maxCh;
    CreatorEdit bitRate; // only with AudioByte3::BitRate
    BoxFamily frequencies;
};

// L-PCM "Basic" first, then the Audio2 rows from the top (v = 3..9).
extern const std::array<SadFormat, 8> SadFormats;

// The invisible member of the audio-format family; its Audio_Formats bit marks
// multichannel L-PCM.
constexpr std::uint16_t MultichannelLpcmBit = 0x0002;
constexpr std::uint8_t LpcmCode = 1;

// The format of `code`, or null when the model has none for it.
const SadFormat* FindSadFormat(std::uint8_t code);
// The format whose "Yes" (or "Basic") box is `v`.
const SadFormat& SadFormatOfBox(int v);
