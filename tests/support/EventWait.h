#pragma once
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <functional>

// Lets the event loop run until `done` holds or `timeoutMs` passed; true when it held.
// Bounds are generous: tests wait on events, not on the clock.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

// Lets the event loop run until `timer` has fired `ticks` more times: the program's own
// timer has had its chances to act. True when it did within `timeoutMs`.
bool waitForTicks(QTimer& timer, int ticks, int timeoutMs = 30000);

// Lets the event loop run for `ms` milliseconds.
void runEventsFor(int ms);

// Runs `action` once, from the event loop (also the loops inside the program's waits), as
// soon as `ready` holds: a mid-run action triggered by what the program shows or sends,
// not by the clock.
class RunWhen {
public:
    RunWhen(std::function<bool()> ready, std::function<void()> action);
    bool ran() const { return ran_; }

private:
    QTimer poll_;
    bool ran_ = false;
};

// Runs `action` each time `watched` receives an event of `type`, before it handles it:
// what the program shows at that very moment (a group hidden, a button disabled).
class OnEvent : public QObject {
public:
    OnEvent(QObject* watched, QEvent::Type type, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QEvent::Type type_;
    std::function<void()> action_;
};
