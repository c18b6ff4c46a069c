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

bool waitForTicks(QTimer& timer, int ticks, int timeoutMs) {
    int fired = 0;
    const QMetaObject::Connection counting =
        QObject::connect(&timer, &QTimer::timeout, [&fired] { ++fired; });
    const bool done = waitUntil([&] { return fired >= ticks; }, timeoutMs);
    QObject::disconnect(counting);
    return done;
}

void runEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        runOnce(5);
}

RunWhen::RunWhen(std::function<bool()> ready, std::function<void()> action) {
    poll_.setInterval(1);
    QObject::connect(&poll_, &QTimer::timeout,
                     [this, ready = std::move(ready), action = std::move(action)] {
                         if (ran_ || !ready())
                             return;
                         ran_ = true;
                         poll_.stop();
                         action();
                     });
    poll_.start();
}

OnEvent::OnEvent(QObject* watched, QEvent::Type type, std::function<void()> action)
    : type_(type), action_(std::move(action)) {
    watched->installEventFilter(this);
}

bool OnEvent::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == type_)
        action_();
    return QObject::eventFilter(watched, event);
}
