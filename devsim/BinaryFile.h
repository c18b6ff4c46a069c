#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Reads at most `size` bytes of `path`; bytes missing at the end read as 0xFF, as in
// the EDID file format. False when the file cannot be opened.
bool readPadded(const std::string& path, std::size_t size, Bytes& out);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`, so a
// reader never sees a half-written dump.
bool writeWhole(const std::string& path, const Bytes& bytes);
