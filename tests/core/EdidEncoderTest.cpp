#include "EdidEncoder.h"
#include "EdidDecoder.h"
#include "EdidValidation.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

namespace {

using TestEdids::Bytes;

constexpr std::size_t kNameDescriptor = 108; // where TestEdids::Base() has its name

std::uint8_t sumOf(const EdidImage& image, std::size_t first) {
    return static_cast<std::uint8_t>(
        std::accumulate(image.begin() + first, image.begin() + first + 128, 0u));
}

// The test base block with an extension whose collection holds `blocks`, followed
// by `dtds`; byte 131 has underscan, basic audio and one native format.
EdidImage makeImage(const std::vector<Bytes>& blocks, const std::vector<Bytes>& dtds = {}) {
    EdidImage image = TestEdids::WithExtension({}, -1, 0xC1);
    std::size_t p = 132;
    for (const Bytes& b : blocks) {
        std::copy(b.begin(), b.end(), image.begin() + p);
        p += b.size();
    }
    image[130] = static_cast<std::uint8_t>(p - 128);
    for (const Bytes& d : dtds) {
        std::copy(d.begin(), d.end(), image.begin() + p);
        p += d.size();
    }
    TestEdids::FixChecksums(image);
    return image;
}

// A record over `image` with every setting empty, as the encoder reads it.
EdidInfo settingsFor(const EdidImage& image) {
    EdidInfo s{};
    s.Image = image;
    std::memcpy(s.Manufac_Name.data(), "ABC", 4);
    s.Standard_Timing.fill(0x0101);
    return s;
}

// The data block at `position` of the encoded extension, header included.
Bytes blockAt(const EdidImage& image, std::size_t position) {
    const std::size_t end = position + 1 + (image[position] & 0x1F);
    return Bytes(image.begin() + position, image.begin() + end);
}

// The collection of the encoded extension, one entry per data block.
std::vector<Bytes> collection(const EdidImage& image) {
    std::vector<Bytes> blocks;
    for (std::size_t p = 132; p < 128u + image[130]; p += 1 + (image[p] & 0x1F))
        blocks.push_back(blockAt(image, p));
    return blocks;
}

Bytes findVendorBlock(const EdidImage& image, std::uint8_t oui0) {
    for (const Bytes& b : collection(image)) {
        if ((b[0] & 0xE0) == 0x60 && b.size() > 1 && b[1] == oui0)
            return b;
    }
    return {};
}

void expectValidImage(const EdidInfo& s) {
    EdidInfo check{};
    check.Image = s.Image;
    EXPECT_TRUE(ValidateEdid(check)) << ValidationMessage(check.Status);
    EXPECT_EQ(s.Image[126], 1);
    EXPECT_EQ(sumOf(s.Image, 0), 0);
    EXPECT_EQ(sumOf(s.Image, 128), 0);
}

const Bytes kHdmiVsdbShort = {0x65, 0x03, 0x0C, 0x00, 0x10, 0x00}; // CEC 1.0.0.0 only

// --- Block 0 -----------------------------------------------------------------

TEST(EncoderBlock0, IdentificationFieldsAndChecksum) {
    EdidInfo s = settingsFor(makeImage({}));
    std::memcpy(s.Manufac_Name.data(), "ABC", 4);
    s.Product_Code = 0xBEEF;
    s.Serial_Number = 0x01020304;
    s.Manufac_Year = 0xE0; // 2016
    s.Manufac_Week = 0;
    s.Establish_Timing = 0xA1B2C3;
    EncodeEdid(s);

    const EdidImage& im = s.Image;
    EXPECT_EQ(im[8], 0x04);
    EXPECT_EQ(im[9], 0x43);
    EXPECT_EQ(im[10], 0xEF);
    EXPECT_EQ(im[11], 0xBE);
    EXPECT_EQ(im[12], 0x04);
    EXPECT_EQ(im[15], 0x01);
    EXPECT_EQ(im[16], 0x00);
    EXPECT_EQ(im[17], 0x1A);
    EXPECT_EQ(im[0x23], 0xA1);
    EXPECT_EQ(im[0x24], 0xB2);
    EXPECT_EQ(im[0x25], 0xC3);
    expectValidImage(s);

    // The second letter straddles both bytes.
    std::memcpy(s.Manufac_Name.data(), "ZZZ", 4);
    EncodeEdid(s);
    EXPECT_EQ(s.Image[8], 0x6B);
    EXPECT_EQ(s.Image[9], 0x5A);
}

// The 13 text bytes of the name descriptor at `descriptor`.
std::string nameField(const EdidImage& image, std::size_t descriptor) {
    return std::string(image.begin() + descriptor + 5, image.begin() + descriptor + 18);
}

TEST(EncoderMonitorName, FieldIsPaddedOnlyWhenShort) {
    const struct {
        const char* name;
        std::string field;
    } cases[] = {
        {"ABCDEFGHIJKLM", "ABCDEFGHIJKLM"},
        {"HELLO", "HELLO\n       "},
        {"", "\n            "},
    };
    for (const auto& c : cases) {
        EdidInfo s = settingsFor(makeImage({}));
        std::strcpy(s.Monitor_Name.data(), c.name);
        EncodeEdid(s);
        EXPECT_EQ(nameField(s.Image, kNameDescriptor), c.field) << c.name;
    }
}

TEST(EncoderMonitorName, EveryNameDescriptorAndNoOther) {
    EdidImage base = makeImage({});
    TestEdids::PutNameDescriptor(base, 90, "SECOND\n");
    EdidInfo s = settingsFor(base);
    std::strcpy(s.Monitor_Name.data(), "TV");
    EncodeEdid(s);
    EXPECT_EQ(nameField(s.Image, 90), "TV\n          ");
    EXPECT_EQ(nameField(s.Image, 108), "TV\n          ");

    // Neither alphanumeric text nor a name tag whose next byte is not zero is a name.
    for (const auto& [index, value] : {std::pair{111, 0xFE}, std::pair{112, 0x01}}) {
        EdidImage noName = makeImage({});
        noName[index] = static_cast<std::uint8_t>(value);
        EdidInfo t = settingsFor(noName);
        std::strcpy(t.Monitor_Name.data(), "TV");
        EncodeEdid(t);
        EXPECT_EQ(nameField(t.Image, 108), "TESTMON\n     ") << index;
    }
}

TEST(EncoderMonitorName, ScanStaysInsideBlockZero) {
    // An invalid base: 0xFC at byte 1 would need bytes before byte 0, and a header
    // at the end of block 0 would put the text into the extension.
    EdidImage base = makeImage({});
    base[0] = 0x00;
    base[1] = 0xFC;
    base[2] = 0x00;
    base[111] = 0xFE;
    std::fill(base.begin() + 120, base.begin() + 126, 0);
    base[123] = 0xFC;
    EdidInfo s = settingsFor(base);
    std::strcpy(s.Monitor_Name.data(), "ABCDEFGHIJKLM");
    EncodeEdid(s);
    EXPECT_EQ(s.Image[3], 0xFF);
    EXPECT_EQ(s.Image[125], 'A');
    EXPECT_EQ(s.Image[126], 1);
    EXPECT_EQ(s.Image[131], 0xC1); // flag bits of the base extension survive
    EXPECT_EQ(sumOf(s.Image, 0), 0);
    EXPECT_EQ(sumOf(s.Image, 128), 0);
}

TEST(EncoderStandardTimings, OnePassMovesEachCodeOneSlot) {
    EdidInfo s = settingsFor(makeImage({}));
    s.Standard_Timing = {0x0101, 0x0101, 0x8180, 0x0101, 0x0101, 0x0101, 0x0101, 0x0101};
    EncodeEdid(s);
    EXPECT_EQ(s.Standard_Timing[0], 0x0101);
    EXPECT_EQ(s.Standard_Timing[1], 0x8180);
    EXPECT_EQ(s.Image[0x26], 0x01);
    EXPECT_EQ(s.Image[0x28], 0x81);
    EXPECT_EQ(s.Image[0x29], 0x80);
    EXPECT_EQ(s.Image[0x2A], 0x01);

    EncodeEdid(s);
    EXPECT_EQ(s.Standard_Timing[0], 0x8180);
    EXPECT_EQ(s.Standard_Timing[1], 0x0101);
    EXPECT_EQ(s.Image[0x26], 0x81);
    EXPECT_EQ(s.Image[0x27], 0x80);
}

// --- Extension -----------------------------------------------------------------

TEST(EncoderExtension, EmptySettingsGiveAnEmptyCollectionAndTheDescriptors) {
    // Base blocks the record does not ask for are not written.
    EdidInfo s = settingsFor(makeImage({{0x83, 0x01, 0x00, 0x00}, {0xE2, 0x00, 0x40}}));
    for (std::size_t k = 0; k < 3; ++k)
        s.Ext_Dtd[k].fill(static_cast<std::uint8_t>(0x10 + k));
    s.Color_Space = 0xFF;
    EncodeEdid(s);

    const EdidImage& im = s.Image;
    EXPECT_EQ(im[128], 0x02);
    EXPECT_EQ(im[129], 0x03);
    EXPECT_EQ(im[130], 4);
    EXPECT_EQ(im[131], 0xF1); // 4:4:4 and 4:2:2 from the record, the rest from the base
    EXPECT_EQ(im[132], 0x10);
    EXPECT_EQ(im[150], 0x11);
    EXPECT_EQ(im[168], 0x12);
    EXPECT_EQ(im[185], 0x12);
    for (std::size_t i = 186; i < 255; ++i)
        ASSERT_EQ(im[i], 0) << i;
    expectValidImage(s);
}

TEST(EncoderExtension, BaseWithoutExtensionKeepsNoFlagsFromItsFiller) {
    // A 128-byte file: block 1 is 0xFF filler. Its byte 131 would claim underscan,
    // basic audio and 15 native formats.
    EdidImage base = TestEdids::Base();
    std::fill(base.begin() + 128, base.end(), 0xFF);
    EdidInfo s = settingsFor(base);
    s.Color_Space = 0x20;
    s.Video_Id_Code[0] = 16;
    EncodeEdid(s);
    EXPECT_EQ(s.Image[131], 0x20);
    EXPECT_EQ(collection(s.Image), (std::vector<Bytes>{{0x41, 16}}));
    expectValidImage(s);

    // Encoded again, the extension it now has keeps its flags.
    s.Image[131] = 0xC1;
    EncodeEdid(s);
    EXPECT_EQ(s.Image[131], 0xE1);
}

// Asks for more of the collection at each `level`, over a base with the short HDMI block:
// 0 gives 8 bytes (the three extension descriptors fit), 1 gives 72 (two fit), 2 gives 92
// (one fits), 3 gives 105 (none fits).
void askForRoom(EdidInfo& s, int level) {
    if (level >= 1) {
        for (std::size_t i = 0; i < s.Video_Id_Code.size(); ++i)
            s.Video_Id_Code[i] = static_cast<std::uint8_t>(i + 1);
        for (auto& sad : s.Audio_Sad)
            sad = {0x09, 0x07, 0x07};
        s.Speaker_Alloc = 0x010000;
        s.Colorimetry = 0x01;
    }
    if (level >= 2) {
        s.Video_Cap = 0x40;
        s.Hdr_Eotf = 0x01;
        s.Hdr_Despt = 0x01;
        s.Hdr_Dcld = {1, 1, 1};
        s.Yuv420_Vdb = {96, 96, 96, 96, 96, 96, 96, 96};
    }
    if (level >= 3) {
        s.Flags = 0x0008;
        s.Hdmi_3D_Byte = 0x80;
        s.Hdmi_3D_Len = 10;
    }
}

TEST(EncoderExtension, NativeFormatsNeverOutnumberTheDetailedTimings) {
    // The test base's block 0 holds one detailed timing, at 54 (its name descriptor at
    // 108 has a zero pixel clock); a case may add one at 72 or take it away. The count of
    // byte 131 is the smaller of the base's and the timings written; the flag bits around
    // it stay.
    const struct {
        const char* what;
        std::uint8_t base131;
        int room;
        bool secondSlotEmpty;
        int block0Timings;
        std::uint8_t expected131;
    } cases[] = {
        {"all three fit", 0xCF, 0, false, 1, 0xC4},
        {"the base's count is smaller", 0x42, 0, false, 1, 0x42},
        {"an empty slot is no timing", 0x8F, 0, true, 1, 0x83},
        {"a second timing in block 0", 0x0F, 0, false, 2, 0x05},
        {"the room keeps two", 0xCF, 1, false, 1, 0xC3},
        {"the room keeps one", 0xCF, 2, false, 1, 0xC2},
        {"the room keeps none", 0xCF, 3, false, 1, 0xC1},
        {"no timing left at all", 0x05, 3, false, 0, 0x00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EdidImage base = makeImage({kHdmiVsdbShort});
        base[131] = c.base131;
        if (c.block0Timings == 2)
            std::copy(base.begin() + 54, base.begin() + 72, base.begin() + 72);
        if (c.block0Timings == 0)
            base[54] = base[55] = 0x00;
        EdidInfo s = settingsFor(base);
        for (auto& dtd : s.Ext_Dtd)
            dtd.fill(0x77);
        if (c.secondSlotEmpty)
            s.Ext_Dtd[1].fill(0x00);
        askForRoom(s, c.room);
        EncodeEdid(s);
        EXPECT_EQ(s.Image[130], (std::array<int, 4>{12, 76, 96, 109}[c.room]));
        EXPECT_EQ(s.Image[131], c.expected131);
        expectValidImage(s);
    }
}

TEST(EncoderExtension, ListsSkipEmptySlotsAndFlagFourK) {
    EdidInfo s = settingsFor(makeImage({}));
    s.Flags = 0xFFFF;
    s.Video_Id_Code[0] = 16;
    s.Video_Id_Code[5] = 4;
    s.Audio_Sad[0] = {0x09, 0x07, 0x07};
    s.Audio_Sad[1] = {0x00, 0x1F, 0x07}; // empty: first byte 0
    s.Audio_Sad[4] = {0x15, 0x07, 0x50};
    s.Speaker_Alloc = 0x4F0000;
    s.Yuv420_Vdb[2] = 97;
    EncodeEdid(s);

    EXPECT_EQ(s.Flags, 0x0018); // 3D kept, 4:2:0 4K set, video 4K clear
    EXPECT_EQ(blockAt(s.Image, 132), (Bytes{0x42, 16, 4}));
    EXPECT_EQ(blockAt(s.Image, 135), (Bytes{0x26, 0x09, 0x07, 0x07, 0x15, 0x07, 0x50}));
    EXPECT_EQ(blockAt(s.Image, 142), (Bytes{0x83, 0x4F, 0x00, 0x00}));
    EXPECT_EQ(blockAt(s.Image, 146), (Bytes{0xE2, 0x0E, 97}));
    EXPECT_EQ(s.Image[130], 149 - 128);
    expectValidImage(s);
}

TEST(EncoderExtension, FourKVideoCreatesAForumBlockAndRaisesTheTmdsClock) {
    EdidInfo s = settingsFor(makeImage({kHdmiVsdbShort}));
    s.Video_Id_Code[0] = 97;
    s.Hf_Dc420 = 0xFF;
    EncodeEdid(s);
    EXPECT_EQ(s.Flags & 0x0020, 0x0020);
    EXPECT_EQ(findVendorBlock(s.Image, 0xD8),
              (Bytes{0x67, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80, 0x07}));
    EXPECT_EQ(findVendorBlock(s.Image, 0x03)[7], 0x3C);
    expectValidImage(s);
}

TEST(EncoderExtension, TmdsClockFollowsDeepColourAndFourK) {
    const struct {
        std::uint8_t depth;
        std::uint8_t yuv420Vic;
        std::uint8_t tmds;
    } cases[] = {{0x00, 0, 0x21}, {0x30, 0, 0x2D}, {0x00, 96, 0x3C}, {0x30, 107, 0x3C}};
    for (const auto& c : cases) {
        EdidInfo s = settingsFor(makeImage({kHdmiVsdbShort}));
        s.Color_Depth = c.depth;
        s.Yuv420_Vdb[0] = c.yuv420Vic;
        EncodeEdid(s);
        const Bytes vsdb = findVendorBlock(s.Image, 0x03);
        ASSERT_EQ(vsdb.size(), 8u);
        EXPECT_EQ(vsdb[6], 0x80 | c.depth); // Supports_AI set: the base has no byte 6
        EXPECT_EQ(vsdb[7], c.tmds);
        // Only a 4K code among the video codes creates a forum block.
        EXPECT_TRUE(findVendorBlock(s.Image, 0xD8).empty());
    }
}

TEST(EncoderExtension, HdrBlockCarriesLuminanceUpToTheLastNonZero) {
    const struct {
        std::array<std::uint8_t, 3> dcld;
        Bytes block;
    } cases[] = {
        {{0, 0, 0}, {0xE3, 0x06, 0x04, 0x01}},
        {{0, 0, 0x20}, {0xE6, 0x06, 0x04, 0x01, 0x00, 0x00, 0x20}},
        {{0x70, 0, 0}, {0xE4, 0x06, 0x04, 0x01, 0x70}},
    };
    for (const auto& c : cases) {
        EdidInfo s = settingsFor(makeImage({}));
        s.Hdr_Eotf = 0x04;
        s.Hdr_Despt = 0x01;
        s.Hdr_Dcld = c.dcld;
        EncodeEdid(s);
        EXPECT_EQ(blockAt(s.Image, 132), c.block);
    }
}

TEST(EncoderExtension, ColorimetryKeepsTheBaseMetadataByte) {
    // The metadata byte is byte 3 of the block, counting the header as byte 0. It goes
    // through as it is; without a base block no metadata profile is declared.
    const struct {
        std::vector<Bytes> base;
        std::uint8_t metadata;
    } cases[] = {
        {{{0xE3, 0x05, 0xC0, 0x00}}, 0x00},
        {{{0xE3, 0x05, 0xC0, 0x81}}, 0x81},
        {{{0xE3, 0x05, 0xC0, 0x82}}, 0x82},
        {{}, 0x00},
    };
    for (const auto& c : cases) {
        EdidInfo s = settingsFor(makeImage(c.base));
        s.Colorimetry = 0x41;
        EncodeEdid(s);
        EXPECT_EQ(blockAt(s.Image, 132), (Bytes{0xE3, 0x05, 0x41, c.metadata}));
    }

    EdidInfo none = settingsFor(makeImage({{0xE3, 0x05, 0xC0, 0x82}}));
    EncodeEdid(none);
    EXPECT_EQ(none.Image[130], 4);
}

TEST(EncoderExtension, BlocksThatAreNotRegeneratedAreDropped) {
    EdidInfo s = settingsFor(makeImage({{0xE2, 0x0F, 0x01}, {0x64, 0x00, 0x10, 0x18, 0x00}}));
    s.Video_Cap = 0x40;
    EncodeEdid(s);
    EXPECT_EQ(collection(s.Image), (std::vector<Bytes>{{0xE2, 0x00, 0x40}}));
}

// --- HDMI vendor-specific blocks -----------------------------------------------

TEST(EncoderHdmiVsdb, NoBaseBlockMeansNoBlock) {
    EdidInfo s = settingsFor(makeImage({{0x42, 16, 4}}));
    s.Hdmi_Vic = {1, 2, 0, 0};
    s.Flags = 0x0008;
    s.Hdmi_3D_Len = 2;
    s.Cec_Address = {0x10, 0x00};
    EncodeEdid(s);
    EXPECT_TRUE(findVendorBlock(s.Image, 0x03).empty());
    expectValidImage(s);
}

TEST(EncoderHdmiVsdb, CecAddressDeepColourAndAiBit) {
    EdidInfo s = settingsFor(makeImage({{0x67, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x38, 0x2D}}));
    s.Cec_Address = {0x21, 0x43};
    s.Color_Depth = 0x08;
    EncodeEdid(s);
    // Supports_AI clear in the base stays clear.
    EXPECT_EQ(findVendorBlock(s.Image, 0x03),
              (Bytes{0x67, 0x03, 0x0C, 0x00, 0x21, 0x43, 0x08, 0x2D}));
}

TEST(EncoderHdmiVsdb, UnusedVideoByteIsCut) {
    // 3D clear, no HDMI_VIC: an 8-byte base block without flags in byte 8 loses it,
    // one with content-type bits keeps byte 8 without HDMI_Video_present.
    EdidInfo s = settingsFor(makeImage({{0x68, 0x03, 0x0C, 0x00, 0x10, 0x00, 0xB8, 0x3C, 0x00}}));
    EncodeEdid(s);
    EXPECT_EQ(findVendorBlock(s.Image, 0x03)[0], 0x67);

    EdidInfo t = settingsFor(
        makeImage({{0x6A, 0x03, 0x0C, 0x00, 0x10, 0x00, 0xB8, 0x3C, 0x21, 0x80, 0x00}}));
    EncodeEdid(t);
    EXPECT_EQ(findVendorBlock(t.Image, 0x03),
              (Bytes{0x68, 0x03, 0x0C, 0x00, 0x00, 0x00, 0x80, 0x21, 0x01}));
}

TEST(EncoderHdmiVsdb, VicsAndThreeDAfterTheLatencyFields) {
    // Byte 8 announces both latency pairs; the old video byte, VIC list and 3D data
    // of the base are replaced.
    EdidInfo s = settingsFor(makeImage({{0x71, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x38, 0x3C, 0xE0, 0x11,
                                         0x12, 0x13, 0x14, 0x00, 0x40, 0x09, 0x09, 0x09}}));
    s.Hdmi_Vic = {1, 0, 3, 0}; // a gap is an empty slot, not a code
    s.Cec_Address = {0x10, 0x00};
    s.Color_Depth = 0x38;
    s.Flags = 0x0008;
    s.Hdmi_3D_Byte = 0xB8;
    s.Hdmi_3D_Len = 2;
    s.Hdmi_3D_Data = {0x55, 0x66};
    EncodeEdid(s);
    EXPECT_EQ(findVendorBlock(s.Image, 0x03),
              (Bytes{0x72, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x38, 0x3C, 0xE0, 0x11, 0x12, 0x13, 0x14,
                     0xB8, 0x42, 0x01, 0x03, 0x55, 0x66}));

    // 3D clear with VICs: the video byte's 3D bits go, Image_Size stays.
    EdidInfo t = s;
    t.Image = makeImage({{0x71, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x38, 0x3C, 0xE0, 0x11, 0x12, 0x13,
                          0x14, 0xF8, 0x40, 0x09, 0x09, 0x09}});
    t.Flags = 0;
    EncodeEdid(t);
    EXPECT_EQ(findVendorBlock(t.Image, 0x03),
              (Bytes{0x70, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x38, 0x3C, 0xE0, 0x11, 0x12, 0x13, 0x14,
                     0x18, 0x40, 0x01, 0x03}));
}

TEST(EncoderHdmiVsdb, ClearingThreeDBehindLatencyFieldsSticks) {
    // Latency fields, then a video byte with 3D_present and one HDMI_VIC. With 3D and
    // the HDMI_VIC cleared, the video byte keeps only Image_Size and an empty length
    // byte follows it, so decoding the result does not bring 3D back. (The decoded
    // deep colour byte holds Supports_AI, so the clock is 0x2D.)
    const EdidImage base = makeImage(
        {{0x6D, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x80, 0x21, 0xA0, 0x10, 0x10, 0x98, 0x20, 0x01}});
    EdidInfo s{};
    DecodeEdid(s, base);
    ASSERT_EQ(s.Flags, 0x0008);
    s.Flags = 0;
    s.Hdmi_Vic = {};
    EncodeEdid(s);
    EXPECT_EQ(findVendorBlock(s.Image, 0x03), (Bytes{0x6C, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x80, 0x2D,
                                                     0xA0, 0x10, 0x10, 0x18, 0x00}));
    EdidInfo back{};
    DecodeEdid(back, s.Image);
    EXPECT_EQ(back.Flags, 0);
}

TEST(EncoderHdmiVsdb, ThreeDOnAShortBaseBlockAddsTheVideoBytes) {
    EdidInfo s = settingsFor(makeImage({kHdmiVsdbShort}));
    s.Flags = 0x0008;
    EncodeEdid(s);
    EXPECT_EQ(findVendorBlock(s.Image, 0x03),
              (Bytes{0x6A, 0x03, 0x0C, 0x00, 0x00, 0x00, 0x80, 0x21, 0x20, 0x80, 0x00}));

    s.Hdmi_3D_Len = 1;
    s.Hdmi_3D_Byte = 0xC0;
    s.Hdmi_3D_Data[0] = 0x7E;
    EncodeEdid(s); // works on the first result: its byte 8 now has HDMI_Video_present
    EXPECT_EQ(findVendorBlock(s.Image, 0x03),
              (Bytes{0x6B, 0x03, 0x0C, 0x00, 0x00, 0x00, 0x80, 0x21, 0x20, 0xC0, 0x01, 0x7E}));
}

TEST(EncoderHdmiVsdb, LatencyFlagsAreFollowedBeyondTheBlock) {
    // Byte 8 announces video and audio latency but the block ends there: the four
    // latency bytes come from what follows it, as the flags say.
    EdidInfo s = settingsFor(
        makeImage({{0x68, 0x03, 0x0C, 0x00, 0x10, 0x00, 0x00, 0x21, 0x80}, {0x42, 16, 4}}));
    s.Video_Id_Code[0] = 16;
    EncodeEdid(s);
    EXPECT_EQ(findVendorBlock(s.Image, 0x03),
              (Bytes{0x6A, 0x03, 0x0C, 0x00, 0x00, 0x00, 0x00, 0x21, 0x80, 0x42, 0x10}));
}

TEST(EncoderHdmiVsdb, ThreeDLengthBeyondTheRecordIsCut) {
    EdidInfo s =
        settingsFor(makeImage({{0x69, 0x03, 0x0C, 0x00, 0x10, 0x00, 0xB8, 0x3C, 0x20, 0x80}}));
    s.Flags = 0x0008;
    s.Hdmi_Vic = {1, 0, 0, 0};
    s.Hdmi_3D_Byte = 0x80;
    s.Hdmi_3D_Len = 31;
    for (std::size_t i = 0; i < s.Hdmi_3D_Data.size(); ++i)
        s.Hdmi_3D_Data[i] = static_cast<std::uint8_t>(0xA0 + i);
    EncodeEdid(s);
    const Bytes vsdb = findVendorBlock(s.Image, 0x03);
    ASSERT_EQ(vsdb.size(), 1u + 9 + 1 + 1 + 14);
    EXPECT_EQ(vsdb[10], (1 << 5) + 14);
    EXPECT_EQ(vsdb.back(), 0xAD);
    expectValidImage(s);

    EdidInfo back{};
    DecodeEdid(back, s.Image);
    EXPECT_EQ(back.Hdmi_3D_Len, 14);
    EXPECT_EQ(back.Hdmi_3D_Data, s.Hdmi_3D_Data);
}

TEST(EncoderHdmiVsdb, BlockNeverExceedsThirtyOnePayloadBytes) {
    // Latency fields and 4 HDMI_VICs leave room for 13 3D bytes.
    EdidInfo s = settingsFor(makeImage(
        {{0x6C, 0x03, 0x0C, 0x00, 0x10, 0x00, 0xB8, 0x3C, 0xE0, 0x11, 0x12, 0x13, 0x14}}));
    s.Flags = 0x0008;
    s.Hdmi_Vic = {1, 2, 3, 4};
    s.Hdmi_3D_Byte = 0x80;
    s.Hdmi_3D_Len = 14;
    s.Hdmi_3D_Data.fill(0x33);
    EncodeEdid(s);
    const Bytes vsdb = findVendorBlock(s.Image, 0x03);
    ASSERT_EQ(vsdb.size(), 32u);
    EXPECT_EQ(vsdb[0], 0x7F);
    EXPECT_EQ(vsdb[14], (4 << 5) + 13);
    expectValidImage(s);
}

TEST(EncoderHdmiVsdb, ForumBlockIsCopiedWithTheRecordsDeepColour) {
    const Bytes forum = {0x6B, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x88, 0x05, 0x90, 0x00, 0x00, 0x00};
    EdidInfo s = settingsFor(makeImage({{0x62, 0x44, 0x44}, forum, kHdmiVsdbShort}));
    s.Video_Id_Code[0] = 97;
    s.Hf_Dc420 = 0x02;
    EncodeEdid(s);
    Bytes expected = forum;
    expected[7] = 0x02;
    EXPECT_EQ(findVendorBlock(s.Image, 0xD8), expected);
    EXPECT_TRUE(findVendorBlock(s.Image, 0x44).empty());

    // Seven payload bytes still hold the deep colour byte; six do not.
    EdidInfo seven =
        settingsFor(makeImage({kHdmiVsdbShort, {0x67, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80, 0x07}}));
    seven.Hf_Dc420 = 0x01;
    EncodeEdid(seven);
    EXPECT_EQ(findVendorBlock(seven.Image, 0xD8).back(), 0x01);
    EdidInfo six =
        settingsFor(makeImage({kHdmiVsdbShort, {0x66, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80}}));
    six.Hf_Dc420 = 0x01;
    EncodeEdid(six);
    EXPECT_EQ(findVendorBlock(six.Image, 0xD8), (Bytes{0x66, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80}));
}

TEST(EncoderHdmiVsdb, ForumBlockOnlyRightBehindAnHdmiBlock) {
    // Copied or created for a 4K code, the forum block is written only where the base
    // has an HDMI block, and then right behind it; without one nothing is left out for
    // lack of room either.
    const Bytes forum = {0x67, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80, 0x00};
    const struct {
        const char* what;
        std::vector<Bytes> base;
        bool written;
    } cases[] = {
        {"copied, no HDMI block", {forum}, false},
        {"created, no HDMI block", {{0x42, 16, 97}}, false},
        {"copied behind a later HDMI block", {forum, kHdmiVsdbShort}, true},
        {"created", {kHdmiVsdbShort}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EdidInfo s = settingsFor(makeImage(c.base));
        s.Video_Id_Code[0] = 97;
        s.Speaker_Alloc = 0x010000;
        const EncodeResult r = EncodeEdid(s);
        EXPECT_TRUE(r.notWritten.empty());
        std::vector<Bytes> expected = {{0x41, 97}, {0x83, 0x01, 0x00, 0x00}};
        if (c.written)
            expected.insert(expected.end(),
                            {{0x67, 0x03, 0x0C, 0x00, 0x00, 0x00, 0x80, 0x3C}, forum});
        EXPECT_EQ(collection(s.Image), expected);
        expectValidImage(s);
    }
}

TEST(EncoderHdmiVsdb, ReadsBeyondTheImageAsZero) {
    // A base block at the very end whose length runs past byte 255.
    EdidImage base = makeImage({});
    std::fill(base.begin() + 132, base.begin() + 250, 0);
    // Video blocks of 31 bytes, then one of 21, fill the collection up to byte 249.
    for (std::size_t p = 132; p < 228; p += 32)
        base[p] = 0x5F;
    base[228] = 0x55;
    base[250] = 0x7F;
    base[251] = 0x03;
    base[252] = 0x0C;
    base[253] = 0x00;
    base[254] = 0x20;
    base[130] = 127;
    EdidInfo s = settingsFor(base);
    s.Color_Depth = 0x10;
    EncodeEdid(s);
    EXPECT_EQ(findVendorBlock(s.Image, 0x03), (Bytes{0x67, 0x03, 0x0C, 0x00, 0, 0, 0x10, 0x2D}));
    expectValidImage(s);
}

// --- Room in the extension -----------------------------------------------------

// An HDMI VSDB with both latency pairs and no video byte (12 payload bytes).
const Bytes kHdmiVsdbLatency = {0x6C, 0x03, 0x0C, 0x00, 0x10, 0x00, 0xB8,
                                0x3C, 0xE0, 0x11, 0x12, 0x13, 0x14};

// A forum block of `length` payload bytes to copy (version 1, 600 MHz, SCDC).
Bytes forumBlock(std::size_t length) {
    Bytes block = {static_cast<std::uint8_t>(0x60 + length), 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80};
    block.resize(length + 1, 0x00);
    return block;
}

// Every list full and every block asked for, over a base with the latency VSDB,
// `forum` blocks and a colorimetry block.
EdidInfo fullSettings(const std::vector<Bytes>& forum = {}) {
    std::vector<Bytes> base = {kHdmiVsdbLatency};
    base.insert(base.end(), forum.begin(), forum.end());
    base.push_back({0xE3, 0x05, 0x03, 0x00});
    EdidInfo s = settingsFor(makeImage(base));
    for (std::size_t i = 0; i < s.Video_Id_Code.size(); ++i)
        s.Video_Id_Code[i] = static_cast<std::uint8_t>(i < 20 ? i + 1 : 93 + i - 20);
    for (std::size_t i = 0; i < s.Audio_Sad.size(); ++i)
        s.Audio_Sad[i] = {static_cast<std::uint8_t>(0x09 + 8 * i), 0x07, 0x07};
    s.Speaker_Alloc = 0x4F0000;
    s.Flags = 0x0008;
    s.Hdmi_Vic = {1, 2, 3, 4};
    s.Hdmi_3D_Byte = 0x80;
    s.Hdmi_3D_Len = 5;
    s.Hdmi_3D_Data = {1, 2, 3, 4, 5};
    s.Colorimetry = 0xC0;
    s.Video_Cap = 0x40;
    s.Hdr_Eotf = 0x05;
    s.Hdr_Despt = 0x01;
    s.Hdr_Dcld = {0x70, 0x60, 0x10};
    s.Yuv420_Vdb = {96, 97, 101, 102, 0, 0, 0, 0};
    s.Ext_Dtd[0].fill(0x44);
    return s;
}

TEST(EncoderRoom, DescriptorsFitWhileTheyEndByByte253) {
    // Video 25 + audio 31 + speaker 4 + HDMI 13 + forum 8 + colorimetry 4 + video
    // capability 3 + HDR 7 = 95 bytes; a 4:2:0 block of 9 (7 codes) puts the first descriptor
    // at offset 108 (bytes 236..253) and leaves no room for the second. One code more
    // and no descriptor fits.
    for (const std::size_t yuv420 : {7, 8}) {
        EdidInfo s = settingsFor(makeImage({kHdmiVsdbLatency}));
        for (std::size_t i = 0; i < s.Video_Id_Code.size(); ++i)
            s.Video_Id_Code[i] = static_cast<std::uint8_t>(i + 80);
        for (std::size_t i = 0; i < s.Audio_Sad.size(); ++i)
            s.Audio_Sad[i] = {0x09, 0x07, 0x07};
        s.Speaker_Alloc = 0x010000;
        s.Colorimetry = 0x01;
        s.Video_Cap = 0x01;
        s.Hdr_Eotf = 0x01;
        s.Hdr_Despt = 0x01;
        s.Hdr_Dcld = {1, 1, 1};
        for (std::size_t i = 0; i < yuv420; ++i)
            s.Yuv420_Vdb[i] = 97;
        for (auto& dtd : s.Ext_Dtd)
            dtd.fill(0x77);
        EncodeEdid(s);
        const std::size_t offset = 4 + 95 + 2 + yuv420;
        ASSERT_EQ(s.Image[130], offset);
        const std::uint8_t expected = offset <= 108 ? 0x77 : 0x00;
        EXPECT_EQ(s.Image[128 + offset], expected) << yuv420;
        EXPECT_EQ(s.Image[128 + offset + 17], expected) << yuv420;
        EXPECT_EQ(s.Image[254], 0x00) << yuv420;
        expectValidImage(s);
    }
}

TEST(EncoderRoom, ABlockThatDoesNotFitIsSkippedAndALaterOneStillFits) {
    // HDMI 32 (3D cut to 13 bytes) + forum 18 + colorimetry 4 + video capability 3
    // leave bytes 249..254: HDR (7) is left out, 4:2:0 with two codes (4) fits.
    EdidInfo s = fullSettings({forumBlock(17)});
    s.Hdmi_3D_Len = 14;
    s.Hdmi_3D_Data.fill(0x11);
    s.Yuv420_Vdb = {96, 97, 0, 0, 0, 0, 0, 0};
    const EncodeResult r = EncodeEdid(s);
    EXPECT_EQ(r.notWritten, (std::vector<std::string>{"HDR Static Metadata Data Block"}));
    EXPECT_EQ(NotWrittenText(r), "Not Written: HDR Static Metadata Data Block.");
    expectValidImage(s);
    const std::vector<Bytes> blocks = collection(s.Image);
    ASSERT_EQ(blocks.size(), 8u);
    EXPECT_EQ(blocks.back(), (Bytes{0xE3, 0x0E, 96, 97}));
    EXPECT_EQ(s.Image[130], 253 - 128);
    EXPECT_EQ(s.Image[253], 0);
    EXPECT_EQ(s.Image[254], 0);
}

TEST(EncoderRoom, EverythingAtOnceNamesEachBlockLeftOut) {
    // Video, audio, speaker and HDMI end at byte 223; a copied forum block of 29
    // bytes ends at 252; none of the extended-tag blocks fits behind it.
    EdidInfo s = fullSettings({forumBlock(28)});
    s.Hdmi_3D_Len = 31;
    s.Hdmi_3D_Data.fill(0x11);
    const EncodeResult r = EncodeEdid(s);
    EXPECT_EQ(r.notWritten, (std::vector<std::string>{
                                "Colorimetry Data Block", "Video Capability Data Block",
                                "HDR Static Metadata Data Block", "YCbCr 4:2:0 Video Data Block"}));
    EXPECT_EQ(NotWrittenText(r), "Not Written: Colorimetry Data Block, Video Capability Data "
                                 "Block, HDR Static Metadata Data Block, YCbCr 4:2:0 Video Data "
                                 "Block.");
    expectValidImage(s);

    // What was written decodes back.
    EdidInfo back{};
    DecodeEdid(back, s.Image);
    EXPECT_EQ(back.Video_Id_Code, s.Video_Id_Code);
    EXPECT_EQ(back.Audio_Sad, s.Audio_Sad);
    EXPECT_EQ(back.Speaker_Alloc, s.Speaker_Alloc);
    EXPECT_EQ(back.Hdmi_Vic, s.Hdmi_Vic);
    EXPECT_EQ(back.Hdmi_3D_Len, 13);
    EXPECT_EQ(back.Support_600MHz, 1);
    EXPECT_EQ(back.Colorimetry, 0);
}

TEST(EncoderRoom, BlockEndingAtByte254IsKeptWhole) {
    // Video, audio, speaker and HDMI take bytes 132..223; a forum block of 31 bytes
    // ends exactly at byte 254.
    Bytes forum = forumBlock(30);
    forum.back() = 0x5A;
    EdidInfo s = fullSettings({forum});
    s.Hdmi_3D_Len = 31;
    s.Colorimetry = s.Video_Cap = s.Hdr_Eotf = 0;
    s.Yuv420_Vdb.fill(0);
    EdidInfo longer = s;
    EncodeResult r = EncodeEdid(s);
    EXPECT_TRUE(r.notWritten.empty());
    EXPECT_EQ(s.Image[130], 127);
    EXPECT_EQ(blockAt(s.Image, 224), forum);
    EXPECT_EQ(s.Image[254], 0x5A);
    expectValidImage(s);

    // One byte more and it is left out; a descriptor takes its place.
    longer.Image = fullSettings({forumBlock(31)}).Image;
    r = EncodeEdid(longer);
    EXPECT_EQ(r.notWritten, (std::vector<std::string>{"HDMI Forum VSDB"}));
    EXPECT_EQ(longer.Image[130], 224 - 128);
    EXPECT_EQ(longer.Image[224], 0x44);
    EXPECT_EQ(longer.Image[241], 0x44);
    EXPECT_EQ(longer.Image[242], 0x00);
    EXPECT_EQ(longer.Image[254], 0x00);
    expectValidImage(longer);
}

// --- Round trip ----------------------------------------------------------------

// A TV-like EDID whose blocks are in the order and form the encoder writes them.
EdidImage templateLike() {
    const Bytes dtd1 = {0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                        0x2C, 0x45, 0x00, 0x20, 0xC2, 0x31, 0x00, 0x00, 0x1E};
    const Bytes dtd2 = {0x01, 0x1D, 0x00, 0x72, 0x51, 0xD0, 0x1E, 0x20, 0x6E,
                        0x28, 0x55, 0x00, 0x20, 0xC2, 0x31, 0x00, 0x00, 0x1E};
    EdidImage image = makeImage({{0x47, 0x10, 0x04, 0x03, 0x05, 0x1F, 0x61, 0x60},
                                 {0x26, 0x09, 0x07, 0x07, 0x15, 0x07, 0x50},
                                 {0x83, 0x4F, 0x00, 0x00},
                                 {0x70, 0x03, 0x0C, 0x00, 0x10, 0x00, 0xB8, 0x3C, 0x2F, 0xA0, 0x82,
                                  0x01, 0x02, 0x03, 0x04, 0x00, 0x01},
                                 {0x67, 0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80, 0x03},
                                 {0xE3, 0x05, 0xC3, 0x01},
                                 {0xE2, 0x00, 0x4A},
                                 {0xE6, 0x06, 0x05, 0x01, 0x73, 0x5D, 0x10},
                                 {0xE3, 0x0E, 0x61, 0x60}},
                                {dtd1, dtd2});
    TestEdids::PutNameDescriptor(image, kNameDescriptor, "TV 4K\n");
    TestEdids::FixChecksums(image);
    return image;
}

TEST(EncoderRoundTrip, DecodedRecordEncodesToTheSameImage) {
    const EdidImage original = templateLike();
    EdidInfo s{};
    DecodeEdid(s, original);
    ASSERT_EQ(s.Status & EdidStatus::ValidationMask, 0);
    // The creator hands the encoder the calendar year's low byte.
    s.Manufac_Year = static_cast<std::uint8_t>(1990 + s.Manufac_Year);
    const EncodeResult r = EncodeEdid(s);
    EXPECT_TRUE(r.notWritten.empty());
    for (std::size_t i = 0; i < original.size(); ++i)
        EXPECT_EQ(s.Image[i], original[i]) << "byte " << i;
    EXPECT_EQ(s.Flags, 0x0038);

    // A second encoding of its own output changes nothing.
    const EdidImage once = s.Image;
    EncodeEdid(s);
    EXPECT_EQ(s.Image, once);
}

TEST(EncoderRoundTrip, EditedRecordDecodesToTheEdits) {
    EdidInfo s{};
    DecodeEdid(s, templateLike());
    std::memcpy(s.Manufac_Name.data(), "QRS", 4);
    std::strcpy(s.Monitor_Name.data(), "LIVING ROOM");
    s.Manufac_Year = 0xE9; // 2025
    s.Video_Id_Code = {};
    s.Video_Id_Code[3] = 16;
    s.Audio_Sad = {};
    s.Audio_Sad[9] = {0x0F, 0x07, 0x07};
    s.Hdmi_Vic = {};
    s.Flags = 0;
    s.Cec_Address = {0x20, 0x00};
    EncodeEdid(s);
    expectValidImage(s);

    EdidInfo back{};
    DecodeEdid(back, s.Image);
    EXPECT_STREQ(back.Manufac_Name.data(), "QRS");
    EXPECT_STREQ(back.Monitor_Name.data(), "LIVING ROOM");
    EXPECT_EQ(back.Manufac_Year, 35);
    EXPECT_EQ(back.Video_Id_Code[0], 16);
    EXPECT_EQ(back.Audio_Sad[0], (std::array<std::uint8_t, 3>{0x0F, 0x07, 0x07}));
    EXPECT_EQ(back.Cec_Address, s.Cec_Address);
    EXPECT_EQ(back.Flags, 0);
    EXPECT_EQ(back.Hdmi_Vic, s.Hdmi_Vic);
    EXPECT_EQ(back.Support_600MHz, 1); // the base forum block is kept
    EXPECT_EQ(back.Ext_Dtd, s.Ext_Dtd);
}

} // namespace
