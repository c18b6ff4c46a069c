#include "DeviceBlock.h"

#include <algorithm>

DeviceBlock::DeviceBlock(const RxBytes& received, bool answered) : answered_(answered) {
    std::copy_n(received.begin(), received_.size(), received_.begin());
}

DeviceBlock::Bytes DeviceBlock::bytes() const {
    Bytes block;
    std::copy_n(received_.begin() + AnswerBuffer::HeadBytes, block.size(), block.begin());
    return block;
}

DeviceBlock::Aligned DeviceBlock::alignedOnHeader() const {
    std::size_t offset = 0;
    while (offset < HeaderSearchEnd &&
           !std::equal(EdidHeader.begin(), EdidHeader.end(), received_.begin() + offset))
        ++offset;
    Aligned aligned{};
    std::copy_n(received_.begin() + offset, aligned.bytes.size(), aligned.bytes.begin());
    aligned.headerFound = offset < HeaderSearchEnd;
    return aligned;
}
