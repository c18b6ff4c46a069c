#pragma once
#include <cstdint>
#include <string>

// The texts a load puts into the creator's edits.

// The serial number as a signed 32-bit decimal: FFFFFFFFh is "-1", so the signed
// conversion that reads it back restores every 32-bit value.
std::string FormatSerial(std::uint32_t Serial_Number);

// A luminance code right-aligned to five characters ("    5", "   50", "  200").
std::string LuminanceText(std::uint8_t code);

// A bit rate of `byte3` x 8 kbit/s: two blanks before it below 1000, else one.
std::string BitRateText(std::uint8_t byte3);
