// The firmware group of the window against devsim's loader: choosing the image, the
// whole update with and without verification, retries and failures, the other loader
// variant, and the window staying usable while the update runs.
#include "Colour.h"
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "EventWait.h"
#include "FirmwareFiles.h"
#include "ScriptedPrompts.h"
#include "TestBytes.h"
#include "TestText.h"
#include "TestWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

const QColor Red = colourFromBgr(0x0000FF);
const QColor Black = colourFromBgr(0x000000);

using TestText::occurrences;

// The loader commands (single bytes 0x81..0x87 at the start of a write) the program sent.
int loaderCommands(const DevsimProcess& device) {
    int count = 0;
    for (const QByteArray& bytes : device.requests()) {
        const auto first = static_cast<unsigned char>(bytes.isEmpty() ? 0 : bytes[0]);
        count += first >= 0x81 && first <= 0x87 ? 1 : 0;
    }
    return count;
}

class FirmwareE2E : public ::testing::Test {
protected:
    void TearDown() override {
        window.reset();
        device.reset();
    }

    // devsim's loader (with `options`), found by a search: the window is in ISP mode.
    void startLoader(QStringList options = {}) {
        options << QStringLiteral("--isp") << QStringLiteral("--dump-flash")
                << QString::fromStdString(flashPath());
        device = std::make_unique<DevsimProcess>(options);
        ASSERT_FALSE(device->path().isEmpty());
        window = std::make_unique<TestWindow>(QStringList{device->path()});
        window->search();
        ASSERT_EQ(window->text("Label_Model_Name"), "ISP Mode.");
    }

    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
    std::string flashPath() const { return file("flash.bin"); }

    // Writes `bytes` as the firmware file and chooses it with "Open".
    void openImage(const std::vector<std::uint8_t>& bytes, const char* name = "fw.bin") {
        ASSERT_TRUE(TestBytes::writeFile(file(name), bytes));
        window->prompts().openAnswers.push_back(file(name));
        window->click("Button_Open_Fw");
        ASSERT_TRUE(window->enabled("Button_Update_Fw"));
    }

    void setVerify(bool on) { window->control<QCheckBox>("CheckBox_FW_Verify")->setChecked(on); }

    // The click returns when the update has ended: it runs inside the handler.
    void update() { window->click("Button_Update_Fw"); }

    std::vector<std::uint8_t> flash() {
        device->stop();
        return TestBytes::readFile(flashPath());
    }

    // Whether Label1 shows the update under way: a percentage past 0% and short of 100%.
    bool updateUnderWay() {
        const QString text = window->text("Label1");
        return text.endsWith('%') && text != "0%" && text != "100%";
    }

    QColor label1Colour() {
        return window->control<QLabel>("Label1")->palette().color(QPalette::WindowText);
    }

    void expectHandedBack() {
        EXPECT_TRUE(window->link().report().receiving);
        EXPECT_FALSE(window->link().operationRunning());
    }

    QTemporaryDir dir;
    std::unique_ptr<DevsimProcess> device;
    std::unique_ptr<TestWindow> window;
};

TEST_F(FirmwareE2E, VerifiedUpdateWritesEveryBlockWhereTheDeviceMapsIt) {
    startLoader();
    const auto image = FirmwareFiles::image(FirmwareFiles::FullSize);
    openImage(image);
    EXPECT_EQ(window->text("Label_FW_Version"), "Target Version : v2.015");
    update();

    EXPECT_EQ(window->text("Label1"), "100%");
    EXPECT_EQ(label1Colour(), Black);
    const std::string& log = window->log();
    EXPECT_EQ(log.rfind("ISP Mode Check...\r\nISP Mode Confirmed!\r\n", 0), 0u) << log;
    EXPECT_NE(log.find("EM-01 ISP Loader 1.0\r\n"), std::string::npos);
    EXPECT_EQ(occurrences(log, "Verify Error!"), 0);
    expectHandedBack();
    // One read-back per block (56 + 64 blocks in bank 0, 64 in bank 1, 59 in bank 2), and
    // one more for each answer that a heavily loaded machine delivered after 220 ms.
    EXPECT_EQ(writesOf(window->link(), QByteArray(1, '\x85')),
              243 + occurrences(log, "Read Wait="));

    // 0x7000-0x7FFF of bank 0 stays erased; bytes after 0x1F600 of the file are not sent.
    const auto written = flash();
    ASSERT_EQ(written.size(), FirmwareFiles::Banks * FirmwareFiles::BankSize);
    EXPECT_TRUE(written == FirmwareFiles::expectedFlash(image));
}

TEST_F(FirmwareE2E, UnverifiedUpdateStillWaitsForEachReadBack) {
    startLoader({QStringLiteral("--corrupt-readback"), QStringLiteral("200")});
    const auto image = FirmwareFiles::image(FirmwareFiles::FullSize, 2);
    openImage(image);
    setVerify(false);
    update();

    EXPECT_EQ(window->text("Label1"), "100%");
    EXPECT_EQ(occurrences(window->log(), "ROM: Bank"), 0) << "nothing is compared";
    expectHandedBack();
    EXPECT_EQ(writesOf(window->link(), QByteArray(1, '\x85')),
              243 + occurrences(window->log(), "Read Wait="));
    EXPECT_TRUE(flash() == FirmwareFiles::expectedFlash(image));
}

TEST_F(FirmwareE2E, ShortFileIsPaddedWithErasedBytes) {
    startLoader();
    const auto image = FirmwareFiles::image(0x101C, 3);
    openImage(image);
    EXPECT_EQ(window->text("Label_FW_Version"), "Target Version : v2.015");
    update();

    EXPECT_EQ(window->text("Label1"), "100%");
    const auto written = flash();
    EXPECT_TRUE(written == FirmwareFiles::expectedFlash(image));
    EXPECT_EQ(written[0x101C], 0xFF);
    EXPECT_EQ(written[0x101B], image[0x101B]);
}

TEST_F(FirmwareE2E, BadReadBackIsRetriedAndThenSucceeds) {
    startLoader({QStringLiteral("--corrupt-readback"), QStringLiteral("100"),
                 QStringLiteral("--corrupt-readback-times"), QStringLiteral("2")});
    const auto image = FirmwareFiles::image(FirmwareFiles::FullSize, 5);
    openImage(image);
    update();

    const std::string& log = window->log();
    EXPECT_EQ(occurrences(log, "Verify Error! Try Again.\r\n"), 2) << log;
    EXPECT_EQ(occurrences(log, "ROM: Bank0, Addr "), 200);
    EXPECT_EQ(window->text("Label1"), "100%");
    EXPECT_EQ(label1Colour(), Black);
    // The first block went out three times, each after its own address.
    EXPECT_EQ(writesOf(window->link(), QByteArray("\x84\x00\x00", 3)), 3);
    EXPECT_TRUE(flash() == FirmwareFiles::expectedFlash(image));
}

TEST_F(FirmwareE2E, SixteenReadBackTimeoutsFailTheUpdate) {
    startLoader({QStringLiteral("--readback-timeout")});
    openImage(FirmwareFiles::image(FirmwareFiles::FullSize, 6));
    update();

    const std::string& log = window->log();
    EXPECT_EQ(occurrences(log, "\r\nRead Wait="), 16) << log;
    EXPECT_EQ(occurrences(log, "Verify Error!"), 0) << "a time-out compares nothing";
    EXPECT_EQ(window->text("Label1"), "Update Fw Failed.");
    EXPECT_EQ(label1Colour(), Red);
    expectHandedBack();
    EXPECT_EQ(writesOf(window->link(), QByteArray(1, '\x85')), 16);
}

TEST_F(FirmwareE2E, SilentLoaderIsGivenUp) {
    startLoader({QStringLiteral("--silent")});
    openImage(FirmwareFiles::image(0x2000, 7));
    update();

    EXPECT_EQ(window->log(), "ISP Mode Check...\r\nISP Mode Confirmed!\r\nISP Timeout.\r\n");
    EXPECT_EQ(window->text("Label1"), "Update Fw Failed.");
    EXPECT_EQ(label1Colour(), Red);
    expectHandedBack();
    EXPECT_GT(device->countRequests(QByteArray(1, '\x81')), 0) << "it kept asking";
}

TEST_F(FirmwareE2E, NotInIspModeSendsNothing) {
    device = std::make_unique<DevsimProcess>();
    window = std::make_unique<TestWindow>(QStringList{device->path()});
    window->search();
    ASSERT_EQ(window->link().connection(), Connection::Connected);
    openImage(FirmwareFiles::image(0x2000, 8));
    update();

    EXPECT_EQ(window->text("Label1"), "Not ISP Mode.");
    EXPECT_EQ(label1Colour(), Red);
    EXPECT_EQ(window->log(), "Fw Open OK.\r\n");
    EXPECT_EQ(loaderCommands(*device), 0);
}

TEST_F(FirmwareE2E, OtherLoaderVariantIsNotSupported) {
    startLoader({QStringLiteral("--banner")});
    ASSERT_EQ(window->link().ispVariant(), 1);
    // Any readable file will do: no version tag is read.
    openImage({1, 2, 3});
    EXPECT_EQ(window->text("Label_FW_Version"), "Target Version : ");
    update();

    EXPECT_EQ(window->log(), "ISP Mode Check...\r\nLoader Not Supported.\r\n");
    EXPECT_EQ(window->text("Label1"), "Update Fw Failed.");
    EXPECT_EQ(label1Colour(), Red);
    expectHandedBack();
    EXPECT_EQ(loaderCommands(*device), 0);
}

TEST_F(FirmwareE2E, VanishedFileFailsBeforeAnythingIsSent) {
    startLoader();
    openImage(FirmwareFiles::image(0x2000, 9));
    ASSERT_EQ(std::remove(file("fw.bin").c_str()), 0);
    update();

    EXPECT_EQ(window->log(), "ISP Mode Check...\r\nFw Open Fail.\r\n");
    EXPECT_EQ(window->text("Label1"), "Update Fw Failed.");
    EXPECT_EQ(label1Colour(), Red);
    expectHandedBack();
    EXPECT_EQ(loaderCommands(*device), 0);
}

TEST_F(FirmwareE2E, WindowStaysResponsiveAndRefusesOtherOperations) {
    startLoader();
    const auto image = FirmwareFiles::image(FirmwareFiles::FullSize, 10);
    openImage(image);

    // The percentages a timer of the window's saw while the update ran.
    QStringList seenByTimer;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (updateUnderWay() && !seenByTimer.contains(window->text("Label1")))
            seenByTimer << window->text("Label1");
    });
    ticker.start(0);
    QString progressWhenTabChanged;
    int openCallsDuringUpdate = -1;
    bool receivingDuringUpdate = true;
    RunWhen midRun([&] { return updateUnderWay(); },
                   [&] {
                       // A second update and a file dialog are refused; the pages still switch.
                       window->click("Button_Update_Fw");
                       window->click("Button_Open_Fw");
                       openCallsDuringUpdate = window->prompts().openCalls;
                       window->control<QTabWidget>("PageControl1")->setCurrentIndex(0);
                       progressWhenTabChanged = window->text("Label1");
                       // The update reads the port itself.
                       receivingDuringUpdate = window->link().report().receiving;
                   });
    const int openCallsBefore = window->prompts().openCalls;
    update();
    ticker.stop();

    EXPECT_EQ(openCallsDuringUpdate, openCallsBefore);
    EXPECT_FALSE(receivingDuringUpdate);
    ASSERT_FALSE(progressWhenTabChanged.isEmpty()) << "no progress was shown while it ran";
    EXPECT_NE(progressWhenTabChanged, "100%");
    EXPECT_EQ(window->control<QTabWidget>("PageControl1")->currentIndex(), 0);
    // Timers kept running all along, not only at the start and the end.
    EXPECT_GE(seenByTimer.size(), 10);
    EXPECT_EQ(occurrences(window->log(), "ISP Mode Check..."), 1);
    EXPECT_EQ(window->text("Label1"), "100%");
    EXPECT_TRUE(flash() == FirmwareFiles::expectedFlash(image));
}

TEST_F(FirmwareE2E, DisconnectEndsTheUpdateAsAFailure) {
    startLoader();
    openImage(FirmwareFiles::image(FirmwareFiles::FullSize, 11));
    RunWhen disconnect([&] { return updateUnderWay(); },
                       [&] { window->click("BitBtn_Disconnect"); });
    update();
    EXPECT_TRUE(disconnect.ran());

    EXPECT_EQ(window->text("Label1"), "Update Fw Failed.");
    EXPECT_EQ(window->link().connection(), Connection::NotConnected);
    EXPECT_TRUE(window->link().report().receiving);
    EXPECT_FALSE(window->link().operationRunning());
}

TEST_F(FirmwareE2E, ALostLineShowsTheFailureBeforeTheGroupIsHidden) {
    // A pulled cable (devsim ends without a goodbye), then Disconnect, while blocks go out.
    for (const bool hangUp : {true, false}) {
        SCOPED_TRACE(hangUp ? "hang-up" : "Disconnect");
        startLoader();
        openImage(FirmwareFiles::image(FirmwareFiles::FullSize, 12));
        // What the window showed when it hid the firmware group, on the page the user
        // pressed "Update" on.
        window->control<QTabWidget>("PageControl1")
            ->setCurrentWidget(window->control<QWidget>("TabSheet2"));
        auto* group = window->control<QWidget>("GroupBox4");
        const int shownHeight = group->height();
        QString labelWhenHidden;
        QColor colourWhenHidden;
        std::string logWhenHidden;
        OnEvent hidden(group, QEvent::Resize, [&] {
            if (group->height() >= shownHeight || !labelWhenHidden.isEmpty())
                return;
            labelWhenHidden = window->text("Label1");
            colourWhenHidden = label1Colour();
            logWhenHidden = window->log();
        });
        RunWhen lose([&] { return updateUnderWay(); },
                     [&] { hangUp ? device->kill() : window->click("BitBtn_Disconnect"); });
        update();
        ASSERT_TRUE(lose.ran());

        EXPECT_EQ(window->link().connection(), Connection::NotConnected);
        EXPECT_EQ(window->text("Label_Model_Name"), "Not Found.");
        EXPECT_EQ(labelWhenHidden, "Update Fw Failed.");
        EXPECT_EQ(colourWhenHidden, Red);
        EXPECT_EQ(occurrences(logWhenHidden, "Line lost during the firmware update.\r\n"), 1)
            << logWhenHidden;
        EXPECT_EQ(occurrences(window->log(), "Line lost during the firmware update."), 1);
        EXPECT_EQ(window->text("Label1"), "Update Fw Failed.");
        EXPECT_FALSE(window->link().operationRunning());
    }
}

} // namespace
