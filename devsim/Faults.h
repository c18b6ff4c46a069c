#pragma once
#include "BinaryFile.h"
#include "Options.h"

#include <cstdint>
#include <vector>

// The fault options and the little state they keep (requests seen, read-backs
// corrupted), shared by the framed device and the loader.
class Faults {
public:
    static constexpr std::size_t kFloodSize = 1200;
    static constexpr std::uint8_t kNoiseByte = 0x7E;

    explicit Faults(const DevsimOptions& options);

    bool silent() const { return options_.silent; }
    // Whether a request of `type` (without the write bit) goes unanswered.
    bool ignores(std::uint16_t type, bool write) const;
    // Whether a write of `type` is stored but not answered.
    bool leavesWriteUnanswered(std::uint16_t type) const;
    bool shortWriteAnswers() const { return options_.shortWriteAnswers; }
    double delayMs() const { return options_.delayMs; }
    std::size_t noise() const { return static_cast<std::size_t>(options_.noise); }
    bool readbackTimeout() const { return options_.readbackTimeout; }

    // Counts a request. True when it is the one after the last answered: the line
    // is to be dropped now.
    bool dropsLine();
    // True once, for the first request, when the answer is to be a flood.
    bool takeFlood();

    // A distinct, non-zero pattern, so a reader can tell which bytes it kept.
    static Bytes floodBytes();
    Bytes noiseBytes() const { return Bytes(noise(), kNoiseByte); }

    // Inverts the configured number of block bytes, spread over bytes 2..size-2,
    // while the first K read-backs last.
    void corruptReadback(std::uint8_t* data, std::size_t size);

private:
    const DevsimOptions& options_;
    int requests_ = 0;
    int readbacks_ = 0;
    bool flooded_ = false;
};
