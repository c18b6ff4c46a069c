#pragma once
#include <array>
#include <cstdint>

// The fields of the creator's model: one per edit, and numbered families of ticks.

// The editor's edits, by what they hold.
enum class CreatorEdit : std::uint8_t {
    ManufacName,
    MonitorName,
    ProductCode,
    SerialNumber,
    ManufacYear,
    ManufacWeek,
    CecAddress,
    LpcmMaxCh,
    Ac3MaxCh,
    Eac3MaxCh,
    MatMaxCh,
    DtsMaxCh,
    DtshdMaxCh,
    AacMaxCh,
    ObaMaxCh,
    Ac3BitRate,
    DtsBitRate,
    AacBitRate,
    HdrDcld1,
    HdrDcld2,
    HdrDcld3,
};
constexpr int CreatorEditCount = static_cast<int>(CreatorEdit::HdrDcld3) + 1;

// The families of check boxes; a box is a family and a number within it.
enum class BoxFamily : std::uint8_t {
    EstablishTiming, // 1..17
    StandardTiming,  // 1..5
    ColorSpace,      // 1..3
    ColorDepth,      // 1..3
    Colorimetry,     // 1..8
    VideoIdCode,     // by video code
    Yuv420Vdb,       // by video code
    Present3D,       // 1
    HdrDeepColour,   // 1..3
    HdrEotf,         // 1..3
    HdrDespt,        // 1
    HdrDetail,       // 1
    Speaker,         // 1..11
    SpeakerRight,    // the partners of the paired speakers, by their left box's number
    LpcmSampleSize,  // 1..3
    AudioFormat,     // 1..9; 2 has no control of its own
    AudioDetail,     // "For Detail" of the Audio2 rows, by their "Yes" box's number (3..9)
    LpcmFreq,        // 1..7 each, the frequency boxes of one format
    Ac3Freq,
    Eac3Freq,
    MatFreq,
    DtsFreq,
    DtshdFreq,
    AacFreq,
    ObaFreq,
};
constexpr int BoxFamilyCount = static_cast<int>(BoxFamily::ObaFreq) + 1;

struct CreatorBox {
    BoxFamily family;
    int number;
};

// Box numbers run below this (the highest is video code 97).
constexpr int BoxNumberLimit = 128;
