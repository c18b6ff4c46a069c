#include "FrameParser.h"

namespace {
constexpr std::size_t kHeaderSize = 4;
constexpr std::uint8_t kFrameEnd = 0x0D;
} // namespace

void FrameParser::feed(const Bytes& bytes, double now, std::vector<Request>& complete) {
    for (std::uint8_t byte : bytes) {
        partial_.push_back(byte);
        lastByte_ = now;
        if (partial_.size() == kHeaderSize && partial_[3] != kFrameEnd) {
            partial_.erase(partial_.begin());
            continue;
        }
        if (partial_.size() < kHeaderSize) {
            continue;
        }
        Request request;
        request.first = partial_[0];
        request.second = partial_[1];
        request.count = partial_[2];
        const std::size_t dataSize = request.isWrite() ? request.count : 0;
        if (partial_.size() < kHeaderSize + dataSize) {
            continue;
        }
        request.data.assign(partial_.begin() + kHeaderSize, partial_.end());
        complete.push_back(std::move(request));
        partial_.clear();
    }
}

void FrameParser::expire(double now) {
    if (!partial_.empty() && now >= lastByte_ + kIdleMs) {
        partial_.clear();
    }
}
