#pragma once
// The EDID texts the input reader and the export writers are tested with.
#include "EdidInput.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace EdidInputTexts {

using TestEdids::Bytes;

inline EdidImage TvImage() {
    return TestEdids::WithExtension({TestEdids::Block(0x40, {16, 97}),
                                     TestEdids::Block(0x20, {0x09, 7, 7}),
                                     TestEdids::Block(0x60, {0x03, 0x0C, 0x00, 0x21, 0x00})});
}

inline Bytes BytesOfText(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

inline std::string TextOf(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// `count` bytes of `bytes` as hex, `perLine` a line, each written `before` + two
// digits + `after`; lines start with `indent`.
inline std::string Hex(const Bytes& bytes, std::size_t perLine, const std::string& before,
                       const std::string& after, const std::string& indent = "") {
    std::string text;
    char pair[3];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % perLine == 0)
            text += indent;
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += before + pair + after;
        if (i % perLine == perLine - 1)
            text += "\n";
    }
    return text;
}

inline void ExpectText(const std::string& text, EdidInputForm form, const EdidImage& image) {
    const EdidInput input = ParseEdidInput(BytesOfText(text));
    EXPECT_EQ(input.status, EdidInputStatus::Read) << text;
    EXPECT_EQ(input.form, form) << text;
    EXPECT_EQ(input.image, image) << text;
}

} // namespace EdidInputTexts
