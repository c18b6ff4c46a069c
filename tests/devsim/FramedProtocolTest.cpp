#include "BuiltinEdids.h"
#include "DevsimClient.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr std::uint8_t kAck = 0xA1;

Bytes readRequest(std::uint16_t type, std::uint8_t count) {
    return {static_cast<std::uint8_t>(type >> 8), static_cast<std::uint8_t>(type & 0xFF), count,
            0x0D};
}

Bytes writeRequest(std::uint16_t type, std::uint8_t count) {
    return {static_cast<std::uint8_t>(0x80 | (type >> 8)), static_cast<std::uint8_t>(type & 0xFF),
            count, 0x0D};
}

Bytes answer(std::uint8_t first, std::uint8_t second, const Bytes& payload) {
    Bytes bytes = {kAck, first, second};
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    return bytes;
}

Bytes textBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// A write as the program sends it: the header, then the data one byte per write.
Bytes writeAndAnswer(DevsimClient& sim, std::uint16_t type, const Bytes& data) {
    sim.send(writeRequest(type, static_cast<std::uint8_t>(data.size())));
    sim.sendPaced(data);
    return sim.read(3 + data.size());
}

Bytes readEdid(DevsimClient& sim, std::uint16_t block0, std::uint16_t block1) {
    Bytes image;
    for (std::uint16_t type : {block0, block1}) {
        sim.send(readRequest(type, 128));
        const Bytes response = sim.read(131);
        EXPECT_EQ(response.size(), 131u);
        if (response.size() == 131) {
            EXPECT_EQ(response[0], kAck);
            image.insert(image.end(), response.begin() + 3, response.end());
        }
    }
    return image;
}

TEST(FramedProtocol, AnswersIdentityTextsCutOrPaddedToTheCount) {
    DevsimClient sim({"--model", "LONGNAME", "--version", "2"});
    ASSERT_TRUE(sim.started());
    sim.send(readRequest(0x0009, 3));
    EXPECT_EQ(sim.read(6), answer(0x00, 0x09, textBytes("VRN")));
    sim.send(readRequest(0x0001, 5));
    EXPECT_EQ(sim.read(8), answer(0x00, 0x01, textBytes("LONGN")));
    sim.send(readRequest(0x0002, 4));
    EXPECT_EQ(sim.read(7), answer(0x00, 0x02, {'2', 0, 0, 0}));
}

TEST(FramedProtocol, DefaultsDescribeAHealthyDevice) {
    DevsimClient sim({});
    ASSERT_TRUE(sim.started());
    sim.send(readRequest(0x0001, 5));
    EXPECT_EQ(sim.read(8), answer(0x00, 0x01, textBytes("EM-01")));
    sim.send(readRequest(0x0002, 4));
    EXPECT_EQ(sim.read(7), answer(0x00, 0x02, textBytes("1.23")));
    sim.send(readRequest(0x0101, 1));
    EXPECT_EQ(sim.read(4), answer(0x01, 0x01, {0x00}));
}

TEST(FramedProtocol, PresentedEdidIsReadAndWritten) {
    DevsimClient sim({"--mode", "2"});
    ASSERT_TRUE(sim.started());
    sim.send(readRequest(0x0101, 1));
    EXPECT_EQ(sim.read(4), answer(0x01, 0x01, {0x02}));
    EXPECT_EQ(writeAndAnswer(sim, 0x0101, {0x03}), answer(0x81, 0x01, {0x03}));
    sim.send(readRequest(0x0101, 1));
    EXPECT_EQ(sim.read(4), answer(0x01, 0x01, {0x03}));
}

TEST(FramedProtocol, SelectionDecidesWhichEdidTheBlocksCarry) {
    DevsimClient sim({});
    ASSERT_TRUE(sim.started());
    // Internal is selected from the start.
    EXPECT_EQ(readEdid(sim, 0x0105, 0x0106), builtinEdid(EdidSlot::Internal));
    const std::pair<std::uint8_t, EdidSlot> choices[] = {
        {0x00, EdidSlot::User}, {0x55, EdidSlot::Stored}, {0xFF, EdidSlot::Internal}};
    for (const auto& [select, slot] : choices) {
        EXPECT_EQ(writeAndAnswer(sim, 0x0108, {select}), answer(0x81, 0x08, {select}));
        EXPECT_EQ(readEdid(sim, 0x0105, 0x0106), builtinEdid(slot)) << int(select);
    }
    // The External EDID has its own requests and ignores the selection.
    EXPECT_EQ(readEdid(sim, 0x0206, 0x0207), builtinEdid(EdidSlot::External));
}

TEST(FramedProtocol, EdidFilesReplaceTheBuiltInOnesAndShortFilesReadAsFF) {
    Bytes block0 = builtinEdid(EdidSlot::Stored);
    block0.resize(128);
    const std::string internal = tempPath("internal.bin");
    TestBytes::writeFile(internal, block0);
    DevsimClient sim({"--internal", internal});
    ASSERT_TRUE(sim.started());
    Bytes expected = block0;
    expected.resize(256, 0xFF);
    EXPECT_EQ(readEdid(sim, 0x0105, 0x0106), expected);
    std::remove(internal.c_str());
}

TEST(FramedProtocol, UploadedUserEdidIsStoredAndDumpedAtExit) {
    const std::string dump = tempPath("user.bin");
    DevsimClient sim({"--dump-user", dump});
    ASSERT_TRUE(sim.started());
    Bytes upload = builtinEdid(EdidSlot::External);
    upload[100] ^= 0x5A; // make it differ from every built-in one
    const Bytes block0(upload.begin(), upload.begin() + 128);
    const Bytes block1(upload.begin() + 128, upload.end());
    EXPECT_EQ(writeAndAnswer(sim, 0x0105, block0), answer(0x81, 0x05, block0));
    EXPECT_EQ(writeAndAnswer(sim, 0x0106, block1), answer(0x81, 0x06, block1));
    EXPECT_EQ(writeAndAnswer(sim, 0x0108, {0x00}), answer(0x81, 0x08, {0x00}));
    EXPECT_EQ(readEdid(sim, 0x0105, 0x0106), upload);
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_EQ(TestBytes::readFile(dump), upload);
    std::remove(dump.c_str());
}

TEST(FramedProtocol, GarbageBeforeAHeaderIsSkipped) {
    DevsimClient sim({});
    ASSERT_TRUE(sim.started());
    sim.send({0x33, 0x0D, 0x44});
    sim.send(readRequest(0x0009, 3));
    EXPECT_EQ(sim.read(6), answer(0x00, 0x09, textBytes("VRN")));
}

TEST(FramedProtocol, UnknownTypesReadAsZeros) {
    DevsimClient sim({});
    ASSERT_TRUE(sim.started());
    sim.send(readRequest(0x0777, 2));
    EXPECT_EQ(sim.read(5), answer(0x07, 0x77, {0x00, 0x00}));
}

TEST(FramedProtocol, AnUnreadableEdidFileStopsTheSimulator) {
    std::string output;
    EXPECT_EQ(runDevsim({"--user", tempPath("missing.bin")}, output), 2);
    EXPECT_EQ(output, "");
}

} // namespace
