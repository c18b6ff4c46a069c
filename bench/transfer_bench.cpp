// EDID uploads (to a box that answers writes, and to one that does not) and downloads
// through the operations behind the window's buttons against devsim (no wire time), next
// to the protocol's floor: the waits and the byte pacing the protocol mandates. Target:
// within 1.2 times the floor.
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "EdidDownload.h"
#include "EdidFileUpload.h"
#include "EdidTestFiles.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Upload: per block 50 ms before the first data byte, 128 bytes paced 1 ms apart, 50 ms
// after; then the mode request: 50 ms and its byte.
constexpr double UploadFloorMs = 2 * (50 + 128 * 1 + 50) + (50 + 1);
// Download: the select's own pacing (50 ms, its byte, 1 ms) and one 10 ms look for its
// acknowledge, then each block's wait.
double downloadFloorMs(const DeviceEdid& entry) {
    return (entry.hasSelect ? 50 + 1 + 10 : 0) + 2.0 * entry.waitMs;
}

// A link connected to a fresh devsim, as Search leaves it.
struct Bench {
    QTemporaryDir dir;
    std::unique_ptr<DevsimProcess> device;
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link{reporter, view};

    bool connect(const QStringList& options = {}) {
        device = std::make_unique<DevsimProcess>(options);
        link.setPortOverride({device->path()});
        link.search();
        return link.connection() == Connection::Connected;
    }
};

void report(benchmark::State& state, double totalMs, double floorMs) {
    const double mean = totalMs / static_cast<double>(state.iterations());
    state.counters["floor_ms"] = floorMs;
    state.counters["mean_ms"] = mean;
    state.counters["ratio_to_floor"] = mean / floorMs;
}

// Argument: 1 for a box that stores writes without answering them.
void BM_UploadEdid(benchmark::State& state) {
    Bench bench;
    const bool answersWrites = state.range(0) == 0;
    if (!bench.connect(answersWrites ? QStringList{} : QStringList{"--no-write-answers"})) {
        state.SkipWithError("the search found no device");
        return;
    }
    const QString source = bench.dir.filePath("upload.bin");
    EdidTestFiles::WriteImage(source, EdidTestFiles::RichEdid("BENCH"));

    double totalMs = 0;
    for (auto _ : state) {
        EdidInfo record{};
        QElapsedTimer clock;
        clock.start();
        const FileUploadResult result = UploadEdidFile(bench.link, source.toStdString(), record);
        totalMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        if (result != FileUploadResult::Sent)
            state.SkipWithError("the upload did not complete");
    }
    report(state, totalMs, UploadFloorMs);
}
BENCHMARK(BM_UploadEdid)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Argument: the row of the download (0 Internal, 1 External, 2 User).
void BM_DownloadEdid(benchmark::State& state) {
    Bench bench;
    if (!bench.connect()) {
        state.SkipWithError("the search found no device");
        return;
    }
    const auto row = static_cast<std::size_t>(state.range(0));
    const DeviceEdid& entry = DeviceEdids[row];
    const std::string target = bench.dir.filePath("download.bin").toStdString();
    double totalMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const DownloadResult result = DownloadEdid(bench.link, target, entry);
        totalMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        if (result != DownloadResult::Written)
            state.SkipWithError("the download failed");
    }
    report(state, totalMs, downloadFloorMs(entry));
}
BENCHMARK(BM_DownloadEdid)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The whole of `redaviv-cli upload FILE --no-verify` on a fresh devsim with `options`,
// as a user runs it; negative when it failed.
double cliUploadMs(const QStringList& options, const QString& file) {
    DevsimProcess device(options);
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(REDAVIV_CLI),
              {QStringLiteral("--port"), device.path(), QStringLiteral("upload"), file,
               QStringLiteral("--no-verify")});
    const bool ok =
        cli.waitForFinished(-1) && cli.exitStatus() == QProcess::NormalExit && cli.exitCode() == 0;
    return ok ? static_cast<double>(clock.nsecsElapsed()) / 1e6 : -1;
}

// The command line's upload to a box that does not answer writes (argument 1) or answers
// them with the head only (2), against the same upload to a box that answers them: it
// waits for no answer that is not coming. Target: at most 1.15 times as long.
void BM_CliUploadQuietBox(benchmark::State& state) {
    QTemporaryDir dir;
    const QString file = dir.filePath("upload.bin");
    EdidTestFiles::WriteImage(file, EdidTestFiles::RichEdid("BENCH"));
    const QStringList quiet{state.range(0) == 1 ? QStringLiteral("--no-write-answers")
                                                : QStringLiteral("--short-write-answers")};
    double answeringMs = 0;
    double quietMs = 0;
    for (auto _ : state) {
        const double answering = cliUploadMs({}, file);
        const double silent = cliUploadMs(quiet, file);
        if (answering < 0 || silent < 0) {
            state.SkipWithError("redaviv-cli upload failed");
            return;
        }
        answeringMs += answering;
        quietMs += silent;
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["answering_ms"] = answeringMs / runs;
    state.counters["quiet_ms"] = quietMs / runs;
    state.counters["ratio_to_answering"] = quietMs / answeringMs;
}
BENCHMARK(BM_CliUploadQuietBox)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
