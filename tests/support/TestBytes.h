#pragma once
// Bytes as the tests handle them: whole files read and written. Plain C++, so the core
// and devsim tests share them with the Qt tests (EdidTestFiles.h gives their Qt face).
#include <cstdint>
#include <string>
#include <vector>

namespace TestBytes {

using Bytes = std::vector<std::uint8_t>;

// The file's whole contents; empty when it cannot be read.
Bytes readFile(const std::string& path);
// The file's whole contents as text.
std::string readText(const std::string& path);
// Makes `bytes` the file's whole contents with a plain write, so a test sets up its files
// without the program's own writer; false on any failure.
bool writeFile(const std::string& path, const Bytes& bytes);

// A private folder under /tmp for one test's files ("/tmp/<prefix>-XXXXXX"; on Windows in
// the user's temporary folder), removed with all it holds when it goes; write bits a test
// took away are given back first.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    std::string path(const std::string& name) const { return path_ + "/" + name; }
    // Removes it now; false when that failed.
    bool remove();

private:
    std::string path_;
};

} // namespace TestBytes
