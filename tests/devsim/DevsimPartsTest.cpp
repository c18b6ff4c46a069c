#include "BuiltinEdids.h"
#include "DevsimClient.h"
#include "FrameParser.h"
#include "Options.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace {

std::uint8_t blockSum(const Bytes& image, std::size_t offset) {
    return static_cast<std::uint8_t>(
        std::accumulate(image.begin() + offset, image.begin() + offset + 128, 0u));
}

TEST(BuiltinEdids, AreValidTwoBlockEdidsThatDifferFromEachOther) {
    const EdidSlot slots[] = {EdidSlot::Internal, EdidSlot::External, EdidSlot::User,
                              EdidSlot::Stored};
    const Bytes header = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    std::vector<Bytes> images;
    for (EdidSlot slot : slots) {
        const Bytes image = builtinEdid(slot);
        ASSERT_EQ(image.size(), 256u);
        EXPECT_EQ(Bytes(image.begin(), image.begin() + 8), header);
        EXPECT_EQ(image[126], 1);
        EXPECT_EQ(blockSum(image, 0), 0);
        EXPECT_EQ(image[128], 0x02);
        EXPECT_EQ(blockSum(image, 128), 0);
        for (const Bytes& other : images) {
            EXPECT_NE(image, other);
        }
        images.push_back(image);
    }
}

TEST(Options, ParsesValuesFlagsAndRepeatedTypes) {
    const ParseResult result =
        parseOptions({"--mode", "0x03", "--ignore-type", "0x0108", "--ignore-type", "0x8101",
                      "--isp", "--drop-after", "7", "--model", "X"});
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.options.mode, 3);
    EXPECT_EQ(result.options.ignoredTypes, (std::vector<std::uint16_t>{0x0108, 0x0101}));
    EXPECT_TRUE(result.options.isp);
    EXPECT_EQ(result.options.dropAfter, 7);
    EXPECT_EQ(result.options.model, "X");
}

TEST(Options, RefusesWhatItDoesNotUnderstand) {
    const std::vector<std::vector<std::string>> bad = {
        {"--nonsense"},    {"--delay-ms"},    {"--delay-ms", "ten"},
        {"--mode", "256"}, {"--noise", "-1"}, {"--ignore-type", "0x10000"}};
    for (const auto& args : bad) {
        EXPECT_NE(parseOptions(args).error, "") << args[0];
    }
}

TEST(Options, HelpDescribesEveryOption) {
    std::string output;
    EXPECT_EQ(runDevsim({"--help"}, output), 0);
    for (const char* name : {"--internal",
                             "--external",
                             "--user",
                             "--stored",
                             "--mode",
                             "--model",
                             "--version",
                             "--manufacturer",
                             "--dump-user",
                             "--dump-flash",
                             "--trace",
                             "--isp",
                             "--banner",
                             "--silent",
                             "--delay-ms",
                             "--noise",
                             "--ignore-type",
                             "--flood",
                             "--drop-after",
                             "--corrupt-readback",
                             "--corrupt-readback-times",
                             "--readback-timeout",
                             "--wire",
                             "--stream-nonzero-then-zero"}) {
        EXPECT_NE(output.find(name), std::string::npos) << name;
    }
    EXPECT_NE(runDevsim({"--nonsense"}, output), 0);
}

TEST(FrameParser, AssemblesWritesArrivingByteByByte) {
    FrameParser parser;
    std::vector<Request> requests;
    for (std::uint8_t byte : {0x81, 0x01, 0x02, 0x0D, 0x07}) {
        parser.feed({byte}, 1.0, requests);
    }
    EXPECT_TRUE(requests.empty());
    parser.feed({0x08, 0x00, 0x09, 0x03, 0x0D}, 2.0, requests);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_TRUE(requests[0].isWrite());
    EXPECT_EQ(requests[0].type(), 0x0101);
    EXPECT_EQ(requests[0].data, (Bytes{0x07, 0x08}));
    EXPECT_FALSE(requests[1].isWrite());
    EXPECT_EQ(requests[1].type(), 0x0009);
    EXPECT_EQ(requests[1].count, 3);
}

TEST(FrameParser, SlidesOverGarbageAndDropsAStaleHalfFrame) {
    FrameParser parser;
    std::vector<Request> requests;
    parser.feed({0x55, 0x00, 0x02, 0x04, 0x0D}, 0.0, requests);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].type(), 0x0002);

    // A write whose data never came must not swallow the next request.
    parser.feed({0x81, 0x05, 0x80, 0x0D, 0x01}, 10.0, requests);
    EXPECT_EQ(parser.deadline(), 10.0 + FrameParser::kIdleMs);
    parser.expire(10.0 + FrameParser::kIdleMs);
    EXPECT_EQ(parser.deadline(), kNever);
    parser.feed({0x00, 0x09, 0x03, 0x0D}, 2000.0, requests);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].type(), 0x0009);
}

} // namespace
