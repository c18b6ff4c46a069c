#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 as the program reads and writes it: hex texts, file names, JSON.

// The length of the valid UTF-8 sequence that starts at `at` in `text` (no overlong
// form, no surrogate, nothing above U+10FFFF), its code point in `code`; 0 when the
// bytes there are no such sequence.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at, char32_t& code);

// Appends `code` (at most U+10FFFF, no surrogate) as UTF-8.
void AppendUtf8(std::string& out, char32_t code);
