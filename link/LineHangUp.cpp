#include "LineHangUp.h"

#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

bool lineHungUp(const QSerialPort& port) {
#ifdef Q_OS_UNIX
    if (!port.isOpen())
        return false;
    pollfd line{port.handle(), POLLIN, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
    // Elsewhere a vanished port reports a resource error, and a read error repeats.
    Q_UNUSED(port);
    return false;
#endif
}
