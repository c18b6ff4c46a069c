#include "PtyPair.h"

#include "MakeLine.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

PtyPair::PtyPair() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    path_ = QString::fromLocal8Bit(name);
}

PtyPair::~PtyPair() {
    if (master_ >= 0)
        close(master_);
    if (slave_ >= 0)
        close(slave_);
}

void PtyPair::send(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(master_, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        if (n > 0)
            done += n;
    }
}

QByteArray PtyPair::received() {
    QByteArray all;
    char chunk[512];
    for (;;) {
        const ssize_t n = read(master_, chunk, sizeof chunk);
        if (n <= 0)
            break;
        all.append(chunk, n);
    }
    return all;
}

std::unique_ptr<Line> PtyPair::openLine() const {
    std::unique_ptr<Line> line = makeLine(path_);
    line->open(path_);
    return line;
}
