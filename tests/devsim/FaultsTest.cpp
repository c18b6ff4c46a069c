#include "DevsimClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace {

using SteadyClock = std::chrono::steady_clock;

const Bytes kProbe = {0x00, 0x09, 0x03, 0x0D};
const Bytes kProbeAnswer = {0xA1, 0x00, 0x09, 'V', 'R', 'N'};
const Bytes kEdidHeader = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};

double msSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

TEST(Faults, SilentDeviceNeverAnswers) {
    DevsimClient sim({"--silent"});
    ASSERT_TRUE(sim.started());
    sim.send(kProbe);
    EXPECT_TRUE(sim.readFor(500).empty());
}

TEST(Faults, WrongManufacturerIsAnsweredAsGiven) {
    DevsimClient sim({"--manufacturer", "XYZ"});
    ASSERT_TRUE(sim.started());
    sim.send(kProbe);
    EXPECT_EQ(sim.read(6), (Bytes{0xA1, 0x00, 0x09, 'X', 'Y', 'Z'}));
}

TEST(Faults, IgnoredTypesGoUnansweredReadOrWrite) {
    DevsimClient sim({"--ignore-type", "0x0001", "--ignore-type", "0x0108"});
    ASSERT_TRUE(sim.started());
    sim.send({0x00, 0x01, 0x05, 0x0D});
    sim.send({0x81, 0x08, 0x01, 0x0D, 0x55});
    // Requests are answered in order: the first bytes to come are the probe's answer.
    sim.send(kProbe);
    EXPECT_EQ(sim.read(6), kProbeAnswer);
}

TEST(Faults, IgnoredWritesGoUnansweredAndUnstoredWhileReadsAreAnswered) {
    DevsimClient sim({"--ignore-write", "0x0101"});
    ASSERT_TRUE(sim.started());
    sim.send({0x81, 0x01, 0x01, 0x0D, 0x02});
    sim.send({0x01, 0x01, 0x01, 0x0D});
    // The first answer is the read's, and the mode is still the one it started with.
    EXPECT_EQ(sim.read(4), (Bytes{0xA1, 0x01, 0x01, 0x00}));
}

TEST(Faults, WriteAnswersLeftOutOrCutToTheHeadWhileTheWritesAreStored) {
    {
        DevsimClient sim({"--no-write-answers"});
        ASSERT_TRUE(sim.started());
        sim.send({0x81, 0x01, 0x01, 0x0D, 0x02});
        // The select is still answered: the program waits for its acknowledge.
        sim.send({0x81, 0x08, 0x01, 0x0D, 0x00});
        EXPECT_EQ(sim.read(4), (Bytes{0xA1, 0x81, 0x08, 0x00}));
        sim.send({0x01, 0x01, 0x01, 0x0D});
        // The next answer is the read's, and the mode written unanswered was stored.
        EXPECT_EQ(sim.read(4), (Bytes{0xA1, 0x01, 0x01, 0x02}));
    }
    DevsimClient sim({"--short-write-answers"});
    ASSERT_TRUE(sim.started());
    sim.send({0x81, 0x01, 0x01, 0x0D, 0x03});
    EXPECT_EQ(sim.read(3), (Bytes{0xA1, 0x81, 0x01}));
    sim.send({0x01, 0x01, 0x01, 0x0D});
    EXPECT_EQ(sim.read(4), (Bytes{0xA1, 0x01, 0x01, 0x03}));
}

TEST(Faults, NoiseTakesThePlaceOfTheHeadOfBlockZero) {
    DevsimClient sim({"--noise", "2"});
    ASSERT_TRUE(sim.started());
    sim.send({0x01, 0x05, 0x80, 0x0D});
    const Bytes block0 = sim.read(130);
    ASSERT_EQ(block0.size(), 130u);
    EXPECT_EQ(Bytes(block0.begin() + 2, block0.begin() + 10), kEdidHeader);
    EXPECT_NE(block0[0], 0xA1);
    // Block 1 keeps its head, where the program expects its payload.
    sim.send({0x01, 0x06, 0x80, 0x0D});
    const Bytes block1 = sim.read(131);
    ASSERT_EQ(block1.size(), 131u);
    EXPECT_EQ(block1[0], 0xA1);
    // Nothing follows: the next bytes are the next request's answer.
    sim.send(kProbe);
    EXPECT_EQ(sim.read(6), kProbeAnswer);
}

TEST(Faults, FloodAnswersTheFirstRequestWithMoreThanTheBufferHolds) {
    DevsimClient sim({"--flood"});
    ASSERT_TRUE(sim.started());
    sim.send(kProbe);
    const Bytes flood = sim.read(1200);
    ASSERT_EQ(flood.size(), 1200u);
    EXPECT_EQ(flood[0], 1);
    EXPECT_EQ(flood[15], 16);
    // Once only: the next bytes are the next request's plain answer.
    sim.send(kProbe);
    EXPECT_EQ(sim.read(6), kProbeAnswer);
}

TEST(Faults, DropAfterHangsUpAtTheRequestAfterTheLastAnswer) {
    DevsimClient sim({"--drop-after", "2"});
    ASSERT_TRUE(sim.started());
    for (int i = 0; i < 2; ++i) {
        sim.send(kProbe);
        EXPECT_EQ(sim.read(6), kProbeAnswer);
    }
    sim.send(kProbe);
    EXPECT_TRUE(sim.waitHangUp());
    // Still running until told to stop, so its dumps can be collected.
    EXPECT_EQ(sim.stop(), 0);
}

TEST(Faults, DelayHoldsEveryAnswerBack) {
    DevsimClient sim({"--delay-ms", "400"});
    ASSERT_TRUE(sim.started());
    const auto start = SteadyClock::now();
    sim.send(kProbe);
    EXPECT_EQ(sim.read(6), kProbeAnswer);
    EXPECT_GE(msSince(start), 390.0);
}

TEST(Faults, WireEmulationTakesTheTimeOf57600Baud) {
    DevsimClient sim({"--wire"});
    ASSERT_TRUE(sim.started());
    const auto start = SteadyClock::now();
    sim.send({0x01, 0x05, 0x80, 0x0D});
    EXPECT_EQ(sim.read(131).size(), 131u);
    // 4 + 131 bytes of 10 bits at 57600 baud: about 23 ms at the very least.
    EXPECT_GE(msSince(start), 22.0);
}

TEST(Faults, NineNonZeroBytesThenAZeroOverAndOver) {
    DevsimClient sim({"--stream-nonzero-then-zero"});
    ASSERT_TRUE(sim.started());
    const Bytes stream = sim.read(100);
    ASSERT_EQ(stream.size(), 100u);
    for (std::size_t i = 0; i < stream.size(); ++i) {
        EXPECT_EQ(stream[i] == 0, i % 10 == 9) << i;
    }
    sim.send(kProbe);
    sim.readFor(100);
    sim.send({0x81});
    const Bytes after = sim.read(40);
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_NE(after[i], 0xA1);
        EXPECT_NE(after[i], 0x81);
    }
}

} // namespace
