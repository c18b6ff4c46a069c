// The link against a pseudo-terminal the test plays the device on: frames, pacing,
// the receive tick, the dispatch and the waits, without devsim.
#include "ApiTypes.h"
#include "DeviceLink.h"
#include "EdidTestFiles.h"
#include "EdidUpload.h"
#include "EventWait.h"
#include "PtyPair.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using EdidTestFiles::Frame;

class LinkTransport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        ASSERT_TRUE(line.isOpen());
    }

    // Device bytes arrive, then one receive tick collects them.
    void deliver(const QByteArray& answer) {
        const qint64 before = line.bytesWaiting();
        pty.send(answer);
        ASSERT_TRUE(waitUntil([&] { return line.bytesWaiting() >= before + answer.size(); }));
        link.receiveTick();
    }

    // A byte the device sends now arrives alone: nothing received earlier still waits.
    void expectOnlyNewBytesWaiting() {
        pty.send(Frame({0x5A}));
        ASSERT_TRUE(waitUntil([&] { return line.bytesWaiting() > 0; }));
        EXPECT_EQ(line.bytesWaiting(), 1);
    }

    QByteArray sentByHost() {
        QByteArray all;
        waitUntil(
            [&] {
                all += pty.received();
                return false;
            },
            50);
        return all;
    }

    std::string rx(std::size_t from, std::size_t n) const {
        const auto& buffer = link.state().RxBuffer;
        return std::string(buffer.begin() + from, buffer.begin() + from + n);
    }

    PtyPair pty;
    RecordingReporter reporter;
    RecordingLinkView view;
    std::unique_ptr<Line> opened = pty.openLine();
    Line& line = *opened;
    DeviceLink link{reporter, view, std::move(opened)};
};

TEST_F(LinkTransport, ReadRequestIsTheHeaderAlone) {
    link.sendRead(Api_Manufac_Id, 3);
    EXPECT_EQ(sentByHost(), Frame({0x00, 0x09, 0x03, 0x0D}));
    EXPECT_EQ(link.state().LastRequestType, Api_Manufac_Id);
    EXPECT_EQ(link.state().LastRequestCount, 3u);
    EXPECT_FALSE(link.pollTimer().isActive());
}

TEST_F(LinkTransport, WriteSendsDataBytesAloneAndPaced) {
    const std::uint8_t data[3] = {0x55, 0x01, 0x02};
    link.sendWrite(Api_Edid_Select, 3, data);
    EXPECT_EQ(sentByHost(), Frame({0x81, 0x08, 0x03, 0x0D, 0x55, 0x01, 0x02}));

    const auto& journal = link.journal().entries();
    ASSERT_EQ(journal.size(), 4u);
    EXPECT_EQ(journal[0].bytes.size(), 4);
    for (std::size_t i = 1; i < journal.size(); ++i)
        EXPECT_EQ(journal[i].bytes.size(), 1);
    EXPECT_GT(journal[1].nsecs - journal[0].nsecs, 50'000'000);
    EXPECT_GT(journal[2].nsecs - journal[1].nsecs, 1'000'000);
    EXPECT_GT(journal[3].nsecs - journal[2].nsecs, 1'000'000);
    // The end of a write's data restarts the status poll.
    EXPECT_TRUE(link.pollTimer().isActive());
}

TEST_F(LinkTransport, BlockUploadShowsProgressBeforeEachByte) {
    EdidImage image;
    image.fill(0x11);
    const BusyGuard::Operation operation = link.tryBeginOperation();
    ASSERT_TRUE(UploadEdidImage(link, image, operation, [] {}));

    const auto& shown = reporter.texts[StatusLabel::Upload];
    ASSERT_EQ(shown.size(), 256u);
    EXPECT_EQ(shown[0], "1%");
    EXPECT_EQ(shown[2], "1%");
    EXPECT_EQ(shown[3], "2%");
    EXPECT_EQ(shown[127], "50%");
    EXPECT_EQ(shown[128], "51%");
    EXPECT_EQ(shown[255], "100%");
    EXPECT_EQ(reporter.texts[StatusLabel::CreatorUpload], shown);
    EXPECT_EQ(reporter.colours[StatusLabel::Upload], Colour::Black);
    EXPECT_TRUE(link.state().LinkFlags & LinkFlag::LinkAlive);
}

TEST_F(LinkTransport, ModelNameAnswerTurnsTheLedGreen) {
    link.sendRead(Api_Model_Name, 5);
    deliver(Frame({0xA1, 0x00, 0x01, 'A', 'B', 'C', 'D', 0x00}));
    EXPECT_TRUE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    link.dispatch();
    EXPECT_EQ(view.led, Colour::Green);
    EXPECT_EQ(view.modelName, "ABCD");
    EXPECT_EQ(link.state().RxFill, 0u);
    EXPECT_EQ(link.state().LastRequestType, 0u);
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    EXPECT_TRUE(link.pollTimer().isActive());
    EXPECT_TRUE(link.lastResponseAcknowledged());
    // The payload stays for the handler that waits after its request.
    EXPECT_EQ(rx(3, 4), "ABCD");
    // The log gets the received text up to its first zero byte, here the type's high byte.
    EXPECT_EQ(reporter.log, "\xA1");
}

TEST_F(LinkTransport, ManufacturerAnswerIsStoredNotShown) {
    link.sendRead(Api_Manufac_Id, 3);
    deliver(Frame({0xA1, 0x00, 0x09, 'A', 'B', 'C', 'D', 0x00}));
    link.dispatch();
    const auto& id = link.state().DeviceManufacId;
    EXPECT_EQ(std::string(id.begin(), id.end()), "ABC");
    EXPECT_EQ(view.modelName, "Not Found.");
    EXPECT_EQ(view.led, Colour::Grey);
}

TEST_F(LinkTransport, PresentedEdidAnswerChecksItsButton) {
    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01, 0x02}));
    link.dispatch();
    EXPECT_EQ(view.presented, PresentedEdid::External);
    EXPECT_TRUE(link.state().LinkFlags & LinkFlag::LinkAlive);

    link.state().LinkFlags = 0;
    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01, 0x01}));
    link.dispatch();
    EXPECT_EQ(view.presented, PresentedEdid::External) << "an unknown value changes nothing";
    EXPECT_TRUE(link.state().LinkFlags & LinkFlag::LinkAlive) << "but is a sign of life";
}

TEST_F(LinkTransport, AnswerToAnotherRequestIsLoggedDroppedAndTheRequestStillAwaited) {
    link.sendRead(Api_Fw_Version, 4);
    // The model name's late answer: long enough to complete the version request.
    deliver(Frame({0xA1, 0x00, 0x01, 'E', 'M', '-', '0', '1'}));
    EXPECT_NE(reporter.log.find("Unexpected Answer 00 01 Dropped.\r\n"), std::string::npos);
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    EXPECT_EQ(link.state().RxFill, 0u);
    EXPECT_EQ(link.state().RxBuffer[0], 0) << "no acknowledge left for a waiting handler";
    EXPECT_EQ(link.state().LastRequestType, Api_Fw_Version);

    deliver(Frame({0xA1, 0x00, 0x02, '1', '.', '2', '3'}));
    link.dispatch();
    EXPECT_EQ(view.firmwareVersion, "Current Version : v1.23");
    EXPECT_TRUE(link.lastResponseAcknowledged());
}

TEST_F(LinkTransport, StrayAnswerSplitOverTicksIsSkippedUpToTheAwaitedOne) {
    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x00, 0x02, '1'}));
    // The stray's rest, then the awaited answer, in one tick.
    deliver(Frame({'.', '2', '3', 0xA1, 0x01, 0x01, 0x02}));
    EXPECT_EQ(rx(0, 4), "\xA1\x01\x01\x02");
    ASSERT_TRUE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    link.dispatch();
    EXPECT_EQ(view.presented, PresentedEdid::External);

    // A write's answer may carry the write bit, as its request does.
    link.sendWrite(Api_Edid_Select, 0);
    deliver(Frame({0xA1, 0x81, 0x08, 0x00}));
    EXPECT_TRUE(link.awaitAck(2));
}

TEST_F(LinkTransport, ResponseWithoutAcknowledgeIsDropped) {
    link.sendRead(Api_Model_Name, 5);
    deliver(Frame({0x00, 0x00, 0x01, 'A', 'B', 'C', 'D', 0x00}));
    link.dispatch();
    EXPECT_EQ(view.modelName, "Not Found.");
    EXPECT_FALSE(link.pollTimer().isActive());
    EXPECT_EQ(link.state().RxFill, 0u);
    EXPECT_EQ(link.state().LastRequestType, 0u);
    EXPECT_FALSE(link.lastResponseAcknowledged());
}

TEST_F(LinkTransport, CompletionCountsHeadAndPayloadBytes) {
    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01}));
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    deliver(Frame({0x00}));
    EXPECT_TRUE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    link.dispatch();

    link.sendRead(Api_Edid_Block0, 128);
    deliver(QByteArray(130, 'x'));
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    deliver(QByteArray(1, 'x'));
    EXPECT_TRUE(link.state().LinkFlags & LinkFlag::ResponseComplete);
}

TEST_F(LinkTransport, ResponseSplitOverTwoTicksStaysWhole) {
    link.sendRead(Api_Model_Name, 5);
    deliver(Frame({0xA1, 0x00, 0x01, 'M'}));
    EXPECT_EQ(link.state().RxFill, 4u);
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    deliver(Frame({'N', 'O', 'P', 0x00}));
    EXPECT_EQ(link.state().RxFill, 8u);
    EXPECT_EQ(rx(3, 4), "MNOP");
    EXPECT_TRUE(link.state().LinkFlags & LinkFlag::ResponseComplete);
}

TEST_F(LinkTransport, OtherLinkModesCollectButNeverComplete) {
    link.state().LinkMode = 3;
    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01, 0x00, 0x22}));
    EXPECT_EQ(link.state().RxFill, 5u);
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete);
}

TEST_F(LinkTransport, FloodKeepsSixteenBytesAndEmptiesTheQueue) {
    link.sendRead(Api_Edid_Block0, 128);
    deliver(QByteArray(10, 'a'));
    ASSERT_EQ(link.state().RxFill, 10u);
    const std::string logBefore = reporter.log;

    QByteArray flood;
    for (int i = 0; i < 1200; ++i)
        flood.append(static_cast<char>('A' + i % 26));
    deliver(flood);
    EXPECT_EQ(rx(0, 16), flood.left(16).toStdString());
    EXPECT_EQ(link.state().RxFill, 10u);
    EXPECT_EQ(reporter.log, logBefore);
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete);
    expectOnlyNewBytesWaiting();
}

TEST_F(LinkTransport, ADiscardedFloodOrAClosedPortCompletesNothing) {
    // Bytes collected while the line carried another mode, then back on the framed one:
    // enough for the awaited answer, but they are not its answer.
    link.state().LinkMode = 3;
    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01, 0x00, 0x00}));
    link.state().LinkMode = FramedLinkMode;
    deliver(QByteArray(1200, 'z'));
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete) << "after the flood";
    line.close();
    link.receiveTick();
    EXPECT_FALSE(link.state().LinkFlags & LinkFlag::ResponseComplete) << "on the closed port";
}

TEST_F(LinkTransport, ChattyDeviceNeverWritesPastTheBuffer) {
    link.state().LinkMode = 3; // collect without completing
    link.sendRead(Api_Edid_Block0, 128);
    for (int round = 0; round < 3; ++round)
        deliver(QByteArray(600, 'z'));
    EXPECT_EQ(link.state().RxFill, RxCapacity);
    EXPECT_EQ(link.state().RxBuffer[RxCapacity], 0);
    expectOnlyNewBytesWaiting(); // the excess is discarded
}

TEST_F(LinkTransport, WaitForAckClearsTheBufferOnAcknowledge) {
    link.sendWrite(Api_Edid_Select, 0);
    pty.send(Frame({0xA1, 0x01, 0x08, 0x55})); // collected by a tick inside the wait
    link.rxTimer().setInterval(10);
    link.rxTimer().start();
    EXPECT_TRUE(link.awaitAck(200));
    EXPECT_EQ(link.state().RxFill, 0u);
    EXPECT_TRUE(std::all_of(link.state().RxBuffer.begin(), link.state().RxBuffer.end(),
                            [](std::uint8_t b) { return b == 0; }));
}

TEST_F(LinkTransport, WaitForAckTimesOutAndKeepsTheBuffer) {
    link.sendRead(Api_Model_Name, 5);
    deliver(Frame({0x22, 0x33}));
    EXPECT_FALSE(link.awaitAck(20));
    EXPECT_EQ(link.state().RxFill, 2u);
    EXPECT_EQ(rx(0, 2), "\x22\x33");
    EXPECT_FALSE(link.awaitAck(1)) << "one try times out at once";
}

TEST_F(LinkTransport, NotConnectedLinkNeitherPollsNorDisconnects) {
    link.pollTick();
    EXPECT_TRUE(sentByHost().isEmpty());
    // No search has opened a port yet: there is nothing to disconnect.
    view.modelName = "kept";
    link.disconnect();
    EXPECT_EQ(view.modelName, "kept");
    EXPECT_TRUE(link.portOpen());
}

// The search's log for one port.
std::string searchLog(const QString& path) {
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    link.setPortOverride({path});
    link.search();
    return reporter.log;
}

TEST(LinkSearch, PortWithoutPermissionSaysWhichGroupToJoin) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ttyLOCKED"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    file.setPermissions(QFileDevice::Permissions());
    const std::string expected =
        "Open " + path.toStdString() + " Failed.\r\nPermission denied: join group dialout.\r\n";
    if (geteuid() != 0) {
        EXPECT_EQ(searchLog(path), expected);
        return;
    }
    // Root may open anything: look as an unprivileged user, in a child process.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
        _exit(dropped && searchLog(path) == expected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(LinkSearch, PortHeldByAnotherProgramIsBusyNotForbidden) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    const std::unique_ptr<Line> holder = pty.openLine();
    ASSERT_TRUE(holder->isOpen());
    EXPECT_EQ(searchLog(pty.slavePath()),
              "Open " + pty.slavePath().toStdString() + " Failed.\r\nPort busy.\r\n");
}

TEST(LinkWaits, WaitHandlesEventsAndLastsAtLeastItsTime) {
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    bool ticked = false;
    QTimer::singleShot(5, [&] { ticked = true; });
    QElapsedTimer clock;
    clock.start();
    link.waitMs(40);
    EXPECT_GT(clock.nsecsElapsed(), 40'000'000);
    EXPECT_TRUE(ticked);
}

TEST(LinkWaits, ShutdownEndsEveryWaitAtOnce) {
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    QTimer::singleShot(20, &link, [&] { link.shutdown(); });
    QElapsedTimer clock;
    clock.start();
    link.waitMs(60000);
    EXPECT_LT(clock.elapsed(), 30000);
    clock.restart();
    link.waitMs(60000);
    EXPECT_LT(clock.elapsed(), 30000) << "later waits return at once too";
}

} // namespace
