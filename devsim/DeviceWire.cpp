#include "DeviceWire.h"

#include "Clock.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>

DeviceWire::DeviceWire(Pty& pty, Trace& trace, bool wire)
    : pty_(pty), trace_(trace), byteMs_(wire ? kWireByteMs : 0.0) {}

void DeviceWire::readInput(double now) {
    std::array<std::uint8_t, 4096> buffer{};
    while (isOpen()) {
        const ssize_t count = read(pty_.master, buffer.data(), buffer.size());
        if (count <= 0) {
            return;
        }
        trace_.record(now, "rx", buffer.data(), static_cast<std::size_t>(count));
        for (ssize_t i = 0; i < count; ++i) {
            const double arrival = byteMs_ > 0 ? std::max(now, rxFree_) + byteMs_ : now;
            rxFree_ = arrival;
            input_.emplace_back(arrival, buffer[static_cast<std::size_t>(i)]);
        }
    }
}

Bytes DeviceWire::takeArrived(double now) {
    Bytes arrived;
    while (!input_.empty() && input_.front().first <= now) {
        arrived.push_back(input_.front().second);
        input_.pop_front();
    }
    return arrived;
}

void DeviceWire::send(Bytes bytes, double notBefore, bool droppable) {
    if (!isOpen() || bytes.empty()) {
        return;
    }
    Chunk chunk;
    chunk.bytes = std::move(bytes);
    chunk.notBefore = notBefore;
    chunk.droppable = droppable;
    output_.push_back(std::move(chunk));
}

bool DeviceWire::writeSome(Chunk& chunk, std::size_t count, double now) {
    const ssize_t written = write(pty_.master, chunk.bytes.data() + chunk.sent, count);
    const std::size_t done = written > 0 ? static_cast<std::size_t>(written) : 0;
    trace_.record(now, "tx", chunk.bytes.data() + chunk.sent, done);
    chunk.sent += done;
    blocked_ = done < count;
    if (blocked_ && written < 0 && errno != EAGAIN && errno != EINTR) {
        // The pty itself failed; nothing more can go out.
        output_.clear();
        return false;
    }
    return !blocked_;
}

void DeviceWire::flush(double now) {
    while (isOpen() && !output_.empty()) {
        Chunk& chunk = output_.front();
        const double start = std::max(chunk.notBefore, txFree_);
        if (now < start) {
            return;
        }
        std::size_t count = chunk.bytes.size() - chunk.sent;
        if (byteMs_ > 0) {
            const auto due = static_cast<std::size_t>(std::floor((now - start) / byteMs_)) + 1;
            count = std::min(count, due);
        }
        const std::size_t before = chunk.sent;
        const bool complete = writeSome(chunk, count, now);
        if (byteMs_ > 0) {
            txFree_ = start + static_cast<double>(chunk.sent - before) * byteMs_;
        }
        if (output_.empty()) {
            return;
        }
        if (!complete && chunk.droppable) {
            output_.pop_front();
            blocked_ = false;
            continue;
        }
        if (chunk.sent == chunk.bytes.size()) {
            output_.pop_front();
            continue;
        }
        return; // blocked, or the rest is not due yet
    }
}

double DeviceWire::nextDeadline() const {
    double deadline = kNever;
    if (!input_.empty()) {
        deadline = input_.front().first;
    }
    if (!output_.empty() && !blocked_) {
        deadline = std::min(deadline, std::max(output_.front().notBefore, txFree_));
    }
    return deadline;
}

std::size_t DeviceWire::unread() const {
    int count = 0;
    if (pty_.slave < 0 || ioctl(pty_.slave, FIONREAD, &count) != 0) {
        return 0;
    }
    return static_cast<std::size_t>(count);
}

void DeviceWire::hangUp() {
    output_.clear();
    input_.clear();
    blocked_ = false;
    closePty(pty_);
}
