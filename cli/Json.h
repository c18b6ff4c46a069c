#pragma once
#include <cstdint>
#include <string>

// Small helpers for writing RFC 8259 JSON by hand, so that members keep their order.

// A JSON string of bytes taken as Latin-1 (each byte the character of the same code):
// '"' and '\\' escaped, control characters, 0x7F and every byte from 0x80 up written as
// \u00XX. The result is plain ASCII.
std::string JsonLatin1String(const std::string& bytes);

// A JSON string of a path or other text meant as UTF-8 (as given on the command line):
// kept as UTF-8, control characters escaped, and each byte that is not part of valid
// UTF-8 replaced by U+FFFD, so that the output stays valid UTF-8.
std::string JsonTextString(const std::string& bytes);
