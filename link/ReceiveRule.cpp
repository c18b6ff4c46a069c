#include "ReceiveRule.h"

#include "Line.h"

#include <algorithm>

namespace {

// What a flood leaves for the reader to look at.
constexpr qint64 FloodKeep = 16;

char* at(RxBytes& buffer, std::uint32_t offset) {
    return reinterpret_cast<char*>(buffer.data() + offset);
}

} // namespace

bool ReceiveWaiting(Line& line, qint64 waiting, RxBytes& buffer, std::uint32_t& fill,
                    std::uint32_t floodAt) {
    if (waiting > static_cast<qint64>(RxCapacity)) {
        const qint64 floodRoom = static_cast<qint64>(RxCapacity) - floodAt;
        line.read(at(buffer, floodAt), std::min(FloodKeep, floodRoom));
        line.discardInput();
        return false;
    }
    const qint64 room = static_cast<qint64>(RxCapacity) - fill;
    const qint64 wanted = std::min(waiting, room);
    const qint64 got = wanted > 0 ? line.read(at(buffer, fill), wanted) : 0;
    if (waiting > wanted)
        line.skip(waiting - wanted);
    if (got > 0) {
        fill += static_cast<std::uint32_t>(got);
        buffer[fill] = 0;
    }
    return true;
}
