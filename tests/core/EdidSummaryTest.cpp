#include "EdidSummary.h"
#include "EdidDecoder.h"
#include "SummaryRows.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

using namespace TestEdids;

namespace {

// A record that passed validation, with chosen decoded fields.
EdidInfo ValidRecord() {
    EdidInfo info{};
    DecodeEdid(info, Base());
    return info;
}

std::string AudioText(std::uint16_t formats, int* height = nullptr) {
    EdidInfo info = ValidRecord();
    info.Audio_Formats = formats;
    const EdidSummary s = SummariseEdid(info);
    if (height)
        *height = Panel10HeightAfter(s, kPanel10Height);
    return s.text(SummaryItem::AudioFormats);
}

TEST(EdidSummary, InvalidImageShowsIllegalAndThirteenDashes) {
    EdidInfo info{};
    DecodeEdid(info, EdidImage{}); // all zero: bad header
    ASSERT_NE(info.Status & EdidStatus::ValidationMask, 0);
    const EdidSummary s = SummariseEdid(info);
    EXPECT_FALSE(s.valid);
    EXPECT_EQ(s.texts[0], "Illegal");
    EXPECT_EQ(s.text(SummaryItem::EdidHeader), "Illegal");
    for (std::size_t i = 1; i < kSummaryItems; ++i)
        EXPECT_EQ(s.texts[i], "-") << SummaryRows[i].label;
    // Panel10 keeps the height it had.
    EXPECT_EQ(Panel10HeightAfter(s, kPanel10TallHeight), kPanel10TallHeight);
    EXPECT_EQ(Panel10HeightAfter(s, kPanel10Height), kPanel10Height);
}

TEST(EdidSummary, ShortFileIsIllegal) {
    EdidImage image;
    image.fill(0xFF);
    for (std::size_t i = 0; i < 7; ++i)
        image[i] = Base()[i];
    EdidInfo info{};
    DecodeEdid(info, image);
    EXPECT_EQ(SummariseEdid(info).text(SummaryItem::EdidHeader), "Illegal");
}

TEST(EdidSummary, ValidImageTexts) {
    EdidInfo info{};
    DecodeEdid(info,
               WithExtension(
                   {Block(0x40, {16, 97}), Block(0x20, {0x09, 0x07, 0x07, 0x15, 0x07, 0x50}),
                    Block(0x60, {0x03, 0x0C, 0x00, 0x10, 0x00, 0x30, 0x3C, 0x20, 0x80, 0x00}),
                    Block(0x60, {0xD8, 0x5D, 0xC4, 0x01, 0x78, 0x80, 0x03}), Block(0xE0, {0x0F})}));
    const EdidSummary s = SummariseEdid(info);
    EXPECT_TRUE(s.valid);
    EXPECT_EQ(s.text(SummaryItem::EdidHeader), "Good");
    EXPECT_EQ(s.text(SummaryItem::EdidChecksum), "Good");
    EXPECT_EQ(s.text(SummaryItem::Manufacturer), "ABC");
    EXPECT_EQ(s.text(SummaryItem::MonitorName), "TESTMON");
    EXPECT_EQ(s.text(SummaryItem::MaxResolution), "2160p@60Hz");
    EXPECT_EQ(s.text(SummaryItem::MaxColorDepth), "12bit");
    EXPECT_EQ(s.text(SummaryItem::Support3d), "Yes");
    EXPECT_EQ(s.text(SummaryItem::SupportYuv420), "Yes");
    EXPECT_EQ(s.text(SummaryItem::SupportScdc), "Yes");
    EXPECT_EQ(s.text(SummaryItem::Support600Mhz), "Yes");
    EXPECT_EQ(s.text(SummaryItem::SupportHdr), "10bit,12bit,");
    EXPECT_EQ(s.text(SummaryItem::AudioFormats), "2PCM,DolbyD,");
    EXPECT_EQ(s.text(SummaryItem::AudioChannels), "6CH");
    EXPECT_EQ(s.text(SummaryItem::CecAddress), "1000");
    // A valid analysis sets the row back to 23 before the words.
    EXPECT_EQ(Panel10HeightAfter(s, kPanel10TallHeight), kPanel10Height);
}

TEST(EdidSummary, BaseOnlyImageTexts) {
    const EdidSummary s = SummariseEdid(ValidRecord());
    EXPECT_EQ(s.text(SummaryItem::MaxResolution), "UNDEFINE.");
    EXPECT_EQ(s.text(SummaryItem::MaxColorDepth), "8bit");
    EXPECT_EQ(s.text(SummaryItem::Support3d), "No");
    EXPECT_EQ(s.text(SummaryItem::SupportYuv420), "No");
    EXPECT_EQ(s.text(SummaryItem::SupportScdc), "No");
    EXPECT_EQ(s.text(SummaryItem::Support600Mhz), "No");
    EXPECT_EQ(s.text(SummaryItem::SupportHdr), "No");
    EXPECT_EQ(s.text(SummaryItem::AudioFormats), "");
    EXPECT_EQ(s.text(SummaryItem::AudioChannels), "0CH");
    EXPECT_EQ(s.text(SummaryItem::CecAddress), "0000");
}

TEST(EdidSummary, MonitorNameTexts) {
    EdidImage image = Base();
    image[111] = 0xFD;
    FixChecksums(image, false);
    EdidInfo absent{};
    DecodeEdid(absent, image);
    EXPECT_EQ(SummariseEdid(absent).text(SummaryItem::MonitorName), "UNDEFINE.");

    PutNameDescriptor(image, 108, "\n");
    FixChecksums(image, false);
    EdidInfo empty{};
    DecodeEdid(empty, image);
    EXPECT_EQ(SummariseEdid(empty).text(SummaryItem::MonitorName), "-");

    EdidInfo latin = ValidRecord();
    latin.Monitor_Name = {'T', char(0xE9), 'l', 0};
    EXPECT_EQ(SummariseEdid(latin).text(SummaryItem::MonitorName), "T\xE9l");
}

TEST(EdidSummary, AudioBreakComesBeforeTheWordAfterMoreThan30Characters) {
    int height = 0;
    // 2PCM, to DTSHD, run together are 35 characters: the break comes before AAC,.
    EXPECT_EQ(AudioText(0x00EF, &height), "2PCM,MPCM,DolbyD,DolbyD+,DTS,DTSHD,\r\nAAC,");
    EXPECT_EQ(height, kPanel10TallHeight);
    // Without MPCM, the text before AAC, is exactly 30 characters: no break.
    EXPECT_EQ(AudioText(0x00ED, &height), "2PCM,DolbyD,DolbyD+,DTS,DTSHD,AAC,");
    EXPECT_EQ(height, kPanel10Height);
    // 31 characters before OBA,: the break comes.
    EXPECT_EQ(AudioText(0x01BC, &height), "DolbyD,DolbyD+,DolbyHD,DTS,AAC,\r\nOBA,");
    EXPECT_EQ(height, kPanel10TallHeight);
    // A long text with nothing after it: no break.
    EXPECT_EQ(AudioText(0x00EF & ~0x0080, &height), "2PCM,MPCM,DolbyD,DolbyD+,DTS,DTSHD,");
    EXPECT_EQ(height, kPanel10Height);
}

TEST(EdidSummary, AudioBreaksOnlyOnce) {
    EXPECT_EQ(AudioText(0x01FF), "2PCM,MPCM,DolbyD,DolbyD+,DolbyHD,\r\nDTS,DTSHD,AAC,OBA,");
}

TEST(EdidSummary, AppendAudioFormatAlone) {
    std::string text(31, 'x');
    bool broken = true;
    AppendAudioFormat(text, broken, "AAC,");
    EXPECT_EQ(text, std::string(31, 'x') + "AAC,"); // already broken: no second break
    text = std::string(31, 'x');
    broken = false;
    AppendAudioFormat(text, broken, "AAC,");
    EXPECT_EQ(text, std::string(31, 'x') + "\r\nAAC,");
    EXPECT_TRUE(broken);
}

TEST(EdidSummary, HdrWords) {
    EdidInfo info = ValidRecord();
    const std::pair<std::uint8_t, const char*> cases[] = {
        {0x00, "No"},     {0x01, "10bit,"},       {0x02, "12bit,"},
        {0x04, "16bit,"}, {0x05, "10bit,16bit,"}, {0x07, "10bit,12bit,16bit,"}};
    for (const auto& [bits, text] : cases) {
        info.Hf_Dc420 = bits;
        EXPECT_EQ(SummariseEdid(info).text(SummaryItem::SupportHdr), text) << int(bits);
    }
}

TEST(EdidSummary, CecAddressIsFourUpperCaseHexDigits) {
    EdidInfo info = ValidRecord();
    info.Cec_Address = {0x10, 0x00};
    EXPECT_EQ(SummariseEdid(info).text(SummaryItem::CecAddress), "1000");
    info.Cec_Address = {0xAB, 0x0C};
    EXPECT_EQ(SummariseEdid(info).text(SummaryItem::CecAddress), "AB0C");
    info.Cec_Address = {0xFF, 0xFF};
    EXPECT_EQ(SummariseEdid(info).text(SummaryItem::CecAddress), "FFFF");
}

TEST(EdidSummary, DepthAndChannelInDecimal) {
    EdidInfo info = ValidRecord();
    info.Max_Color_Depth = 16;
    info.Audio_Max_Channel = 8;
    const EdidSummary s = SummariseEdid(info);
    EXPECT_EQ(s.text(SummaryItem::MaxColorDepth), "16bit");
    EXPECT_EQ(s.text(SummaryItem::AudioChannels), "8CH");
}

TEST(EdidSummary, RowsAreThePagesRowsInOrder) {
    EXPECT_STREQ(SummaryRows[0].label, "Label_Edid_Header");
    EXPECT_STREQ(SummaryItemTable[0].caption, "    EDID Header :");
    for (std::size_t i = 0; i < kSummaryItems; ++i) {
        EXPECT_EQ(static_cast<std::size_t>(SummaryRows[i].item), i) << SummaryRows[i].label;
        EXPECT_EQ(static_cast<std::size_t>(SummaryItemTable[i].item), i) << SummaryItemTable[i].key;
    }
    EXPECT_STREQ(SummaryRows[11].panel, "Panel10");
    EXPECT_STREQ(SummaryRows[11].label, "Label_Audio_Formats");
    EXPECT_STREQ(SummaryRows[13].label, "Label_CEC_Address");
}

} // namespace
