#include "Faults.h"

#include <algorithm>

Faults::Faults(const DevsimOptions& options) : options_(options) {}

bool Faults::ignores(std::uint16_t type, bool write) const {
    const auto listed = [type](const std::vector<std::uint16_t>& types) {
        return std::find(types.begin(), types.end(), type) != types.end();
    };
    return listed(options_.ignoredTypes) || (write && listed(options_.ignoredWrites));
}

bool Faults::leavesWriteUnanswered(std::uint16_t type) const {
    // The select's acknowledge is what the program waits for before it reads.
    constexpr std::uint16_t kSelect = 0x0108;
    return options_.noWriteAnswers && type != kSelect;
}

bool Faults::dropsLine() {
    ++requests_;
    return options_.dropAfter >= 0 && requests_ > options_.dropAfter;
}

bool Faults::takeFlood() {
    if (!options_.flood || flooded_) {
        return false;
    }
    flooded_ = true;
    return true;
}

Bytes Faults::floodBytes() {
    Bytes bytes(kFloodSize);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(1 + i % 250);
    }
    return bytes;
}

void Faults::corruptReadback(std::uint8_t* data, std::size_t size) {
    const int times = options_.corruptReadbackTimes;
    const bool active = times < 0 || readbacks_ < times;
    ++readbacks_;
    // The program compares block bytes 2..510; corrupting those makes every wrong
    // byte count.
    constexpr std::size_t kFirst = 2;
    if (!active || size <= kFirst + 1) {
        return;
    }
    const std::size_t span = size - kFirst - 1;
    const std::size_t count = std::min<std::size_t>(options_.corruptReadback, span);
    for (std::size_t k = 0; k < count; ++k) {
        data[kFirst + k * span / count] ^= 0xFF;
    }
}
