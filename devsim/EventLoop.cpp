#include "EventLoop.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>

namespace {
int g_signalWriteEnd = -1;

void onSignal(int) {
    const char byte = 1;
    // Nothing useful can be done when the pipe is full: a wake-up is pending anyway.
    [[maybe_unused]] const ssize_t ignored = write(g_signalWriteEnd, &byte, 1);
}

// Without anything due, wake now and then all the same; costs nothing.
constexpr int kIdleWakeMs = 1000;
} // namespace

EventLoop::EventLoop(const Clock& clock, DeviceWire& line, Device& device, bool watchStdin)
    : clock_(clock), line_(line), device_(device), watchStdin_(watchStdin) {
    if (pipe(signalPipe_) != 0) {
        signalPipe_[0] = signalPipe_[1] = -1;
        return;
    }
    for (int fd : signalPipe_) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    g_signalWriteEnd = signalPipe_[1];
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

EventLoop::~EventLoop() {
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    g_signalWriteEnd = -1;
    for (int fd : signalPipe_) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

int EventLoop::timeoutMs(double now) const {
    const double due = std::min(line_.nextDeadline(), device_.nextWakeup());
    if (due == kNever) {
        return kIdleWakeMs;
    }
    if (due <= now) {
        return 0;
    }
    return static_cast<int>(std::min<double>(std::ceil(due - now), kIdleWakeMs));
}

bool EventLoop::stdinEnded() {
    std::array<char, 256> buffer{};
    const ssize_t count = read(STDIN_FILENO, buffer.data(), buffer.size());
    return count == 0 || (count < 0 && errno != EAGAIN && errno != EINTR);
}

void EventLoop::run() {
    for (;;) {
        double now = clock_.nowMs();
        device_.receive(line_.takeArrived(now), now);
        device_.tick(now);
        line_.flush(now);

        std::array<pollfd, 3> fds{};
        nfds_t count = 0;
        fds[count++] = {signalPipe_[0], POLLIN, 0};
        const nfds_t stdinIndex = count;
        fds[count++] = {watchStdin_ ? STDIN_FILENO : -1, POLLIN, 0};
        const nfds_t lineIndex = count;
        const short lineEvents = static_cast<short>(POLLIN | (line_.wantsWrite() ? POLLOUT : 0));
        fds[count++] = {line_.isOpen() ? line_.fd() : -1, lineEvents, 0};

        if (poll(fds.data(), count, timeoutMs(clock_.nowMs())) < 0 && errno != EINTR) {
            return;
        }
        if (fds[0].revents != 0) {
            return;
        }
        if (fds[stdinIndex].revents != 0 && stdinEnded()) {
            return;
        }
        now = clock_.nowMs();
        if ((fds[lineIndex].revents & POLLIN) != 0) {
            line_.readInput(now);
        }
    }
}
