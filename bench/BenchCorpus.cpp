#include "BenchCorpus.h"

#include "EdidFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(REDAVIV_EDID_CORPUS, error)) {
        if (entry.path().extension() == ".bin")
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<EdidImage> CorpusImages() {
    std::vector<EdidImage> images;
    for (const std::string& file : CorpusFiles()) {
        EdidImage image{};
        if (ReadEdidFile(file, image))
            images.push_back(image);
    }
    return images;
}
