#include "WriteInterruption.h"

#include "Commands.h"
#include "ConsoleReporter.h"
#include "DeviceLink.h"

#include <QSocketNotifier>

#include <atomic>
#include <csignal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <QCoreApplication>

#include <cstdlib>
#include <windows.h>
#endif

namespace {

constexpr int SignalExitBase = ExitStatus::Interrupted;
constexpr int HandledSignals[] = {SIGINT, SIGTERM};

// Set by a signal handler, or on Windows by the console's own thread.
std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free,
              "a signal handler may only set a lock-free atomic");

#ifdef Q_OS_UNIX
// The handler's only way to the event loop: a byte in a pipe the loop watches.
int wakeRead = -1;
int wakeWrite = -1;
struct sigaction previous[2];

extern "C" void onSignal(int signal) {
    if (caught != 0)
        _exit(SignalExitBase + signal);
    caught = signal;
    const int savedErrno = errno;
    const char byte = 1;
    // Non-blocking: a full pipe already wakes the loop.
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite, &byte, 1);
    errno = savedErrno;
}

bool openWakePipe() {
    int ends[2];
    if (::pipe(ends) != 0)
        return false;
    for (const int end : ends) {
        ::fcntl(end, F_SETFD, FD_CLOEXEC);
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    }
    wakeRead = ends[0];
    wakeWrite = ends[1];
    return true;
}
#elif defined(Q_OS_WIN)
// The console calls its handler on a thread of its own: the link is reached through an
// event posted to the program's main thread, where it runs. The link is only touched
// there, and the receiver lives as long as the application.
DeviceLink* interruptedLink = nullptr;
QObject* mainThreadReceiver = nullptr;

BOOL WINAPI onConsoleControl(DWORD event) {
    // Ctrl+Break, closing the console and logging off end the program as before.
    if (event != CTRL_C_EVENT)
        return FALSE;
    if (caught != 0)
        std::_Exit(SignalExitBase + SIGINT);
    caught = SIGINT;
    QMetaObject::invokeMethod(
        mainThreadReceiver,
        [] {
            if (interruptedLink)
                interruptedLink->cancelOperation();
        },
        Qt::QueuedConnection);
    return TRUE;
}
#endif

} // namespace

WriteInterruption::WriteInterruption(DeviceLink& link) {
    caught = 0;
#ifdef Q_OS_UNIX
    if (!openWakePipe())
        return;
    wake_ = std::make_unique<QSocketNotifier>(wakeRead, QSocketNotifier::Read);
    QObject::connect(wake_.get(), &QSocketNotifier::activated, [this, &link] {
        char drained[16];
        while (::read(wakeRead, drained, sizeof drained) > 0) {
        }
        wake_->setEnabled(false);
        link.cancelOperation();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(HandledSignals); ++i) {
        ::sigaction(HandledSignals[i], nullptr, &previous[i]);
        // A signal the program was started to ignore (a background job's SIGINT) stays
        // ignored.
        if (previous[i].sa_handler != SIG_IGN)
            ::sigaction(HandledSignals[i], &action, nullptr);
    }
#elif defined(Q_OS_WIN)
    // Ctrl+C only: the console sends no other event that a program may outlive.
    if (!mainThreadReceiver)
        mainThreadReceiver = new QObject(QCoreApplication::instance());
    interruptedLink = &link;
    ::SetConsoleCtrlHandler(onConsoleControl, TRUE);
#else
    // Elsewhere the console's signals end the program as before.
    Q_UNUSED(link);
#endif
}

WriteInterruption::~WriteInterruption() {
#ifdef Q_OS_UNIX
    if (!wake_)
        return;
    for (std::size_t i = 0; i < std::size(HandledSignals); ++i)
        ::sigaction(HandledSignals[i], &previous[i], nullptr);
    wake_.reset();
    ::close(wakeRead);
    ::close(wakeWrite);
    wakeRead = wakeWrite = -1;
#elif defined(Q_OS_WIN)
    ::SetConsoleCtrlHandler(onConsoleControl, FALSE);
    interruptedLink = nullptr;
#endif
}

bool WriteInterruption::interrupted() const {
    return caught != 0;
}

int WriteInterruption::exitStatus() const {
    return SignalExitBase + caught;
}

std::optional<int> RunDeviceWrite(DeviceLink& link, ConsoleReporter& reporter,
                                  const std::string& whatMayBeIncomplete,
                                  const std::function<void()>& write) {
    const WriteInterruption interruption(link);
    write();
    if (!interruption.interrupted())
        return std::nullopt;
    reporter.message("Interrupted: " + whatMayBeIncomplete);
    return interruption.exitStatus();
}
