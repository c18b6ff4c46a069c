#include "TestBytes.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdlib.h>

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

TempFolder::TempFolder(const std::string& prefix) {
    std::string pattern = "/tmp/" + prefix + "-XXXXXX";
    if (::mkdtemp(pattern.data()))
        path_ = pattern;
}

TempFolder::~TempFolder() {
    remove();
}

bool TempFolder::remove() {
    if (path_.empty())
        return true;
    // Already gone is removed too: a test may remove its empty folder itself.
    const std::string command = "test ! -e '" + path_ + "' || { chmod -R u+rwx '" + path_ +
                                "' && rm -rf '" + path_ + "'; }";
    const bool removed = std::system(command.c_str()) == 0;
    path_.clear();
    return removed;
}

} // namespace TestBytes
