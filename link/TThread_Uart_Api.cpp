#include "TThread_Uart_Api.h"

#include <QMetaObject>

#include <utility>

TThread_Uart_Api::TThread_Uart_Api(QObject* receiver, std::function<void()> dispatch)
    : receiver_(receiver), dispatch_(std::move(dispatch)) {
    setObjectName(QStringLiteral("Thread_Uart_Api"));
}

TThread_Uart_Api::~TThread_Uart_Api() {
    stop();
}

void TThread_Uart_Api::resume() {
    {
        QMutexLocker lock(&mutex_);
        resumed_ = true;
    }
    wake_.wakeAll();
    if (!isRunning() && !isFinished())
        start();
}

void TThread_Uart_Api::suspend() {
    QMutexLocker lock(&mutex_);
    resumed_ = false;
    pending_ = false;
    ++round_;
}

void TThread_Uart_Api::responseComplete() {
    {
        QMutexLocker lock(&mutex_);
        if (!resumed_)
            return;
        pending_ = true;
    }
    wake_.wakeAll();
}

void TThread_Uart_Api::handOver(unsigned round) {
    {
        QMutexLocker lock(&mutex_);
        if (!resumed_ || stopping_ || round != round_)
            return;
    }
    dispatch_();
}

void TThread_Uart_Api::stop() {
    {
        QMutexLocker lock(&mutex_);
        stopping_ = true;
    }
    wake_.wakeAll();
    // The thread only ever posts to the GUI thread, never blocks on it, so joining is safe.
    wait();
}

void TThread_Uart_Api::run() {
    QMutexLocker lock(&mutex_);
    for (;;) {
        while (!stopping_ && !(resumed_ && pending_))
            wake_.wait(&mutex_);
        if (stopping_)
            return;
        pending_ = false;
        const unsigned round = round_;
        lock.unlock();
        QMetaObject::invokeMethod(
            receiver_, [this, round] { handOver(round); }, Qt::QueuedConnection);
        lock.relock();
    }
}
