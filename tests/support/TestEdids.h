#pragma once
// Builders for the EDIDs the unit tests use.
#include "EdidDecoder.h"
#include "EdidImage.h"
#include "TestBytes.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace TestEdids {

using Bytes = TestBytes::Bytes;

// The first `n` bytes of `image`, as a file of that length holds them.
inline Bytes BytesOf(const EdidImage& image, std::size_t n = kEdidSize) {
    return Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n));
}

// Sets byte 127 (and byte 255 when `extension`) so that each block sums to 0.
inline void FixChecksums(EdidImage& image, bool extension = true) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 127; ++i)
        sum += image[i];
    image[127] = static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
    if (!extension)
        return;
    sum = 0;
    for (std::size_t i = 128; i < 255; ++i)
        sum += image[i];
    image[255] = static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

// An 18-byte monitor name descriptor (00 00 00 FC 00 + 13 text bytes) at `offset`.
inline void PutNameDescriptor(EdidImage& image, std::size_t offset, const std::string& text13) {
    const std::uint8_t head[] = {0x00, 0x00, 0x00, 0xFC, 0x00};
    for (std::size_t i = 0; i < 5; ++i)
        image[offset + i] = head[i];
    for (std::size_t i = 0; i < 13; ++i)
        image[offset + 5 + i] = i < text13.size() ? static_cast<std::uint8_t>(text13[i]) : 0x20;
}

// A valid base block: header, manufacturer "ABC" (04 43), product 0x1234, serial
// 0x89ABCDEF, week 12, year 30 (2020), established and standard timings, a detailed
// timing in the first descriptor, a monitor name "TESTMON" in the last one; extension
// count 0, block 1 all zero.
inline EdidImage Base() {
    EdidImage image{};
    const std::uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    for (std::size_t i = 0; i < 8; ++i)
        image[i] = header[i];
    image[8] = 0x04;
    image[9] = 0x43;
    image[10] = 0x34;
    image[11] = 0x12;
    image[12] = 0xEF;
    image[13] = 0xCD;
    image[14] = 0xAB;
    image[15] = 0x89;
    image[16] = 12;
    image[17] = 30;
    image[18] = 1;
    image[19] = 3;
    image[35] = 0x21;
    image[36] = 0x08;
    image[37] = 0x00;
    for (std::size_t i = 38; i < 54; ++i)
        image[i] = 0x01;
    image[38] = 0x81;
    image[39] = 0x80;
    image[54] = 0x02; // a detailed timing descriptor (pixel clock non-zero)
    image[55] = 0x3A;
    PutNameDescriptor(image, 108, "TESTMON\n");
    FixChecksums(image, false);
    return image;
}

// Base() with a CEA extension holding `blocks` from byte 132 (in order); byte 130 is
// the offset after them unless `dtdOffset` is given. Checksums fixed.
inline EdidImage WithExtension(std::initializer_list<Bytes> blocks, int dtdOffset = -1,
                               std::uint8_t byte131 = 0x70) {
    EdidImage image = Base();
    image[126] = 1;
    image[128] = 0x02;
    image[129] = 0x03;
    image[131] = byte131;
    std::size_t p = 132;
    for (const Bytes& block : blocks) {
        for (std::uint8_t b : block)
            image[p++] = b;
    }
    image[130] = static_cast<std::uint8_t>(dtdOffset >= 0 ? dtdOffset : static_cast<int>(p - 128));
    FixChecksums(image);
    return image;
}

// A data block: header (tag | payload length) and payload.
inline Bytes Block(std::uint8_t tag, Bytes payload) {
    Bytes b{static_cast<std::uint8_t>(tag | payload.size())};
    b.insert(b.end(), payload.begin(), payload.end());
    return b;
}

// `valid` spoiled once for each way validation fails, with the message the window shows
// for it: a bad header, a bad checksum in either block, more than one extension.
inline std::vector<std::pair<EdidImage, std::string>> EdidsThatFailValidation(EdidImage valid) {
    EdidImage badHeader = valid;
    badHeader[1] = 0x00;
    FixChecksums(badHeader);
    EdidImage badChecksum0 = valid;
    badChecksum0[127] ^= 1;
    EdidImage badChecksum1 = valid;
    badChecksum1[255] ^= 1;
    EdidImage overBanks = valid;
    overBanks[126] = 2;
    FixChecksums(overBanks);
    return {{badHeader, "Illegal Edid Header."},
            {badChecksum0, "Illegal Edid CheckSum0."},
            {badChecksum1, "Illegal Edid CheckSum1."},
            {overBanks, "Edid Over Banks."}};
}

// The record the decoder makes of `image`.
inline EdidInfo Decoded(const EdidImage& image) {
    EdidInfo info{};
    DecodeEdid(info, image);
    return info;
}

} // namespace TestEdids
