// What the link receives, on its own: the one receive rule of every reader of the line,
// the framed protocol's answer buffer, and a block read's answer.
#include "AnswerBuffer.h"
#include "ApiTypes.h"
#include "DeviceBlock.h"
#include "EdidTestFiles.h"
#include "RecordingReporter.h"
#include "ScriptedLine.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using EdidTestFiles::Frame;

// 1200 bytes, 'A' to 'Z' over and over: more than a receive buffer holds.
QByteArray flood() {
    QByteArray bytes;
    for (int i = 0; i < 1200; ++i)
        bytes.append(static_cast<char>('A' + i % 26));
    return bytes;
}

std::string text(const RxBytes& buffer, std::size_t from, std::size_t n) {
    return std::string(buffer.begin() + from, buffer.begin() + from + n);
}

TEST(ReceiveRule, AFloodKeepsSixteenBytesWhereTheReaderSaysAndNothingGoesPastTheBuffer) {
    ScriptedLine line;
    RxBytes buffer{};
    std::uint32_t fill = 10;

    // The link keeps a flood's bytes at the buffer's start, the loader at its fill.
    for (const std::uint32_t floodAt : {0u, 10u}) {
        SCOPED_TRACE(floodAt);
        buffer.fill(0);
        line.feed(flood());
        EXPECT_FALSE(ReceiveWaiting(line, line.bytesWaiting(), buffer, fill, floodAt));
        EXPECT_EQ(text(buffer, floodAt, 16), flood().left(16).toStdString());
        EXPECT_EQ(buffer[floodAt + 16], 0);
        EXPECT_EQ(fill, 10u) << "a flood adds nothing to the fill";
        EXPECT_EQ(line.bytesWaiting(), 0) << "the rest of the input is dropped";
    }

    // Kept near the end, a flood's bytes stop at the buffer's end.
    buffer.fill(0);
    line.feed(flood());
    EXPECT_FALSE(ReceiveWaiting(line, line.bytesWaiting(), buffer, fill, RxCapacity - 4));
    EXPECT_EQ(text(buffer, RxCapacity - 4, 4), "ABCD");
    EXPECT_EQ(buffer[RxCapacity], 0);

    // Bytes that fit are read at the fill, a zero after them; the excess is dropped.
    line.feed(QByteArray(1000, 'z'));
    EXPECT_TRUE(ReceiveWaiting(line, line.bytesWaiting(), buffer, fill, 0));
    EXPECT_EQ(fill, 1010u);
    line.feed(QByteArray(20, 'y'));
    EXPECT_TRUE(ReceiveWaiting(line, line.bytesWaiting(), buffer, fill, 0));
    EXPECT_EQ(fill, RxCapacity);
    EXPECT_EQ(text(buffer, 1010, 14), std::string(14, 'y'));
    EXPECT_EQ(buffer[RxCapacity], 0);
    EXPECT_EQ(line.bytesWaiting(), 0);
}

class AnswerReceive : public ::testing::Test {
protected:
    // Device bytes arrive, then one receive tick collects them: true when the awaited
    // answer became complete.
    bool deliver(const QByteArray& bytes) {
        line.feed(bytes);
        return answer.collect(line, reporter);
    }

    std::string rx(std::size_t from, std::size_t n) const { return text(answer.bytes(), from, n); }

    ScriptedLine line;
    RecordingReporter reporter;
    AnswerBuffer answer;
};

TEST_F(AnswerReceive, CompletionCountsHeadAndPayloadBytes) {
    answer.expect(Api_Edid_Mode, 1);
    EXPECT_FALSE(deliver(Frame({0xA1, 0x01, 0x01})));
    EXPECT_TRUE(deliver(Frame({0x00})));
    EXPECT_TRUE(answer.takeCompletion());
    EXPECT_FALSE(answer.takeCompletion()) << "taken once";

    answer.expect(Api_Edid_Block0, 128);
    EXPECT_FALSE(deliver(QByteArray(130, 'x')));
    EXPECT_TRUE(deliver(QByteArray(1, 'x')));
}

TEST_F(AnswerReceive, ATakenAnswerKeepsItsBytesForTheHandlerThatWaitsAfterItsRequest) {
    answer.expect(Api_Model_Name, 5);
    ASSERT_TRUE(deliver(Frame({0xA1, 0x00, 0x01, 'A', 'B', 'C', 'D', 0x00})));
    answer.taken();
    EXPECT_EQ(answer.awaitedType(), 0u);
    EXPECT_EQ(answer.fill(), 0u);
    EXPECT_EQ(rx(3, 4), "ABCD");
    EXPECT_EQ(answer.payloadText(), "ABCD");
    EXPECT_EQ(reporter.log, "\xA1") << "the text received, up to its first zero byte";
}

TEST_F(AnswerReceive, OtherLinkModesCollectButNeverComplete) {
    answer.setMode(3);
    answer.expect(Api_Edid_Mode, 1);
    EXPECT_FALSE(deliver(Frame({0xA1, 0x01, 0x01, 0x00, 0x22})));
    EXPECT_EQ(answer.fill(), 5u);
    EXPECT_FALSE(answer.takeCompletion());
}

TEST_F(AnswerReceive, FloodKeepsSixteenBytesAndEmptiesTheQueue) {
    answer.expect(Api_Edid_Block0, 128);
    deliver(QByteArray(10, 'a'));
    ASSERT_EQ(answer.fill(), 10u);
    const std::string logBefore = reporter.log;

    EXPECT_FALSE(deliver(flood()));
    EXPECT_EQ(rx(0, 16), flood().left(16).toStdString());
    EXPECT_EQ(answer.fill(), 10u);
    EXPECT_EQ(reporter.log, logBefore);
    EXPECT_EQ(line.bytesWaiting(), 0);
    EXPECT_EQ(line.discards(), 1);
}

TEST_F(AnswerReceive, ADiscardedFloodOrAClosedPortCompletesNothing) {
    // Bytes collected while the line carried another mode, then back on the framed one:
    // enough for the awaited answer, but they are not its answer.
    answer.setMode(3);
    answer.expect(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01, 0x00, 0x00}));
    answer.setMode(FramedLinkMode);
    EXPECT_FALSE(deliver(QByteArray(1200, 'z'))) << "after the flood";
    line.close();
    EXPECT_FALSE(answer.collect(line, reporter)) << "on the closed port";
    EXPECT_FALSE(answer.takeCompletion());
}

TEST_F(AnswerReceive, ChattyDeviceNeverWritesPastTheBuffer) {
    answer.setMode(3); // collect without completing
    answer.expect(Api_Edid_Block0, 128);
    for (int round = 0; round < 3; ++round)
        deliver(QByteArray(600, 'z'));
    EXPECT_EQ(answer.fill(), RxCapacity);
    EXPECT_EQ(answer.bytes()[RxCapacity], 0);
    EXPECT_EQ(line.bytesWaiting(), 0) << "the excess is discarded";
}

TEST(DeviceBlock, TheBlockSkipsTheAnswersHeadOrStartsAtTheHeaderBelowSixteen) {
    RxBytes received{};
    for (std::size_t i = 0; i < received.size(); ++i)
        received[i] = static_cast<std::uint8_t>(i);
    const DeviceBlock::Bytes bytes = DeviceBlock(received, true).bytes();
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[127], 130);
    EXPECT_TRUE(DeviceBlock(received, true).answered());
    EXPECT_FALSE(DeviceBlock(received, false).answered());

    received.fill(0);
    const std::uint8_t header[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    const auto put = [&](std::size_t at) { std::copy(header, header + 8, received.begin() + at); };
    const auto aligned = [&] { return DeviceBlock(received, true).alignedOnHeader(); };
    // Where the block starts: the bytes from there, marked so that the start shows.
    const auto startsAt = [&](std::size_t offset) {
        received[offset + 8] = 0x5A;
        const DeviceBlock::Aligned block = aligned();
        received[offset + 8] = 0;
        return block.bytes[8] == 0x5A;
    };

    EXPECT_FALSE(aligned().headerFound) << "nothing there";
    EXPECT_TRUE(startsAt(16));
    put(15);
    EXPECT_TRUE(aligned().headerFound);
    EXPECT_TRUE(startsAt(15));
    put(2);
    EXPECT_TRUE(startsAt(2)) << "the first match wins";
    received.fill(0);
    put(16);
    EXPECT_FALSE(aligned().headerFound);
    EXPECT_TRUE(startsAt(16)) << "the bytes from offset 16 all the same";
    received.fill(0xFF);
    received[0] = 0x00;
    EXPECT_FALSE(aligned().headerFound) << "a header needs its closing zero";
}

} // namespace
