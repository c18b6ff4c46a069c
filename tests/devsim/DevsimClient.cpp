#include "DevsimClient.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

using SteadyClock = std::chrono::steady_clock;

int msLeft(SteadyClock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

pid_t spawn(const std::vector<std::string>& options, int& stdinWrite, int& stdoutRead) {
    int in[2];
    int out[2];
    if (pipe(in) != 0 || pipe(out) != 0) {
        return -1;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        close(in[1]);
        close(out[0]);
        std::vector<char*> argv;
        std::string program = DEVSIM_PATH;
        argv.push_back(program.data());
        std::vector<std::string> copies = options;
        for (std::string& option : copies) {
            argv.push_back(option.data());
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    fcntl(in[1], F_SETFD, FD_CLOEXEC);
    fcntl(out[0], F_SETFD, FD_CLOEXEC);
    stdinWrite = in[1];
    stdoutRead = out[0];
    return pid;
}

std::string readLine(int fd, int timeoutMs) {
    std::string line;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    char c = 0;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, msLeft(deadline)) <= 0 || read(fd, &c, 1) != 1 || c == '\n') {
            return line;
        }
        line += c;
    }
}

int waitExit(pid_t pid, int timeoutMs) {
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (msLeft(deadline) == 0) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

DevsimClient::DevsimClient(const std::vector<std::string>& options) {
    int stdoutRead = -1;
    pid_ = spawn(options, stdin_, stdoutRead);
    if (pid_ < 0) {
        return;
    }
    path_ = readLine(stdoutRead, kPatienceMs);
    close(stdoutRead);
    port_ = path_.empty() ? -1 : open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (port_ >= 0) {
        termios settings{};
        tcgetattr(port_, &settings);
        cfmakeraw(&settings);
        tcsetattr(port_, TCSANOW, &settings);
    }
}

DevsimClient::~DevsimClient() {
    stop();
}

void DevsimClient::send(const Bytes& bytes) {
    std::size_t done = 0;
    while (port_ >= 0 && done < bytes.size()) {
        const ssize_t n = write(port_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

void DevsimClient::sendPaced(const Bytes& bytes) {
    for (std::uint8_t byte : bytes) {
        send({byte});
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
}

Bytes DevsimClient::read(std::size_t count, int timeoutMs) {
    Bytes bytes;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    std::uint8_t buffer[4096];
    while (port_ >= 0 && bytes.size() < count) {
        pollfd p{port_, POLLIN, 0};
        if (poll(&p, 1, msLeft(deadline)) <= 0) {
            break;
        }
        const ssize_t n = ::read(port_, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (n <= 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

Bytes DevsimClient::readFor(int ms) {
    Bytes bytes;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(ms);
    std::uint8_t buffer[4096];
    while (port_ >= 0) {
        pollfd p{port_, POLLIN, 0};
        if (poll(&p, 1, msLeft(deadline)) <= 0) {
            break;
        }
        const ssize_t n = ::read(port_, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

Bytes DevsimClient::readUntil(const Bytes& pattern, int timeoutMs) {
    Bytes bytes;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    while (msLeft(deadline) > 0) {
        const Bytes more = read(1, msLeft(deadline));
        if (more.empty()) {
            break;
        }
        bytes.insert(bytes.end(), more.begin(), more.end());
        if (bytes.size() >= pattern.size() &&
            std::equal(pattern.begin(), pattern.end(), bytes.end() - pattern.size())) {
            return bytes;
        }
    }
    return {};
}

bool DevsimClient::waitHangUp(int timeoutMs) {
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    std::uint8_t buffer[256];
    while (port_ >= 0) {
        pollfd p{port_, POLLIN, 0};
        const int ready = poll(&p, 1, msLeft(deadline));
        if (ready <= 0) {
            return false;
        }
        if ((p.revents & POLLHUP) != 0) {
            return true;
        }
        if (::read(port_, buffer, sizeof buffer) < 0 && errno == EIO) {
            return true;
        }
    }
    return false;
}

int DevsimClient::stop() {
    if (port_ >= 0) {
        close(port_);
        port_ = -1;
    }
    if (stdin_ >= 0) {
        close(stdin_);
        stdin_ = -1;
    }
    if (pid_ <= 0) {
        return -1;
    }
    const int status = waitExit(pid_, kPatienceMs);
    pid_ = -1;
    return status;
}

int runDevsim(const std::vector<std::string>& options, std::string& output) {
    int stdinWrite = -1;
    int stdoutRead = -1;
    const pid_t pid = spawn(options, stdinWrite, stdoutRead);
    if (pid < 0) {
        return -1;
    }
    close(stdinWrite);
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(stdoutRead, buffer, sizeof buffer)) > 0) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(stdoutRead);
    return waitExit(pid, DevsimClient::kPatienceMs);
}

std::string tempPath(const std::string& name) {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr ? folder : "/tmp") + "/devsim_test_" +
           std::to_string(getpid()) + "_" + name;
}
