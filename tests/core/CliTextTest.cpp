// redaviv-cli's text for a terminal and for JSON: nothing a file, a file name or the
// device holds can reach the terminal as a control, and JSON stays valid UTF-8.
#include "Json.h"
#include "TerminalText.h"

#include <gtest/gtest.h>

namespace {

TEST(CliText, TerminalTextEscapesControlsAndJsonStaysUtf8) {
    // C0 (tab too), DEL and C1 controls, and bytes that are no UTF-8, become \xNN; other
    // characters stay as they are.
    EXPECT_EQ(TerminalText("a\x1b[2J\a\t\x7f"
                           "b"),
              "a\\x1b[2J\\x07\\x09\\x7fb");
    EXPECT_EQ(TerminalText("caf\xC3\xA9 \xC2\x9B x"), "caf\xC3\xA9 \\x9b x");
    EXPECT_EQ(TerminalText("caf\xE9\xC3"), "caf\\xe9\\xc3");
    EXPECT_EQ(TerminalText("\\x1b"), "\\x1b"); // a backslash is no control
    // The EDID's and the device's texts are Latin-1.
    EXPECT_EQ(Latin1TerminalText("caf\xE9\x1b\x9b"), "caf\xC3\xA9\\x1b\\x9b");

    // JSON: a file name that is no UTF-8 keeps its valid part, each stray byte U+FFFD.
    EXPECT_EQ(JsonTextString("caf\xE9.bin"), "\"caf\xEF\xBF\xBD.bin\"");
    EXPECT_EQ(JsonTextString("\xC3\xA9\xF0\x9F\x98\x80\xED\xA0\x80"),
              "\"\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_EQ(JsonTextString("a\x1b\"\\\n"), "\"a\\u001B\\\"\\\\\\n\"");
    // The EDID's texts stay Latin-1, written as plain ASCII.
    EXPECT_EQ(JsonLatin1String("caf\xE9\x1b"), "\"caf\\u00E9\\u001B\"");
}

} // namespace
