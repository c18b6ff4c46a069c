#pragma once
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <functional>

// The pump: sleeps until the receive tick reports a complete response, then hands the
// dispatch to the GUI thread. Created suspended; it dispatches nothing before the first
// resume() or after suspend(): a response completed while suspended is dropped, and so is
// a hand-over queued before a suspend, even when a resume follows before it runs.
// stop() ends it; the destructor stops and joins it.
class TThread_Uart_Api : public QThread {
    Q_OBJECT
public:
    // `dispatch` runs on the thread of `receiver` (the GUI thread), queued, and only while
    // the pump is resumed in the same resume as when it was handed over.
    TThread_Uart_Api(QObject* receiver, std::function<void()> dispatch);
    ~TThread_Uart_Api() override;

    void resume();
    void suspend();
    // The receive tick marked a response complete.
    void responseComplete();
    // Ends the thread and joins it. Safe to call more than once.
    void stop();

protected:
    void run() override;

private:
    // Runs on the GUI thread: the hand-over of `round` still counts.
    void handOver(unsigned round);

    QObject* receiver_;
    std::function<void()> dispatch_;
    QMutex mutex_;
    QWaitCondition wake_;
    bool resumed_ = false;
    bool pending_ = false;
    bool stopping_ = false;
    // Counts the suspends, so that a hand-over knows whether one came after it.
    unsigned round_ = 0;
};
