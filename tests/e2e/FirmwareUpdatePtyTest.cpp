// The update's state machine against a pseudo-terminal the test plays the loader on:
// how the loader is confirmed and synchronised, and the receive buffer's bounds.
#include "DeviceLink.h"
#include "EventWait.h"
#include "FirmwareFiles.h"
#include "FirmwareUpdate.h"
#include "PtyPair.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

class UpdateOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        QSerialPort& port = link.comHandle();
        port.setPortName(pty.slavePath());
        ASSERT_TRUE(port.open(QIODevice::ReadWrite));
        link.state().LinkFlags |= LinkFlag::IspMode;
        ASSERT_TRUE(FirmwareFiles::write(path, FirmwareFiles::image(0x2000)));
    }

    // Runs the update while `loader` is called every few milliseconds with what the
    // program sent since the last call; the loader ends the run by closing the link.
    FirmwareUpdateResult run(const std::function<void(const QByteArray&)>& loader) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            const QByteArray sent = pty.received();
            hostSent += sent;
            loader(sent);
            const LinkState& state = link.state();
            boundsKept =
                boundsKept && state.RxFill <= RxCapacity && state.RxBuffer[RxCapacity] == 0;
        });
        poll.start(2);
        return updateFirmware(link, reporter, path, [] { return true; });
    }

    void stopWhenLogged(const std::string& text) {
        if (reporter.log.find(text) != std::string::npos)
            link.shutdown();
    }

    QTemporaryDir dir;
    std::string path = dir.filePath("fw.bin").toStdString();
    PtyPair pty;
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link{reporter, view};
    QByteArray hostSent;
    bool boundsKept = true;
};

TEST_F(UpdateOnPty, SixteenNonZeroBytesConfirmTheLoaderAtOnce) {
    pty.send(QByteArray("0123456789abcdef"));
    const auto result = run([&](const QByteArray&) { stopWhenLogged("Confirmed!"); });
    EXPECT_EQ(result, FirmwareUpdateResult::Failed) << "ended by the closing link";
    EXPECT_EQ(reporter.log.rfind("ISP Mode Check...\r\nISP Mode Confirmed!\r\n", 0), 0u)
        << reporter.log;
    EXPECT_EQ(link.state().LinkMode, FramedLinkMode);
}

TEST_F(UpdateOnPty, EightAndEightNonZeroBytesConfirmOnTheSecondCheck) {
    pty.send(QByteArray("ISP Load\0\0\0\0\0\0\0\0", 16));
    QElapsedTimer clock;
    clock.start();
    qint64 notConfirmedAt = -1;
    qint64 confirmedAt = -1;
    run([&](const QByteArray&) {
        if (notConfirmedAt < 0 && reporter.log.find("Not Confirmed") != std::string::npos)
            notConfirmedAt = clock.elapsed();
        if (confirmedAt < 0 && reporter.log.find("Confirmed!") != std::string::npos)
            confirmedAt = clock.elapsed();
        stopWhenLogged("Confirmed!");
    });
    EXPECT_EQ(reporter.log.rfind("ISP Mode Check...\r\nISP Mode Not Confirmed.\r\n"
                                 "ISP Mode Confirmed!\r\n",
                                 0),
              0u)
        << reporter.log;
    ASSERT_GE(notConfirmedAt, 0);
    // The second check follows the 200 ms pause.
    EXPECT_GE(confirmedAt - notConfirmedAt, 150);
}

TEST_F(UpdateOnPty, LoaderAnsweringTheFirstSyncIsIdentifiedNext) {
    pty.send(QByteArray(20, 'L'));
    run([&](const QByteArray& sent) {
        for (char byte : sent) {
            if (byte == '\x81')
                pty.send(QByteArray(1, '\x81'));
            if (byte == '\x87')
                pty.send(QByteArray("\x87\x04TEST\0", 7));
        }
        if (hostSent.contains('\x83'))
            link.shutdown();
    });
    EXPECT_EQ(hostSent.left(4), QByteArray("\x81\x87\x83\x00", 4));
    EXPECT_EQ(reporter.log, "ISP Mode Check...\r\nISP Mode Confirmed!\r\nTEST\r\n");
}

TEST_F(UpdateOnPty, FloodKeepsSixteenBytesAndTheBufferStaysInBounds) {
    // More than 1024 bytes at the first pass: 16 are kept, and they confirm the loader.
    pty.send(QByteArray(1200, 'F'));
    int bursts = 0;
    run([&](const QByteArray&) {
        // The loader then chatters without ever answering the synchronisation.
        if (link.state().LinkMode == 1 && bursts < 20) {
            pty.send(QByteArray(700, 'C'));
            ++bursts;
        }
        if (bursts == 20)
            link.shutdown();
    });
    EXPECT_EQ(reporter.log.rfind("ISP Mode Check...\r\nISP Mode Confirmed!\r\n", 0), 0u);
    EXPECT_TRUE(boundsKept);
    EXPECT_EQ(bursts, 20);
}

} // namespace
