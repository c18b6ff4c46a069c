#include "EdidImage.h"

#include <numeric>

const std::array<std::uint8_t, 8> EdidHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

std::uint8_t SumBytes(const EdidImage& image, std::size_t first, std::size_t count) {
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(first);
    return static_cast<std::uint8_t>(
        std::accumulate(begin, begin + static_cast<std::ptrdiff_t>(count), 0u));
}
