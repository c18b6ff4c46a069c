#pragma once
#include <array>
#include <cstdint>

// Data block tags: the top three bits of a data block's header byte in the
// extension's data block collection.
namespace DataBlockTag {
constexpr std::uint8_t Audio = 0x20;
constexpr std::uint8_t Video = 0x40;
constexpr std::uint8_t VendorSpecific = 0x60;
constexpr std::uint8_t SpeakerAllocation = 0x80;
constexpr std::uint8_t ExtendedTag = 0xE0;
} // namespace DataBlockTag

// Extended tag codes (the byte after the header of an extended-tag block).
namespace ExtendedTagCode {
constexpr std::uint8_t VideoCapability = 0x00;
constexpr std::uint8_t Colorimetry = 0x05;
constexpr std::uint8_t HdrStaticMetadata = 0x06;
constexpr std::uint8_t Yuv420Video = 0x0E;
constexpr std::uint8_t Yuv420CapabilityMap = 0x0F;
} // namespace ExtendedTagCode

// IEEE identifiers of the vendor-specific blocks, as bytes +1..+3 of the block.
constexpr std::array<std::uint8_t, 3> HdmiOui = {0x03, 0x0C, 0x00};
constexpr std::array<std::uint8_t, 3> HdmiForumOui = {0xD8, 0x5D, 0xC4};

// One entry of the video-code ranking. The order of VicNameTable is the ranking:
// the first entry whose code a video block lists names the maximum resolution.
struct VicName {
    std::uint8_t vic;
    const char* name; // at most 11 characters
};

// 26 entries in ranking order, then the terminating entry {0, nullptr}.
extern const std::array<VicName, 27> VicNameTable;

// The text of Monitor_Name and Max_Resolution when nothing was found.
constexpr const char* UndefinedText = "UNDEFINE.";

// One bit of EdidInfo::Audio_Formats: set by a short audio descriptor whose format
// code (bits 6..3 of its first byte) is `code` and whose channel count
// ((first byte & 0x07) + 1) lies in minChannels..maxChannels.
struct AudioFormatBit {
    std::uint16_t bit;
    std::uint8_t code;
    std::uint8_t minChannels;
    std::uint8_t maxChannels;
    const char* meaning;
};

// In bit order 0x0001 .. 0x0100. Codes not listed set nothing.
extern const std::array<AudioFormatBit, 9> AudioFormatBits;
