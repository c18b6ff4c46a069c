#include "MonotonicWait.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

std::uint32_t MonotonicWait::runFor(std::uint32_t ms) {
    QElapsedTimer clock;
    clock.start();
    const qint64 limitNs = static_cast<qint64>(ms) * 1000000;
    while (!aborted_ && clock.nsecsElapsed() <= limitNs) {
        const qint64 leftNs = limitNs - clock.nsecsElapsed() + 1;
        const int leftMs = static_cast<int>(std::max<qint64>(1, (leftNs + 999999) / 1000000));
        QEventLoop loop;
        QTimer deadline;
        deadline.setSingleShot(true);
        deadline.setTimerType(Qt::PreciseTimer);
        QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
        running_.push_back(&loop);
        deadline.start(leftMs);
        loop.exec();
        running_.erase(std::find(running_.begin(), running_.end(), &loop));
    }
    return static_cast<std::uint32_t>(clock.elapsed());
}

void MonotonicWait::abortAll() {
    aborted_ = true;
    for (QEventLoop* loop : running_)
        loop->quit();
}
