#include "TerminalText.h"

#include "Utf8Text.h"

#include <cstdio>

std::string TerminalText(const std::string& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8SequenceAt(text, i, code);
        if (length != 0 && code >= 0x20 && (code < 0x7F || code > 0x9F)) {
            shown.append(text, i, length);
            i += length;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02x",
                      length == 0 ? static_cast<unsigned char>(text[i])
                                  : static_cast<unsigned>(code));
        shown += escape;
        i += length == 0 ? 1 : length;
    }
    return shown;
}

std::string Latin1TerminalText(const std::string& bytes) {
    std::string text;
    for (const char c : bytes)
        AppendUtf8(text, static_cast<unsigned char>(c));
    return TerminalText(text);
}
