// Runs redaviv-cli roundtrip and brandnew on files the test writes, and checks files and
// exit statuses.
#include "BrandNewEdid.h"
#include "CliRunner.h"
#include "EdidFile.h"
#include "EdidInfo.h"
#include "EdidValidation.h"
#include "TestEdids.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifndef _WIN32
#include "FedFifo.h"
#endif

using namespace TestEdids;

namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

class CreatorCliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString path(const char* name) const { return dir.filePath(name); }

    EdidImage read(const QString& file) const {
        EdidImage image{};
        EXPECT_TRUE(ReadEdidFile(file.toStdString(), image));
        return image;
    }

    void write(const QString& file, const EdidImage& image) const {
        ASSERT_TRUE(WriteEdidFile(file.toStdString(), image));
    }

    QTemporaryDir dir;
};

bool isValid(const EdidImage& image) {
    EdidInfo info{};
    info.Image = image;
    return ValidateEdid(info);
}

TEST_F(CreatorCliTest, BrandnewWritesTheTemplateWithTheYearAndWeekOfTheDayGiven) {
    const CliRun run = runCli({"brandnew", "-o", path("new.bin"), "--today", "2021-01-01"});
    EXPECT_EQ(run.status, 0) << run.err;
    const EdidImage image = read(path("new.bin"));
    EXPECT_TRUE(isValid(image));
    EXPECT_EQ(image[16], 53);          // ISO week of 2021-01-01
    EXPECT_EQ(image[17], 2021 - 1990); // its calendar year
    EXPECT_TRUE(std::equal(BrandNewEdid.begin(), BrandNewEdid.begin() + 16, image.begin()));
    EXPECT_TRUE(
        std::equal(BrandNewEdid.begin() + 18, BrandNewEdid.begin() + 127, image.begin() + 18));
}

TEST_F(CreatorCliTest, RoundtripOfItsOwnOutputChangesNothing) {
    write(path("in.bin"), WithExtension({Block(0x40, {0x90, 0x04, 0x5F}),
                                         Block(0x20, {0x0D, 0x7F, 0x07, 0x15, 0x07, 0x50}),
                                         Block(0x80, {0x0F, 0x00, 0x00}),
                                         Block(0x60, {0x03, 0x0C, 0x00, 0x21, 0x00, 0xB8, 0x3C})}));
    ASSERT_EQ(runCli({"roundtrip", path("in.bin"), "-o", path("once.bin")}).status, 0);
    ASSERT_EQ(runCli({"roundtrip", path("once.bin"), "-o", path("twice.bin")}).status, 0);
    const EdidImage once = read(path("once.bin"));
    EXPECT_TRUE(isValid(once));
    EXPECT_EQ(read(path("twice.bin")), once);
    // The identification and the physical address came through.
    const EdidImage in = read(path("in.bin"));
    EXPECT_TRUE(std::equal(in.begin(), in.begin() + 126, once.begin()));
}

TEST_F(CreatorCliTest, AFileThatCannotBeOpenedOrWrittenFailsWithoutWriting) {
    CliRun run = runCli({"roundtrip", path("missing.bin"), "-o", path("out.bin")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "Edid Open Fail.")) << run.err;
    EXPECT_FALSE(QFile::exists(path("out.bin")));

    run = runCli({"roundtrip", dir.path(), "-o", path("out.bin")}); // a folder is no file
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(QFile::exists(path("out.bin")));

    write(path("in.bin"), BrandNewEdid);
    run = runCli({"roundtrip", path("in.bin"), "-o", path("no-such-dir/out.bin")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "Edid Open Fail.")) << run.err;

    run = runCli({"brandnew", "-o", path("no-such-dir/out.bin")});
    EXPECT_EQ(run.status, 1);
}

TEST_F(CreatorCliTest, AnInputThatIsNotARegularFileIsRefused) {
#ifndef _WIN32
    // FIFOs are POSIX files.
    const FedFifo fifo(path("fifo.bin").toStdString(),
                       Bytes(BrandNewEdid.begin(), BrandNewEdid.end()));
    ASSERT_TRUE(fifo.ok());
    const CliRun refused = runCli({"roundtrip", path("fifo.bin"), "-o", path("out.bin")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.err, "fifo.bin: is a FIFO, not a regular file")) << refused.err;
#endif
    // Standard input has no name to save under in a folder.
    const CliRun run = runCli({"roundtrip", "-", "-d", dir.path()});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.err, "'-' has none")) << run.err;
    EXPECT_FALSE(QFile::exists(path("out.bin")));
}

TEST_F(CreatorCliTest, OutputGoesThroughALinkAndUnderTheLongestName) {
    write(path("target.bin"), EdidImage{});
#ifdef _WIN32
    // Symbolic links are POSIX files; the longest name is written on Windows too.
    ASSERT_EQ(runCli({"brandnew", "-o", path("target.bin")}).status, 0);
#else
    ASSERT_TRUE(QFile::link(path("target.bin"), path("link.bin")));
    ASSERT_EQ(runCli({"brandnew", "-o", path("link.bin")}).status, 0);
    EXPECT_TRUE(QFileInfo(path("link.bin")).isSymLink());
    EXPECT_TRUE(isValid(read(path("target.bin"))));

    // A link to nothing is a file that cannot be opened; nothing is created.
    ASSERT_TRUE(QFile::link(path("missing.bin"), path("dangling.bin")));
    const CliRun run = runCli({"brandnew", "-o", path("dangling.bin")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "Edid Open Fail.")) << run.err;
    EXPECT_FALSE(QFile::exists(path("missing.bin")));
#endif

    const QString longest = dir.filePath(QString(255, 'n'));
    ASSERT_EQ(runCli({"roundtrip", path("target.bin"), "-o", longest}).status, 0);
    EXPECT_EQ(read(longest), read(path("target.bin")));
}

TEST_F(CreatorCliTest, AnInvalidFileIsSavedFromTheResetPanel) {
    EdidImage broken = BrandNewEdid;
    broken[255] ^= 1;
    write(path("in.bin"), broken);
    EXPECT_EQ(runCli({"roundtrip", path("in.bin"), "-o", path("out.bin")}).status, 0);
    EXPECT_EQ(QFile(path("out.bin")).size(), 256);
}

// -d: each input through its own fresh creator, into the folder under its own base name,
// as -o would write it; a failure is a line naming its input and ends in exit 1, and the
// other inputs are still written. The command needs no window: nothing else on stderr.
TEST_F(CreatorCliTest, RoundtripIntoAFolderWritesOneFilePerInput) {
    write(path("a.bin"), BrandNewEdid);
    EdidImage broken = BrandNewEdid;
    broken[255] ^= 1;
    write(path("b.bin"), broken);
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    CliRun run = runCli({"roundtrip", path("a.bin"), path("b.bin"), "-d", path("out")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    for (const char* name : {"a.bin", "b.bin"}) {
        const QString single = path("single.bin");
        ASSERT_EQ(runCli({"roundtrip", path(name), "-o", single}).status, 0);
        EXPECT_EQ(read(dir.filePath(QStringLiteral("out/") + name)), read(single)) << name;
    }

    QFile::remove(dir.filePath("out/a.bin"));
    run = runCli({"roundtrip", path("missing.bin"), path("a.bin"), dir.path(), "-d", path("out")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, path("missing.bin").toStdString() + ": Edid Open Fail.\n" +
                           dir.path().toStdString() + ": Edid Open Fail.\n");
    EXPECT_TRUE(QFile::exists(dir.filePath("out/a.bin")));
}

TEST_F(CreatorCliTest, UsageErrorsExitWithTwo) {
    write(path("in.bin"), BrandNewEdid);
    const QStringList cases[] = {
        {"roundtrip", path("in.bin")},
        {"roundtrip", "-o", path("out.bin")},
        {"roundtrip", path("in.bin"), path("in.bin"), "-o", path("out.bin")},
        {"roundtrip", path("in.bin"), "-o"},
        {"brandnew"},
        {"brandnew", "-o", path("out.bin"), "--today", "2021-13-01"},
        {"brandnew", "-o", path("out.bin"), "--today", "2024-01-01x"},
        {"brandnew", "-o", path("out.bin"), "--today", " 2024-01-01"},
        {"brandnew", "-o", path("out.bin"), "--today", "2024-1-01"},
        {"brandnew", "-o", path("out.bin"), "--today", "20240101"},
        {"brandnew", "-o", path("out.bin"), "--today", "2024-01-01T00:00"},
        {"brandnew", "-o", path("out.bin"), "--today", "2023-02-29"},
        {"brandnew", "-o", path("out.bin"), "--today"},
        {"brandnew", "-o", path("out.bin"), "--json"},
        {"brandnew", path("in.bin"), "-o", path("out.bin")},
        {"roundtrip", "-d", dir.path()},
        {"roundtrip", path("in.bin"), "-d"},
        {"roundtrip", path("in.bin"), "-d", dir.path(), "-o", path("out.bin")},
        {"brandnew", "-d", dir.path()},
    };
    for (const QStringList& args : cases) {
        EXPECT_EQ(runCli(args).status, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(path("out.bin")));
    }
    EXPECT_EQ(runCli({"roundtrip", "--help"}).status, 0);
}

} // namespace
