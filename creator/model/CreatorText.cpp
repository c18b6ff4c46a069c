#include "CreatorText.h"

std::string FormatSerial(std::uint32_t Serial_Number) {
    return std::to_string(static_cast<std::int32_t>(Serial_Number));
}

std::string LuminanceText(std::uint8_t code) {
    const std::size_t blanks = code < 10 ? 4 : code < 100 ? 3 : 2;
    return std::string(blanks, ' ') + std::to_string(code);
}

std::string BitRateText(std::uint8_t byte3) {
    const unsigned rate = byte3 * 8u;
    return std::string(rate < 1000 ? 2 : 1, ' ') + std::to_string(rate);
}
