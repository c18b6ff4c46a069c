#include "IntegerText.h"
#include "ScriptedPrompts.h"

#include <gtest/gtest.h>

TEST(StrToInt, AcceptsDecimalWithBlanksAndSign) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("  42"), 42);
    EXPECT_EQ(StrToInt("+7"), 7);
    EXPECT_EQ(StrToInt("-13"), -13);
    EXPECT_EQ(StrToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToInt("007"), 7);
}

TEST(StrToInt, AcceptsEveryHexForm) {
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_EQ(StrToInt("x1f"), 31);
    EXPECT_EQ(StrToInt("X10"), 16);
    EXPECT_EQ(StrToInt("0x10"), 16);
    EXPECT_EQ(StrToInt(" 0XfF"), 255);
    EXPECT_EQ(StrToInt("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1); // two's complement
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("$000000001"), 1);
}

TEST(StrToInt, RefusesWhatIsNotAWholeNumber) {
    for (const char* bad : {"", " ", "12 ", "1a", "+", "-", "--1", "2147483648", "-2147483649", "$",
                            "0x", "$100000000", "-$10", "$1G", "1.5", "\t1", "x"}) {
        try {
            StrToInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("'") + bad + "' is not a valid integer value");
        }
    }
}

TEST(RunHandler, AFailedConversionEndsOnlyThatHandlerWithTheErrorBox) {
    ScriptedPrompts prompts;
    bool after = false;
    EXPECT_FALSE(RunHandler(prompts, [&] {
        StrToInt("abc");
        after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0], "'abc' is not a valid integer value");

    EXPECT_TRUE(RunHandler(prompts, [&] { after = StrToInt("5") == 5; }));
    EXPECT_TRUE(after);
    EXPECT_EQ(prompts.errors.size(), 1u);
}
