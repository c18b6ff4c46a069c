// The whole program offscreen against devsim on a pseudo-terminal: search, connection,
// polling, the watchdog, ISP mode and the busy guard.
#include "ApiTypes.h"
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "ProcessCpu.h"
#include "Reporter.h"
#include "ScriptedPrompts.h"
#include "TestText.h"
#include "TestWindow.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using EdidTestFiles::Frame;

const QByteArray Probe = Frame({0x00, 0x09, 0x03, 0x0D});
const QByteArray StatusPoll = Frame({0x01, 0x01, 0x01, 0x0D});

using TestText::contains;

void expectStartState(TestWindow& window) {
    EXPECT_EQ(window.led(), 0x808080u);
    EXPECT_EQ(window.text("Label_Model_Name"), "Not Found.");
    EXPECT_TRUE(window.enabled("BitBtn_Search"));
    for (const char* name : DeviceControlNames)
        EXPECT_FALSE(window.enabled(name)) << name;
    EXPECT_EQ(window.control<QGroupBox>("GroupBox4")->height(), 52);
    EXPECT_EQ(window.link().connection(), Connection::NotConnected);
}

void expectConnected(TestWindow& window) {
    EXPECT_EQ(window.led(), 0x008000u);
    EXPECT_FALSE(window.enabled("BitBtn_Search"));
    for (const char* name : DeviceControlNames)
        EXPECT_TRUE(window.enabled(name)) << name;
    EXPECT_EQ(window.link().connection(), Connection::Connected);
}

TEST(LinkE2E, ProbeAndWriteFramesGoOutExactlyAndPaced) {
    DevsimProcess device;
    ASSERT_FALSE(device.path().isEmpty());
    TestWindow window({device.path()});
    window.search();
    ASSERT_EQ(window.link().connection(), Connection::Connected);
    EXPECT_TRUE(device.sentStream().startsWith(Probe + Frame({0x00, 0x01, 0x05, 0x0D})));

    {
        BusyGuard::Operation operation = window.link().tryBeginOperation();
        ASSERT_TRUE(operation);
        const std::uint8_t stored = 0x55;
        window.link().journal().clear();
        window.link().sendWrite(Api_Edid_Select, 1, &stored);
        EXPECT_TRUE(window.link().awaitAck(20));
        const auto& journal = window.link().journal().entries();
        ASSERT_EQ(journal.size(), 2u);
        EXPECT_EQ(journal[0].bytes, Frame({0x81, 0x08, 0x01, 0x0D}));
        EXPECT_EQ(journal[1].bytes, Frame({0x55}));
        EXPECT_GT(journal[1].nsecs - journal[0].nsecs, 50'000'000);
    }
    ASSERT_TRUE(waitUntil([&] { return device.requests().back() == Frame({0x55}); }));
    EXPECT_TRUE(device.sentStream().endsWith(Frame({0x81, 0x08, 0x01, 0x0D, 0x55})));
}

TEST(LinkE2E, SearchConnectsAndShowsTheDevice) {
    DevsimProcess device({"--model", "AB-12", "--version", "4.56", "--mode", "2"});
    TestWindow window({device.path()});
    expectStartState(window);
    window.search();
    expectConnected(window);
    EXPECT_EQ(window.text("Label_Model_Name"), "AB-12");
    EXPECT_EQ(window.text("Label_FW_Version"), "Current Version : v4.56");
    ASSERT_TRUE(waitUntil(
        [&] { return window.control<QRadioButton>("RadioButton_Set_ExtEdid")->isChecked(); }));
    EXPECT_TRUE(contains(window.log(), "Check " + device.path().toStdString() + "\r\n"));
    EXPECT_TRUE(contains(window.log(), "Got One Device!\r\nManufac: VRN\r\n"));
    EXPECT_EQ(window.control<QWidget>("BitBtn_Search")->cursor().shape(), Qt::ArrowCursor);

    // About one status poll a second, each answered before the next goes out.
    const int before = device.countRequests(StatusPoll);
    ASSERT_TRUE(waitUntil([&] { return device.countRequests(StatusPoll) >= before + 3; }, 30000));
    const QByteArray pollAnswer = Frame({0xA1, 0x01, 0x01});
    long lastPoll = -1;
    bool awaitingAnswer = false;
    int unanswered = 0;
    for (const DevsimProcess::TraceLine& line : device.trace()) {
        if (line.fromHost && line.bytes.startsWith(StatusPoll)) {
            unanswered += awaitingAnswer ? 1 : 0;
            // The poll's timer (1 s, which may fire a little early) starts at the answer.
            if (lastPoll >= 0) {
                EXPECT_GE(line.ms - lastPoll, 900);
            }
            lastPoll = line.ms;
            awaitingAnswer = true;
        } else if (!line.fromHost && line.bytes.startsWith(pollAnswer)) {
            awaitingAnswer = false;
        }
    }
    EXPECT_EQ(unanswered, 0);
    expectConnected(window);
}

TEST(LinkE2E, WatchdogDisconnectsADeviceThatStopsAnswering) {
    DevsimProcess device({"--ignore-type", "0x0101"});
    TestWindow window({device.path()});
    window.search();
    expectConnected(window);
    ASSERT_TRUE(waitUntil([&] { return window.enabled("BitBtn_Search"); }, 15000));
    expectStartState(window);
    EXPECT_EQ(window.text("Label_FW_Version"), "Current Version :");

    // Usable again: the next search connects.
    window.search();
    expectConnected(window);
}

TEST(LinkE2E, WatchdogDisconnectsWhenTheLineDrops) {
    DevsimProcess device({"--drop-after", "5"});
    TestWindow window({device.path()});
    window.search();
    expectConnected(window);
    ASSERT_TRUE(waitUntil([&] { return window.enabled("BitBtn_Search"); }, 15000));
    expectStartState(window);
}

TEST(LinkE2E, OtherManufacturerIsSkippedAndTheNextPortWins) {
    DevsimProcess other({"--manufacturer", "ABC"});
    DevsimProcess device;
    TestWindow window({other.path(), device.path()});
    window.search();
    expectConnected(window);
    EXPECT_TRUE(contains(window.log(), "Got One Device!\r\nManufac: ABC\r\n"));
    EXPECT_TRUE(contains(window.log(), "Check " + device.path().toStdString()));
    EXPECT_EQ(device.requests().front(), Probe);
}

TEST(LinkE2E, LateAnswerIsNoDeviceAndTheNextPortWins) {
    DevsimProcess late({"--delay-ms", "600"});
    DevsimProcess device;
    TestWindow window({late.path(), device.path()});
    window.search();
    expectConnected(window);
    const std::string log = window.log();
    const auto noDevice = log.find("No Device Detected.");
    ASSERT_NE(noDevice, std::string::npos);
    EXPECT_LT(noDevice, log.find("Check " + device.path().toStdString()));
    // The late port's "VRN" must not vouch for a port that never acknowledged.
    EXPECT_EQ(log.find("Manufac: VRN"), log.rfind("Manufac: VRN"));
}

TEST(LinkE2E, UnopenablePortIsLoggedAndSkipped) {
    DevsimProcess device;
    const QString missing = QStringLiteral("/nonexistent/ttyNONE");
    TestWindow window({missing, device.path()});
    window.search();
    expectConnected(window);
    EXPECT_TRUE(contains(window.log(), "Open /nonexistent/ttyNONE Failed.\r\n"));
    EXPECT_FALSE(contains(window.log(), "Permission denied"));
    EXPECT_TRUE(window.prompts().errors.empty());
}

TEST(LinkE2E, StreamingLoaderIsIspMode) {
    for (const bool banner : {false, true}) {
        SCOPED_TRACE(banner ? "with KQB707" : "plain loader");
        QStringList options{"--isp"};
        if (banner)
            options << "--banner";
        DevsimProcess loader(options);
        TestWindow window({loader.path()});
        // What an earlier update left in the firmware label.
        window.form().reporter().setStatusText(StatusLabel::Firmware, "Update Fw Failed.");
        window.search();
        EXPECT_EQ(window.led(), 0x0000FFu);
        EXPECT_EQ(window.text("Label_Model_Name"), "ISP Mode.");
        EXPECT_EQ(window.text("Label_FW_Version").left(17), "Target Version : ");
        EXPECT_EQ(window.text("Label1"), "0%");
        EXPECT_EQ(window.control<QGroupBox>("GroupBox4")->height(), 132);
        EXPECT_FALSE(window.enabled("BitBtn_Search"));
        EXPECT_TRUE(window.enabled("BitBtn_Disconnect"));
        for (const char* name : DeviceControlNames) {
            if (std::string(name) != "BitBtn_Disconnect") {
                EXPECT_FALSE(window.enabled(name)) << name;
            }
        }
        EXPECT_TRUE(window.link().ispMode());
        EXPECT_EQ(window.link().ispVariant(), banner ? 1 : 0);
        EXPECT_EQ(window.link().connection(), Connection::Isp);
        EXPECT_TRUE(contains(window.log(), "No Device Detected.\r\n"));

        // Held by ISP mode, the watchdog leaves it alone: more receive ticks than it counts
        // before a disconnect.
        ASSERT_TRUE(waitForTicks(*window.control<QTimer>("Timer_UART_Rx"), 35));
        EXPECT_EQ(window.link().connection(), Connection::Isp);

        window.click("BitBtn_Disconnect");
        expectStartState(window);
        EXPECT_FALSE(window.link().ispMode());
    }
}

TEST(LinkE2E, NineBytesThenZeroIsNotIspMode) {
    DevsimProcess device({"--stream-nonzero-then-zero"});
    TestWindow window({device.path()});
    window.search();
    expectStartState(window);
    EXPECT_TRUE(contains(window.log(), "No Device Detected.\r\n"));
}

TEST(LinkE2E, FloodIsSurvivedAndTheNextPortWins) {
    DevsimProcess flood({"--flood"});
    DevsimProcess device;
    TestWindow window({flood.path(), device.path()});
    window.search();
    EXPECT_TRUE(contains(window.log(), "No Device Detected.\r\n"));
    expectConnected(window);
}

TEST(LinkE2E, SecondSearchInsideTheFirstIsRefused) {
    DevsimProcess late({"--delay-ms", "600"});
    DevsimProcess device;
    TestWindow window({late.path(), device.path()});
    const std::string check = "Check " + late.path().toStdString();
    // Pressed again while the first search waits for the late port's answer.
    RunWhen second([&] { return contains(window.log(), check); },
                   [&] { window.click("BitBtn_Search"); });
    window.search();
    EXPECT_TRUE(second.ran());
    expectConnected(window);
    EXPECT_EQ(window.log().find(check), window.log().rfind(check)) << "probed once only";
}

TEST(LinkE2E, DisconnectDuringAnOperationCancelsItAndThePollWaits) {
    DevsimProcess device;
    TestWindow window({device.path()});
    window.search();
    expectConnected(window);
    DeviceLink& link = window.link();
    BusyGuard::Operation operation = link.tryBeginOperation();
    ASSERT_TRUE(operation);

    // While an operation owns the line the status poll sends nothing, however often its
    // timer fires.
    const int polls = writesOf(link, StatusPoll);
    ASSERT_TRUE(waitForTicks(*window.control<QTimer>("Timer_Poll_Status"), 2));
    EXPECT_EQ(writesOf(link, StatusPoll), polls);
    EXPECT_FALSE(operation.cancelled());

    // Disconnect is never refused; the operation learns its port is gone.
    window.click("BitBtn_Disconnect");
    expectStartState(window);
    EXPECT_TRUE(operation.cancelled());
    const auto sent = device.requests().size();
    const auto written = link.journal().entries().size();
    link.sendRead(Api_Model_Name, 5);
    EXPECT_EQ(link.journal().entries().size(), written) << "nothing goes out on a closed port";
    EXPECT_EQ(device.requests().size(), sent);
}

TEST(LinkE2E, ClosingTheWindowMidSearchEndsItCleanly) {
    DevsimProcess late({"--delay-ms", "2000"});
    auto window = std::make_unique<TestWindow>(QStringList{late.path()});
    // Closed while the search waits for the port's late answer.
    RunWhen close([&] { return contains(window->log(), "Check "); },
                  [&] { window->form().close(); });
    QElapsedTimer clock;
    clock.start();
    window->search();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(window->link().isShutDown());
    EXPECT_TRUE(close.ran());
    window.reset();
}

TEST(LinkE2E, AHungUpLineIsClosedAtOnceAndSpinsNothing) {
    for (const bool isp : {false, true}) {
        SCOPED_TRACE(isp ? "ISP mode" : "connected");
        DevsimProcess device(isp ? QStringList{"--isp"} : QStringList{});
        TestWindow window({device.path()});
        window.search();
        ASSERT_EQ(window.link().connection(), isp ? Connection::Isp : Connection::Connected);

        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = cpuMs();
        device.kill();
        ASSERT_TRUE(waitUntil([&] { return !window.link().portOpen(); }));
        // Connected, the port is closed at once and the watchdog then disconnects the
        // silent line; in ISP mode, which holds the watchdog, the hang-up is a disconnect.
        EXPECT_EQ(window.link().connection(),
                  isp ? Connection::NotConnected : Connection::Connected);
        if (!isp) {
            ASSERT_TRUE(waitUntil([&] { return window.enabled("BitBtn_Search"); }, 15000));
        }
        expectStartState(window);
        ASSERT_TRUE(waitForTicks(*window.control<QTimer>("Timer_UART_Rx"), 10));
        // A line read in a loop takes well over half a core; an idle window a few percent.
        EXPECT_LT(cpuMs() - cpuBefore, wall.elapsed() * 0.25);
    }
}

} // namespace
