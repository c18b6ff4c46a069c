// The creator without a window: a round trip in process (load into a fresh model, read it
// back, encode) per EDID, and redaviv-cli roundtrip -d over the corpus files it writes, as
// one process.
// The folder round trip writes into a temporary folder under TMPDIR: each file is synced
// before it replaces its name, so the disk under TMPDIR sets most of that figure.
#include "CreatorBuilder.h"
#include "CreatorLoader.h"
#include "CreatorModel.h"
#include "EdidFile.h"
#include "EdidInfo.h"
#include "EdidValidation.h"

#include <QDate>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchCorpus.h"
#include "RegisterBenchmarks.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const QDate kToday(2026, 12, 8);

void roundtripInProcess(benchmark::State& state, const std::vector<EdidImage>& images) {
    for (auto _ : state) {
        for (const EdidImage& image : images) {
            CreatorModel model;
            EdidInfo settings{};
            settings.Image = image;
            StartFromFile(model, settings, kToday);
            benchmark::DoNotOptimize(ReadBackCreator(model, settings));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(images.size()));
}

void brandNewInProcess(benchmark::State& state) {
    for (auto _ : state) {
        CreatorModel model;
        EdidInfo settings{};
        StartBrandNew(model, settings, kToday);
        benchmark::DoNotOptimize(ReadBackCreator(model, settings));
    }
    state.SetItemsProcessed(state.iterations());
}

// The files roundtrip writes: it refuses an EDID that fails validation, and then exits
// with 1 as for a failure.
std::vector<std::string> acceptedFiles(const std::vector<std::string>& files) {
    std::vector<std::string> accepted;
    for (const std::string& file : files) {
        EdidInfo info{};
        if (ReadEdidFile(file, info.Image) && ValidateEdid(info))
            accepted.push_back(file);
    }
    return accepted;
}

void roundtripFolder(benchmark::State& state, const std::vector<std::string>& files) {
    QStringList args = {"roundtrip", "--today", kToday.toString(Qt::ISODate), "-d"};
    QTemporaryDir out;
    args.append(out.path());
    for (const std::string& file : files)
        args.append(QString::fromStdString(file));
    for (auto _ : state) {
        QProcess cli;
        cli.start(QStringLiteral(REDAVIV_CLI), args);
        if (!cli.waitForFinished(-1) || cli.exitCode() != 0) {
            state.SkipWithError("redaviv-cli roundtrip -d failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}

} // namespace

void RegisterBenchmarks() {
    benchmark::RegisterBenchmark("CreatorRoundtrip/brandnew", brandNewInProcess);
    const std::vector<std::string> files = CorpusFiles();
    if (files.empty())
        return;
    const std::vector<EdidImage> images = CorpusImages();
    benchmark::RegisterBenchmark("CreatorRoundtrip/corpus", roundtripInProcess, images);
    benchmark::RegisterBenchmark("CliRoundtripFolder/corpus", roundtripFolder, acceptedFiles(files))
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}
