#include "DevsimClient.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TraceLine {
    long ms = 0;
    std::string direction;
    std::string bytes;
};

std::vector<TraceLine> parseTrace(const std::string& text) {
    std::vector<TraceLine> lines;
    const std::regex format(R"(^([0-9]+) (rx|tx) ([0-9a-f]{2}(?: [0-9a-f]{2})*)$)");
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::smatch match;
        EXPECT_TRUE(std::regex_match(line, match, format)) << line;
        if (!match.empty()) {
            lines.push_back({std::stol(match[1]), match[2], match[3]});
        }
    }
    return lines;
}

// The bytes of one direction, joined as one hex text.
std::string joined(const std::vector<TraceLine>& lines, const std::string& direction) {
    std::string text;
    for (const TraceLine& line : lines) {
        if (line.direction == direction) {
            text += (text.empty() ? "" : " ") + line.bytes;
        }
    }
    return text;
}

std::string hexOf(const Bytes& bytes) {
    std::string text;
    char digits[4];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", b);
        text += (text.empty() ? "" : " ") + std::string(digits);
    }
    return text;
}

TEST(Trace, RecordsEveryReadAndWriteWithItsTime) {
    const std::string trace = tempPath("trace.txt");
    DevsimClient sim({"--trace", trace});
    ASSERT_TRUE(sim.started());
    sim.send({0x00, 0x09, 0x03, 0x0D});
    ASSERT_EQ(sim.read(6).size(), 6u);
    Bytes block(128);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(i * 3);
    }
    sim.send({0x81, 0x05, 0x80, 0x0D});
    sim.sendPaced(block);
    ASSERT_EQ(sim.read(131).size(), 131u);
    EXPECT_EQ(sim.stop(), 0);

    const std::vector<TraceLine> lines = parseTrace(TestBytes::readText(trace));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().bytes, "00 09 03 0d");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_LE(lines[i - 1].ms, lines[i].ms);
    }
    EXPECT_EQ(joined(lines, "rx"), "00 09 03 0d 81 05 80 0d " + hexOf(block));
    EXPECT_EQ(joined(lines, "tx"), "a1 00 09 56 52 4e a1 81 05 " + hexOf(block));
    std::remove(trace.c_str());
}

} // namespace
