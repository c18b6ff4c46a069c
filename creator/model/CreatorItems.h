#pragma once
#include "CreatorFields.h"

#include <array>
#include <cstdint>

class CreatorModel;

// A numbered family of check boxes that stand for the bits of one value: box `first`
// stands for `firstMask`, each following box for the next lower bit.
struct BitBoxFamily {
    BoxFamily family;
    int first;
    int last;
    std::uint32_t firstMask;

    std::uint32_t mask(int number) const { return firstMask >> (number - first); }
};

namespace CreatorBits {
// Established timings: box 1 is byte 23h bit 7, box 17 byte 25h bit 7.
constexpr BitBoxFamily EstablishTiming{BoxFamily::EstablishTiming, 1, 17, 0x800000};
constexpr BitBoxFamily ColorDepth{BoxFamily::ColorDepth, 1, 3, 0x40};
constexpr BitBoxFamily Colorimetry{BoxFamily::Colorimetry, 1, 8, 0x80};
// 4:2:0 deep colour of the HDMI Forum block.
constexpr BitBoxFamily HdrDeepColour{BoxFamily::HdrDeepColour, 1, 3, 0x04};
constexpr BitBoxFamily HdrEotf{BoxFamily::HdrEotf, 1, 3, 0x04};
// Speaker allocation payload bytes 1 and 2.
constexpr BitBoxFamily SpeakerByte1{BoxFamily::Speaker, 1, 8, 0x800000};
constexpr BitBoxFamily SpeakerByte2{BoxFamily::Speaker, 9, 11, 0x400};
constexpr BitBoxFamily LpcmSampleSize{BoxFamily::LpcmSampleSize, 1, 3, 0x04};
} // namespace CreatorBits

// Every format's frequency boxes 1-7 stand for SAD byte 2 bits 6..0.
constexpr BitBoxFamily FrequencyBoxes(BoxFamily family) {
    return BitBoxFamily{family, 1, 7, 0x40};
}

// Ticks each box of the family exactly when its bit is set in `value`, in box order.
void ShowBits(CreatorModel& model, const BitBoxFamily& family, std::uint32_t value);
// Unticks every box of the family, in box order.
void ClearBits(CreatorModel& model, const BitBoxFamily& family);
// The bits of the ticked boxes.
std::uint32_t ReadBits(const CreatorModel& model, const BitBoxFamily& family);

// The two-byte standard timing codes of the standard-timing boxes 1..5.
constexpr std::array<std::uint16_t, 5> StandardTimingCodes = {0x8180, 0x818A, 0xA940, 0xA94A,
                                                              0xA94F};

// The 2160p boxes and the HDMI_VIC each one stands for, in the order the HDMI list is
// filled.
struct HdmiVicBox {
    std::uint8_t vic;
    std::uint8_t hdmiVic;
};
constexpr std::array<HdmiVicBox, 3> HdmiVicBoxes = {{{93, 3}, {94, 2}, {95, 1}}};
// HDMI_VIC 4 (2160p24, SMPTE) is shown on the 2160p 24 Hz box as well.
constexpr HdmiVicBox HdmiVicSmpte24{93, 4};
