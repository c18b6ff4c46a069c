#include "AnswerBuffer.h"

#include "ApiTypes.h"
#include "Line.h"
#include "Reporter.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

// The text in `bytes` up to its first zero byte.
std::string textUntilZero(const std::uint8_t* bytes, std::size_t max) {
    const auto* end = std::find(bytes, bytes + max, std::uint8_t{0});
    return std::string(bytes, end);
}

} // namespace

void AnswerBuffer::expect(std::uint16_t type, std::uint16_t count) {
    fill_ = 0;
    type_ = type;
    count_ = count;
    // A completion still waiting to be taken belongs to the previous request: taken now,
    // it would be taken for this request's answer.
    complete_ = false;
    skippingStray_ = false;
    bytes_.fill(0);
}

bool AnswerBuffer::collect(Line& line, Reporter& reporter) {
    if (!line.isOpen())
        return false;
    const std::uint32_t before = fill_;
    if (!ReceiveWaiting(line, line.bytesWaiting(), bytes_, fill_, 0))
        return false;
    if (fill_ > before)
        reporter.appendLog(textUntilZero(bytes_.data(), RxCapacity));
    dropStrayAnswers(reporter);
    if (fill_ < count_ + HeadBytes || mode_ != FramedLinkMode)
        return false;
    complete_ = true;
    return true;
}

bool AnswerBuffer::takeCompletion() {
    return std::exchange(complete_, false);
}

void AnswerBuffer::taken() {
    fill_ = 0;
    type_ = 0;
}

void AnswerBuffer::drop() {
    fill_ = 0;
    bytes_.fill(0);
}

bool AnswerBuffer::acknowledged() const {
    return bytes_[0] == ApiAck;
}

std::string AnswerBuffer::payloadText() const {
    return textUntilZero(bytes_.data() + HeadBytes, RxCapacity - HeadBytes);
}

bool AnswerBuffer::beginsAnswer(std::uint32_t at) const {
    const std::uint8_t head[HeadBytes] = {ApiAck, static_cast<std::uint8_t>(type_ >> 8),
                                          static_cast<std::uint8_t>(type_ & 0xFF)};
    for (std::uint32_t i = 0; i < HeadBytes && at + i < fill_; ++i) {
        // The type's high byte may carry the write bit, as in the request.
        const std::uint8_t got = i == 1 ? bytes_[at + i] & 0x7F : bytes_[at + i];
        if (got != head[i])
            return false;
    }
    return true;
}

void AnswerBuffer::dropStrayAnswers(Reporter& reporter) {
    if (type_ == 0 || mode_ != FramedLinkMode)
        return;
    std::uint32_t from = 0;
    if (!skippingStray_) {
        // Every answer names its request's type; one naming another request is a late
        // answer to an earlier one. A head without the acknowledge is left to the
        // dispatch, which drops it.
        if (fill_ < HeadBytes || bytes_[0] != ApiAck || beginsAnswer(0))
            return;
        char text[48];
        std::snprintf(text, sizeof text, "Unexpected Answer %02X %02X Dropped.", bytes_[1],
                      bytes_[2]);
        reporter.addLogLine(text);
        skippingStray_ = true;
        from = 1;
    }
    // Skip to the awaited answer; the stray's later bytes may still come.
    std::uint32_t at = from;
    while (at < fill_ && !beginsAnswer(at))
        ++at;
    std::copy(bytes_.begin() + at, bytes_.begin() + fill_, bytes_.begin());
    fill_ -= at;
    std::fill(bytes_.begin() + fill_, bytes_.end(), std::uint8_t{0});
    if (fill_ >= HeadBytes)
        skippingStray_ = false;
}
