// Feeds arbitrary bytes through validation, decoding, the analyser's summary and the
// encoder, and checks that the encoder always leaves a well-formed extension.
//
// Input: up to 256 bytes of image (missing bytes read as 0xFF, as from a short file);
// bytes after the 256th overwrite the record's settings after decoding, so the
// encoder also meets values the decoder never produces. When the first byte is odd,
// the header and checksums are made right first, so the decoder runs to the end;
// its bit 1 flips the 3D setting before encoding.
#include "EdidDecoder.h"
#include "EdidEncoder.h"
#include "EdidSummary.h"
#include "EdidValidation.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>

namespace {

std::uint8_t blockSum(const EdidImage& image, std::size_t first) {
    return static_cast<std::uint8_t>(
        std::accumulate(image.begin() + first, image.begin() + first + kEdidBlockSize, 0u));
}

void makeValid(EdidImage& image) {
    std::copy(EdidHeader.begin(), EdidHeader.end(), image.begin());
    image[126] = std::min<std::uint8_t>(image[126], 1);
    image[127] = 0;
    image[127] = static_cast<std::uint8_t>(0u - blockSum(image, 0));
    image[255] = 0;
    image[255] = static_cast<std::uint8_t>(0u - blockSum(image, kEdidBlockSize));
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// Every data block of the collection ends inside the collection, and the
// collection ends exactly where byte 130 says.
void checkCollection(const EdidImage& image) {
    const std::size_t end = kEdidBlockSize + image[130];
    if (image[130] < 4 || end > 255)
        fail("byte 130 out of range");
    std::size_t p = 132;
    while (p < end)
        p += 1 + (image[p] & 0x1F);
    if (p != end)
        fail("a data block runs past the collection");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    EdidImage image;
    image.fill(0xFF);
    std::copy(data, data + std::min(size, kEdidSize), image.begin());
    if (size > 0 && (data[0] & 1))
        makeValid(image);

    EdidInfo info{};
    info.Image = image;
    ValidateEdid(info);
    DecodeEdid(info, image);
    SummariseEdid(info);

    if (size > kEdidSize) {
        // The settings: every field after the image.
        constexpr std::size_t first = offsetof(EdidInfo, Manufac_Name);
        const std::size_t count = std::min(size - kEdidSize, sizeof(EdidInfo) - first);
        std::memcpy(reinterpret_cast<unsigned char*>(&info) + first, data + kEdidSize, count);
    }
    if (size > 0 && (data[0] & 2))
        info.Flags ^= EdidFlag::ThreeD; // 3D present turned on or off, as the creator may

    const EncodeResult result = EncodeEdid(info);
    const EdidImage& out = info.Image;
    if (out[126] != 1)
        fail("extension count is not 1");
    if (blockSum(out, 0) != 0)
        fail("block 0 checksum");
    if (blockSum(out, kEdidBlockSize) != 0)
        fail("extension checksum");
    if (out[128] != 0x02 || out[129] != 0x03)
        fail("extension tag");
    checkCollection(out);
    if ((info.Flags & ~0x0038u) != 0)
        fail("flags outside bits 3..5");
    if (result.notWritten.size() > 9)
        fail("more blocks left out than there are");
    return 0;
}
