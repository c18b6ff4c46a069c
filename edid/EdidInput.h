#pragma once
#include "EdidImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Every EDID a person hands the program, read the same way: a binary file as the file
// format reads it, or one of the hex texts EDIDs travel as.
//
// Which one a buffer is:
// - it starts with the header bytes 00 FF FF FF FF FF FF 00: binary;
// - it is empty: refused as such;
// - it is text: UTF-8 (ASCII included, a byte-order mark allowed) or UTF-16 with its
//   byte-order mark, holding no control character but whitespace (NULs at its very end
//   are dropped, as some tools end a text with one). Text is hex text, refused when it
//   holds nothing but whitespace, in one of these forms:
//   - a line "EDID (hex):" or "edid-decode (hex):" (a decoder's report) or "EDID:" (a
//     display server's verbose listing): the hex lines after the first such line, up to
//     the first line that is neither blank nor hex;
//   - a C declaration ("static const unsigned char edid[256] = {...};"): the hex pairs
//     between its braces, when nothing but ';' and whitespace follows the closing brace;
//   - otherwise all of it is hex pairs, separated by any whitespace and commas, each
//     pair optionally written 0xNN (the body of a C array), or runs of pairs with
//     nothing between them.
//   C comments are skipped in the last two forms. A token that is not hex is refused
//   with its line and what is wrong with it;
// - anything else is binary.
// Text that holds a whole number of 128-byte blocks is read like a binary file of
// those bytes; other text is refused with its byte count.

enum class EdidInputForm { Binary, DecoderHex, ListingHex, PlainHex, CDeclaration };

enum class EdidInputStatus {
    Read,        // `image` holds the EDID
    CannotOpen,  // the file could not be opened or standard input could not be read
    Empty,       // nothing at all, or a byte-order mark alone
    Blank,       // text of nothing but whitespace
    NotHex,      // text that is not hex: `problem` says where and what
    WrongLength, // hex text whose byte count is not a whole number of blocks
};

struct EdidInput {
    EdidInputStatus status = EdidInputStatus::CannotOpen;
    EdidInputForm form = EdidInputForm::Binary;
    EdidImage image{};
    // The EDID bytes the input held: a binary input's size, or the bytes of a hex text.
    std::size_t length = 0;
    // The bytes after the 256 of `image`, as far as they were read.
    std::vector<std::uint8_t> beyond;
    std::string problem; // "line 3: 'g' is not a hex digit"
};

// Beyond this size a buffer is not looked at as text: no EDID hex text is that long.
constexpr std::size_t kEdidTextLimit = 1 << 20;

// Reads `bytes` by the rule above. Never fails on content but as the rule says: the
// status is never CannotOpen.
EdidInput ParseEdidInput(const std::vector<std::uint8_t>& bytes);

// Reads `path`, or standard input when `path` is "-", and parses it. The length of a
// binary input counts every byte, also those past the size read (kEdidTextLimit).
EdidInput ReadEdidInput(const std::string& path);

// How a file chosen in a window's Open dialog is read: as "*.bin" always was (the file
// format alone), or by the rule above.
enum class EdidFileReading { Binary, BinaryOrText };

// Reads the file `path` the chosen way: Binary gives Read or CannotOpen only.
EdidInput ReadEdidFileAs(const std::string& path, EdidFileReading reading);

// Why an input was not read: "Edid Open Fail." for a file that cannot be opened,
// "empty input", "blank input (only whitespace)", the problem of text that is not hex,
// and for hex text of the wrong length its byte count ("Hex text holds 130 bytes, not a
// whole number of 128-byte blocks."). Empty when it was read.
std::string EdidInputMessage(const EdidInput& input);
