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
// - it holds a line "EDID (hex):" or "edid-decode (hex):" (a decoder's report) or
//   "EDID:" (a display server's verbose listing): the hex lines after the first such
//   line are the text, up to the first line that is neither blank nor hex;
// - all of it is hex pairs, separated by any whitespace and commas, each pair
//   optionally written 0xNN (the body of a C array), or runs of pairs with nothing
//   between them: that is the text;
// - a C declaration ("static const unsigned char edid[256] = {...};"): the hex pairs
//   between its braces are the text, when nothing but ';' and whitespace follows the
//   closing brace;
// - anything else is binary.
// Text that holds a whole number of 128-byte blocks is read like a binary file of
// those bytes; other text is refused with its byte count.

enum class EdidInputForm { Binary, DecoderHex, ListingHex, PlainHex, CDeclaration };

enum class EdidInputStatus {
    Read,        // `image` holds the EDID
    CannotOpen,  // the file could not be opened or standard input could not be read
    WrongLength, // hex text whose byte count is not a whole number of blocks
};

struct EdidInput {
    EdidInputStatus status = EdidInputStatus::CannotOpen;
    EdidInputForm form = EdidInputForm::Binary;
    EdidImage image{};
    std::size_t textBytes = 0; // the bytes a hex text held
};

// Beyond this size a buffer is not looked at as text: no EDID hex text is that long.
constexpr std::size_t kEdidTextLimit = 1 << 20;

// Reads `bytes` by the rule above. Never fails on content: the status is Read or
// WrongLength.
EdidInput ParseEdidInput(const std::vector<std::uint8_t>& bytes);

// Reads `path`, or standard input when `path` is "-", and parses it.
EdidInput ReadEdidInput(const std::string& path);

// How a file chosen in a window's Open dialog is read: as "*.bin" always was (the file
// format alone), or by the rule above.
enum class EdidFileReading { Binary, BinaryOrText };

// Reads the file `path` the chosen way: Binary gives Read or CannotOpen only.
EdidInput ReadEdidFileAs(const std::string& path, EdidFileReading reading);

// Why an input was not read: "Edid Open Fail." for a file that cannot be opened, and
// for hex text of the wrong length its byte count ("Hex text holds 130 bytes, not a
// whole number of 128-byte blocks."). Empty when it was read.
std::string EdidInputMessage(const EdidInput& input);
