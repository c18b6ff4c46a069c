// A whole firmware update, the operation behind the window's "Update", against devsim's
// loader with the 57600-baud wire time emulated, next to the floor that the wire and the
// update's mandated waits impose, and the CPU the program uses meanwhile. Target: within
// 1.25 times the floor.
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "FirmwareFiles.h"
#include "FirmwareUpdate.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"
#include "TestBytes.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

namespace {

// One byte on the wire: 10 bits at 57600 baud.
constexpr double ByteMs = 10.0 * 1000.0 / 57600.0;
// 56 + 64 blocks in bank 0, 64 in bank 1, 59 in bank 2.
constexpr int Blocks = 243;
// The start (500 ms), the synchronisation's and the identification's waits, one bank
// selection per bank.
constexpr double StartMs = 500 + 2 + 10 + 3 * 2;
// Per block: the 2 ms after the address (its three bytes cross the wire meanwhile); then
// 0x86 with 512 bytes and the 0x85 behind them on the wire (the 10 ms wait passes while
// they cross); then the read-back's 514 bytes back.
constexpr double BlockMs = 2 + (1 + 512 + 1) * ByteMs + 514 * ByteMs;
constexpr double FloorMs = StartMs + Blocks * BlockMs;

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_FirmwareUpdateOverWire(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string image = dir.filePath("fw.bin").toStdString();
    TestBytes::writeFile(image, FirmwareFiles::image(FirmwareFiles::FullSize));
    double wallMs = 0;
    double cpuPercent = 0;
    for (auto _ : state) {
        state.PauseTiming();
        DevsimProcess device({QStringLiteral("--isp"), QStringLiteral("--wire")});
        RecordingReporter reporter;
        RecordingLinkView view;
        DeviceLink link(reporter, view);
        link.setPortOverride({device.path()});
        link.search();
        state.ResumeTiming();

        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = cpuSeconds();
        // With verification, as the window's check box starts.
        const FirmwareUpdateResult result =
            updateFirmware(link, reporter, image, [] { return true; });
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        wallMs += ms;
        cpuPercent += (cpuSeconds() - cpuBefore) * 1000.0 / ms * 100.0;
        if (result != FirmwareUpdateResult::Finished)
            state.SkipWithError("the update did not complete");
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = FloorMs;
    state.counters["mean_ms"] = wallMs / runs;
    state.counters["ratio_to_floor"] = wallMs / runs / FloorMs;
    state.counters["cpu_percent_of_one_core"] = cpuPercent / runs;
}
BENCHMARK(BM_FirmwareUpdateOverWire)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
