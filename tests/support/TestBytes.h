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

} // namespace TestBytes
