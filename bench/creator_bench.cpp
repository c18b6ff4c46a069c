// The creator without a window: a round trip in process (load into a fresh model, read it
// back, encode) per EDID, and redaviv-cli roundtrip -d over the whole corpus as one process.
// The folder round trip writes into a temporary folder under TMPDIR: each file is synced
// before it replaces its name, so the disk under TMPDIR sets most of that figure.
#include "CreatorBuilder.h"
#include "CreatorLoader.h"
#include "CreatorModel.h"
#include "EdidFile.h"
#include "EdidInfo.h"

#include <QDate>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const QDate kToday(2026, 12, 8);

std::vector<std::string> corpusFiles() {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(REDAVIV_EDID_CORPUS, error)) {
        if (entry.path().extension() == ".bin")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

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

void registerAll() {
    benchmark::RegisterBenchmark("CreatorRoundtrip/brandnew", brandNewInProcess);
    const std::vector<std::string> files = corpusFiles();
    if (files.empty())
        return;
    std::vector<EdidImage> images;
    for (const std::string& file : files) {
        EdidImage image{};
        if (ReadEdidFile(file, image))
            images.push_back(image);
    }
    benchmark::RegisterBenchmark("CreatorRoundtrip/corpus", roundtripInProcess, images);
    benchmark::RegisterBenchmark("CliRoundtripFolder/corpus", roundtripFolder, files)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
