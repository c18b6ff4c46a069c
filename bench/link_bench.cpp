// The device link against devsim: time from Search to connected, the CPU the program
// uses while connected and idle (target: under 2 % of one core), and a 1 ms wait.
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"
#include "TestWindow.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

QStringList devsimOptions(bool wire) {
    return wire ? QStringList{QStringLiteral("--wire")} : QStringList{};
}

// Argument 1: devsim emulates the 57600-baud wire time.
void BM_SearchToConnected(benchmark::State& state) {
    const bool wire = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        DevsimProcess device(devsimOptions(wire));
        auto window = std::make_unique<TestWindow>(QStringList{device.path()});
        state.ResumeTiming();
        window->search();
        state.PauseTiming();
        if (window->link().connection() != Connection::Connected)
            state.SkipWithError("the search found no device");
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SearchToConnected)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// CPU time of the whole process (GUI thread and pump thread) over 10 s connected.
void BM_IdleCpuConnected(benchmark::State& state) {
    DevsimProcess device;
    TestWindow window({device.path()});
    window.search();
    if (window.link().connection() != Connection::Connected) {
        state.SkipWithError("the search found no device");
        return;
    }
    double percent = 0;
    for (auto _ : state) {
        const double before = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        // One plain event loop, so the measurement adds no wake-ups of its own.
        QEventLoop idle;
        QTimer::singleShot(10000, Qt::PreciseTimer, &idle, &QEventLoop::quit);
        idle.exec();
        percent = (cpuSeconds() - before) / (wall.nsecsElapsed() / 1e9) * 100.0;
    }
    state.counters["cpu_percent_of_one_core"] = percent;
    if (window.link().connection() != Connection::Connected)
        state.SkipWithError("the device was lost while idle");
}
BENCHMARK(BM_IdleCpuConnected)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// What a 1 ms wait costs: the pacing between data bytes of every upload.
void BM_WaitMs1(benchmark::State& state) {
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    for (auto _ : state)
        link.waitMs(1);
}
BENCHMARK(BM_WaitMs1)->Iterations(500)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
