#pragma once
#include <string>

// A raw pseudo-terminal pair. The simulator keeps the slave side open itself, so the
// master never sees a hang-up when the program under test closes and reopens the port.
struct Pty {
    int master = -1;
    int slave = -1;
    std::string slavePath;
};

// Opens the pair in raw mode with a non-blocking master. False (and errno set) on failure.
bool openPty(Pty& pty);

// Closes both sides: the program holding the slave sees the line hang up.
void closePty(Pty& pty);
