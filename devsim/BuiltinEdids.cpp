#include "BuiltinEdids.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace {

struct EdidRecipe {
    EdidSlot slot;
    std::uint16_t productCode;
    const char* monitorName; // at most 13 characters
    std::array<std::uint8_t, 4> videoCodes;
};

// What tells the four apart: product code, monitor name and video formats.
constexpr EdidRecipe kRecipes[] = {
    {EdidSlot::Internal, 0x1001, "SIM INTERNAL", {0x90, 4, 31, 97}},
    {EdidSlot::External, 0x1002, "SIM EXTERNAL", {0x90, 4, 19, 2}},
    {EdidSlot::User, 0x1003, "SIM USER", {0x84, 16, 3, 17}},
    {EdidSlot::Stored, 0x1004, "SIM STORED", {0x90, 5, 20, 32}},
};

// 1920x1080 at 60 Hz and 1280x720 at 60 Hz detailed timings.
constexpr std::array<std::uint8_t, 18> kTiming1080p = {0x02, 0x3A, 0x80, 0x18, 0x71, 0x38,
                                                       0x2D, 0x40, 0x58, 0x2C, 0x45, 0x00,
                                                       0x56, 0x50, 0x21, 0x00, 0x00, 0x1E};
constexpr std::array<std::uint8_t, 18> kTiming720p = {0x01, 0x1D, 0x00, 0x72, 0x51, 0xD0,
                                                      0x1E, 0x20, 0x6E, 0x28, 0x55, 0x00,
                                                      0x56, 0x50, 0x21, 0x00, 0x00, 0x1E};
// Range limits: 56-76 Hz, 30-83 kHz, 170 MHz.
constexpr std::array<std::uint8_t, 18> kRangeLimits = {0x00, 0x00, 0x00, 0xFD, 0x00, 0x38,
                                                       0x4C, 0x1E, 0x53, 0x11, 0x00, 0x0A,
                                                       0x20, 0x20, 0x20, 0x20, 0x20, 0x20};

template <std::size_t N>
void put(Bytes& image, std::size_t offset, const std::array<std::uint8_t, N>& bytes) {
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}

void putMonitorName(Bytes& image, std::size_t offset, const std::string& name) {
    put(image, offset, std::array<std::uint8_t, 5>{0x00, 0x00, 0x00, 0xFC, 0x00});
    for (std::size_t i = 0; i < 13; ++i) {
        std::uint8_t c = ' ';
        if (i < name.size()) {
            c = static_cast<std::uint8_t>(name[i]);
        } else if (i == name.size()) {
            c = 0x0A;
        }
        image[offset + 5 + i] = c;
    }
}

void buildBaseBlock(Bytes& image, const EdidRecipe& recipe) {
    put(image, 0, std::array<std::uint8_t, 8>{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
    // Manufacturer "SIM", packed as three 5-bit letters.
    const unsigned id = (('S' - '@') << 10) | (('I' - '@') << 5) | ('M' - '@');
    image[8] = static_cast<std::uint8_t>(id >> 8);
    image[9] = static_cast<std::uint8_t>(id & 0xFF);
    image[10] = static_cast<std::uint8_t>(recipe.productCode & 0xFF);
    image[11] = static_cast<std::uint8_t>(recipe.productCode >> 8);
    image[12] = static_cast<std::uint8_t>(recipe.productCode & 0x0F);
    image[16] = 10; // week
    image[17] = 30; // 2020
    image[18] = 1;
    image[19] = 3;
    image[20] = 0x80; // digital input
    image[21] = 60;
    image[22] = 34;
    image[23] = 120; // gamma 2.2
    image[24] = 0x0A;
    put(image, 25,
        std::array<std::uint8_t, 10>{0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54});
    put(image, 35, std::array<std::uint8_t, 3>{0x21, 0x08, 0x00});
    std::fill(image.begin() + 38, image.begin() + 54, 0x01);
    put(image, 54, kTiming1080p);
    put(image, 72, kRangeLimits);
    putMonitorName(image, 90, recipe.monitorName);
    put(image, 108, std::array<std::uint8_t, 5>{0x00, 0x00, 0x00, 0x10, 0x00});
    image[126] = 1;
    fixChecksum(image, 0);
}

void buildExtensionBlock(Bytes& image, const EdidRecipe& recipe) {
    std::size_t at = 128;
    image[at++] = 0x02; // CEA-861 extension
    image[at++] = 0x03;
    const std::size_t timingOffsetAt = at++;
    image[at++] = 0x71; // basic audio, YCbCr 4:4:4 and 4:2:2, one native timing
    image[at++] = static_cast<std::uint8_t>(0x40 | recipe.videoCodes.size());
    for (std::uint8_t code : recipe.videoCodes) {
        image[at++] = code;
    }
    // LPCM 2 channels at 32, 44.1 and 48 kHz, 16/20/24 bit.
    for (std::uint8_t b : {0x23, 0x09, 0x07, 0x07}) {
        image[at++] = b;
    }
    // Speakers: front left and right.
    for (std::uint8_t b : {0x83, 0x01, 0x00, 0x00}) {
        image[at++] = b;
    }
    // HDMI vendor block, CEC address 1.0.0.0.
    for (std::uint8_t b : {0x65, 0x03, 0x0C, 0x00, 0x10, 0x00}) {
        image[at++] = b;
    }
    image[timingOffsetAt] = static_cast<std::uint8_t>(at - 128);
    put(image, at, kTiming720p);
    fixChecksum(image, 128);
}

} // namespace

void fixChecksum(Bytes& image, std::size_t offset) {
    std::uint8_t sum = 0;
    for (std::size_t i = offset; i < offset + 127; ++i) {
        sum = static_cast<std::uint8_t>(sum + image[i]);
    }
    image[offset + 127] = static_cast<std::uint8_t>(0x100 - sum);
}

Bytes builtinEdid(EdidSlot slot) {
    Bytes image(256, 0x00);
    for (const EdidRecipe& recipe : kRecipes) {
        if (recipe.slot == slot) {
            buildBaseBlock(image, recipe);
            buildExtensionBlock(image, recipe);
        }
    }
    return image;
}
