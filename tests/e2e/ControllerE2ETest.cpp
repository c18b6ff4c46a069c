// The "EDID Controller" page against devsim: the four downloads with their safe file
// handling, the upload with its validation and progress, and the presented-EDID choice.
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "EdidDownload.h"
#include "EdidFileUpload.h"
#include "EdidModeChoice.h"
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"
#include "ScriptedPrompts.h"
#include "TestEdids.h"
#include "TestWindow.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace EdidTestFiles;

namespace {

QByteArray frame(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

const QByteArray ModeWrite = frame({0x81, 0x01, 0x01, 0x0D});
const QByteArray SelectWrite = frame({0x81, 0x08, 0x01, 0x0D});

// The trace times (ms) of the requests that begin with `head`, in order.
std::vector<long> requestTimes(const DevsimProcess& device, const QByteArray& head) {
    std::vector<long> times;
    for (const auto& line : device.trace())
        if (line.fromHost && line.bytes.startsWith(head))
            times.push_back(line.ms);
    return times;
}

int occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

QColor labelColour(TestWindow& window, const char* name) {
    return window.control<QLabel>(name)->palette().color(QPalette::WindowText);
}

const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

// A window connected to a devsim that holds four different EDIDs.
class ControllerE2E : public ::testing::Test {
protected:
    void start(const QStringList& extra = {}) {
        QStringList options = extra;
        const char* names[] = {"internal", "external", "user", "stored"};
        for (int i = 0; i < 4; ++i) {
            edids[i] = PlainEdid(std::string("EDID ") + names[i]);
            const QString path = dir.filePath(QString::fromLatin1(names[i]) + ".src");
            ASSERT_TRUE(WriteImage(path, edids[i]));
            options << QStringLiteral("--%1").arg(QString::fromLatin1(names[i])) << path;
        }
        device = std::make_unique<DevsimProcess>(options);
        ASSERT_FALSE(device->path().isEmpty());
        window = std::make_unique<TestWindow>(QStringList{device->path()});
        window->search();
        ASSERT_EQ(window->link().connection(), Connection::Connected);
    }

    // Runs the download of `row` into `path` (the dialog's answer).
    void download(std::size_t row, const QString& path) {
        window->prompts().saveAnswers.push_back(path.toStdString());
        // The Stored button is never shown; its click still runs the handler.
        window->control<QPushButton>(EdidDownloads[row].button)->click();
    }

    void chooseUploadFile(const QString& path) {
        window->prompts().openAnswers.push_back(path.toStdString());
        window->click("Button_Open_Edid");
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    EdidImage edids[4];
    std::unique_ptr<DevsimProcess> device;
    std::unique_ptr<TestWindow> window;
};

TEST_F(ControllerE2E, EachDownloadWritesTheDevicesEdidWithItsOwnRequests) {
    start();
    const QByteArray selects[] = {SelectWrite + frame({0xFF}), QByteArray(),
                                  SelectWrite + frame({0x00}), SelectWrite + frame({0x55})};
    for (std::size_t row = 0; row < 4; ++row) {
        SCOPED_TRACE(EdidDownloads[row].button);
        const qsizetype before = device->sentStream().size();
        const QString target = path(EdidDownloads[row].offeredName);
        download(row, target);

        EXPECT_EQ(ReadBytes(target), Bytes(edids[row]));
        EXPECT_EQ(window->prompts().suggestedNames.back(), EdidDownloads[row].offeredName);
        EXPECT_EQ(window->log().rfind("Edid Open OK.\r\n", 0), 0u);
        EXPECT_EQ(window->log().find("API Timeout."), std::string::npos);

        const QByteArray sent = device->sentStream().mid(before);
        const QByteArray block0 =
            frame({EdidDownloads[row].block0 >> 8, EdidDownloads[row].block0 & 0xFF, 0x80, 0x0D});
        const QByteArray block1 =
            frame({EdidDownloads[row].block1 >> 8, EdidDownloads[row].block1 & 0xFF, 0x80, 0x0D});
        if (selects[row].isEmpty())
            EXPECT_FALSE(sent.contains(SelectWrite)) << "External sends no select";
        else
            EXPECT_LT(sent.indexOf(selects[row]), sent.indexOf(block0));
        EXPECT_LT(sent.indexOf(block0), sent.indexOf(block1));
    }
    EXPECT_TRUE(window->link().pollTimer().isActive());
}

TEST_F(ControllerE2E, UserDownloadWaits300MsPerBlockAndInternal200) {
    start();
    const QByteArray block0 = frame({0x01, 0x05, 0x80, 0x0D});
    const QByteArray block1 = frame({0x01, 0x06, 0x80, 0x0D});

    QElapsedTimer clock;
    clock.start();
    download(2, path("user.bin"));
    EXPECT_GE(clock.elapsed(), 600);
    clock.restart();
    download(0, path("internal.bin"));
    EXPECT_GE(clock.elapsed(), 400);

    const std::vector<long> first = requestTimes(*device, block0);
    const std::vector<long> second = requestTimes(*device, block1);
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_GE(second[0] - first[0], 290);
    EXPECT_GE(second[1] - first[1], 190);
}

TEST_F(ControllerE2E, SelectTimeoutLeavesAnExistingFileUntouched) {
    start({"--ignore-type", "0x0108"});
    const QString target = path("keep.bin");
    const QByteArray old("the file that was there");
    ASSERT_TRUE(WriteBytes(target, old));
    const qsizetype before = device->sentStream().size();

    download(0, target);

    EXPECT_EQ(ReadBytes(target), old);
    // Between the two only what the device sent may appear (a status poll's late answer).
    const std::string log = window->log();
    EXPECT_EQ(log.rfind("Edid Open OK.\r\n", 0), 0u);
    EXPECT_EQ(log.substr(log.size() - 14), "API Timeout.\r\n");
    EXPECT_EQ(occurrences(log, "API Timeout."), 1);
    EXPECT_FALSE(device->sentStream().mid(before).contains(frame({0x01, 0x05, 0x80, 0x0D})));
    EXPECT_TRUE(window->link().pollTimer().isActive());
}

TEST_F(ControllerE2E, UnansweredBlocksLeaveTheFileAsItWasAndCreateNone) {
    start({"--ignore-type", "0x0106", "--ignore-type", "0x0207"});
    const QString existing = path("keep.bin");
    const QByteArray old = Bytes(PlainEdid("OLD"));
    ASSERT_TRUE(WriteBytes(existing, old));

    download(2, existing);
    EXPECT_EQ(ReadBytes(existing), old);
    EXPECT_NE(window->log().find("API Timeout.\r\n"), std::string::npos);

    // External has no select to fail; an unanswered block is still a time-out.
    const QString fresh = path("never.bin");
    download(1, fresh);
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(window->log().rfind("Edid Open OK.\r\n", 0), 0u);
    EXPECT_NE(window->log().find("API Timeout.\r\n"), std::string::npos);
    EXPECT_TRUE(window->link().pollTimer().isActive());
}

TEST_F(ControllerE2E, AFileThatCannotBeCreatedOrACancelledDialogSendsNothing) {
    start();
    const qsizetype before = device->sentStream().size();
    const std::string logBefore = window->log();

    window->control<QPushButton>("Button_DL_IntEdid")->click(); // dialog cancelled
    EXPECT_EQ(window->log(), logBefore);

    download(0, path("no-such-folder/x.bin"));
    EXPECT_EQ(window->log(), "Edid Open Fail.\r\n");

    const QString readOnly = path("read-only.bin");
    ASSERT_TRUE(WriteBytes(readOnly, "old"));
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner);
    download(0, readOnly);
    EXPECT_EQ(window->log(), "Edid Open Fail.\r\n");
    EXPECT_EQ(ReadBytes(readOnly), QByteArray("old"));

    download(0, dir.path()); // a folder is no file
    EXPECT_EQ(window->log(), "Edid Open Fail.\r\n");

    EXPECT_FALSE(device->sentStream().mid(before).contains(SelectWrite));
}

TEST_F(ControllerE2E, ValidUploadSendsBothBlocksThenPresentsTheUserEdid) {
    const QString dump = path("dump.bin");
    start({"--dump-user", dump});
    const EdidImage image = RichEdid("UPLOADED");
    const QString source = path("upload.bin");
    ASSERT_TRUE(WriteImage(source, image));
    chooseUploadFile(source);
    EXPECT_EQ(window->control<QLineEdit>("Edit_Edid_Path")->text(), source);

    // What had gone out when "User" became checked.
    QByteArray sentWhenChecked;
    auto* user = window->control<QRadioButton>("RadioButton_Set_UserEdid");
    QObject::connect(user, &QRadioButton::toggled, [&](bool on) {
        if (on) {
            for (const auto& entry : window->link().journal().entries())
                sentWhenChecked += entry.bytes;
        }
    });
    window->link().journal().clear();
    const qsizetype before = device->sentStream().size();
    window->click("Button_Upload_Edid");

    const QByteArray block0 = QByteArray(Bytes(image).left(128));
    const QByteArray block1 = QByteArray(Bytes(image).mid(128));
    const QByteArray expected = frame({0x81, 0x05, 0x80, 0x0D}) + block0 +
                                frame({0x81, 0x06, 0x80, 0x0D}) + block1 + ModeWrite +
                                frame({0x03});
    ASSERT_TRUE(waitUntil([&] { return device->sentStream().size() >= before + expected.size(); }));
    EXPECT_EQ(device->sentStream().mid(before, expected.size()), expected);
    EXPECT_TRUE(user->isChecked());
    EXPECT_EQ(sentWhenChecked, expected.left(expected.size() - 5))
        << "\"User\" is checked before the mode request";
    EXPECT_EQ(window->text("Label2"), "100%");
    EXPECT_EQ(labelColour(*window, "Label2"), Black);
    EXPECT_EQ(window->log().rfind("Edid Open OK.\r\n", 0), 0u);

    window.reset();
    device->stop();
    EXPECT_EQ(ReadBytes(dump), Bytes(image));
}

TEST_F(ControllerE2E, EachValidationFailureShowsItsMessageInRedAndSendsNothing) {
    start();
    EdidImage badHeader = PlainEdid("X");
    badHeader[1] = 0x00;
    EdidImage badChecksum0 = PlainEdid("X");
    badChecksum0[127] ^= 0x01;
    EdidImage badChecksum1 = RichEdid("X");
    badChecksum1[255] ^= 0x01;
    EdidImage overBanks = PlainEdid("X");
    overBanks[126] = 2;
    TestEdids::FixChecksums(overBanks, false);
    const struct {
        EdidImage image;
        const char* message;
    } cases[] = {
        {badChecksum0, "Illegal Edid CheckSum0."},
        {badHeader, "Illegal Edid Header."}, // right after another failure
        {badChecksum1, "Illegal Edid CheckSum1."},
        {overBanks, "Edid Over Banks."},
    };
    const qsizetype before = device->sentStream().size();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const QString source = path("bad.bin");
        ASSERT_TRUE(WriteImage(source, c.image));
        chooseUploadFile(source);
        window->click("Button_Upload_Edid");
        EXPECT_EQ(window->text("Label2"), c.message);
        EXPECT_EQ(labelColour(*window, "Label2"), Red);
        EXPECT_EQ(window->log(), "Edid Open OK.\r\n");
    }
    EXPECT_FALSE(device->sentStream().mid(before).contains(frame({0x81, 0x05, 0x80, 0x0D})));
}

TEST_F(ControllerE2E, UploadWithoutAFileFailsInRed) {
    start();
    window->click("Button_Upload_Edid");
    EXPECT_EQ(window->text("Label2"), "Upload Edid Failed.");
    EXPECT_EQ(labelColour(*window, "Label2"), Red);
    EXPECT_EQ(window->log(), "Edid Open Fail.\r\n");

    // A later cancelled dialog keeps the chosen file.
    const QString source = path("chosen.bin");
    chooseUploadFile(source);
    window->click("Button_Open_Edid");
    EXPECT_EQ(window->control<QLineEdit>("Edit_Edid_Path")->text(), source);
    EXPECT_TRUE(window->link().rxTimer().isActive());
}

TEST_F(ControllerE2E, AModePressSendsItsCodeOnceAndTheKeyboardSendsNothing) {
    start();
    auto* external = window->control<QRadioButton>("RadioButton_Set_ExtEdid");
    const qsizetype before = device->sentStream().size();
    QTest::mousePress(external, Qt::LeftButton);
    QTest::mouseRelease(external, Qt::LeftButton);
    EXPECT_TRUE(external->isChecked());
    ASSERT_TRUE(waitUntil([&] { return device->sentStream().mid(before).contains(ModeWrite); }));
    runEventsFor(300);
    const QByteArray sent = device->sentStream().mid(before);
    EXPECT_EQ(sent.count(ModeWrite + frame({0x02})), 1);
    EXPECT_EQ(sent.count(ModeWrite), 1);

    // Arrow keys move the choice; only a mouse press tells the device.
    const qsizetype afterPress = device->sentStream().size();
    external->setFocus();
    QTest::keyClick(external, Qt::Key_Right);
    QTest::keyClick(window->control<QRadioButton>("RadioButton_Set_UserEdid"), Qt::Key_Left);
    runEventsFor(300);
    EXPECT_FALSE(device->sentStream().mid(afterPress).contains(ModeWrite));
}

TEST_F(ControllerE2E, ADisabledModeButtonIgnoresThePress) {
    start();
    window->click("BitBtn_Disconnect");
    auto* user = window->control<QRadioButton>("RadioButton_Set_UserEdid");
    ASSERT_FALSE(user->isEnabled());
    const qsizetype before = device->sentStream().size();
    QTest::mousePress(user, Qt::LeftButton);
    QTest::mouseRelease(user, Qt::LeftButton);
    runEventsFor(200);
    EXPECT_EQ(device->sentStream().size(), before);
}

// The operations without a window, as the command line runs them.
TEST(ControllerOperations, UploadShowsProgressOneToHundredAndPresentsUser) {
    QTemporaryDir dir;
    DevsimProcess device;
    ASSERT_FALSE(device.path().isEmpty());
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    link.setPortOverride({device.path()});
    link.BitBtn_SearchClick();
    ASSERT_EQ(link.connection(), Connection::Connected);

    const QString source = dir.filePath("upload.bin");
    ASSERT_TRUE(WriteImage(source, RichEdid("CLI")));
    EdidInfo record{};
    EXPECT_EQ(UploadEdidFile(link, source.toStdString(), record), FileUploadResult::Sent);

    const auto& texts = reporter.texts[StatusLabel::Upload];
    ASSERT_EQ(texts.size(), 256u);
    for (std::size_t i = 0; i < 256; ++i) {
        const std::size_t base = i < 128 ? 1 : 51;
        EXPECT_EQ(texts[i], std::to_string((i % 128) * 100 / 256 + base) + "%") << i;
    }
    EXPECT_EQ(texts.front(), "1%");
    EXPECT_EQ(texts.back(), "100%");
    EXPECT_EQ(reporter.texts[StatusLabel::CreatorUpload], texts);
    EXPECT_EQ(reporter.colours[StatusLabel::Upload], Colour::Black);
    EXPECT_EQ(view.presented, PresentedEdid::User);
}

TEST(ControllerOperations, ABusyLinkRefusesEveryOperationSilently) {
    RecordingReporter reporter;
    RecordingLinkView view;
    DeviceLink link(reporter, view);
    ScriptedPrompts prompts;
    prompts.saveAnswers.push_back("/tmp/never-written.bin");
    const BusyGuard::Operation running = link.tryBeginOperation();
    ASSERT_TRUE(running);

    EXPECT_EQ(DownloadEdid(link, prompts, EdidDownloads[0]), DownloadResult::Refused);
    EdidInfo record{};
    EXPECT_EQ(UploadEdidFile(link, "/tmp/none.bin", record), FileUploadResult::Refused);
    EXPECT_FALSE(ChooseEdidMode(link, PresentedEdid::User));
    EXPECT_FALSE(view.presented.has_value());
    EXPECT_EQ(prompts.saveCalls, 0);
    EXPECT_TRUE(reporter.log.empty());
    EXPECT_TRUE(reporter.texts.empty());
}

} // namespace
