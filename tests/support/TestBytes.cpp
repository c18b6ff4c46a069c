#include "TestBytes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdlib.h>

#ifdef _WIN32
#include "RandomEngine.h"

#include <chrono>
#include <random>
#include <thread>
#endif

namespace TestBytes {

namespace {

// A UTF-8 path as the program takes it, for the streams: on Windows they open it by its
// UTF-16 name, as the program does (a narrow name would go through the code page).
std::filesystem::path streamPath(const std::string& path) {
    return std::filesystem::u8path(path);
}

} // namespace

Bytes readFile(const std::string& path) {
    std::ifstream in(streamPath(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) {
    std::ifstream in(streamPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(streamPath(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

#ifdef _WIN32
// In the user's temporary folder, written with '/' as on Linux (Windows takes both), so
// that the tests' expected texts and JSON hold the same path characters on both systems.
TempFolder::TempFolder(const std::string& prefix) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    RandomEngine random{std::random_device{}()};
    for (int i = 0; i < 100 && !error && path_.empty(); ++i) {
        const std::filesystem::path folder = base / (prefix + "-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder, error))
            path_ = folder.generic_u8string();
    }
}
#else
TempFolder::TempFolder(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    if (::mkdtemp(pattern.data()))
        path_ = pattern;
}
#endif

TempFolder::~TempFolder() {
    remove();
}

bool TempFolder::remove() {
    if (path_.empty())
        return true;
#ifdef _WIN32
    // Read-only files a test made go too; already gone is removed too.
    std::error_code ignored;
    const std::filesystem::path folder = std::filesystem::u8path(path_);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ignored);
    // A file a finished redaviv-cli read as its standard input stays open a moment
    // longer (under Wine, its console host holds the handle), and Windows removes no
    // open file: a few tries, 2 s at most.
    std::error_code error;
    for (int tries = 0; tries < 100 && (tries == 0 || error); ++tries) {
        if (tries > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::filesystem::remove_all(folder, error);
    }
    const bool removed = !error;
#else
    // Already gone is removed too: a test may remove its empty folder itself.
    const std::string command = "test ! -e '" + path_ + "' || { chmod -R u+rwx '" + path_ +
                                "' && rm -rf '" + path_ + "'; }";
    const bool removed = std::system(command.c_str()) == 0;
#endif
    path_.clear();
    return removed;
}

} // namespace TestBytes
