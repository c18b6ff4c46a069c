// The firmware image file: the version tag rule, blocks padded with 0xFF, the chunks of
// the other loader variant, and the "Open" handler's results.
#include "FirmwareImage.h"
#include "DeviceLink.h"
#include "FirmwareFiles.h"
#include "FirmwareHandlers.h"
#include "RecordingLinkView.h"
#include "RecordingReporter.h"
#include "ScriptedPrompts.h"
#include "TestBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

namespace {

std::vector<std::uint8_t> withTag(std::size_t size, const char* tag) {
    std::vector<std::uint8_t> bytes(size, 0x11);
    const std::size_t length = std::min(std::strlen(tag), size > 0x1010 ? size - 0x1010 : 0);
    std::memcpy(bytes.data() + 0x1010, tag, length);
    return bytes;
}

TEST(FirmwareImage, VersionTagRule) {
    EXPECT_EQ(FirmwareImage(withTag(0x20000, "FW Ver: 2015")).versionText(), "v2.015");
    // Byte 7 of the tag may be anything; the comparison of the mark is exact.
    EXPECT_EQ(FirmwareImage(withTag(0x20000, "FW Ver:\x01"
                                             "1234"))
                  .versionText(),
              "v1.234");
    EXPECT_FALSE(FirmwareImage(withTag(0x20000, "fw ver: 2015")).versionText());
    EXPECT_FALSE(FirmwareImage(withTag(0x20000, "FW Ver 2015")).versionText());
    EXPECT_FALSE(FirmwareImage(std::vector<std::uint8_t>(0x1010, 0x11)).versionText());
    // Exactly long enough for the version characters, and one byte short of them.
    EXPECT_EQ(FirmwareImage(withTag(0x101C, "FW Ver: 2015")).versionText(), "v2.015");
    EXPECT_FALSE(FirmwareImage(withTag(0x101B, "FW Ver: 2015")).versionText());
}

TEST(FirmwareImage, BlocksBeyondTheEndReadAsErased) {
    std::vector<std::uint8_t> bytes(0x300);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    const FirmwareImage image(bytes);
    const auto first = image.blockAt(0);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), bytes.begin()));
    const auto second = image.blockAt(0x200);
    EXPECT_TRUE(std::equal(second.begin(), second.begin() + 0x100, bytes.begin() + 0x200));
    EXPECT_TRUE(
        std::all_of(second.begin() + 0x100, second.end(), [](auto b) { return b == 0xFF; }));
    const auto beyond = image.blockAt(0x1F400);
    EXPECT_TRUE(std::all_of(beyond.begin(), beyond.end(), [](auto b) { return b == 0xFF; }));
}

TEST(FirmwareImage, ChunksCarryTheirChecksum) {
    std::vector<std::uint8_t> bytes(300);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{7});
    const auto chunks = FirmwareImage(bytes).chunks();
    ASSERT_EQ(chunks.size(), 3u);
    for (const auto& chunk : chunks) {
        const unsigned sum =
            std::accumulate(chunk.bytes.begin(), chunk.bytes.end(), unsigned{chunk.checksum});
        EXPECT_EQ(sum % 256, 0u);
    }
    EXPECT_EQ(chunks[2].bytes[300 - 256], 0xFF) << "the last chunk is padded";
}

TEST(FirmwareImage, UnreadablePathsAreRefused) {
    QTemporaryDir dir;
    EXPECT_FALSE(FirmwareImage::load(dir.path().toStdString()));
    EXPECT_FALSE(FirmwareImage::load(dir.filePath("missing.bin").toStdString()));
    // Not a regular file: refused before it is opened (a FIFO would block the window).
    EXPECT_FALSE(FirmwareImage::load("/dev/null"));
    const std::string empty = dir.filePath("empty.bin").toStdString();
    ASSERT_TRUE(TestBytes::writeFile(empty, {}));
    const auto image = FirmwareImage::load(empty);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size(), 0u);
}

class RecordingFirmwareView : public FirmwareView {
public:
    void showFirmwarePath(const std::string& text) override { path = text; }
    void setVersionText(const std::string& text) override { version = text; }
    void setUpdateEnabled(bool enabled) override { updateEnabled = enabled; }
    bool verifyChecked() const override { return true; }

    std::string path;
    std::string version = "Target Version : ";
    bool updateEnabled = false;
};

class OpenFirmware : public ::testing::Test {
protected:
    OpenFirmware() {
        auto recording = std::make_unique<RecordingFirmwareView>();
        view = recording.get();
        handlers = std::make_unique<FirmwareHandlers>(link, reporter, std::move(recording));
    }

    void open(const std::string& path) {
        prompts.openAnswers.push_back(path);
        handlers->openImage(prompts);
    }
    std::string file(const char* name) const { return dir.filePath(name).toStdString(); }

    QTemporaryDir dir;
    RecordingReporter reporter;
    RecordingLinkView linkView;
    DeviceLink link{reporter, linkView};
    ScriptedPrompts prompts;
    RecordingFirmwareView* view;
    std::unique_ptr<FirmwareHandlers> handlers;
};

TEST_F(OpenFirmware, TaggedFileShowsItsVersionAndEnablesUpdate) {
    ASSERT_TRUE(TestBytes::writeFile(file("fw.bin"), withTag(0x101C, "FW Ver: 2015")));
    open(file("fw.bin"));
    EXPECT_EQ(reporter.log, "Fw Open OK.\r\n");
    EXPECT_EQ(view->path, file("fw.bin"));
    EXPECT_EQ(view->version, "Target Version : v2.015");
    EXPECT_TRUE(view->updateEnabled);

    ASSERT_TRUE(TestBytes::writeFile(file("plain.bin"), withTag(0x2000, "FW VER: 2015")));
    open(file("plain.bin"));
    EXPECT_EQ(view->version, "Target Version : Illegal !");
    EXPECT_FALSE(view->updateEnabled);
    EXPECT_EQ(handlers->firmwarePath(), file("plain.bin"));
}

TEST_F(OpenFirmware, UnopenableFileFailsAndLeavesUpdateAsItWas) {
    ASSERT_TRUE(TestBytes::writeFile(file("fw.bin"), withTag(0x2000, "FW Ver: 2015")));
    open(file("fw.bin"));
    open(dir.path().toStdString());
    EXPECT_EQ(reporter.log, "Fw Open Fail.\r\n");
    EXPECT_EQ(reporter.texts[StatusLabel::Firmware].back(), "Update Fw Failed.");
    EXPECT_EQ(reporter.colours[StatusLabel::Firmware], Colour::Red);
    EXPECT_TRUE(view->updateEnabled);
    EXPECT_EQ(handlers->firmwarePath(), dir.path().toStdString());
}

TEST_F(OpenFirmware, CancelOrRunningOperationChangesNothing) {
    handlers->openImage(prompts); // no answer queued: cancelled
    EXPECT_EQ(prompts.openCalls, 1);
    {
        auto operation = link.tryBeginOperation();
        prompts.openAnswers.push_back(file("fw.bin"));
        handlers->openImage(prompts);
        EXPECT_EQ(prompts.openCalls, 1) << "no dialog while an operation runs";
    }
    EXPECT_TRUE(view->path.empty());
    EXPECT_TRUE(reporter.log.empty());
}

} // namespace
