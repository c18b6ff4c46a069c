#include "EdidDecoder.h"
#include "EdidTables.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

#include <string>

using namespace TestEdids;

namespace {

const Bytes kHdmiOui = {0x03, 0x0C, 0x00};
const Bytes kForumOui = {0xD8, 0x5D, 0xC4};

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

template <std::size_t N> std::string Text(const std::array<char, N>& field) {
    return std::string(field.data());
}

// ---- FindDataBlock --------------------------------------------------------------

TEST(FindDataBlock, FindsBlocksInOrderAndLeavesPositionOnFailure) {
    const EdidImage image =
        WithExtension({Block(0x40, {16, 4}), Block(0x20, {0x09, 0x07, 0x07}), Block(0x40, {1})});
    std::size_t p = 132;
    ASSERT_TRUE(FindDataBlock(image, DataBlockTag::Audio, p));
    EXPECT_EQ(p, 135u);
    p = 132;
    ASSERT_TRUE(FindDataBlock(image, DataBlockTag::Video, p));
    EXPECT_EQ(p, 132u);
    p += 3;
    ASSERT_TRUE(FindDataBlock(image, DataBlockTag::Video, p));
    EXPECT_EQ(p, 139u);
    p += 2;
    EXPECT_FALSE(FindDataBlock(image, DataBlockTag::Video, p));
    EXPECT_EQ(p, 141u);
    p = 132;
    EXPECT_FALSE(FindDataBlock(image, DataBlockTag::SpeakerAllocation, p));
    EXPECT_EQ(p, 132u);
}

TEST(FindDataBlock, NothingWhenTheExtensionCountIsZero) {
    EdidImage image = WithExtension({Block(0x40, {16})});
    image[126] = 0;
    std::size_t p = 132;
    EXPECT_FALSE(FindDataBlock(image, DataBlockTag::Video, p));
}

TEST(FindDataBlock, StopsAtTheDescriptorOffset) {
    // The video block lies at byte 136, past 128 + byte 130 = 136.
    const EdidImage image = WithExtension({Block(0x20, {0x09, 0x07, 0x07}), Block(0x40, {16})}, 8);
    std::size_t p = 132;
    EXPECT_FALSE(FindDataBlock(image, DataBlockTag::Video, p));
    EXPECT_EQ(p, 132u);
}

TEST(FindDataBlock, WalkDoesNotWrapPastTheEndOfTheImage) {
    // Byte 130 = 0xFF lets the walk run to the end of the image; a block at 250 whose
    // length leads past 255 must end the walk, not wrap into block 0.
    EdidImage image = WithExtension({}, 0xFF);
    for (std::size_t i = 132; i < 250; ++i)
        image[i] = 0x00; // empty blocks of tag 0, one byte each
    image[250] = 0x1F;
    std::size_t p = 132;
    EXPECT_FALSE(FindDataBlock(image, DataBlockTag::Video, p));
    EXPECT_EQ(p, 132u);
    // A large position simply finds nothing.
    p = 300;
    EXPECT_FALSE(FindDataBlock(image, DataBlockTag::Audio, p));
    EXPECT_EQ(p, 300u);
}

// ---- reset, validation, base block ----------------------------------------------

TEST(DecodeEdid, BaseOnlyImageSetsBaseFieldsAndResetValues) {
    EdidImage image = Base();
    // Block 1 is carried along unchecked; byte 130 = 4 puts three descriptors at 132...
    image[130] = 4;
    for (std::size_t i = 132; i < 186; ++i)
        image[i] = static_cast<std::uint8_t>(i);
    const EdidInfo info = Decoded(image);
    EXPECT_EQ(info.Status, 0);
    EXPECT_EQ(Text(info.Manufac_Name), "ABC");
    EXPECT_EQ(Text(info.Monitor_Name), "TESTMON");
    EXPECT_EQ(info.Product_Code, 0x1234);
    EXPECT_EQ(info.Serial_Number, 0x89ABCDEFu);
    EXPECT_EQ(info.Manufac_Week, 12);
    EXPECT_EQ(info.Manufac_Year, 30);
    EXPECT_EQ(info.Establish_Timing, 0x210800u);
    EXPECT_EQ(info.Standard_Timing[0], 0x8180);
    EXPECT_EQ(info.Standard_Timing[7], 0x0101);
    EXPECT_EQ(info.Max_Color_Depth, 8);
    EXPECT_EQ(Text(info.Max_Resolution), "UNDEFINE.");
    EXPECT_EQ(info.Color_Space, 0);
    EXPECT_EQ(info.Audio_Formats, 0);
    // ... which step 13 copies even without an extension.
    EXPECT_EQ(info.Ext_Dtd[0][0], 132);
    EXPECT_EQ(info.Ext_Dtd[1][0], 150);
    EXPECT_EQ(info.Ext_Dtd[2][17], 185);
}

TEST(DecodeEdid, ManufacturerLetterCodeOneIsA) {
    EdidImage image = Base();
    image[8] = 0x04; // A = 1: 00001 00001 00001
    image[9] = 0x21;
    FixChecksums(image, false);
    EXPECT_EQ(Text(Decoded(image).Manufac_Name), "AAA");
}

TEST(DecodeEdid, InvalidImageKeepsOnlyResetFieldsAndTheCopiedImage) {
    EdidInfo info{};
    info.Status = EdidStatus::BrandNew | EdidStatus::BadChecksum1;
    info.Manufac_Name = {'X', 'Y', 'Z', 0};
    info.Serial_Number = 77;
    info.Manufac_Year = 5;
    info.Manufac_Week = 6;
    info.Establish_Timing = 0x123456;
    info.Standard_Timing.fill(0x4040);
    info.Ext_Dtd[1][3] = 9;
    info.Video_Cap = 0x41;
    info.Product_Code = 99;
    info.Flags = 0xFFFF;
    info.Video_Id_Code[0] = 16;
    info.Max_Color_Depth = 12;
    info.Cec_Address = {1, 2};
    info.Hdr_Spare = 3;
    EdidImage image = Base();
    image[127] += 1;
    DecodeEdid(info, image);

    EXPECT_EQ(info.Status, EdidStatus::BrandNew | EdidStatus::BadChecksum0);
    EXPECT_EQ(info.Image, image);
    // Reset by step 1.
    EXPECT_EQ(info.Product_Code, 0);
    EXPECT_EQ(info.Flags, 0);
    EXPECT_EQ(info.Video_Id_Code[0], 0);
    EXPECT_EQ(info.Max_Color_Depth, 8);
    EXPECT_EQ(info.Cec_Address[0], 0);
    EXPECT_EQ(info.Hdr_Spare, 0);
    EXPECT_EQ(Text(info.Monitor_Name), "UNDEFINE.");
    EXPECT_EQ(Text(info.Max_Resolution), "UNDEFINE.");
    // Left alone by step 1 and not reached.
    EXPECT_EQ(Text(info.Manufac_Name), "XYZ");
    EXPECT_EQ(info.Serial_Number, 77u);
    EXPECT_EQ(info.Manufac_Year, 5);
    EXPECT_EQ(info.Manufac_Week, 6);
    EXPECT_EQ(info.Establish_Timing, 0x123456u);
    EXPECT_EQ(info.Standard_Timing[3], 0x4040);
    EXPECT_EQ(info.Ext_Dtd[1][3], 9);
    EXPECT_EQ(info.Video_Cap, 0x41);
}

TEST(DecodeEdid, SourceMayBeTheRecordsOwnImage) {
    EdidInfo info{};
    info.Image = WithExtension({Block(0x40, {16})});
    DecodeEdid(info);
    EXPECT_EQ(Text(info.Max_Resolution), "1080p@60Hz");
    EXPECT_EQ(Text(info.Manufac_Name), "ABC");
}

TEST(DecodeEdid, ThirteenCharacterNameWithoutLineFeed) {
    EdidImage image = Base();
    PutNameDescriptor(image, 108, "ABCDEFGHIJKLM");
    FixChecksums(image, false);
    EXPECT_EQ(Text(Decoded(image).Monitor_Name), "ABCDEFGHIJKLM");
}

TEST(DecodeEdid, LastNameDescriptorWins) {
    EdidImage image = Base();
    PutNameDescriptor(image, 72, "FIRST\n");
    PutNameDescriptor(image, 108, "SECOND\n");
    FixChecksums(image, false);
    EXPECT_EQ(Text(Decoded(image).Monitor_Name), "SECOND");

    PutNameDescriptor(image, 72, "SECOND\n");
    PutNameDescriptor(image, 108, "FIRST\n");
    FixChecksums(image, false);
    EXPECT_EQ(Text(Decoded(image).Monitor_Name), "FIRST");
}

TEST(DecodeEdid, NoNameDescriptorAndEmptyName) {
    EdidImage image = Base();
    image[111] = 0xFD; // a range limits descriptor instead
    FixChecksums(image, false);
    EXPECT_EQ(Text(Decoded(image).Monitor_Name), "UNDEFINE.");

    PutNameDescriptor(image, 108, "\n");
    FixChecksums(image, false);
    EXPECT_EQ(Decoded(image).Monitor_Name[0], 0);
}

// ---- vendor-specific blocks --------------------------------------------------------

TEST(DecodeEdid, HdmiBlockOfLengthFiveSetsOnlyTheCecAddress) {
    const EdidInfo info = Decoded(WithExtension({Block(0x60, Concat(kHdmiOui, {0x12, 0x34}))}));
    EXPECT_EQ(info.Cec_Address[0], 0x12);
    EXPECT_EQ(info.Cec_Address[1], 0x34);
    EXPECT_EQ(info.Color_Depth, 0);
    EXPECT_EQ(info.Max_Color_Depth, 8);
    EXPECT_EQ(info.Color_Space, 0x70);
}

TEST(DecodeEdid, DeepColourGivesTheDeepestDepth) {
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {
        {0x70, 16}, {0x30, 12}, {0x10, 10}, {0x08, 8}, {0x00, 8}};
    for (const auto& [flags, depth] : cases) {
        const EdidInfo info =
            Decoded(WithExtension({Block(0x60, Concat(kHdmiOui, {0x10, 0x00, flags}))}));
        EXPECT_EQ(info.Color_Depth, flags);
        EXPECT_EQ(info.Max_Color_Depth, depth) << int(flags);
    }
}

TEST(DecodeEdid, SecondHdmiBlockWithoutDeepColourKeepsTheFirstsDepth) {
    const EdidInfo info =
        Decoded(WithExtension({Block(0x60, Concat(kHdmiOui, {0x10, 0x00, 0x30})),
                               Block(0x60, Concat(kHdmiOui, {0x20, 0x00, 0x00}))}));
    EXPECT_EQ(info.Max_Color_Depth, 12);
    EXPECT_EQ(info.Color_Depth, 0);
    EXPECT_EQ(info.Cec_Address[0], 0x20);
}

TEST(DecodeEdid, HdmiVicsAnd3DWithoutLatency) {
    // +6 deep colour, +7 TMDS, +8 = 0x20 (HDMI_Video_present), +9 3D byte, +10 lengths,
    // +11.. two HDMI_VICs, then three 3D bytes.
    const EdidInfo info = Decoded(WithExtension(
        {Block(0x60, Concat(kHdmiOui, {0x10, 0x00, 0x00, 0x3C, 0x20, 0x80, (2 << 5) | 3, 0x01, 0x02,
                                       0xA1, 0xA2, 0xA3}))}));
    EXPECT_EQ(info.Flags, 0x0008);
    EXPECT_EQ(info.Hdmi_3D_Byte, 0x80);
    EXPECT_EQ(info.Hdmi_3D_Len, 3);
    EXPECT_EQ(info.Hdmi_3D_Data[0], 0xA1);
    EXPECT_EQ(info.Hdmi_3D_Data[2], 0xA3);
    EXPECT_EQ(info.Hdmi_3D_Data[3], 0);
    EXPECT_EQ(info.Hdmi_Vic[0], 1);
    EXPECT_EQ(info.Hdmi_Vic[1], 2);
    EXPECT_EQ(info.Hdmi_Vic[2], 0);
}

TEST(DecodeEdid, LatencyFlagsMoveTheHdmiVideoFields) {
    // +8 = 0xE0: both latency pairs, so the 3D byte is +13, the lengths +14, VICs from +15.
    const EdidInfo both = Decoded(WithExtension({Block(
        0x60, Concat(kHdmiOui, {0x10, 0x00, 0x00, 0x3C, 0xE0, 1, 2, 3, 4, 0x00, 1 << 5, 0x05}))}));
    EXPECT_EQ(both.Flags, 0);
    EXPECT_EQ(both.Hdmi_Vic[0], 5);
    // +8 = 0xA0: one latency pair: 3D byte +11, lengths +12, VICs from +13.
    const EdidInfo one = Decoded(WithExtension(
        {Block(0x60, Concat(kHdmiOui, {0x10, 0x00, 0x00, 0x3C, 0xA0, 1, 2, 0x80, 1 << 5, 0x04}))}));
    EXPECT_EQ(one.Flags, 0x0008);
    EXPECT_EQ(one.Hdmi_Vic[0], 4);
    EXPECT_EQ(one.Hdmi_3D_Len, 0);
}

TEST(DecodeEdid, HdmiVicsNeedTheBlockToReachTheFirstVic) {
    // L = 10 < 11, the offset of the first HDMI_VIC: the list is not read.
    const EdidInfo info = Decoded(
        WithExtension({Block(0x60, Concat(kHdmiOui, {0x10, 0x00, 0x00, 0x3C, 0x20, 0x00, 1 << 5})),
                       Block(0x40, {16})}));
    EXPECT_EQ(info.Hdmi_Vic[0], 0);
    EXPECT_EQ(info.Video_Id_Code[0], 16);
}

TEST(DecodeEdid, ThreeDLengthIsKeptWholeButAtMost14BytesAreCopied) {
    Bytes payload = Concat(kHdmiOui, {0x10, 0x00, 0x00, 0x3C, 0x20, 0x80, 20});
    for (std::uint8_t i = 1; i <= 20; ++i)
        payload.push_back(i);
    const EdidInfo info = Decoded(WithExtension({Block(0x60, payload)}));
    EXPECT_EQ(info.Hdmi_3D_Len, 20);
    EXPECT_EQ(info.Hdmi_3D_Data[0], 1);
    EXPECT_EQ(info.Hdmi_3D_Data[13], 14);
}

TEST(DecodeEdid, BytesWantedBeyondTheImageReadAsZero) {
    // An HDMI block at byte 250 whose fields run past byte 255.
    EdidImage image = WithExtension({}, 0xFF);
    for (std::size_t i = 132; i < 250; ++i)
        image[i] = 0x00;
    const Bytes block = {0x7F, 0x03, 0x0C, 0x00, 0x10};
    for (std::size_t i = 0; i < block.size(); ++i)
        image[250 + i] = block[i];
    FixChecksums(image);
    const EdidInfo info = Decoded(image);
    EXPECT_EQ(info.Status, 0);
    EXPECT_EQ(info.Cec_Address[0], 0x10);
    EXPECT_EQ(info.Cec_Address[1], image[255]);
    EXPECT_EQ(info.Color_Depth, 0); // byte 256
    EXPECT_EQ(info.Max_Color_Depth, 8);
}

TEST(DecodeEdid, HdmiForumBlock) {
    const EdidInfo fast =
        Decoded(WithExtension({Block(0x60, Concat(kForumOui, {0x01, 0x78, 0x80, 0x07}))}));
    EXPECT_EQ(fast.Support_600MHz, 1);
    EXPECT_EQ(fast.Support_SCDC, 1);
    EXPECT_EQ(fast.Hf_Dc420, 0x07);
    const EdidInfo slow =
        Decoded(WithExtension({Block(0x60, Concat(kForumOui, {0x01, 0x77, 0x00, 0xFA}))}));
    EXPECT_EQ(slow.Support_600MHz, 0);
    EXPECT_EQ(slow.Support_SCDC, 0);
    EXPECT_EQ(slow.Hf_Dc420, 0x02);
    // L = 5: no SCDC byte, no deep colour byte.
    const EdidInfo shortBlock =
        Decoded(WithExtension({Block(0x60, Concat(kForumOui, {0x01, 0x78})), Block(0x40, {0x80})}));
    EXPECT_EQ(shortBlock.Support_600MHz, 1);
    EXPECT_EQ(shortBlock.Support_SCDC, 0);
}

TEST(DecodeEdid, VendorBlocksAreNotReadWithoutAnExtension) {
    EdidImage image = WithExtension({Block(0x60, Concat(kHdmiOui, {0x10, 0x00, 0x70}))});
    image[126] = 0;
    FixChecksums(image);
    const EdidInfo info = Decoded(image);
    EXPECT_EQ(info.Status, 0);
    EXPECT_EQ(info.Cec_Address[0], 0);
    EXPECT_EQ(info.Color_Space, 0);
}

// ---- video blocks ------------------------------------------------------------------

TEST(DecodeEdid, RankingFollowsTheTable) {
    EXPECT_EQ(Text(Decoded(WithExtension({Block(0x40, {16, 97})})).Max_Resolution), "2160p@60Hz");
    EXPECT_EQ(Text(Decoded(WithExtension({Block(0x40, {102})})).Max_Resolution), "2160p@60Hz");
    EXPECT_EQ(Text(Decoded(WithExtension({Block(0x40, {4, 20, 16, 31})})).Max_Resolution),
              "1080p@60Hz");
    EXPECT_EQ(Text(Decoded(WithExtension({Block(0x40, {6, 7, 60})})).Max_Resolution), "UNDEFINE.");
}

TEST(DecodeEdid, NativeFlagIsRemovedFromLowCodes) {
    const EdidInfo info = Decoded(WithExtension({Block(0x40, {0x90})}));
    EXPECT_EQ(info.Video_Id_Code[0], 16);
    EXPECT_EQ(Text(info.Max_Resolution), "1080p@60Hz");
    // 193 and above are codes of their own, kept as they are.
    const EdidInfo high = Decoded(WithExtension({Block(0x40, {193, 97 | 0x80})}));
    EXPECT_EQ(high.Video_Id_Code[0], 193);
    EXPECT_EQ(high.Video_Id_Code[1], 97 | 0x80);
    EXPECT_EQ(Text(high.Max_Resolution), "UNDEFINE.");
}

TEST(DecodeEdid, ReservedCodesLeaveTheirSlotsEmpty) {
    const EdidInfo info = Decoded(WithExtension({Block(0x40, {0x80, 0xFE, 0xFF, 4, 0x00, 3})}));
    EXPECT_EQ(info.Video_Id_Code[0], 0);
    EXPECT_EQ(info.Video_Id_Code[1], 0);
    EXPECT_EQ(info.Video_Id_Code[2], 0);
    EXPECT_EQ(info.Video_Id_Code[3], 4);
    EXPECT_EQ(info.Video_Id_Code[4], 0);
    EXPECT_EQ(info.Video_Id_Code[5], 3);
    EXPECT_EQ(Text(info.Max_Resolution), "720p@60Hz");
}

TEST(DecodeEdid, AtMost24CodesAreStoredButAllAreRanked) {
    Bytes codes(25, 1);
    codes[24] = 16; // the 25th code is not stored but still ranks
    const EdidInfo info = Decoded(WithExtension({Block(0x40, codes)}));
    EXPECT_EQ(info.Video_Id_Code[23], 1);
    EXPECT_EQ(Text(info.Max_Resolution), "1080p@60Hz");
}

TEST(DecodeEdid, LaterVideoBlockRanksAgainAndOverwritesFromSlotZero) {
    const EdidInfo info = Decoded(WithExtension({Block(0x40, {97, 16, 4}), Block(0x40, {2})}));
    EXPECT_EQ(Text(info.Max_Resolution), "480p@60Hz");
    EXPECT_EQ(info.Video_Id_Code[0], 2);
    EXPECT_EQ(info.Video_Id_Code[1], 16);
    EXPECT_EQ(info.Video_Id_Code[2], 4);
    // A later block with no ranked code leaves the earlier result.
    const EdidInfo kept = Decoded(WithExtension({Block(0x40, {97}), Block(0x40, {60})}));
    EXPECT_EQ(Text(kept.Max_Resolution), "2160p@60Hz");
}

// ---- extended-tag blocks -------------------------------------------------------------

TEST(DecodeEdid, VideoCapabilityAndColorimetryNeedTheirExactLengths) {
    const EdidInfo info =
        Decoded(WithExtension({Block(0xE0, {0x00, 0x4B}), Block(0xE0, {0x05, 0xC1, 0x01})}));
    EXPECT_EQ(info.Video_Cap, 0x4B);
    EXPECT_EQ(info.Colorimetry, 0xC1);
    const EdidInfo wrong =
        Decoded(WithExtension({Block(0xE0, {0x00, 0x4B, 0x00}), Block(0xE0, {0x05, 0xC1})}));
    EXPECT_EQ(wrong.Video_Cap, 0);
    EXPECT_EQ(wrong.Colorimetry, 0);
}

TEST(DecodeEdid, VideoCapabilityIsKeptFromAnEarlierImage) {
    EdidInfo info{};
    DecodeEdid(info, WithExtension({Block(0xE0, {0x00, 0x4B})}));
    ASSERT_EQ(info.Video_Cap, 0x4B);
    DecodeEdid(info, WithExtension({Block(0x40, {16})}));
    EXPECT_EQ(info.Video_Cap, 0x4B);
}

TEST(DecodeEdid, HdrPayloadFillsSixBytesAtMost) {
    const EdidInfo info =
        Decoded(WithExtension({Block(0xE0, {0x06, 0x05, 0x01, 0x78, 0x5A, 0x32, 0x99, 0x98})}));
    EXPECT_EQ(info.Hdr_Eotf, 0x05);
    EXPECT_EQ(info.Hdr_Despt, 0x01);
    EXPECT_EQ(info.Hdr_Dcld[0], 0x78);
    EXPECT_EQ(info.Hdr_Dcld[1], 0x5A);
    EXPECT_EQ(info.Hdr_Dcld[2], 0x32);
    EXPECT_EQ(info.Hdr_Spare, 0x99);
    const EdidInfo shortBlock = Decoded(WithExtension({Block(0xE0, {0x06, 0x05, 0x01})}));
    EXPECT_EQ(shortBlock.Hdr_Eotf, 0x05);
    EXPECT_EQ(shortBlock.Hdr_Dcld[0], 0);
}

TEST(DecodeEdid, Yuv420Blocks) {
    const EdidInfo map = Decoded(WithExtension({Block(0xE0, {0x0F})}));
    EXPECT_EQ(map.Support_YUV420, 1);
    const EdidInfo mapLong = Decoded(WithExtension({Block(0xE0, {0x0F, 0x00, 0x00, 0x00})}));
    EXPECT_EQ(mapLong.Support_YUV420, 1);

    const EdidInfo vdb = Decoded(WithExtension({Block(0xE0, {0x0E, 97, 96})}));
    EXPECT_EQ(vdb.Support_YUV420, 1);
    EXPECT_EQ(vdb.Yuv420_Vdb[0], 97);
    EXPECT_EQ(vdb.Yuv420_Vdb[1], 96);

    const EdidInfo zeroFirst = Decoded(WithExtension({Block(0xE0, {0x0E, 0, 97})}));
    EXPECT_EQ(zeroFirst.Support_YUV420, 0);
    EXPECT_EQ(zeroFirst.Yuv420_Vdb[1], 97);

    Bytes many = {0x0E};
    for (std::uint8_t v = 90; v < 100; ++v)
        many.push_back(v);
    const EdidInfo cut = Decoded(WithExtension({Block(0xE0, many)}));
    EXPECT_EQ(cut.Yuv420_Vdb[7], 97);
}

TEST(DecodeEdid, Yuv420VideoBlockOfLengthOneLooksAtTheNextByte) {
    // L = 1 copies nothing, but byte +2 (here the next block's header) is not zero.
    const EdidInfo info = Decoded(WithExtension({Block(0xE0, {0x0E}), Block(0x40, {16})}));
    EXPECT_EQ(info.Support_YUV420, 1);
    EXPECT_EQ(info.Yuv420_Vdb[0], 0);
    EXPECT_EQ(info.Video_Id_Code[0], 16);
}

// ---- audio and speaker blocks ----------------------------------------------------------

TEST(DecodeEdid, AudioFormatsAndChannels) {
    const EdidInfo info = Decoded(
        WithExtension({Block(0x20, {0x09, 0x07, 0x07, 0x15, 0x07, 0x50})})); // LPCM 2, AC-3 6
    EXPECT_EQ(info.Audio_Formats, 0x0005);
    EXPECT_EQ(info.Audio_Max_Channel, 6);
    EXPECT_EQ(info.Audio_Sad[1][0], 0x15);
    EXPECT_EQ(info.Audio_Sad[1][2], 0x50);
}

TEST(DecodeEdid, EveryAudioFormatBit) {
    // LPCM 8ch, E-AC-3, MAT, DTS, DTS-HD, AAC, One Bit Audio, and code 3 (MPEG-1: no bit).
    const EdidInfo info =
        Decoded(WithExtension({Block(0x20, {0x0F, 7, 7, 0x51, 0, 0, 0x61, 0, 0, 0x39, 0, 0,
                                            0x59, 0, 0, 0x31, 0, 0, 0x49, 0, 0, 0x19, 0, 0})}));
    EXPECT_EQ(info.Audio_Formats, 0x0002 | 0x0008 | 0x0010 | 0x0020 | 0x0040 | 0x0080 | 0x0100);
    EXPECT_EQ(info.Audio_Max_Channel, 8);
}

TEST(DecodeEdid, EleventhDescriptorIsExaminedButNotStored) {
    Bytes sads;
    for (int i = 0; i < 10; ++i)
        sads.insert(sads.end(), {0x09, 0x07, 0x07});
    sads.push_back(0x3D); // the 11th descriptor's first byte is the block's last byte: DTS 6ch
    const EdidInfo info = Decoded(WithExtension({Block(0x20, sads)}));
    EXPECT_EQ(info.Audio_Formats, 0x0001 | 0x0020);
    EXPECT_EQ(info.Audio_Max_Channel, 6);
    EXPECT_EQ(info.Audio_Sad[9][0], 0x09);
}

TEST(DecodeEdid, SecondAudioBlockOverwritesFromSlotZero) {
    const EdidInfo info =
        Decoded(WithExtension({Block(0x20, {0x09, 1, 2, 0x15, 3, 4}), Block(0x20, {0x3D, 5, 6})}));
    EXPECT_EQ(info.Audio_Sad[0][0], 0x3D);
    EXPECT_EQ(info.Audio_Sad[1][0], 0x15);
    EXPECT_EQ(info.Audio_Formats, 0x0001 | 0x0004 | 0x0020);
}

TEST(DecodeEdid, DescriptorRunningPastTheBlockIsCopiedAndExamined) {
    // L = 4: descriptors at +1 and +4; the second takes the speaker block's header and
    // first byte, and the walk goes on at +7, in the middle of the speaker block.
    const EdidInfo info = Decoded(
        WithExtension({Block(0x20, {0x09, 0x07, 0x07, 0x15}), Block(0x80, {0x01, 0x00, 0x00})}));
    EXPECT_EQ(info.Audio_Sad[1][0], 0x15);
    EXPECT_EQ(info.Audio_Sad[1][1], 0x83);
    EXPECT_EQ(info.Audio_Sad[1][2], 0x01);
    EXPECT_EQ(info.Audio_Formats, 0x0005);
    EXPECT_EQ(info.Speaker_Alloc, 0u);
}

TEST(DecodeEdid, SpeakerBlockAfterTheAudioBlockIsFound) {
    const EdidInfo info = Decoded(WithExtension(
        {Block(0x20, {0x09, 0x07, 0x07}), Block(0x40, {16}), Block(0x80, {0x4F, 0x02, 0x01})}));
    EXPECT_EQ(info.Speaker_Alloc, 0x4F0201u);
}

TEST(DecodeEdid, SpeakerBlockBeforeTheAudioBlockIsNotFound) {
    const EdidInfo info =
        Decoded(WithExtension({Block(0x80, {0x4F, 0x00, 0x00}), Block(0x20, {0x09, 0x07, 0x07})}));
    EXPECT_EQ(info.Speaker_Alloc, 0u);
    EXPECT_EQ(info.Audio_Formats, 0x0001);
}

TEST(DecodeEdid, SpeakerBlockWithoutAudioIsFoundFromTheStart) {
    const EdidInfo info = Decoded(WithExtension({Block(0x40, {16}), Block(0x80, {0x01, 0, 0})}));
    EXPECT_EQ(info.Speaker_Alloc, 0x010000u);
    EXPECT_EQ(info.Audio_Max_Channel, 0);
}

TEST(DecodeEdid, AudioBlockOfLengthZeroExaminesNothing) {
    const EdidInfo info = Decoded(
        WithExtension({Block(0x20, {}), Block(0x80, {0x01, 0, 0}), Block(0x20, {0x09, 7, 7})}));
    // The second audio block moves the speaker search past the speaker block.
    EXPECT_EQ(info.Audio_Formats, 0x0001);
    EXPECT_EQ(info.Speaker_Alloc, 0u);
    const EdidInfo alone = Decoded(WithExtension({Block(0x20, {}), Block(0x80, {0x01, 0, 0})}));
    EXPECT_EQ(alone.Audio_Formats, 0);
    EXPECT_EQ(alone.Audio_Max_Channel, 0);
    EXPECT_EQ(alone.Speaker_Alloc, 0x010000u);
}

// ---- extension timing descriptors --------------------------------------------------------

TEST(DecodeEdid, DescriptorOffsetFourWithNoBlocksFillsAllThreeSlots) {
    EdidImage image = WithExtension({}, 4);
    for (std::size_t i = 132; i < 186; ++i)
        image[i] = static_cast<std::uint8_t>(i - 100);
    FixChecksums(image);
    const EdidInfo info = Decoded(image);
    EXPECT_EQ(info.Ext_Dtd[0][0], 32);
    EXPECT_EQ(info.Ext_Dtd[1][0], 50);
    EXPECT_EQ(info.Ext_Dtd[2][0], 68);
    EXPECT_EQ(info.Video_Id_Code[0], 0);
    EXPECT_EQ(info.Audio_Formats, 0);
}

TEST(DecodeEdid, SlotsThatDoNotFitKeepTheirEarlierContent) {
    EdidInfo info{};
    for (auto& dtd : info.Ext_Dtd)
        dtd.fill(0xEE);
    // d = 90: 126 - 90 = 36 fits slot 0 (36 >= 18) and slot 1 (18 >= 18), not slot 2.
    EdidImage image = WithExtension({}, 90);
    image[218] = 0x11;
    image[236] = 0x22;
    FixChecksums(image);
    DecodeEdid(info, image);
    EXPECT_EQ(info.Ext_Dtd[0][0], 0x11);
    EXPECT_EQ(info.Ext_Dtd[1][0], 0x22);
    EXPECT_EQ(info.Ext_Dtd[2][0], 0xEE);
    // d = 200: nothing fits.
    EdidInfo none{};
    none.Ext_Dtd[0].fill(0x33);
    DecodeEdid(none, WithExtension({}, 200));
    EXPECT_EQ(none.Ext_Dtd[0][5], 0x33);
}

// ---- tables --------------------------------------------------------------------------

TEST(EdidTables, VicNameTableEndsWithCodeZeroAndNamesFitTheField) {
    EXPECT_EQ(VicNameTable.back().vic, 0);
    for (std::size_t i = 0; i + 1 < VicNameTable.size(); ++i) {
        EXPECT_NE(VicNameTable[i].vic, 0);
        EXPECT_LE(std::string(VicNameTable[i].name).size(), 11u);
    }
    EXPECT_EQ(VicNameTable[0].vic, 102);
    EXPECT_EQ(VicNameTable[25].vic, 1);
}

} // namespace
