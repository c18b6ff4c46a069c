#pragma once
#include <cstdint>
#include <string>

// Small helpers for writing RFC 8259 JSON by hand, so that members keep their order.

// A JSON string of bytes taken as Latin-1 (each byte the character of the same code):
// '"' and '\\' escaped, control characters, 0x7F and every byte from 0x80 up written as
// \u00XX. The result is plain ASCII.
std::string JsonLatin1String(const std::string& bytes);

// A JSON string of a path or other text as given on the command line: kept as UTF-8
// when it is valid UTF-8 (control characters escaped), otherwise taken as Latin-1.
std::string JsonTextString(const std::string& bytes);

// Bytes taken as Latin-1, converted to UTF-8 for a terminal.
std::string Latin1ToUtf8(const std::string& bytes);
