#pragma once
#include "BinaryFile.h"
#include "Pty.h"
#include "Trace.h"

#include <deque>
#include <utility>

// The serial line as the device sees it: bytes from the program and bytes to it, on
// the pty's master side. With wire emulation every byte takes its 57600-baud time in
// either direction, as on a real cable; without it bytes move as fast as the pty does.
class DeviceWire {
public:
    static constexpr double kWireByteMs = 10.0 * 1000.0 / 57600.0;

    DeviceWire(Pty& pty, Trace& trace, bool wire);

    bool isOpen() const { return pty_.master >= 0; }
    int fd() const { return pty_.master; }
    // Output is waiting for room in the pty.
    bool wantsWrite() const { return blocked_ && !output_.empty(); }

    // Reads everything the program wrote; it reaches the device after its wire time.
    void readInput(double now);
    // The received bytes whose wire time has passed.
    Bytes takeArrived(double now);

    // Queues bytes that leave no earlier than `notBefore`. A droppable chunk that the
    // pty cannot take at once is thrown away (nobody is reading), as a real wire loses it.
    void send(Bytes bytes, double notBefore, bool droppable = false);
    bool outputIdle() const { return output_.empty(); }
    // Bytes written but not yet read by the program.
    std::size_t unread() const;
    // Writes what is due.
    void flush(double now);
    // When flush or takeArrived next has work, or kNever.
    double nextDeadline() const;

    // Closes the line for good: the program sees a hang-up.
    void hangUp();

private:
    struct Chunk {
        Bytes bytes;
        std::size_t sent = 0;
        double notBefore = 0;
        bool droppable = false;
    };

    bool writeSome(Chunk& chunk, std::size_t count, double now);

    Pty& pty_;
    Trace& trace_;
    const double byteMs_;
    std::deque<std::pair<double, std::uint8_t>> input_; // arrival time, byte
    std::deque<Chunk> output_;
    double rxFree_ = 0;
    double txFree_ = 0;
    bool blocked_ = false;
};
