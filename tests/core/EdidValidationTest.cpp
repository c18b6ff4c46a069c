#include "EdidValidation.h"
#include "EdidFile.h"
#include "EdidInfo.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

using namespace TestEdids;

namespace {

EdidInfo RecordOf(const EdidImage& image, std::uint16_t status = 0) {
    EdidInfo info{};
    info.Image = image;
    info.Status = status;
    return info;
}

TEST(ValidateEdid, GoodBaseOnlyIsValidAndLeavesStatus) {
    EdidInfo info = RecordOf(Base(), EdidStatus::BrandNew);
    EXPECT_TRUE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::BrandNew);
}

TEST(ValidateEdid, WrongHeaderAndWrongChecksumSetBadHeaderOnly) {
    EdidImage image = Base();
    image[1] = 0x00;
    image[127] ^= 0x55;
    EdidInfo info = RecordOf(image);
    EXPECT_FALSE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::BadHeader);
}

TEST(ValidateEdid, Byte7OfOneIsABadHeader) {
    EdidImage image = Base();
    image[7] = 0x01;
    FixChecksums(image, false);
    EdidInfo info = RecordOf(image);
    EXPECT_FALSE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::BadHeader);
}

TEST(ValidateEdid, BadChecksum0) {
    EdidImage image = Base();
    image[127] += 1;
    EdidInfo info = RecordOf(image);
    EXPECT_FALSE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::BadChecksum0);
    EXPECT_EQ(ValidationMessage(info.Status), "Illegal Edid CheckSum0.");
}

TEST(ValidateEdid, ExtensionCountTwoIsOverBanksWithoutLookingAtBlock1) {
    EdidImage image = WithExtension({});
    image[126] = 2;
    FixChecksums(image);
    EdidInfo info = RecordOf(image);
    EXPECT_FALSE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::OverBanks);

    image[200] ^= 0xFF; // block 1's checksum is not examined
    EdidInfo corrupt = RecordOf(image);
    EXPECT_FALSE(ValidateEdid(corrupt));
    EXPECT_EQ(corrupt.Status, EdidStatus::OverBanks);
    EXPECT_EQ(ValidationMessage(corrupt.Status), "Edid Over Banks.");
}

TEST(ValidateEdid, ExtensionCountOneChecksBlock1) {
    EdidImage image = WithExtension({});
    EdidInfo good = RecordOf(image);
    EXPECT_TRUE(ValidateEdid(good));
    image[200] ^= 0x01;
    EdidInfo bad = RecordOf(image);
    EXPECT_FALSE(ValidateEdid(bad));
    EXPECT_EQ(bad.Status, EdidStatus::BadChecksum1);
    EXPECT_EQ(ValidationMessage(bad.Status), "Illegal Edid CheckSum1.");
}

TEST(ValidateEdid, ExtensionCountZeroWithCorruptBlock1IsValid) {
    EdidImage image = Base();
    image[200] = 0x5A;
    EdidInfo info = RecordOf(image);
    EXPECT_TRUE(ValidateEdid(info));
}

TEST(ValidateEdid, EachCheckStartsFromCleanValidationBits) {
    // An earlier image's failure never shows for this one; the other bits stay.
    EdidInfo info = RecordOf(Base(), EdidStatus::BadChecksum0 | EdidStatus::BrandNew);
    EXPECT_TRUE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::BrandNew);

    info.Status |= EdidStatus::OverBanks;
    info.Image[0] = 0x01;
    EXPECT_FALSE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::BrandNew | EdidStatus::BadHeader);
}

TEST(ValidateEdid, NeverChangesTheImage) {
    EdidImage image = Base();
    image[127] += 3;
    EdidInfo info = RecordOf(image);
    ValidateEdid(info);
    EXPECT_EQ(info.Image, image);
}

TEST(ValidationMessage, HighestBitWinsAndNoneIsEmpty) {
    EXPECT_EQ(ValidationMessage(0), "");
    EXPECT_EQ(ValidationMessage(EdidStatus::BrandNew), "");
    EXPECT_EQ(ValidationMessage(EdidStatus::BadHeader), "Illegal Edid Header.");
    EXPECT_EQ(ValidationMessage(EdidStatus::BadHeader | EdidStatus::OverBanks), "Edid Over Banks.");
    EXPECT_EQ(ValidationMessage(EdidStatus::BadHeader | EdidStatus::BadChecksum0),
              "Illegal Edid CheckSum0.");
}

} // namespace
