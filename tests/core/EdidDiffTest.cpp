// What differs between two EDIDs: bytes, decoded fields, analyser items.
#include "EdidDiff.h"
#include "EdidDecoder.h"
#include "SummaryDiff.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

#include <string>

using namespace TestEdids;

namespace {

TEST(EdidDiffTest, EqualEdidsHaveNoDifferences) {
    const EdidInfo a = Decoded(Base());
    EXPECT_TRUE(DiffImages(a.Image, a.Image).empty());
    EXPECT_TRUE(DiffRecords(a, a).empty());
    EXPECT_TRUE(DiffSummaries(SummariseEdid(a), SummariseEdid(a)).empty());
}

TEST(EdidDiffTest, ADifferentManufacturerShowsInBytesFieldsAndItems) {
    EdidImage other = Base();
    other[9] = 0x44; // "ABD"
    other[255] = 0x77;
    FixChecksums(other, false);
    const EdidInfo a = Decoded(Base());
    const EdidInfo b = Decoded(other);

    const std::vector<ByteDifference> bytes = DiffImages(a.Image, b.Image);
    ASSERT_EQ(bytes.size(), 3u);
    EXPECT_EQ(bytes[0].offset, 9u);
    EXPECT_EQ(bytes[0].a, 0x43);
    EXPECT_EQ(bytes[0].b, 0x44);
    EXPECT_EQ(bytes[1].offset, 127u);
    EXPECT_EQ(bytes[2].offset, 255u);

    // The image itself is left to the bytes.
    const std::vector<FieldDifference> fields = DiffRecords(a, b);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_STREQ(fields[0].a.name, "Manufac_Name");
    EXPECT_TRUE(fields[0].a.isText);
    EXPECT_EQ(fields[0].a.value, "ABC");
    EXPECT_EQ(fields[0].b.value, "ABD");

    const std::vector<SummaryDifference> items = DiffSummaries(SummariseEdid(a), SummariseEdid(b));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_STREQ(items[0].item->key, "manufacturer");
    EXPECT_EQ(items[0].a, "ABC");
    EXPECT_EQ(items[0].b, "ABD");
}

TEST(EdidDiffTest, NumberAndArrayFieldsAreGivenAsJsonText) {
    const EdidInfo a = Decoded(Base());
    const EdidInfo b = Decoded(WithExtension({Block(0x40, {16, 97})}));
    bool sawVideoCodes = false;
    for (const FieldDifference& d : DiffRecords(a, b)) {
        if (std::string(d.a.name) != "Video_Id_Code")
            continue;
        sawVideoCodes = true;
        EXPECT_FALSE(d.a.isText);
        // No extension: 24 zeros.
        std::string zeros = "[0";
        for (int i = 1; i < 24; ++i)
            zeros += ", 0";
        EXPECT_EQ(d.a.value, zeros + "]");
        EXPECT_NE(d.b.value.find("16"), std::string::npos);
    }
    EXPECT_TRUE(sawVideoCodes);
}

} // namespace
