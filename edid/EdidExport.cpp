#include "EdidExport.h"

namespace {

constexpr char kDigits[] = "0123456789abcdef";

void appendHexByte(std::string& out, std::uint8_t byte) {
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0x0F];
}

// Sixteen pairs a line and a blank line between blocks, as the decoder prints and
// reads back its own dump.
std::string hexBlock(const EdidImage& image) {
    std::string out;
    for (std::size_t i = 0; i < image.size(); ++i) {
        if (i > 0 && i % kEdidBlockSize == 0)
            out += '\n';
        appendHexByte(out, image[i]);
        out += (i % 16 == 15) ? '\n' : ' ';
    }
    return out;
}

std::string cArray(const EdidImage& image) {
    std::string out = "static const unsigned char edid[256] = {\n";
    for (std::size_t i = 0; i < image.size(); ++i) {
        out += (i % 16 == 0) ? "    0x" : " 0x";
        appendHexByte(out, image[i]);
        out += (i % 16 == 15) ? ",\n" : ",";
    }
    return out + "};\n";
}

} // namespace

std::optional<EdidExportFormat> EdidExportFormatNamed(const std::string& word) {
    if (word == "hex")
        return EdidExportFormat::Hex;
    if (word == "c")
        return EdidExportFormat::C;
    if (word == "bin")
        return EdidExportFormat::Bin;
    return std::nullopt;
}

std::vector<std::uint8_t> ExportEdid(const EdidImage& image, EdidExportFormat format) {
    if (format == EdidExportFormat::Bin)
        return std::vector<std::uint8_t>(image.begin(), image.end());
    const std::string text = format == EdidExportFormat::Hex ? hexBlock(image) : cArray(image);
    return std::vector<std::uint8_t>(text.begin(), text.end());
}
