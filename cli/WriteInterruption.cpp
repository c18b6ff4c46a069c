#include "WriteInterruption.h"

#include "Commands.h"
#include "ConsoleReporter.h"
#include "DeviceLink.h"

#include <QSocketNotifier>

#include <csignal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr int SignalExitBase = ExitStatus::Interrupted;
constexpr int HandledSignals[] = {SIGINT, SIGTERM};

volatile std::sig_atomic_t caught = 0;

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
