#include "Json.h"

#include <cstdio>

namespace {

void appendEscape(std::string& out, unsigned code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", code);
    out += buffer;
}

// Escapes '"', '\\' and control characters; bytes from 0x80 up are handled by `high`.
template <typename High> std::string quote(const std::string& bytes, High high) {
    std::string out = "\"";
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
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
        else if (c >= 0x80)
            high(out, c);
        else
            out += ch;
    }
    out += '"';
    return out;
}

bool isValidUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t extra = 0;
        std::uint32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size())
            return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(bytes[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            code = code << 6 | (cc & 0x3F);
        }
        // No overlong forms, no surrogates, nothing above U+10FFFF.
        if ((extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

std::string JsonLatin1String(const std::string& bytes) {
    return quote(bytes, [](std::string& out, unsigned c) { appendEscape(out, c); });
}

std::string JsonTextString(const std::string& bytes) {
    if (!isValidUtf8(bytes))
        return JsonLatin1String(bytes);
    return quote(bytes, [](std::string& out, unsigned c) { out += static_cast<char>(c); });
}

std::string Latin1ToUtf8(const std::string& bytes) {
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
