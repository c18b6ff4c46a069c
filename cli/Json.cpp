#include "Json.h"

#include "Utf8Text.h"

#include <cstdio>

namespace {

void appendEscape(std::string& out, unsigned code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", code);
    out += buffer;
}

// Escapes '"', '\\' and control characters below 0x80; the rest is handled by `high`,
// given the text and the position of a byte from 0x80 up, which returns the bytes used.
template <typename High> std::string quote(const std::string& bytes, High high) {
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x80) {
            i += high(out, i);
            continue;
        }
        if (c == '"')
            out += "\\\"";
        else if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (c < 0x20 || c == 0x7F)
            appendEscape(out, c);
        else
            out += static_cast<char>(c);
        ++i;
    }
    out += '"';
    return out;
}

} // namespace

std::string JsonLatin1String(const std::string& bytes) {
    return quote(bytes, [&](std::string& out, std::size_t at) {
        appendEscape(out, static_cast<unsigned char>(bytes[at]));
        return std::size_t{1};
    });
}

std::string JsonTextString(const std::string& bytes) {
    return quote(bytes, [&](std::string& out, std::size_t at) {
        char32_t code = 0;
        const std::size_t length = Utf8SequenceAt(bytes, at, code);
        if (length == 0) {
            AppendUtf8(out, 0xFFFD);
            return std::size_t{1};
        }
        out.append(bytes, at, length);
        return length;
    });
}
