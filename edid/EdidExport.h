#pragma once
#include "EdidImage.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The forms an EDID is written out in for other tools.
enum class EdidExportFormat {
    Hex, // the decoder's hex block: lowercase pairs, 16 a line, a blank line between blocks
    C,   // static const unsigned char edid[256] = {...};
    Bin, // the 256 bytes
};

// "hex", "c" or "bin"; nothing for another word.
std::optional<EdidExportFormat> EdidExportFormatNamed(const std::string& word);

// The bytes of `image` in `format`, ready for a file or standard output.
std::vector<std::uint8_t> ExportEdid(const EdidImage& image, EdidExportFormat format);
