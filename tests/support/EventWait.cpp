#include "EventWait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {
void runOnce(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return done();
        runOnce(5);
    }
    return true;
}

void runEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        runOnce(5);
}
