#include "Pty.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <array>

bool openPty(Pty& pty) {
    std::array<char, 256> name{};
    if (openpty(&pty.master, &pty.slave, name.data(), nullptr, nullptr) != 0) {
        return false;
    }
    termios settings{};
    if (tcgetattr(pty.slave, &settings) == 0) {
        cfmakeraw(&settings);
        cfsetispeed(&settings, B57600);
        cfsetospeed(&settings, B57600);
        tcsetattr(pty.slave, TCSANOW, &settings);
    }
    const int flags = fcntl(pty.master, F_GETFL);
    fcntl(pty.master, F_SETFL, flags | O_NONBLOCK);
    fcntl(pty.master, F_SETFD, FD_CLOEXEC);
    fcntl(pty.slave, F_SETFD, FD_CLOEXEC);
    pty.slavePath = name.data();
    return true;
}

void closePty(Pty& pty) {
    if (pty.master >= 0) {
        close(pty.master);
        pty.master = -1;
    }
    if (pty.slave >= 0) {
        close(pty.slave);
        pty.slave = -1;
    }
}
