#pragma once
#include "TestBytes.h"

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

using TestBytes::Bytes;

// Starts devsim with the given options and talks to it over its pty, as the program
// would: raw bytes on the slave side. Every wait has a generous limit so a slow
// machine only makes a test slower, never wrong.
class DevsimClient {
public:
    static constexpr int kPatienceMs = 5000;

    explicit DevsimClient(const std::vector<std::string>& options);
    ~DevsimClient();
    DevsimClient(const DevsimClient&) = delete;
    DevsimClient& operator=(const DevsimClient&) = delete;

    bool started() const { return port_ >= 0; }
    const std::string& path() const { return path_; }

    // All bytes in one write.
    void send(const Bytes& bytes);
    // One byte per write with a short pause, as the program sends write data.
    void sendPaced(const Bytes& bytes);
    // Exactly `count` bytes, or fewer when the patience runs out.
    Bytes read(std::size_t count, int timeoutMs = kPatienceMs);
    // Whatever arrives within `ms`.
    Bytes readFor(int ms);
    // Reads until `pattern` has been seen; returns everything read up to and
    // including it, or an empty result when it did not come in time.
    Bytes readUntil(const Bytes& pattern, int timeoutMs = kPatienceMs);
    // True once the line has been hung up by the simulator.
    bool waitHangUp(int timeoutMs = kPatienceMs);

    // Ends stdin and waits for the exit; returns the exit status (-1 if it did not end).
    int stop();

private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    int port_ = -1;
    std::string path_;
};

// Runs devsim to completion with the given options; returns its exit status and
// collects its stdout.
int runDevsim(const std::vector<std::string>& options, std::string& output);

// A unique path in the test's temporary folder.
std::string tempPath(const std::string& name);
