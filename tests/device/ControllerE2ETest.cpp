// The "EDID Controller" page against devsim: the four downloads with their safe file
// handling, the upload with its validation and progress, and the presented-EDID choice.
#include "DeviceLink.h"
#include "EdidControllerPage.h"
#include "EdidDownload.h"
#include "EdidExport.h"
#include "EdidFileUpload.h"
#include "EdidOpenDialog.h"
#include "EdidPageTest.h"
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"
#include "ScriptedPrompts.h"
#include "TestEdids.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace EdidTestFiles;

namespace {

const QByteArray ModeWrite = Frame({0x81, 0x01, 0x01, 0x0D});
const QByteArray SelectWrite = Frame({0x81, 0x08, 0x01, 0x0D});
const QByteArray Block0Read = Frame({0x01, 0x05, 0x80, 0x0D});
const QByteArray Block1Read = Frame({0x01, 0x06, 0x80, 0x0D});

QByteArray header(std::uint16_t type, int rwBit) {
    return Frame({(type >> 8) + rwBit, type & 0xFF, 0x80, 0x0D});
}

class ControllerE2E : public EdidPageTest {
protected:
    // devsim holding four different EDIDs.
    void connectFour(const QStringList& options = {}) {
        for (int i = 0; i < 4; ++i)
            edids[i] = PlainEdid("EDID " + std::to_string(i));
        connect({{"internal", edids[0]},
                 {"external", edids[1]},
                 {"user", edids[2]},
                 {"stored", edids[3]}},
                options);
    }

    // Runs the download of `row` into `target` (the dialog's answer).
    void download(std::size_t row, const QString& target) {
        window->prompts().saveAnswers.push_back(target.toStdString());
        // The Stored button is never shown; its click still runs the handler.
        window->control<QPushButton>(DownloadButtons[row])->click();
    }

    void upload(const QString& source) {
        window->prompts().openAnswers.push_back(source.toStdString());
        window->click("Button_Open_Edid");
        window->click("Button_Upload_Edid");
    }

    QColor label2Colour() {
        return window->control<QLabel>("Label2")->palette().color(QPalette::WindowText);
    }

    EdidImage edids[4];
};

TEST_F(ControllerE2E, EachDownloadWritesTheDevicesEdidWithItsOwnRequests) {
    ASSERT_NO_FATAL_FAILURE(connectFour());
    const QByteArray selects[] = {SelectWrite + Frame({0xFF}), QByteArray(),
                                  SelectWrite + Frame({0x00}), SelectWrite + Frame({0x55})};
    for (std::size_t row = 0; row < 4; ++row) {
        const DeviceEdid& entry = DeviceEdids[row];
        SCOPED_TRACE(DownloadButtons[row]);
        const qsizetype before = sentSize();
        download(row, path(entry.offeredName));

        EXPECT_EQ(ReadBytes(path(entry.offeredName)), Bytes(edids[row]));
        EXPECT_EQ(window->prompts().suggestedNames.back(), entry.offeredName);
        EXPECT_TRUE(logStartsWith("Edid Open OK.\r\n"));
        EXPECT_EQ(window->log().find("API Timeout."), std::string::npos);
        const QByteArray sent = sentSince(before);
        const qsizetype block0 = sent.indexOf(header(entry.block0, 0));
        if (selects[row].isEmpty())
            EXPECT_FALSE(sent.contains(SelectWrite)) << "External sends no select";
        else
            EXPECT_LT(sent.indexOf(selects[row]), block0);
        EXPECT_LT(block0, sent.indexOf(header(entry.block1, 0)));
    }
    EXPECT_TRUE(window->link().report().polling);
}

TEST_F(ControllerE2E, UserDownloadWaits300MsPerBlockAndInternal200) {
    ASSERT_NO_FATAL_FAILURE(connectFour());
    QElapsedTimer clock;
    clock.start();
    download(2, path("user.bin"));
    EXPECT_GE(clock.elapsed(), 600);
    download(0, path("internal.bin"));

    // devsim's trace: when each block request arrived.
    std::vector<long> block0, block1;
    for (const auto& line : device->trace()) {
        if (line.fromHost && line.bytes.startsWith(Block0Read))
            block0.push_back(line.ms);
        if (line.fromHost && line.bytes.startsWith(Block1Read))
            block1.push_back(line.ms);
    }
    ASSERT_EQ(block0.size(), 2u);
    ASSERT_EQ(block1.size(), 2u);
    EXPECT_GE(block1[0] - block0[0], 290);
    EXPECT_GE(block1[1] - block0[1], 190);
}

TEST_F(ControllerE2E, AFailedTransferLeavesTheFileAsItWasAndCreatesNone) {
    ASSERT_NO_FATAL_FAILURE(connectFour({"--ignore-type", "0x0108", "--ignore-type", "0x0207"}));
    const QByteArray old("the file that was there");
    ASSERT_TRUE(WriteBytes(path("keep.bin"), old));

    const qsizetype before = sentSize();
    download(0, path("keep.bin")); // the select is not acknowledged
    EXPECT_EQ(ReadBytes(path("keep.bin")), old);
    // Between the two only what the device sent may appear (a status poll's late answer).
    const std::string log = window->log();
    EXPECT_EQ(log.rfind("Edid Open OK.\r\n", 0), 0u);
    EXPECT_EQ(log.substr(log.size() - 14), "API Timeout.\r\n");
    EXPECT_EQ(Occurrences(log, "API Timeout."), 1);
    EXPECT_FALSE(sentSince(before).contains(Block0Read));
    EXPECT_TRUE(window->link().report().polling);

    // External has no select; its unanswered block 1 is a time-out all the same.
    download(1, path("keep.bin"));
    EXPECT_EQ(ReadBytes(path("keep.bin")), old);
    download(1, path("new.bin"));
    EXPECT_FALSE(QFile::exists(path("new.bin")));
    EXPECT_EQ(Occurrences(window->log(), "API Timeout.\r\n"), 1);
}

TEST_F(ControllerE2E, AFileThatCannotBeWrittenIsLeftAloneAndACancelledDialogSendsNothing) {
    ASSERT_NO_FATAL_FAILURE(connectFour());
    const qsizetype before = sentSize();
    const std::string logBefore = window->log();
    window->control<QPushButton>("Button_DL_IntEdid")->click(); // cancelled
    EXPECT_EQ(window->log(), logBefore);

    ASSERT_TRUE(WriteBytes(path("read-only.bin"), "old"));
    QFile::setPermissions(path("read-only.bin"), QFileDevice::ReadOwner);
    for (const QString& target : {path("no-folder/x.bin"), path("read-only.bin"), dir.path()}) {
        download(0, target);
        EXPECT_TRUE(logStartsWith("Edid Open Fail.\r\n")) << target.toStdString();
    }
    EXPECT_EQ(ReadBytes(path("read-only.bin")), QByteArray("old"));
    EXPECT_FALSE(sentSince(before).contains(SelectWrite));

    // The folder vanishes during the transfer: the write fails and leaves nothing.
    ASSERT_TRUE(QDir(dir.path()).mkdir("gone"));
    const qsizetype transfer = sentSize();
    RunWhen vanish([&] { return sentSince(transfer).contains(header(0x0206, 0x00)); },
                   [&] { QDir(path("gone")).removeRecursively(); });
    download(1, path("gone/x.bin"));
    EXPECT_TRUE(vanish.ran());
    EXPECT_TRUE(logStartsWith("Edid Open OK.\r\n"));
    EXPECT_NE(window->log().find("Edid Write Fail.\r\n"), std::string::npos);
    EXPECT_FALSE(QFile::exists(path("gone")));
}

TEST_F(ControllerE2E, ValidUploadSendsBothBlocksThenPresentsTheUserEdid) {
    ASSERT_NO_FATAL_FAILURE(connectFour({"--dump-user", path("dump.bin")}));
    const EdidImage image = RichEdid("UPLOADED");
    ASSERT_TRUE(WriteImage(path("upload.bin"), image));

    // What had gone out when "User" became checked.
    QByteArray sentWhenChecked;
    auto* user = window->control<QRadioButton>("RadioButton_Set_UserEdid");
    QObject::connect(user, &QRadioButton::toggled, [&](bool on) {
        if (!on)
            return;
        for (const auto& entry : window->link().journal().entries())
            sentWhenChecked += entry.bytes;
    });
    window->link().journal().clear();
    const qsizetype before = sentSize();
    upload(path("upload.bin"));
    EXPECT_EQ(window->control<QLineEdit>("Edit_Edid_Path")->text(), path("upload.bin"));

    const QByteArray expected = header(0x0105, 0x80) + Bytes(image).left(128) +
                                header(0x0106, 0x80) + Bytes(image).mid(128) + ModeWrite +
                                Frame({0x03});
    ASSERT_TRUE(waitUntil([&] { return sentSize() >= before + expected.size(); }));
    const QByteArray sent = sentSince(before); // may begin with a status poll
    EXPECT_EQ(sent.mid(sent.indexOf(expected.left(4)), expected.size()), expected);
    EXPECT_TRUE(user->isChecked());
    EXPECT_EQ(sentWhenChecked, expected.chopped(5)) << "\"User\" is checked before the request";
    EXPECT_EQ(window->text("Label2"), "100%");
    EXPECT_EQ(label2Colour(), QColor(Qt::black));
    EXPECT_TRUE(logStartsWith("Edid Open OK.\r\n"));

    window.reset();
    device->stop();
    EXPECT_EQ(ReadBytes(path("dump.bin")), Bytes(image));
}

TEST_F(ControllerE2E, EachUploadFailureShowsItsMessageInRedAndSendsNothing) {
    ASSERT_NO_FATAL_FAILURE(connectFour());
    const qsizetype before = sentSize();
    window->click("Button_Upload_Edid"); // no file chosen yet
    EXPECT_EQ(window->text("Label2"), "Upload Edid Failed.");
    EXPECT_EQ(label2Colour(), QColor(Qt::red));
    EXPECT_TRUE(logStartsWith("Edid Open Fail.\r\n"));

    EdidImage badHeader = PlainEdid("X");
    badHeader[1] = 0x00;
    EdidImage badChecksum0 = PlainEdid("X");
    badChecksum0[127] ^= 0x01;
    EdidImage badChecksum1 = RichEdid("X");
    badChecksum1[255] ^= 0x01;
    EdidImage overBanks = PlainEdid("X");
    overBanks[126] = 2;
    TestEdids::FixChecksums(overBanks, false);
    const std::pair<EdidImage, const char*> cases[] = {
        {badChecksum0, "Illegal Edid CheckSum0."},
        {badHeader, "Illegal Edid Header."}, // right after another failure
        {badChecksum1, "Illegal Edid CheckSum1."},
        {overBanks, "Edid Over Banks."},
    };
    for (const auto& [image, message] : cases) {
        ASSERT_TRUE(WriteImage(path("bad.bin"), image));
        upload(path("bad.bin"));
        EXPECT_EQ(window->text("Label2"), message);
        EXPECT_EQ(label2Colour(), QColor(Qt::red)) << message;
        EXPECT_TRUE(logStartsWith("Edid Open OK.\r\n"));
    }
    EXPECT_FALSE(sentSince(before).contains(header(0x0105, 0x80)));

    // A cancelled dialog keeps the file chosen before.
    window->click("Button_Open_Edid");
    EXPECT_EQ(window->control<QLineEdit>("Edit_Edid_Path")->text(), path("bad.bin"));
    EXPECT_TRUE(window->link().report().receiving);
}

TEST_F(ControllerE2E, HexTextChosenUnderItsFilterIsUploadedAndAWrongLengthFailsAsAnOpen) {
    ASSERT_NO_FATAL_FAILURE(connectFour({"--dump-user", path("dump.bin")}));
    const EdidImage image = RichEdid("FROM TEXT");
    const std::vector<std::uint8_t> hex = ExportEdid(image, EdidExportFormat::Hex);
    ASSERT_TRUE(WriteBytes(path("upload.txt"), QByteArray(reinterpret_cast<const char*>(hex.data()),
                                                          static_cast<qsizetype>(hex.size()))));
    ASSERT_TRUE(WriteBytes(path("short.hex"), "00 ff ff ff\n"));

    // The same text under "*.bin" is read as the binary it is not: nothing is sent.
    ScriptedPrompts& prompts = window->prompts();
    const qsizetype before = sentSize();
    upload(path("upload.txt"));
    EXPECT_EQ(prompts.offeredFilters.back(),
              std::vector<std::string>({EdidBinFilter, EdidTextFilter}));
    EXPECT_EQ(window->text("Label2"), "Illegal Edid Header.");
    EXPECT_FALSE(sentSince(before).contains(header(0x0105, 0x80)));

    prompts.openFilters.push_back(EdidTextFilter);
    upload(path("short.hex"));
    EXPECT_EQ(window->text("Label2"), "Upload Edid Failed.");
    EXPECT_EQ(label2Colour(), QColor(Qt::red));
    EXPECT_TRUE(
        logStartsWith("Hex text holds 4 bytes, not a whole number of 128-byte blocks.\r\n"));

    prompts.openFilters.push_back(EdidTextFilter);
    upload(path("upload.txt"));
    EXPECT_EQ(window->text("Label2"), "100%");
    EXPECT_TRUE(logStartsWith("Edid Open OK.\r\n"));
    EXPECT_TRUE(window->control<QRadioButton>("RadioButton_Set_UserEdid")->isChecked());
    window.reset();
    device->stop();
    EXPECT_EQ(ReadBytes(path("dump.bin")), Bytes(image));
}

TEST_F(ControllerE2E, AModePressSendsItsCodeOnceAndTheKeyboardSendsNothing) {
    ASSERT_NO_FATAL_FAILURE(connectFour());
    auto* external = window->control<QRadioButton>("RadioButton_Set_ExtEdid");
    const qsizetype before = sentSize();
    QTest::mousePress(external, Qt::LeftButton);
    QTest::mouseRelease(external, Qt::LeftButton);
    EXPECT_TRUE(external->isChecked());
    ASSERT_TRUE(waitUntil([&] { return sentSince(before).contains(ModeWrite + Frame({0x02})); }));
    ASSERT_TRUE(device->waitForLaterPoll());
    EXPECT_EQ(sentSince(before).count(ModeWrite), 1);

    // Arrow keys move the choice; only a mouse press tells the device.
    const qsizetype afterPress = sentSize();
    external->setFocus();
    QTest::keyClick(external, Qt::Key_Right);
    QTest::keyClick(window->control<QRadioButton>("RadioButton_Set_UserEdid"), Qt::Key_Left);
    ASSERT_TRUE(device->waitForLaterPoll());
    EXPECT_FALSE(sentSince(afterPress).contains(ModeWrite));
}

// The upload without a window, as the command line runs it: every progress step.
TEST_F(ControllerE2E, ALostLineShowsTheUploadsFailureBeforeAnythingIsDisabled) {
    // A pulled cable (devsim ends without a goodbye), then Disconnect, while block 0 goes
    // out.
    for (const bool hangUp : {true, false}) {
        SCOPED_TRACE(hangUp ? "hang-up" : "Disconnect");
        ASSERT_NO_FATAL_FAILURE(connectFour());
        ASSERT_TRUE(WriteImage(path("upload.bin"), RichEdid("LOST")));
        // What the page showed when the connection's controls were disabled.
        auto* button = window->control<QWidget>("Button_Upload_Edid");
        QString labelWhenDisabled;
        QColor colourWhenDisabled;
        std::string logWhenDisabled;
        OnEvent disabled(button, QEvent::EnabledChange, [&] {
            if (button->isEnabled() || !labelWhenDisabled.isEmpty())
                return;
            labelWhenDisabled = window->text("Label2");
            colourWhenDisabled = label2Colour();
            logWhenDisabled = window->log();
        });
        RunWhen lose(
            [&] {
                const QString progress = window->text("Label2");
                return progress.endsWith('%') && progress != "0%";
            },
            [&] { hangUp ? device->kill() : window->click("BitBtn_Disconnect"); });
        upload(path("upload.bin"));
        ASSERT_TRUE(lose.ran());
        // A hung-up line is closed at once; the watchdog disconnects once the upload ended.
        ASSERT_TRUE(waitUntil(
            [&] { return window->link().connection() == Connection::NotConnected; }, 30000));

        EXPECT_EQ(labelWhenDisabled, "Upload Edid Failed.");
        EXPECT_EQ(colourWhenDisabled, QColor(Qt::red));
        EXPECT_EQ(Occurrences(logWhenDisabled, "Line lost during the upload.\r\n"), 1)
            << logWhenDisabled;
        EXPECT_EQ(window->text("Label2"), "Upload Edid Failed.");
        // The device was not made to present an upload that did not arrive.
        EXPECT_FALSE(window->control<QRadioButton>("RadioButton_Set_UserEdid")->isChecked());
    }
}

TEST(ControllerOperations, UploadShowsProgressOneToHundredInBothLabels) {
    QTemporaryDir dir;
    DevsimProcess device;
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    link.setPortOverride({device.path()});
    link.search();
    ASSERT_EQ(link.connection(), Connection::Connected);

    ASSERT_TRUE(WriteImage(dir.filePath("upload.bin"), RichEdid("CLI")));
    EdidInfo record{};
    const std::string source = dir.filePath("upload.bin").toStdString();
    EXPECT_EQ(UploadEdidFile(link, source, record), FileUploadResult::Sent);

    const auto& texts = reporter.texts[StatusLabel::Upload];
    ASSERT_EQ(texts.size(), 256u);
    for (std::size_t i = 0; i < 256; ++i) // bytes 0, 1, 2 show 1%; block 1 starts at 51%
        EXPECT_EQ(texts[i], std::to_string((i % 128) * 100 / 256 + (i < 128 ? 1 : 51)) + "%");
    EXPECT_EQ(texts.back(), "100%");
    EXPECT_EQ(reporter.texts[StatusLabel::CreatorUpload], texts);
    EXPECT_EQ(reporter.colours[StatusLabel::Upload], Colour::Black);
    EXPECT_EQ(view.presented, PresentedEdid::User);
}

// The status poll goes on while the Save dialog is open: the operation begins once it
// has closed. While another operation runs, the dialog does not open.
TEST(ControllerOperations, DownloadTakesTheBusyGuardOnlyOnceItsDialogHasClosed) {
    struct WatchingPrompts : ScriptedPrompts {
        DeviceLink* link = nullptr;
        bool busyInDialog = true;
        std::optional<std::string> chooseSaveFile(const std::string& filter,
                                                  const std::string& name) override {
            busyInDialog = link->operationRunning();
            return ScriptedPrompts::chooseSaveFile(filter, name);
        }
    };
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    WatchingPrompts prompts;
    prompts.link = &link;
    QLineEdit edidPath;
    EdidControllerPage page(link, prompts, edidPath);
    // Cancelled: nothing is done.
    page.Button_DL_IntEdidClick();
    EXPECT_FALSE(prompts.busyInDialog);
    EXPECT_EQ(prompts.saveCalls, 1);
    EXPECT_EQ(reporter.log, "");

    const BusyGuard::Operation other = link.tryBeginOperation();
    page.Button_DL_IntEdidClick();
    EXPECT_EQ(prompts.saveCalls, 1);
    // The operation itself refuses to begin while another runs.
    EXPECT_EQ(DownloadEdid(link, "unused.bin", DeviceEdids[0]), DownloadResult::Refused);
    EXPECT_EQ(reporter.log, "");
}

} // namespace
