#include "TestBytes.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdlib.h>

#ifdef _WIN32
#include "RandomEngine.h"

#include <filesystem>
#include <random>
#endif

namespace TestBytes {

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

#ifdef _WIN32
// In the user's temporary folder, with the system's separators.
TempFolder::TempFolder(const std::string& prefix) {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    RandomEngine random{std::random_device{}()};
    for (int i = 0; i < 100 && !error && path_.empty(); ++i) {
        const std::filesystem::path folder = base / (prefix + "-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder, error))
            path_ = folder.u8string();
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
    std::error_code error;
    std::filesystem::remove_all(folder, error);
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
