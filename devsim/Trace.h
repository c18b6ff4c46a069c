#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

// The byte log of --trace: one line per read or write on the line,
// "<whole ms since start> rx|tx <lower-case hex bytes>", flushed at once so a test
// can read it while the simulator runs.
class Trace {
public:
    Trace() = default;
    ~Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;

    bool open(const std::string& path);
    void record(double ms, const char* direction, const std::uint8_t* bytes, std::size_t count);

private:
    std::FILE* file_ = nullptr;
};

// "a1 00 09": the byte text of one trace line.
std::string hexBytes(const std::uint8_t* bytes, std::size_t count);
