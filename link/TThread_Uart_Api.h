#pragma once
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <functional>

// The pump: sleeps until the receive tick reports a complete response, then hands the
// dispatch to the GUI thread. Created suspended; it dispatches nothing before the first
// resume() or after suspend(). stop() ends it; the destructor stops and joins it.
class TThread_Uart_Api : public QThread {
    Q_OBJECT
public:
    // `dispatch` runs on the thread of `receiver` (the GUI thread), queued.
    TThread_Uart_Api(QObject* receiver, std::function<void()> dispatch);
    ~TThread_Uart_Api() override;

    void resume();
    void suspend();
    // The receive tick marked a response complete.
    void responseComplete();
    // Ends the thread and joins it. Safe to call more than once.
    void stop();
    // Read on the GUI thread before dispatching: a call queued before a suspend is dropped.
    bool resumed() const;

protected:
    void run() override;

private:
    QObject* receiver_;
    std::function<void()> dispatch_;
    mutable QMutex mutex_;
    QWaitCondition wake_;
    bool resumed_ = false;
    bool pending_ = false;
    bool stopping_ = false;
};
