#pragma once
#include <array>
#include <cstdint>

// 256 bytes: block 0 (0..127) and one extension block (128..255), exactly as the
// device transfers an EDID and as an EDID file holds it.
using EdidImage = std::array<std::uint8_t, 256>;

constexpr std::size_t kEdidSize = 256;
constexpr std::size_t kEdidBlockSize = 128;

// 00 FF FF FF FF FF FF 00
extern const std::array<std::uint8_t, 8> EdidHeader;

// Bytes `first` .. `first + count - 1` added in 8-bit arithmetic.
std::uint8_t SumBytes(const EdidImage& image, std::size_t first, std::size_t count);
