#include "DevsimClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kBankSize = 0x10000;
constexpr std::size_t kBlockSize = 512;

Bytes testBlock(std::uint8_t seed) {
    Bytes block(kBlockSize);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return block;
}

bool contains(const Bytes& haystack, const std::string& needle) {
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) !=
           haystack.end();
}

// Stops the banner: the 0x81 answer is the last byte before the line goes quiet.
void synchronise(DevsimClient& sim) {
    sim.send({0x81});
    ASSERT_FALSE(sim.readUntil({0x81}).empty());
}

void writeBlock(DevsimClient& sim, std::uint8_t bank, std::uint16_t address, const Bytes& block) {
    sim.send({0x83, bank});
    sim.send({0x84, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address)});
    sim.send({0x86});
    // Two halves, as the program sends them.
    sim.send(Bytes(block.begin(), block.begin() + 256));
    sim.send(Bytes(block.begin() + 256, block.end()));
}

Bytes readBack(DevsimClient& sim) {
    sim.send({0x85});
    return sim.read(2 + kBlockSize);
}

TEST(Loader, StreamsItsBannerAsNonZeroTextUntilSynchronised) {
    DevsimClient sim({"--isp"});
    ASSERT_TRUE(sim.started());
    const Bytes banner = sim.read(64);
    ASSERT_EQ(banner.size(), 64u);
    EXPECT_EQ(std::count(banner.begin(), banner.end(), 0), 0);
    EXPECT_FALSE(contains(banner, "KQB707"));
    synchronise(sim);
    // The banner has stopped: the next byte is the next command's answer.
    sim.send({0x81});
    EXPECT_EQ(sim.read(1), Bytes{0x81});
}

TEST(Loader, BannerOptionAnnouncesKqb707) {
    DevsimClient sim({"--isp", "--banner"});
    ASSERT_TRUE(sim.started());
    EXPECT_TRUE(contains(sim.read(100), "KQB707"));
}

TEST(Loader, ProgramsBlocksReadsThemBackAndDumpsTheMemory) {
    const std::string dump = tempPath("flash.bin");
    DevsimClient sim({"--isp", "--dump-flash", dump});
    ASSERT_TRUE(sim.started());
    synchronise(sim);

    sim.send({0x87});
    const Bytes identity = sim.readUntil({0x00});
    ASSERT_GE(identity.size(), 4u);
    EXPECT_EQ(identity[0], 0x87);
    EXPECT_EQ(identity[1], identity.size() - 3);

    const Bytes first = testBlock(1);
    const Bytes second = testBlock(2);
    writeBlock(sim, 0, 0x0000, first);
    writeBlock(sim, 2, 0xF400, second);
    const Bytes response = readBack(sim);
    ASSERT_EQ(response.size(), 2 + kBlockSize);
    EXPECT_EQ(Bytes(response.begin() + 2, response.end()), second);

    EXPECT_EQ(sim.stop(), 0);
    const Bytes memory = TestBytes::readFile(dump);
    ASSERT_EQ(memory.size(), 3 * kBankSize);
    Bytes expected(3 * kBankSize, 0xFF);
    std::copy(first.begin(), first.end(), expected.begin());
    std::copy(second.begin(), second.end(), expected.begin() + 2 * kBankSize + 0xF400);
    EXPECT_TRUE(memory == expected);
    std::remove(dump.c_str());
}

TEST(Loader, CorruptsOnlyTheFirstReadBacksWhenTold) {
    DevsimClient sim({"--isp", "--corrupt-readback", "100", "--corrupt-readback-times", "1"});
    ASSERT_TRUE(sim.started());
    synchronise(sim);
    const Bytes block = testBlock(9);
    writeBlock(sim, 1, 0x8000, block);

    const Bytes corrupted = readBack(sim);
    ASSERT_EQ(corrupted.size(), 2 + kBlockSize);
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < kBlockSize; ++i) {
        const bool differs = corrupted[2 + i] != block[i];
        wrong += differs ? 1 : 0;
        // Only the bytes the program compares are spoilt.
        EXPECT_FALSE(differs && (i < 2 || i > 510)) << i;
    }
    EXPECT_EQ(wrong, 100u);

    const Bytes clean = readBack(sim);
    ASSERT_EQ(clean.size(), 2 + kBlockSize);
    EXPECT_EQ(Bytes(clean.begin() + 2, clean.end()), block);
}

TEST(Loader, ReadBackTimeoutLeavesOtherCommandsAnswered) {
    DevsimClient sim({"--isp", "--readback-timeout"});
    ASSERT_TRUE(sim.started());
    synchronise(sim);
    sim.send({0x85});
    // The read-back never comes: the next byte is the next command's answer.
    sim.send({0x81});
    EXPECT_EQ(sim.read(1), Bytes{0x81});
}

TEST(Loader, SilentLoaderStreamsButNeverAnswers) {
    DevsimClient sim({"--isp", "--silent"});
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(sim.read(32).size(), 32u);
    sim.send({0x81});
    sim.readFor(200); // the banner still on its way
    sim.send({0x87, 0x81});
    EXPECT_TRUE(sim.readFor(500).empty());
}

TEST(Loader, AnnouncesItselfAgainAfterAPauseWithoutCommands) {
    DevsimClient sim({"--isp"});
    ASSERT_TRUE(sim.started());
    synchronise(sim);
    const std::string banner = "ISP Loader Ready";
    EXPECT_FALSE(sim.readUntil(Bytes(banner.begin(), banner.end())).empty());
}

} // namespace
