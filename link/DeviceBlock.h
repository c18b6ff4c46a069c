#pragma once
#include "AnswerBuffer.h"
#include "EdidImage.h"

#include <array>
#include <cstdint>

// The answer to a read of one EDID block, as it stood when the read's wait ended.
class DeviceBlock {
public:
    using Bytes = std::array<std::uint8_t, kEdidBlockSize>;

    // `received`: the receive buffer, the answer's 3-byte head first. `answered`: the
    // answer came whole and began with the acknowledge.
    DeviceBlock(const RxBytes& received, bool answered);

    bool answered() const { return answered_; }
    // The block's 128 bytes, the answer's head skipped.
    Bytes bytes() const;

    // The block of an answer that may come shifted (noise before it): its 128 bytes
    // from the EDID header, looked for at the answer's offsets 0 to 15, head included,
    // the first found winning. Without one, the 128 bytes from offset 16.
    struct Aligned {
        Bytes bytes;
        bool headerFound;
    };
    Aligned alignedOnHeader() const;

private:
    static constexpr std::size_t HeaderSearchEnd = 16;

    std::array<std::uint8_t, HeaderSearchEnd + kEdidBlockSize> received_;
    bool answered_;
};
