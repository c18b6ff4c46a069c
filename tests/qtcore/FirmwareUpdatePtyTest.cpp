// The update's state machine against a pseudo-terminal the test plays the loader on:
// how the loader is confirmed and synchronised, and the receive buffer's bounds.
#include "DeviceLink.h"
#include "EventWait.h"
#include "FirmwareFiles.h"
#include "FirmwareUpdate.h"
#include "PtyPair.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"
#include "TestBytes.h"
#include "TestText.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

using TestText::contains;
using TestText::occurrences;

class UpdateOnPty : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pty.ok());
        ASSERT_TRUE(TestBytes::writeFile(path, FirmwareFiles::image(0x2000)));
        // A search finds the loader the test plays: it answers no request and streams
        // its text.
        link.setPortOverride({pty.slavePath()});
        RunWhen stream([&] { return contains(reporter.log, "No Device Detected."); },
                       [&] { pty.send(QByteArray(16, 'L')); });
        link.search();
        ASSERT_TRUE(link.ispMode());
        ASSERT_EQ(link.ispVariant(), 0);
        pty.received(); // the search's probe
    }

    // Runs the update while `loader` is called every few milliseconds with what the
    // program sent since the last call; the loader ends the run by closing the link.
    FirmwareUpdateResult run(const std::function<void(const QByteArray&)>& loader) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            const QByteArray sent = pty.received();
            hostSent += sent;
            loader(sent);
        });
        poll.start(2);
        return updateFirmware(link, reporter, path, [] { return true; });
    }

    void stopWhenLogged(const std::string& text) {
        if (contains(reporter.log, text))
            link.shutdown();
    }

    QTemporaryDir dir;
    std::string path = dir.filePath("fw.bin").toStdString();
    PtyPair pty;
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link{reporter, view};
    QByteArray hostSent;
};

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
        // The loader then chatters without ever answering the synchronisation: the
        // update's buffer fills up to its end (the receive rule keeps it there).
        if (contains(reporter.log, "ISP Mode Confirmed!") && bursts < 20) {
            pty.send(QByteArray(700, 'C'));
            ++bursts;
        }
        if (bursts == 20)
            link.shutdown();
    });
    EXPECT_EQ(reporter.log.rfind("ISP Mode Check...\r\nISP Mode Confirmed!\r\n", 0), 0u);
    EXPECT_EQ(bursts, 20);
}

// A loader played by the test: it keeps the last block written and answers each read-back
// with it, inverting block bytes 0, 1 and 511 and the first `wrongInner` of bytes 2..510.
class FakeLoader {
public:
    FakeLoader(PtyPair& pty, int wrongInner) : pty_(pty), wrongInner_(wrongInner) {}

    void take(const QByteArray& sent) {
        pending_ += sent;
        for (;;) {
            if (pending_.isEmpty())
                return;
            const auto code = static_cast<unsigned char>(pending_[0]);
            const qsizetype length = code == 0x83 ? 2 : code == 0x84 ? 3 : code == 0x86 ? 513 : 1;
            if (pending_.size() < length)
                return;
            if (code == 0x81)
                pty_.send(QByteArray(1, '\x81'));
            if (code == 0x87)
                pty_.send(QByteArray("\x87\x01X\0", 4));
            if (code == 0x86)
                block_ = pending_.mid(1, 512);
            if (code == 0x85)
                readBack();
            pending_.remove(0, length);
        }
    }
    int readBacks = 0;

private:
    void readBack() {
        QByteArray answer = QByteArray("\x85\x00", 2) + block_;
        for (int i : {0, 1, 511})
            answer[2 + i] = static_cast<char>(~answer[2 + i]);
        for (int i = 2; i < 2 + wrongInner_; ++i)
            answer[2 + i] = static_cast<char>(~answer[2 + i]);
        pty_.send(answer);
        ++readBacks;
    }

    PtyPair& pty_;
    int wrongInner_;
    QByteArray pending_;
    QByteArray block_;
};

// 420 of the 509 compared bytes must match; bytes 0, 1 and 511 are not compared.
TEST_F(UpdateOnPty, ReadBackWithEightyNineWrongBytesIsAccepted) {
    pty.send(QByteArray(20, 'L'));
    FakeLoader loader(pty, 89);
    run([&](const QByteArray& sent) {
        loader.take(sent);
        if (loader.readBacks == 3)
            link.shutdown();
    });
    EXPECT_EQ(occurrences(reporter.log, "ROM: Bank0, Addr "), 2 * 89) << "two compared so far";
    EXPECT_EQ(occurrences(reporter.log, "Verify Error!"), 0);
    EXPECT_EQ(occurrences(reporter.log, "Addr 0:"), 0);
    EXPECT_EQ(occurrences(reporter.log, "Addr 511:"), 0);
    const std::uint8_t byte2 = FirmwareFiles::image(0x2000)[2];
    const std::string first = "\r\nROM: Bank0, Addr 2: " + std::to_string(byte2) +
                              " != " + std::to_string(byte2 ^ 0xFF) + "\r\n";
    EXPECT_NE(reporter.log.find(first), std::string::npos) << reporter.log;
    EXPECT_TRUE(hostSent.contains(QByteArray("\x84\x02\x00", 3))) << "on to the next block";
}

TEST_F(UpdateOnPty, ReadBackWithNinetyWrongBytesWritesTheBlockAgain) {
    pty.send(QByteArray(20, 'L'));
    FakeLoader loader(pty, 90);
    run([&](const QByteArray& sent) {
        loader.take(sent);
        if (loader.readBacks == 3)
            link.shutdown();
    });
    EXPECT_EQ(occurrences(reporter.log, "Verify Error! Try Again.\r\n"), 2);
    EXPECT_FALSE(hostSent.contains(QByteArray("\x84\x02\x00", 3)));
    EXPECT_EQ(hostSent.count(QByteArray("\x84\x00\x00", 3)), 3);
}

} // namespace
