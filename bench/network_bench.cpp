// An EDID upload and a whole firmware update (devsim's wire time emulated), the operations
// behind the window's buttons, through ser2net on the loopback, over its raw TCP accepter
// and its rfc2217 one, against the same operation on the pseudo-terminal directly. Target:
// at most 1.1 times as long as directly.
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "EdidFileUpload.h"
#include "EdidTestFiles.h"
#include "FirmwareFiles.h"
#include "FirmwareUpdate.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"
#include "Ser2netProcess.h"
#include "TestBytes.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <functional>
#include <string>

namespace {

// How the link reaches the device.
enum Way { Direct, Raw, Rfc2217, Ways };
const char* const WayNames[Ways] = {"direct", "tcp", "rfc2217"};

// A devsim with `options`, ser2net in front of it, and a link that searched it one way.
struct Served {
    explicit Served(const QStringList& options) : device(options), server(device.path()) {}
    QString port(Way way) const {
        return way == Direct ? device.path() : way == Raw ? server.rawName() : server.rfc2217Name();
    }
    DevsimProcess device;
    Ser2netProcess server;
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link{reporter, view};
};

// Runs `operation` `runs` times each way, on a fresh devsim each way, over a link that
// found it; its mean time each way, in milliseconds (negative when the way failed).
// `operation` returns false when it failed.
std::array<double, Ways> timeEachWay(const QStringList& options, int runs,
                                     const std::function<bool(Served&)>& operation) {
    std::array<double, Ways> meanMs{};
    for (int way = Direct; way < Ways; ++way) {
        Served served(options);
        served.link.setPortOverride({served.port(static_cast<Way>(way))});
        served.link.search();
        if (!served.server.listening() || served.link.connection() == Connection::NotConnected) {
            meanMs[way] = -1;
            continue;
        }
        double totalMs = 0;
        for (int run = 0; run < runs && meanMs[way] >= 0; ++run) {
            QElapsedTimer clock;
            clock.start();
            const bool done = operation(served);
            totalMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
            if (!done)
                meanMs[way] = -1;
        }
        if (meanMs[way] >= 0)
            meanMs[way] = totalMs / runs;
    }
    return meanMs;
}

void report(benchmark::State& state, const std::array<double, Ways>& meanMs) {
    for (int way = Direct; way < Ways; ++way) {
        if (meanMs[way] < 0) {
            state.SkipWithError((std::string("failed ") + WayNames[way]).c_str());
            return;
        }
        state.counters[std::string(WayNames[way]) + "_ms"] = meanMs[way];
    }
    state.counters["tcp_to_direct"] = meanMs[Raw] / meanMs[Direct];
    state.counters["rfc2217_to_direct"] = meanMs[Rfc2217] / meanMs[Direct];
}

void BM_UploadThroughNetworkServer(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string source = dir.filePath("upload.bin").toStdString();
    EdidTestFiles::WriteImage(QString::fromStdString(source), EdidTestFiles::RichEdid("BENCH"));
    for (auto _ : state) {
        report(state, timeEachWay({}, 5, [&](Served& served) {
                   EdidInfo record{};
                   return UploadEdidFile(served.link, source, record) == FileUploadResult::Sent;
               }));
    }
}
BENCHMARK(BM_UploadThroughNetworkServer)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_FirmwareThroughNetworkServer(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string image = dir.filePath("fw.bin").toStdString();
    TestBytes::writeFile(image, FirmwareFiles::image(FirmwareFiles::FullSize));
    for (auto _ : state) {
        report(state, timeEachWay({QStringLiteral("--isp"), QStringLiteral("--wire")}, 1,
                                  [&](Served& served) {
                                      // With verification, as the window's check box starts.
                                      return updateFirmware(served.link, served.reporter, image,
                                                            [] { return true; }) ==
                                             FirmwareUpdateResult::Finished;
                                  }));
    }
}
BENCHMARK(BM_FirmwareThroughNetworkServer)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
