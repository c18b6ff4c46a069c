// The link over a line the test plays the device on: frames, pacing, the dispatch of
// answers, the waits and a lost line, seen from outside; and the search against ports
// that refuse to open or answer as another maker's box.
#include "ApiTypes.h"
#include "DeviceLink.h"
#include "EdidTestFiles.h"
#include "EdidUpload.h"
#include "EventWait.h"
#include "PtyPair.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"
#include "ScriptedLine.h"

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
    // Device bytes arrive; the link's receive tick takes them.
    void deliver(const QByteArray& answer) {
        line.feed(answer);
        ASSERT_TRUE(waitUntil([&] { return line.bytesWaiting() == 0; }));
    }

    // The link took the answer to its last request.
    void awaitTaken() {
        ASSERT_TRUE(waitUntil([&] { return link.report().awaiting == 0; }));
    }

    RecordingReporter reporter;
    RecordingLinkView view;
    std::unique_ptr<ScriptedLine> opened = std::make_unique<ScriptedLine>();
    ScriptedLine& line = *opened;
    DeviceLink link{reporter, view, std::move(opened)};
};

TEST_F(LinkTransport, ReadRequestIsTheHeaderAlone) {
    link.sendRead(Api_Manufac_Id, 3);
    EXPECT_EQ(line.writes(), QList<QByteArray>{Frame({0x00, 0x09, 0x03, 0x0D})});
    EXPECT_EQ(link.report().awaiting, Api_Manufac_Id);
    EXPECT_FALSE(link.report().polling);
}

TEST_F(LinkTransport, WriteSendsDataBytesAloneAndPaced) {
    const std::uint8_t data[3] = {0x55, 0x01, 0x02};
    link.sendWrite(Api_Edid_Select, 3, data);
    EXPECT_EQ(line.written(), Frame({0x81, 0x08, 0x03, 0x0D, 0x55, 0x01, 0x02}));

    const auto& journal = link.journal().entries();
    ASSERT_EQ(journal.size(), 4u);
    EXPECT_EQ(journal[0].bytes.size(), 4);
    for (std::size_t i = 1; i < journal.size(); ++i)
        EXPECT_EQ(journal[i].bytes.size(), 1);
    EXPECT_GT(journal[1].nsecs - journal[0].nsecs, 50'000'000);
    EXPECT_GT(journal[2].nsecs - journal[1].nsecs, 1'000'000);
    EXPECT_GT(journal[3].nsecs - journal[2].nsecs, 1'000'000);
    // The end of a write's data restarts the status poll.
    EXPECT_TRUE(link.report().polling);
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
    EXPECT_TRUE(link.report().alive);
}

TEST_F(LinkTransport, ModelNameAnswerTurnsTheLedGreen) {
    link.sendRead(Api_Model_Name, 5);
    deliver(Frame({0xA1, 0x00, 0x01, 'A', 'B', 'C', 'D', 0x00}));
    awaitTaken();
    EXPECT_EQ(view.led, Colour::Green);
    EXPECT_EQ(view.modelName, "ABCD");
    EXPECT_TRUE(link.report().polling);
    EXPECT_TRUE(link.lastResponseAcknowledged());
    // The log gets the received text up to its first zero byte, here the type's high byte.
    EXPECT_EQ(reporter.log, "\xA1");
}

TEST_F(LinkTransport, BlockReadHandsOutItsBlockOnceTheAnswerWasTaken) {
    QByteArray block;
    for (int i = 0; i < 128; ++i)
        block.append(static_cast<char>(i + 1));
    line.answerWith([&](const QByteArray& request) {
        return request == Frame({0x01, 0x05, 0x80, 0x0D}) ? Frame({0xA1, 0x01, 0x05}) + block
                                                          : QByteArray();
    });
    const DeviceBlock answered = link.readBlock(Api_Edid_Block0, 300);
    EXPECT_EQ(link.report().awaiting, 0u) << "taken within the wait";
    EXPECT_TRUE(answered.answered());
    const DeviceBlock::Bytes bytes = answered.bytes();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), 128), block);

    // Block 1 is not answered: the read hands out the zeros it starts from.
    const DeviceBlock missing = link.readBlock(Api_Edid_Block1, 300);
    EXPECT_FALSE(missing.answered());
    const DeviceBlock::Bytes zeros = missing.bytes();
    EXPECT_TRUE(std::all_of(zeros.begin(), zeros.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(LinkTransport, PresentedEdidAnswerChecksItsButton) {
    EXPECT_FALSE(link.report().alive);
    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01, 0x01}));
    awaitTaken();
    EXPECT_FALSE(view.presented) << "an unknown value changes nothing";
    EXPECT_TRUE(link.report().alive) << "but is a sign of life";

    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01, 0x02}));
    awaitTaken();
    EXPECT_EQ(view.presented, PresentedEdid::External);

    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x01, 0x01, 0x01}));
    awaitTaken();
    EXPECT_EQ(view.presented, PresentedEdid::External) << "an unknown value changes nothing";
}

TEST_F(LinkTransport, AnswerToAnotherRequestIsLoggedDroppedAndTheRequestStillAwaited) {
    link.sendRead(Api_Fw_Version, 4);
    // The model name's late answer: long enough to complete the version request.
    deliver(Frame({0xA1, 0x00, 0x01, 'E', 'M', '-', '0', '1'}));
    EXPECT_NE(reporter.log.find("Unexpected Answer 00 01 Dropped.\r\n"), std::string::npos);
    EXPECT_EQ(link.report().awaiting, Api_Fw_Version);
    EXPECT_FALSE(link.awaitAck(2)) << "no acknowledge left for a waiting handler";

    deliver(Frame({0xA1, 0x00, 0x02, '1', '.', '2', '3'}));
    awaitTaken();
    EXPECT_EQ(view.firmwareVersion, "Current Version : v1.23");
    EXPECT_TRUE(link.lastResponseAcknowledged());
}

TEST_F(LinkTransport, StrayAnswerSplitOverTicksIsSkippedUpToTheAwaitedOne) {
    link.sendRead(Api_Edid_Mode, 1);
    deliver(Frame({0xA1, 0x00, 0x02, '1'}));
    // The stray's rest, then the awaited answer, in one tick.
    deliver(Frame({'.', '2', '3', 0xA1, 0x01, 0x01, 0x02}));
    awaitTaken();
    EXPECT_EQ(view.presented, PresentedEdid::External);

    // A write's answer may carry the write bit, as its request does.
    link.sendWrite(Api_Edid_Select, 0);
    deliver(Frame({0xA1, 0x81, 0x08, 0x00}));
    EXPECT_TRUE(link.awaitAck(2));
}

TEST_F(LinkTransport, ResponseWithoutAcknowledgeIsDropped) {
    link.sendRead(Api_Model_Name, 5);
    deliver(Frame({0x00, 0x00, 0x01, 'A', 'B', 'C', 'D', 0x00}));
    awaitTaken();
    EXPECT_EQ(view.modelName, "Not Found.");
    EXPECT_FALSE(link.report().polling);
    EXPECT_FALSE(link.lastResponseAcknowledged());
}

TEST_F(LinkTransport, ResponseSplitOverTwoTicksStaysWhole) {
    link.sendRead(Api_Model_Name, 5);
    deliver(Frame({0xA1, 0x00, 0x01, 'M'}));
    EXPECT_EQ(link.report().awaiting, Api_Model_Name);
    deliver(Frame({'N', 'O', 'P', 0x00}));
    awaitTaken();
    EXPECT_EQ(view.modelName, "MNOP");
}

TEST_F(LinkTransport, WaitForAckClearsTheBufferOnAcknowledge) {
    link.sendWrite(Api_Edid_Select, 0);
    line.feed(Frame({0xA1, 0x01, 0x08, 0x55})); // collected by a tick inside the wait
    EXPECT_TRUE(link.awaitAck(200));
    EXPECT_FALSE(link.awaitAck(2)) << "the acknowledge went with the bytes";
}

TEST_F(LinkTransport, WaitForAckTimesOutAndKeepsTheBuffer) {
    link.sendRead(Api_Model_Name, 5);
    deliver(Frame({0x22, 0x33}));
    EXPECT_FALSE(link.awaitAck(20));
    EXPECT_FALSE(link.awaitAck(1)) << "one try times out at once";
    // The two bytes kept: six more complete the eight of the answer.
    deliver(QByteArray(6, 'x'));
    awaitTaken();
    EXPECT_FALSE(link.lastResponseAcknowledged());
}

TEST_F(LinkTransport, NotConnectedLinkNeitherPollsNorDisconnects) {
    link.nameTimers(QStringLiteral("receive"), QStringLiteral("poll"));
    // The end of a write's data starts the status poll's timer.
    const std::uint8_t data = 0x55;
    link.sendWrite(Api_Edid_Select, 1, &data);
    const qsizetype written = line.writes().size();
    ASSERT_TRUE(link.report().polling);
    ASSERT_TRUE(waitForTicks(*link.findChild<QTimer*>(QStringLiteral("poll")), 1));
    EXPECT_EQ(line.writes().size(), written);
    // No search has opened a port yet: there is nothing to disconnect.
    view.modelName = "kept";
    link.disconnect();
    EXPECT_EQ(view.modelName, "kept");
    EXPECT_TRUE(link.portOpen());
}

TEST_F(LinkTransport, ALostLineIsClosedAndTheOperationHoldingItToldOnce) {
    const BusyGuard::Operation operation = link.tryBeginOperation();
    int told = 0;
    {
        const LineSession session = link.takeLine(operation, [&] { ++told; });
        line.lose();
        line.lose();
        ASSERT_TRUE(waitUntil([&] { return !link.portOpen(); }));
        line.lose();
    }
    EXPECT_EQ(told, 1);
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

TEST(LinkSearch, ManufacturerAnswerIsStoredNotShown) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    link.setPortOverride({pty.slavePath()});
    // The box answers the probe with one byte more than the three asked for.
    QByteArray sent;
    RunWhen answer(
        [&] {
            sent += pty.received();
            return sent == Frame({0x00, 0x09, 0x03, 0x0D});
        },
        [&] {
            pty.send(Frame({0xA1, 0x00, 0x09, 'A', 'B', 'C', 'D', 0x00}));
        });
    link.search();
    EXPECT_TRUE(answer.ran());
    EXPECT_NE(reporter.log.find("Got One Device!\r\nManufac: ABC\r\n"), std::string::npos)
        << reporter.log;
    EXPECT_EQ(view.modelName, "Not Found.");
    EXPECT_EQ(view.led, Colour::Grey);
    EXPECT_EQ(link.connection(), Connection::NotConnected);
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
