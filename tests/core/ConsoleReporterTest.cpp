// The console reporter of redaviv-cli: which of the window's log writes are messages,
// and how percentages become progress.
#include "ConsoleReporter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(ConsoleReporter, ShowsTheLogsMessagesButNotTheDevicesBytes) {
    std::ostringstream err;
    {
        ConsoleReporter reporter(err, false, false);
        reporter.replaceLog("Edid Open OK.\r\n");
        reporter.appendLog("\xA1\x01\x05");          // a response head, as the tick copies it
        reporter.appendLog("Ready\r\nReady\r\nRea"); // a loader's banner streaming
        reporter.appendLog("API Timeout.\r\n");
        reporter.addLogLine("Got One Device!");
    }
    EXPECT_EQ(err.str(), "Edid Open OK.\nAPI Timeout.\nGot One Device!\n");
}

TEST(ConsoleReporter, VerboseAlsoShowsTheDevicesBytesEscaped) {
    std::ostringstream err;
    ConsoleReporter reporter(err, false, true);
    reporter.appendLog("\xA1\x01\x05");
    reporter.appendLog("API Timeout.\r\n");
    EXPECT_EQ(err.str(), "\xC2\xA1\\x01\\x05\nAPI Timeout.\n");
}

TEST(ConsoleReporter, OnlyTheChosenLabelsPercentagesAreProgressEachShownOnce) {
    std::ostringstream err;
    ConsoleReporter reporter(err, false, false);
    // Search's "0%" in the firmware label comes before any command asked for progress.
    reporter.setStatusText(StatusLabel::Firmware, "0%");
    reporter.showProgressOf(StatusLabel::Upload);
    for (const char* text : {"1%", "1%", "2%"}) {
        reporter.setStatusText(StatusLabel::Upload, text);
        reporter.setStatusText(StatusLabel::CreatorUpload, text);
    }
    // A failure in a label is a message, whatever the label.
    reporter.setStatusText(StatusLabel::Upload, "Illegal Edid CheckSum0.");
    EXPECT_EQ(err.str(), "1%\nIllegal Edid CheckSum0.\n");
}

TEST(ConsoleReporter, OffATerminalProgressIsALinePerTenthForEachTransfer) {
    std::ostringstream err;
    ConsoleReporter reporter(err, false, false);
    const auto transfer = [&](int from, int to) {
        for (int percent = from; percent <= to; ++percent)
            reporter.setStatusText(StatusLabel::Upload, std::to_string(percent) + "%");
    };
    reporter.showProgressOf(StatusLabel::Upload);
    transfer(1, 19);
    // A block written again steps back; its percentages are not shown twice.
    transfer(18, 100);
    // The next box's upload starts from its own first percentage.
    reporter.showProgressOf(StatusLabel::Upload);
    transfer(1, 25);
    EXPECT_EQ(err.str(), "1%\n10%\n20%\n30%\n40%\n50%\n60%\n70%\n80%\n90%\n100%\n"
                         "1%\n10%\n20%\n");
}

TEST(ConsoleReporter, OnATerminalTheBarRedrawsItsLineAndEndsBeforeAMessage) {
    std::ostringstream err;
    {
        ConsoleReporter reporter(err, true, false);
        reporter.showProgressOf(StatusLabel::Firmware);
        reporter.setStatusText(StatusLabel::Firmware, "0%");
        reporter.setStatusText(StatusLabel::Firmware, "50%");
        reporter.appendLog("Verify Error! Try Again.\r\n");
        reporter.setStatusText(StatusLabel::Firmware, "100%");
    }
    const std::string empty(40, ' ');
    const std::string half = std::string(20, '#') + std::string(20, ' ');
    EXPECT_EQ(err.str(), "\r[" + empty + "] 0%\r[" + half + "] 50%\nVerify Error! Try Again.\n\r[" +
                             std::string(40, '#') + "] 100%\n");
}

} // namespace
