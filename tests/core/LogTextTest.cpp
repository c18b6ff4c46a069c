#include "LogText.h"

#include <gtest/gtest.h>

TEST(LogText, ReplaceAppendAndAddLineFollowTheirOwnRules) {
    LogText log;
    log.addLine("Got One Device!");
    EXPECT_EQ(log.text(), "Got One Device!\r\n"); // no break before the first line

    log.append("Check /dev/pts/3\r\n");
    log.append("abc");
    EXPECT_EQ(log.text(), "Got One Device!\r\nCheck /dev/pts/3\r\nabc");

    // A line break is added first only when the text does not already end one.
    log.addLine("No Device Detected.");
    EXPECT_EQ(log.text(), "Got One Device!\r\nCheck /dev/pts/3\r\nabc\r\nNo Device Detected.\r\n");
    log.addLine("Manufac: VRN");
    const std::string tail = "No Device Detected.\r\nManufac: VRN\r\n";
    EXPECT_EQ(log.text().substr(log.text().size() - tail.size()), tail);

    log.replace("Edid Open OK.\r\n");
    EXPECT_EQ(log.text(), "Edid Open OK.\r\n");
    log.replace("");
    EXPECT_EQ(log.text(), "");
}

TEST(LogText, KeepsOnlyItsLastBytesWhenAStreamNeverEnds) {
    LogText log;
    const std::string chunk(1000, 'x');
    for (int i = 0; i < 600; ++i)
        log.append(chunk + std::to_string(i % 10));
    EXPECT_LE(log.text().size(), LogText::kLimit);
    EXPECT_GT(log.text().size(), LogText::kLimit / 2);
    EXPECT_EQ(log.text().back(), '9'); // the newest bytes are the ones kept

    log.replace(std::string(LogText::kLimit + 10, 'y'));
    EXPECT_LE(log.text().size(), LogText::kLimit);
    EXPECT_TRUE(log.trimmed());
}
