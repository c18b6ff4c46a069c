// The reader of EDID inputs: binary files and hex texts.
#include "EdidInput.h"
#include "EdidExport.h"
#include "EdidFile.h"
#include "EdidInputTexts.h"
#include "TestBytes.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace EdidInputTexts;
using namespace TestEdids;

namespace {

TEST(EdidInputTest, EachHexFormReadsTheBytesOfTheBinary) {
    const EdidImage image = TvImage();
    const Bytes bytes = BytesOf(image);
    const Bytes block0 = BytesOf(image, 128);
    const Bytes block1(bytes.begin() + 128, bytes.end());

    // A decoder's report: its dump after the marker, blocks apart, then the decoding.
    const std::string dump = Hex(block0, 16, "", " ") + "\n" + Hex(block1, 16, "", " ");
    ExpectText("edid-decode (hex):\n\n" + dump + "\n----------------\n\nBlock 0, Base EDID:\n",
               EdidInputForm::DecoderHex, image);
    ExpectText("Some header\r\nEDID (hex):\r\n" + dump + "\r\nEDID conformity: PASS\r\n",
               EdidInputForm::DecoderHex, image);

    // A display server's verbose listing: the first EDID block counts, not the second.
    const std::string listing = "Screen 0: minimum 8 x 8\nHDMI-1 connected 1920x1080+0+0\n"
                                "\tEDID: \n" +
                                Hex(bytes, 16, "", "", "\t\t") +
                                "\tBorderDimensions: 8\n"
                                "DP-1 connected\n\tEDID:\n" +
                                Hex(Bytes(256, 0x11), 16, "", "", "\t\t");
    ExpectText(listing, EdidInputForm::ListingHex, image);

    // Plain pairs: a C array's body, one line run together, pairs on lines.
    ExpectText(Hex(bytes, 12, "0x", ", ", "    "), EdidInputForm::PlainHex, image);
    ExpectText(Hex(bytes, 256, "", "") + "\n", EdidInputForm::PlainHex, image);
    ExpectText(Hex(bytes, 16, "0X", ",") + ",", EdidInputForm::PlainHex, image);
    ExpectText(Hex(bytes, 8, "", "\t"), EdidInputForm::PlainHex, image);
}

TEST(EdidInputTest, TextOfOneOrThreeBlocksReadsLikeAFileOfThoseBytes) {
    const EdidImage image = TvImage();
    // One block: the rest reads as 0xFF, as a 128-byte file does.
    ExpectText(Hex(BytesOf(image, 128), 16, "", " "), EdidInputForm::PlainHex,
               EdidImageFromBytes(BytesOf(image, 128)));
    // Three blocks: the third is ignored, as a long file's extra bytes are.
    Bytes three = BytesOf(image);
    three.insert(three.end(), 128, 0x5A);
    ExpectText("edid-decode (hex):\n\n" + Hex(three, 16, "", " "), EdidInputForm::DecoderHex,
               image);
}

TEST(EdidInputTest, DetectionTellsBinaryFromText) {
    // The header makes it binary, whatever text follows.
    Bytes headed = BytesOf(TvImage(), 8);
    const std::string text = "\nEDID:\n" + Hex(Bytes(128, 0), 16, "", "");
    headed.insert(headed.end(), text.begin(), text.end());
    EdidInput input = ParseEdidInput(headed);
    EXPECT_EQ(input.form, EdidInputForm::Binary);
    EXPECT_EQ(input.image, EdidImageFromBytes(headed));

    // Bytes that are no text (a control byte, bytes that are no UTF-8, NULs alone): binary,
    // read by the file rule, so a broken binary still fails on its header.
    for (const Bytes& binary :
         {Bytes{0x00, 0xFF, 0xFF, 0x12}, Bytes(256, 0x00), BytesOfText("00 ff\x01"),
          BytesOfText("00 \xE9 ff"), BytesOfText(std::string("00\0ff", 5))}) {
        input = ParseEdidInput(binary);
        EXPECT_EQ(input.status, EdidInputStatus::Read) << TextOf(binary);
        EXPECT_EQ(input.form, EdidInputForm::Binary) << TextOf(binary);
        EXPECT_EQ(input.image, EdidImageFromBytes(binary)) << TextOf(binary);
        EXPECT_EQ(input.length, binary.size());
    }

    // Beyond the size any hex text has, a buffer is binary.
    std::string huge;
    while (huge.size() <= kEdidTextLimit)
        huge += "00 ";
    EXPECT_EQ(ParseEdidInput(BytesOfText(huge)).form, EdidInputForm::Binary);
}

// Text is read as text whatever it is written in, and text that is not hex says where and
// why instead of passing for a broken binary.
TEST(EdidInputTest, TextIsReadAsHexInEveryEncodingAndAMistakeNamesItsLine) {
    const EdidImage image = TvImage();
    const std::string hex = Hex(BytesOf(image), 16, "", " ");
    const auto utf16 = [](const std::string& ascii, bool bigEndian) {
        Bytes bytes = bigEndian ? Bytes{0xFE, 0xFF} : Bytes{0xFF, 0xFE};
        for (const char c : ascii) {
            bytes.push_back(bigEndian ? 0 : static_cast<std::uint8_t>(c));
            bytes.push_back(bigEndian ? static_cast<std::uint8_t>(c) : 0);
        }
        return bytes;
    };
    const std::string cArray = "/* the TV */\nstatic const unsigned char edid[256] = {\n" +
                               Hex(BytesOf(image), 8, "0x", ", ", "    ") + "}; // end\n";
    const std::vector<std::pair<std::string, Bytes>> readable = {
        {"a UTF-8 byte-order mark", BytesOfText("\xEF\xBB\xBF" + hex)},
        {"UTF-16 LE with CRLF", utf16("EDID (hex):\r\n" + hex, false)},
        {"UTF-16 BE", utf16(hex, true)},
        {"a trailing NUL", BytesOfText(hex + std::string(1, '\0'))},
        {"C comments in a declaration", BytesOfText(cArray)},
        {"C comments in a body",
         BytesOfText("// header\n" + Hex(BytesOf(image), 16, "0x", ", /**/"))},
    };
    for (const auto& [what, bytes] : readable) {
        const EdidInput input = ParseEdidInput(bytes);
        EXPECT_EQ(input.status, EdidInputStatus::Read) << what << ": " << input.problem;
        EXPECT_EQ(input.image, image) << what;
    }

    const std::string twoLines = "00 ff ff ff ff ff ff 00\n04 43 34 12 ef cd ab 89\n";
    const std::pair<std::string, std::string> mistakes[] = {
        {twoLines + "0c 1e 0g 03", "line 3: 'g' is not a hex digit"},
        {twoLines + "0c 1e 0 03", "line 3: odd number of hex digits in '0'"},
        {"0x00, 0x100,", "line 1: '0x100' is more than one byte"},
        {"0x00, 0x,", "line 1: '0x' has no hex digits"},
        {"00 ff\n\xC3\xA9", "line 2: '\xC3\xA9' is not a hex digit"},
        {"00 ff /* open\n00", "line 1: '/*' comment is not closed"},
        {"char e[] = {\n0x00, // ok\n0xZZ };", "line 3: 'Z' is not a hex digit"},
        // A decoder's block cut short by a bad line, rather than ended by the report.
        {"edid-decode (hex):\n\n" + twoLines + "0c 1e 01 x3\n\nBlock 0\n",
         "line 5: 'x' is not a hex digit"},
        {std::string(40, 'f') + "f", "line 1: odd number of hex digits in 'ffffffffffffffff...'"},
    };
    for (const auto& [text, problem] : mistakes) {
        const EdidInput input = ParseEdidInput(BytesOfText(text));
        EXPECT_EQ(input.status, EdidInputStatus::NotHex) << text;
        EXPECT_EQ(EdidInputMessage(input), problem) << text;
    }

    const std::pair<Bytes, std::string> nothing[] = {
        {Bytes{}, "empty input"},
        {Bytes{0xEF, 0xBB, 0xBF}, "empty input"},
        {BytesOfText(" \r\n\t"), "blank input (only whitespace)"},
        {BytesOfText(std::string("\n\0\0", 3)), "blank input (only whitespace)"},
        {utf16(" \r\n", false), "blank input (only whitespace)"},
    };
    for (const auto& [bytes, message] : nothing)
        EXPECT_EQ(EdidInputMessage(ParseEdidInput(bytes)), message) << TextOf(bytes);
}

TEST(EdidInputTest, TextOfTheWrongLengthIsRefusedWithItsByteCount) {
    EdidInput input = ParseEdidInput(BytesOfText(Hex(Bytes(130, 0xAB), 16, "0x", ",")));
    EXPECT_EQ(input.status, EdidInputStatus::WrongLength);
    EXPECT_EQ(input.form, EdidInputForm::PlainHex);
    EXPECT_EQ(input.length, 130u);
    EXPECT_EQ(EdidInputMessage(input),
              "Hex text holds 130 bytes, not a whole number of 128-byte blocks.");

    // A marker with a short block, or none at all after it.
    input = ParseEdidInput(BytesOfText("\tEDID:\n\t\t00ffffffffffff00\n\tBorder: 0\n"));
    EXPECT_EQ(input.status, EdidInputStatus::WrongLength);
    EXPECT_EQ(input.form, EdidInputForm::ListingHex);
    EXPECT_EQ(input.length, 8u);
    input = ParseEdidInput(BytesOfText("edid-decode (hex):\n\nno dump here\n"));
    EXPECT_EQ(input.status, EdidInputStatus::WrongLength);
    EXPECT_EQ(input.length, 0u);
}

TEST(EdidInputTest, ReadsFilesAndReportsThoseThatCannotBeOpened) {
    TestBytes::TempFolder folder("redaviv-input");
    ASSERT_TRUE(folder.ok());
    const std::string& dir = folder.path();
    const std::string hex = dir + "/tv.hex";
    ASSERT_TRUE(WriteFileWhole(hex, ExportEdid(TvImage(), EdidExportFormat::Hex)));

    EdidInput input = ReadEdidInput(hex);
    EXPECT_EQ(input.status, EdidInputStatus::Read);
    EXPECT_EQ(input.form, EdidInputForm::PlainHex);
    EXPECT_EQ(input.image, TvImage());
    EXPECT_EQ(EdidInputMessage(input), "");

    for (const std::string& unreadable : {dir + "/missing.bin", dir}) {
        input = ReadEdidInput(unreadable);
        EXPECT_EQ(input.status, EdidInputStatus::CannotOpen) << unreadable;
        EXPECT_EQ(EdidInputMessage(input), "Edid Open Fail.");
    }
    EXPECT_TRUE(folder.remove());
}

} // namespace
