#pragma once
#include <string>

// Text from a file, a file name or the device, made safe to show on a terminal: every
// control character (C0, DEL and C1) and every byte that is not part of valid UTF-8 is
// written \xNN (two lowercase hex digits), so that nothing a file or a device holds can
// move the cursor, clear the screen or ring the bell. Line breaks the output itself
// writes are not passed through here.
std::string TerminalText(const std::string& text);

// The same for bytes taken as Latin-1 (an EDID's texts, the device's answers).
std::string Latin1TerminalText(const std::string& bytes);
