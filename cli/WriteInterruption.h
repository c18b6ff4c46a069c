#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

class ConsoleReporter;
class DeviceLink;
class QSocketNotifier;

// A device write that a first SIGINT or SIGTERM does not cut short. While it lives, such
// a signal stops the link's running operation: the frame in flight is finished and
// nothing more is sent, and the operation ends as a failure with the line restored as
// its session restores it. The command then says what may be incomplete and exits with
// exitStatus() (130 for SIGINT, 143 for SIGTERM). A second signal ends the program at
// once. Before and after it, the signals end the program as they always did. On Windows,
// Ctrl+C in the console is the SIGINT.
class WriteInterruption {
public:
    explicit WriteInterruption(DeviceLink& link);
    ~WriteInterruption();
    WriteInterruption(const WriteInterruption&) = delete;
    WriteInterruption& operator=(const WriteInterruption&) = delete;

    // Whether a signal came while it lived.
    bool interrupted() const;
    // 128 and the signal's number.
    int exitStatus() const;

private:
    std::unique_ptr<QSocketNotifier> wake_;
};

// Runs `write` as a WriteInterruption. When a signal came, says "Interrupted: " and
// `whatMayBeIncomplete` and returns the exit status to end with.
std::optional<int> RunDeviceWrite(DeviceLink& link, ConsoleReporter& reporter,
                                  const std::string& whatMayBeIncomplete,
                                  const std::function<void()>& write);
