#pragma once
#include <cstdint>

// The colours that reports and input rules name, as 0x00BBGGRR (blue in the high byte).
namespace Colour {
constexpr std::uint32_t Red = 0x0000FF;
constexpr std::uint32_t Green = 0x008000;
constexpr std::uint32_t Grey = 0x808080;
constexpr std::uint32_t Black = 0x000000;
} // namespace Colour
