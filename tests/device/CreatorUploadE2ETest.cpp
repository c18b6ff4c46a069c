// The creator's "Upload" against devsim: the built image goes out as the User EDID and is
// presented; an image that fails validation sends nothing; a running operation refuses it.
#include "CreatorBindings.h"
#include "CreatorFiles.h"
#include "DeviceLink.h"
#include "DevsimProcess.h"
#include "EdidFile.h"
#include "EdidTestFiles.h"
#include "EventWait.h"
#include "ScriptedPrompts.h"
#include "TestWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using EdidTestFiles::Bytes;
using EdidTestFiles::Frame;

const QByteArray Block0Write = Frame({0x81, 0x05, 0x80, 0x0D});

class CreatorUploadE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dump = dir.filePath(QStringLiteral("user.bin"));
        device = std::make_unique<DevsimProcess>(QStringList{"--dump-user", dump});
        ASSERT_FALSE(device->path().isEmpty());
        window = std::make_unique<TestWindow>(QStringList{device->path()});
        window->search();
        ASSERT_EQ(window->link().connection(), Connection::Connected);
        files = window->form().findChild<CreatorFiles*>();
        ASSERT_NE(files, nullptr);
    }

    QString label3() { return window->text("Label3"); }

    QTemporaryDir dir;
    QString dump;
    std::unique_ptr<DevsimProcess> device;
    std::unique_ptr<TestWindow> window;
    CreatorFiles* files = nullptr;
};

TEST_F(CreatorUploadE2E, TheBuiltImageIsSentAsTheUserEdidAndPresented) {
    // The connection enabled the creator's buttons: press and click them as the user does.
    QTest::mousePress(window->control<QRadioButton>("RadioButton_Brand_New"), Qt::LeftButton);
    window->control<QLineEdit>(CreatorBindings::editName(CreatorEdit::MonitorName))
        ->setText(QStringLiteral("UPLOADED"));
    const qsizetype before = device->sentStream().size();
    window->click("Button_Upload_Created");

    const EdidImage image = files->settings().Image;
    EXPECT_EQ(Bytes(image).mid(0x5F, 9), QByteArray("UPLOADED\n"));
    const QByteArray expected = Block0Write + Bytes(image).mid(0, 128) +
                                Frame({0x81, 0x06, 0x80, 0x0D}) + Bytes(image).mid(128, 128) +
                                Frame({0x81, 0x01, 0x01, 0x0D, 0x03});
    // A status poll sent just before the click may come first; nothing comes in between.
    EXPECT_TRUE(waitUntil([&] { return device->sentStream().mid(before).contains(expected); }));
    EXPECT_TRUE(window->control<QRadioButton>("RadioButton_Set_UserEdid")->isChecked());
    EXPECT_EQ(label3(), "100%");

    window.reset();
    device->stop();
    EdidImage stored{};
    ASSERT_TRUE(ReadEdidFile(dump.toStdString(), stored));
    EXPECT_EQ(stored, image);
}

TEST_F(CreatorUploadE2E, AnImageWithoutHeaderIsNotSent) {
    // Nothing loaded: the record's image is all zero, so the build has no header.
    for (CreatorEdit edit : {CreatorEdit::ProductCode, CreatorEdit::SerialNumber,
                             CreatorEdit::ManufacYear, CreatorEdit::ManufacWeek})
        window->control<QLineEdit>(CreatorBindings::editName(edit))->setText(QStringLiteral("0"));
    const qsizetype before = device->sentStream().size();
    EXPECT_EQ(files->uploadCreated(), CreatorOutcome::NotValid);
    EXPECT_EQ(label3(), "Illegal Edid Header.");
    ASSERT_TRUE(device->waitForLaterPoll());
    EXPECT_FALSE(device->sentStream().mid(before).contains(Block0Write));
}

TEST_F(CreatorUploadE2E, AConversionFailureOrARunningOperationSendsNothing) {
    files->startBrandNew();
    const qsizetype before = device->sentStream().size();
    {
        const auto operation = window->link().tryBeginOperation();
        ASSERT_TRUE(operation);
        EXPECT_EQ(files->uploadCreated(), CreatorOutcome::Refused);
    }
    window->control<QLineEdit>(CreatorBindings::editName(CreatorEdit::ProductCode))
        ->setText(QStringLiteral("x"));
    window->prompts().errors.clear();
    EXPECT_EQ(files->uploadCreated(), CreatorOutcome::ConversionFailed);
    EXPECT_EQ(window->prompts().errors,
              std::vector<std::string>{"'x' is not a valid integer value"});
    ASSERT_TRUE(device->waitForLaterPoll());
    EXPECT_FALSE(device->sentStream().mid(before).contains(Block0Write));
    EXPECT_FALSE(window->link().operationRunning());
}

} // namespace
