#pragma once
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

class Prompts;

// A text that is not a valid integer; what() is "'<text>' is not a valid integer value".
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& text);
};

// The one number conversion of the program: leading spaces skipped, then either a
// decimal with an optional sign in the signed 32-bit range, or hexadecimal introduced
// by "$", "x", "X", "0x" or "0X" (no sign, up to FFFFFFFF, read as a 32-bit
// two's-complement value). Nothing may follow. Throws ConversionError.
std::int32_t StrToInt(const std::string& text);

// Runs one handler; a failed conversion inside it ends only that handler and shows
// the standard error box. No exception crosses the event loop.
// Returns false when the handler was ended that way.
bool RunHandler(Prompts& prompts, const std::function<void()>& handler);
