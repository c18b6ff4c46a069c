#pragma once
// A FIFO at a path with bytes waiting in it and its writing end held open by the test.
// A reader that wrongly accepts it opens it at once and reads the bytes, so such a
// fault fails a test instead of hanging it.
#include <cstdint>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

class FedFifo {
public:
    FedFifo(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        if (::mkfifo(path.c_str(), 0600) != 0)
            return;
        // Read and write: the open does not wait for a reader, and readers never wait
        // for a writer.
        fd_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd_ >= 0 &&
            ::write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FedFifo() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FedFifo(const FedFifo&) = delete;
    FedFifo& operator=(const FedFifo&) = delete;

    bool ok() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
