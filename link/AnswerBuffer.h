#pragma once
#include "ReceiveRule.h"

#include <cstdint>
#include <string>

class Line;
class Reporter;

// The receive side of the framed protocol: the request whose answer is awaited and the
// bytes received for it. The receive tick collects into it; an answer that names another
// request is a late one and is dropped; the awaited one is complete once its 3-byte head
// and its count of bytes are in. GUI thread only.
class AnswerBuffer {
public:
    static constexpr std::uint32_t HeadBytes = 3;

    // A request went out: its answer is awaited, whatever came before is gone.
    void expect(std::uint16_t type, std::uint16_t count);
    // Takes what waits at `line`, logging the received text, then drops late answers. True
    // when the awaited answer is complete: never on a closed line, after a flood, or while
    // the line carries another mode than the framed protocol.
    bool collect(Line& line, Reporter& reporter);
    // Whether a completion waits to be taken; it is taken with this call.
    bool takeCompletion();
    // The answer was taken: nothing is awaited any more. Its bytes stay for a handler that
    // waits after its request.
    void taken();
    // Every byte zero; the bytes that come next land where they would have.
    void clearBytes() { bytes_.fill(0); }
    // The bytes are taken (an acknowledge seen): none left, every byte zero.
    void drop();

    // The link's mode: FramedLinkMode, or the firmware loader's phase.
    void setMode(std::uint8_t mode) { mode_ = mode; }
    std::uint8_t mode() const { return mode_; }

    // The request awaited, 0 once its answer was taken (or before any).
    std::uint16_t awaitedType() const { return type_; }
    std::uint32_t fill() const { return fill_; }
    const RxBytes& bytes() const { return bytes_; }
    bool acknowledged() const;
    // The answer's payload as text, up to its first zero byte.
    std::string payloadText() const;

private:
    void dropStrayAnswers(Reporter& reporter);
    // Whether the bytes from `at` begin the awaited request's answer, as far as they reach.
    bool beginsAnswer(std::uint32_t at) const;

    RxBytes bytes_{};
    std::uint32_t fill_ = 0;
    std::uint16_t type_ = 0;
    std::uint32_t count_ = 0;
    std::uint8_t mode_ = FramedLinkMode;
    bool complete_ = false;
    // Bytes of an answer that is not the awaited one are being skipped.
    bool skippingStray_ = false;
};
