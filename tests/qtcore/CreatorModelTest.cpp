// The creator's model without a window: its start state, the input rules of its edits and
// the rules that tie its boxes together.
#include "CreatorModel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using E = CreatorEdit;
using F = BoxFamily;

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kGreen = 0x00FF00;

class CreatorModelTest : public ::testing::Test {
protected:
    // Sets `text` and expects no conversion failure.
    void set(CreatorEdit edit, const char* text) {
        const auto failure = model.setText(edit, QString::fromLatin1(text));
        EXPECT_FALSE(failure) << *failure;
    }
    std::string warning() const { return model.warning().toStdString(); }
    // Marks the warning line, so a test sees whether a rule touched it.
    void markWarning() { model.setWarning(QStringLiteral("marked")); }

    CreatorModel model;
};

TEST_F(CreatorModelTest, StartsWithTheEditorsStartTextsAndNothingTicked) {
    for (CreatorEdit edit : {E::ManufacName, E::MonitorName, E::ProductCode, E::SerialNumber,
                             E::ManufacYear, E::ManufacWeek})
        EXPECT_EQ(model.text(edit), QString()) << static_cast<int>(edit);
    EXPECT_EQ(model.text(E::CecAddress), "0000");
    for (CreatorEdit edit : {E::LpcmMaxCh, E::Ac3MaxCh, E::Eac3MaxCh, E::MatMaxCh, E::DtsMaxCh,
                             E::DtshdMaxCh, E::AacMaxCh, E::ObaMaxCh})
        EXPECT_EQ(model.text(edit), "0") << static_cast<int>(edit);
    for (CreatorEdit edit : {E::Ac3BitRate, E::DtsBitRate, E::AacBitRate})
        EXPECT_EQ(model.text(edit), "     0") << static_cast<int>(edit);
    for (CreatorEdit edit : {E::HdrDcld1, E::HdrDcld2, E::HdrDcld3})
        EXPECT_EQ(model.text(edit), "    0") << static_cast<int>(edit);
    for (int f = 0; f < BoxFamilyCount; ++f) {
        const auto family = static_cast<BoxFamily>(f);
        for (int number : BoxNumbers(family))
            EXPECT_FALSE(model.checked(family, number)) << f << " " << number;
        EXPECT_FALSE(BoxNumbers(family).empty()) << f;
    }
    EXPECT_TRUE(model.warning().isEmpty());
    EXPECT_FALSE(model.textColour(E::ManufacName));
}

// Setting `text` into `edit` leaves the warning line at `warning`, and the edit red when
// the warning is not empty, black otherwise.
struct RuleCase {
    CreatorEdit edit;
    const char* text;
    const char* warning;
};

TEST_F(CreatorModelTest, LimitsOfEveryRule) {
    const RuleCase cases[] = {
        {E::ManufacName, "ABC", ""},
        {E::ManufacName, "ABCD", "3 Letters Limited!"},
        {E::ManufacName, "", ""},
        {E::MonitorName, "1234567890123", ""},
        {E::MonitorName, "12345678901234", "13 Letters Limited!"},
        {E::ProductCode, "65535", ""},
        {E::ProductCode, "65536", "65535 Limited!"},
        {E::ProductCode, "$10000", "65535 Limited!"},
        {E::ProductCode, "-1", ""},
        {E::SerialNumber, "4294959999", ""},
        {E::SerialNumber, "4294960000", "4 Billion Limited!"},
        {E::SerialNumber, "42949600", ""},
        {E::SerialNumber, "3999999999", ""},
        {E::SerialNumber, "00000000001", "4 Billion Limited!"},
        {E::ManufacYear, "1990", ""},
        {E::ManufacYear, "1989", "1990~2245 Limited!"},
        {E::ManufacYear, "2245", ""},
        {E::ManufacYear, "2246", "1990~2245 Limited!"},
        {E::ManufacYear, "20150", "1990~2245 Limited!"},
        {E::ManufacWeek, "53", ""},
        {E::ManufacWeek, "54", "53 Limited!"},
        {E::ManufacWeek, "0", ""},
        {E::LpcmMaxCh, "8", ""},
        {E::LpcmMaxCh, "9", "8 MaxCH Limited!"},
        {E::LpcmMaxCh, "10", "8 MaxCH Limited!"},
        {E::LpcmMaxCh, "9x", "8 MaxCH Limited!"},
        {E::ObaMaxCh, "8", ""},
        {E::DtshdMaxCh, "88", "8 MaxCH Limited!"},
        {E::HdrDcld1, "  255  ", ""},
        {E::HdrDcld2, "256", "255 Limited!"},
        {E::HdrDcld3, " -7", ""},
    };
    for (const RuleCase& c : cases) {
        markWarning();
        set(c.edit, c.text);
        const bool over = *c.warning != '\0';
        EXPECT_EQ(warning(), c.warning) << static_cast<int>(c.edit) << " " << c.text;
        EXPECT_EQ(model.textColour(c.edit), over ? kRed : kBlack)
            << static_cast<int>(c.edit) << " " << c.text;
    }
}

TEST_F(CreatorModelTest, BitRateEditsHaveNoRule) {
    markWarning();
    set(E::Ac3BitRate, "x");
    EXPECT_EQ(warning(), "marked");
    EXPECT_FALSE(model.textColour(E::Ac3BitRate));
}

TEST_F(CreatorModelTest, SilenceConditionsLeaveTheWarningAlone) {
    const RuleCase cases[] = {
        {E::ProductCode, "", nullptr},   {E::SerialNumber, "", nullptr},
        {E::ManufacWeek, "", nullptr},   {E::ManufacYear, "2", nullptr},
        {E::ManufacYear, "20", nullptr}, {E::ManufacYear, "201", nullptr},
    };
    for (const RuleCase& c : cases) {
        model.setText(c.edit, QStringLiteral("x")); // any different text first
        markWarning();
        set(c.edit, c.text);
        EXPECT_EQ(warning(), "marked") << static_cast<int>(c.edit) << " '" << c.text << "'";
    }
    markWarning();
    set(E::ManufacYear, "2015");
    EXPECT_EQ(warning(), "");
}

TEST_F(CreatorModelTest, SettingTheSameTextRunsNothing) {
    set(E::ManufacName, "ABCD");
    markWarning();
    set(E::ManufacName, "ABCD");
    EXPECT_EQ(warning(), "marked");
    set(E::LpcmMaxCh, "0"); // its start text
    EXPECT_EQ(warning(), "marked");
}

// A failed conversion gives the message with the converted text; the warning line and
// the colour stay as they were, the text is the one set.
TEST_F(CreatorModelTest, ConversionFailuresEndTheRuleWithTheirMessage) {
    const std::pair<RuleCase, const char*> cases[] = {
        {{E::LpcmMaxCh, "a", nullptr}, "'a' is not a valid integer value"},
        {{E::Ac3MaxCh, "", nullptr}, "'' is not a valid integer value"},
        {{E::Eac3MaxCh, "x9", nullptr}, "'x' is not a valid integer value"},
        {{E::HdrDcld1, "   ", nullptr}, "'' is not a valid integer value"},
        {{E::HdrDcld2, " 25 5", nullptr}, "'25 5' is not a valid integer value"},
        {{E::ProductCode, "12 ", nullptr}, "'12 ' is not a valid integer value"},
        {{E::ManufacWeek, "-", nullptr}, "'-' is not a valid integer value"},
        {{E::ManufacYear, "19a0", nullptr}, "'19a0' is not a valid integer value"},
        // The first six characters are converted before the length is looked at.
        {{E::SerialNumber, "12345x78901", nullptr}, "'12345x' is not a valid integer value"},
    };
    for (const auto& [c, message] : cases) {
        model.setTextColour(c.edit, kGreen);
        markWarning();
        const auto failure = model.setText(c.edit, QString::fromLatin1(c.text));
        ASSERT_TRUE(failure) << static_cast<int>(c.edit);
        EXPECT_EQ(*failure, message) << static_cast<int>(c.edit);
        EXPECT_EQ(warning(), "marked") << static_cast<int>(c.edit);
        EXPECT_EQ(model.textColour(c.edit), kGreen) << static_cast<int>(c.edit);
        EXPECT_EQ(model.text(c.edit), QString::fromLatin1(c.text)) << static_cast<int>(c.edit);
    }
}

TEST_F(CreatorModelTest, OneWarningLineForAllEdits) {
    set(E::ManufacWeek, "99");
    EXPECT_EQ(warning(), "53 Limited!");
    set(E::ProductCode, "12");
    EXPECT_EQ(warning(), "");
    EXPECT_EQ(model.textColour(E::ManufacWeek), kRed);
    EXPECT_EQ(model.textColour(E::ProductCode), kBlack);
    set(E::ManufacWeek, "9");
    EXPECT_EQ(model.textColour(E::ManufacWeek), kBlack);
}

TEST_F(CreatorModelTest, CecAddressRunsTheManufacturerNameRule) {
    set(E::ManufacName, "ABCD");
    set(E::ProductCode, "1"); // clears the line
    set(E::CecAddress, "12Z4");
    EXPECT_EQ(warning(), "3 Letters Limited!");
    EXPECT_EQ(model.textColour(E::ManufacName), kRed);
    EXPECT_FALSE(model.textColour(E::CecAddress));

    set(E::ManufacName, "ABC");
    markWarning();
    set(E::CecAddress, "1000");
    EXPECT_EQ(warning(), "");
}

// The model keeps a text as it is given: upper-casing is how the editor takes the user's
// text, and a load shows a lower-case letter as it is.
TEST_F(CreatorModelTest, TextsAreKeptAsGiven) {
    set(E::ManufacName, "abc");
    EXPECT_EQ(model.text(E::ManufacName), "abc");
}

TEST_F(CreatorModelTest, SpeakerPairsMirrorEachOther) {
    for (int n : {1, 2, 3, 5, 8, 11}) {
        model.setChecked(F::Speaker, n, true);
        EXPECT_TRUE(model.checked(F::SpeakerRight, n)) << n;
        model.setChecked(F::SpeakerRight, n, false);
        EXPECT_FALSE(model.checked(F::Speaker, n)) << n;
    }
    for (int n : {4, 6, 7, 9, 10}) {
        model.setChecked(F::Speaker, n, true);
        for (int other = 1; other <= 11; ++other) {
            EXPECT_EQ(model.checked(F::Speaker, other), other == n) << n << " " << other;
            EXPECT_FALSE(model.checked(F::SpeakerRight, other)) << n << " " << other;
        }
        model.setChecked(F::Speaker, n, false);
    }
}

TEST_F(CreatorModelTest, UntickingAnAudio2YesUnticksItsDetailOnly) {
    model.setChecked(F::AudioFormat, 3, true);
    EXPECT_FALSE(model.checked(F::AudioDetail, 3)) << "ticking Yes does not tick detail";
    model.setChecked(F::AudioDetail, 3, true);
    model.setChecked(F::AudioFormat, 3, false);
    EXPECT_FALSE(model.checked(F::AudioDetail, 3));

    // "For Detail" of a row whose "Yes" is unticked stays, and leaves "Yes" alone.
    model.setChecked(F::AudioDetail, 9, true);
    EXPECT_FALSE(model.checked(F::AudioFormat, 9));
    EXPECT_TRUE(model.checked(F::AudioDetail, 9));
    // L-PCM's "Basic" has no detail box.
    model.setChecked(F::AudioFormat, 1, true);
    model.setChecked(F::AudioFormat, 1, false);
    EXPECT_TRUE(model.checked(F::AudioDetail, 9));
}

} // namespace
