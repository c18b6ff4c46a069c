#include "FirmwareFiles.h"
#include "RandomEngine.h"

#include <cstring>
#include <random>

namespace FirmwareFiles {

std::vector<std::uint8_t> image(std::size_t size, unsigned seed) {
    RandomEngine random(seed);
    std::vector<std::uint8_t> bytes(size);
    for (std::uint8_t& byte : bytes)
        byte = static_cast<std::uint8_t>(random() % 0xFF);
    const char tag[] = "FW Ver: 2015";
    constexpr std::size_t tagAt = 0x1010;
    if (size >= tagAt + sizeof tag - 1)
        std::memcpy(bytes.data() + tagAt, tag, sizeof tag - 1);
    return bytes;
}

std::vector<std::uint8_t> expectedFlash(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> flash(Banks * BankSize, 0xFF);
    const auto fileByte = [&](std::size_t f) -> std::uint8_t {
        return f < file.size() ? file[f] : 0xFF;
    };
    for (std::size_t f = 0; f < 0x7000; ++f)
        flash[f] = fileByte(f);
    for (std::size_t f = 0x8000; f < 0x1F600; ++f) {
        const std::size_t bank = f / 0x8000 - 1;
        flash[bank * BankSize + 0x8000 + f % 0x8000] = fileByte(f);
    }
    return flash;
}

} // namespace FirmwareFiles
