// Time per EDID of decoding plus the analyser's summary, and of encoding the decoded
// record. EDIDs built here, and the shared corpus when it is present.
#include "EdidDecoder.h"
#include "EdidEncoder.h"
#include "EdidSummary.h"

#include "BenchCorpus.h"
#include "RegisterBenchmarks.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

namespace {

void fixChecksums(EdidImage& image) {
    for (std::size_t first : {std::size_t{0}, kEdidBlockSize}) {
        const auto begin = image.begin() + static_cast<std::ptrdiff_t>(first);
        image[first + 127] = 0;
        image[first + 127] =
            static_cast<std::uint8_t>(0u - std::accumulate(begin, begin + kEdidBlockSize, 0u));
    }
}

// A base block with a monitor name descriptor and an extension holding only an HDMI
// vendor-specific block, the base every built EDID is encoded from.
EdidImage baseImage() {
    EdidImage image{};
    std::copy(EdidHeader.begin(), EdidHeader.end(), image.begin());
    image[18] = 1;
    image[19] = 3;
    const std::uint8_t name[] = {0x00, 0x00, 0x00, 0xFC, 0x00};
    std::copy(std::begin(name), std::end(name), image.begin() + 108);
    image[126] = 1;
    const std::uint8_t extension[] = {0x02, 0x03, 0x0C, 0xC0, 0x67, 0x03,
                                      0x0C, 0x00, 0x10, 0x00, 0x80, 0x21};
    std::copy(std::begin(extension), std::end(extension), image.begin() + 128);
    fixChecksums(image);
    return image;
}

EdidInfo settings(const char* name) {
    EdidInfo s{};
    s.Image = baseImage();
    std::memcpy(s.Manufac_Name.data(), "RDV", 4);
    std::strncpy(s.Monitor_Name.data(), name, 13);
    s.Manufac_Year = 0xE9;
    s.Standard_Timing.fill(0x0101);
    s.Standard_Timing[0] = 0x8180;
    s.Establish_Timing = 0x210800;
    s.Ext_Dtd[0] = {0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                    0x2C, 0x45, 0x00, 0x20, 0xC2, 0x31, 0x00, 0x00, 0x1E};
    return s;
}

// A plain monitor, a 4K television, and one with every list full (some blocks then
// have no room).
std::vector<std::pair<std::string, EdidImage>> builtEdids() {
    EdidInfo monitor = settings("MONITOR");
    monitor.Video_Id_Code = {16, 4, 3};
    monitor.Audio_Sad[0] = {0x09, 0x07, 0x07};

    EdidInfo tv = settings("TV 4K");
    tv.Video_Id_Code = {16, 31, 4, 19, 97, 96, 102, 101};
    tv.Audio_Sad[0] = {0x09, 0x07, 0x07};
    tv.Audio_Sad[1] = {0x15, 0x07, 0x50};
    tv.Audio_Sad[2] = {0x3D, 0x07, 0xC0};
    tv.Speaker_Alloc = 0x4F0000;
    tv.Color_Depth = 0x38;
    tv.Colorimetry = 0xC0;
    tv.Video_Cap = 0x40;
    tv.Hdr_Eotf = 0x05;
    tv.Hdr_Despt = 0x01;
    tv.Yuv420_Vdb = {96, 97};

    EdidInfo full = tv;
    std::strncpy(full.Monitor_Name.data(), "FULL", 13);
    std::iota(full.Video_Id_Code.begin(), full.Video_Id_Code.end(), std::uint8_t{85});
    for (std::size_t i = 0; i < full.Audio_Sad.size(); ++i)
        full.Audio_Sad[i] = {static_cast<std::uint8_t>(0x09 + 8 * i), 0x07, 0x07};
    full.Hdmi_Vic = {1, 2, 3, 4};
    full.Flags = 0x0008;
    full.Hdmi_3D_Byte = 0x80;
    full.Hdmi_3D_Len = 14;
    full.Hdr_Dcld = {0x70, 0x60, 0x10};
    full.Yuv420_Vdb = {96, 97, 98, 99, 100, 101, 102, 103};

    std::vector<std::pair<std::string, EdidImage>> edids;
    for (auto& [label, record] :
         {std::pair{"monitor", &monitor}, std::pair{"tv", &tv}, std::pair{"full", &full}}) {
        EncodeEdid(*record);
        edids.emplace_back(label, record->Image);
    }
    return edids;
}

void decodeAndSummarise(benchmark::State& state, const std::vector<EdidImage>& images) {
    for (auto _ : state) {
        for (const EdidImage& image : images) {
            EdidInfo info{};
            DecodeEdid(info, image);
            benchmark::DoNotOptimize(SummariseEdid(info));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(images.size()));
}

void encode(benchmark::State& state, const std::vector<EdidImage>& images) {
    // The encoder works in place: each round starts again from the decoded record.
    std::vector<EdidInfo> decoded(images.size());
    for (std::size_t i = 0; i < images.size(); ++i)
        DecodeEdid(decoded[i], images[i]);
    EdidInfo work{};
    for (auto _ : state) {
        for (const EdidInfo& record : decoded) {
            work = record;
            benchmark::DoNotOptimize(EncodeEdid(work));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(images.size()));
}

} // namespace

void RegisterBenchmarks() {
    for (const auto& [label, image] : builtEdids()) {
        const std::vector<EdidImage> one = {image};
        benchmark::RegisterBenchmark(("DecodeSummary/" + label).c_str(), decodeAndSummarise, one);
        benchmark::RegisterBenchmark(("Encode/" + label).c_str(), encode, one);
    }
    const std::vector<EdidImage> corpus = CorpusImages();
    if (!corpus.empty()) {
        benchmark::RegisterBenchmark("DecodeSummary/corpus", decodeAndSummarise, corpus);
        benchmark::RegisterBenchmark("Encode/corpus", encode, corpus);
    }
}
