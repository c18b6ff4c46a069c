#pragma once
#include <cstdint>
#include <vector>

// Firmware images for the tests, and the loader memory an update must leave behind.
namespace FirmwareFiles {

constexpr std::size_t FullSize = 0x20000;
constexpr std::size_t BankSize = 0x10000;
constexpr std::size_t Banks = 3;

// `size` pseudo-random non-0xFF bytes (so padding shows), with the tag
// "FW Ver: 2015" at 0x1010 when the size leaves room for it.
std::vector<std::uint8_t> image(std::size_t size, unsigned seed = 1);

// Three erased 64 KiB banks with the image's blocks where the update maps them:
// file 0x0000-0x6FFF to bank 0 0x0000, 0x8000-0xFFFF to bank 0 0x8000, 0x10000-0x17FFF
// to bank 1 0x8000, 0x18000-0x1F5FF to bank 2 0x8000; 0xFF beyond the file's end.
std::vector<std::uint8_t> expectedFlash(const std::vector<std::uint8_t>& file);

} // namespace FirmwareFiles
