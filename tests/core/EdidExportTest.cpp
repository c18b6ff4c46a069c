// The export writers: the decoder's hex dump, a C array and the bytes.
#include "EdidExport.h"
#include "EdidFile.h"
#include "EdidInputTexts.h"
#include "TestBytes.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace EdidInputTexts;
using namespace TestEdids;

namespace {

TEST(EdidExportTest, WritesTheDecoderDumpACArrayAndTheBytes) {
    const EdidImage image = TvImage();
    const std::string hex = TextOf(ExportEdid(image, EdidExportFormat::Hex));
    EXPECT_EQ(hex.substr(0, 48), "00 ff ff ff ff ff ff 00 04 43 34 12 ef cd ab 89\n");
    // Sixteen lines of sixteen pairs, a blank line between the blocks.
    EXPECT_EQ(hex.size(), 256u * 3 + 1);
    EXPECT_EQ(hex.substr(8 * 48, 1), "\n");
    EXPECT_EQ(hex.substr(8 * 48 + 1, 6), "02 03 ");
    ExpectText(hex, EdidInputForm::PlainHex, image);

    const std::string c = TextOf(ExportEdid(image, EdidExportFormat::C));
    const std::string head = "static const unsigned char edid[256] = {\n";
    ASSERT_EQ(c.substr(0, head.size()), head);
    EXPECT_EQ(c.substr(c.size() - 3), "};\n");
    EXPECT_NE(c.find("\n    0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00, 0x04,"),
              std::string::npos);
    // Its body is one of the hex texts the reader takes.
    ExpectText(c.substr(head.size(), c.size() - head.size() - 3), EdidInputForm::PlainHex, image);
    // So is the whole declaration, as export writes it or written by hand on one line;
    // anything after the closing brace but ';' makes it no declaration.
    ExpectText(c, EdidInputForm::CDeclaration, image);
    ExpectText("unsigned char e[] = {" + Hex(BytesOf(image), 256, "0x", ",") + "}",
               EdidInputForm::CDeclaration, image);
    const EdidInput trailing = ParseEdidInput(BytesOfText(c + "int x;\n"));
    EXPECT_EQ(trailing.status, EdidInputStatus::NotHex);
    EXPECT_EQ(trailing.problem, "line 1: 's' is not a hex digit");
    const EdidInput shortDeclaration = ParseEdidInput(BytesOfText("char e[] = {0x00, 0xff};"));
    EXPECT_EQ(shortDeclaration.status, EdidInputStatus::WrongLength);
    EXPECT_EQ(shortDeclaration.length, 2u);

    EXPECT_EQ(ExportEdid(image, EdidExportFormat::Bin), BytesOf(image));
    EXPECT_EQ(EdidExportFormatNamed("c"), EdidExportFormat::C);
    EXPECT_EQ(EdidExportFormatNamed("HEX"), std::nullopt);
}

// The hex dump is the decoder's own: it reads it back to the same bytes.
TEST(EdidExportTest, TheDecoderReadsTheHexDumpBackToTheSameBytes) {
    if (std::system("command -v edid-decode >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "edid-decode is not installed";
    TestBytes::TempFolder folder("redaviv-export");
    ASSERT_TRUE(folder.ok());
    const std::string& dir = folder.path();
    // A base block with its filler block, and an EDID with an extension.
    const EdidImage images[] = {EdidImageFromBytes(BytesOf(Base(), 128)), TvImage()};
    for (const EdidImage& image : images) {
        const std::string hex = dir + "/edid.hex";
        const std::string raw = dir + "/edid.raw";
        ASSERT_TRUE(WriteFileWhole(hex, ExportEdid(image, EdidExportFormat::Hex)));
        const std::string command =
            "edid-decode '" + hex + "' '" + raw + "' -o raw >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(TestBytes::readFile(raw), BytesOf(image));
    }
    EXPECT_TRUE(folder.remove());
}

} // namespace
