// Runs redaviv-cli roundtrip and brandnew on files the test writes, and checks files and
// exit statuses.
#include "BrandNewEdid.h"
#include "CliRunner.h"
#include "EdidFile.h"
#include "EdidInfo.h"
#include "EdidTestFiles.h"
#include "EdidValidation.h"
#include "TestEdids.h"
#include "TestText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#ifndef _WIN32
#include "FedFifo.h"
#endif

using namespace TestEdids;

namespace {

using TestText::contains;

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
        ASSERT_TRUE(EdidTestFiles::WriteImage(file, image));
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

// The window shows a refused EDID as "Error." in its edits; the command names the file with
// the window's message of its validation failure, writes nothing for it and goes on.
TEST_F(CreatorCliTest, AFileTheCreatorRefusesIsNamedAndNothingIsWrittenForIt) {
    write(path("good.bin"), BrandNewEdid);
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    for (const auto& [image, message] : EdidsThatFailValidation(BrandNewEdid)) {
        SCOPED_TRACE(message);
        write(path("in.bin"), image);
        CliRun run = runCli({"roundtrip", path("in.bin"), "-o", path("out.bin")});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, path("in.bin").toStdString() + ": " + message + "\n");
        EXPECT_FALSE(QFile::exists(path("out.bin")));

        QFile::remove(dir.filePath("out/good.bin"));
        run = runCli({"roundtrip", path("in.bin"), path("good.bin"), "-d", path("out")});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, path("in.bin").toStdString() + ": " + message + "\n");
        EXPECT_FALSE(QFile::exists(dir.filePath("out/in.bin")));
        EXPECT_TRUE(QFile::exists(dir.filePath("out/good.bin")));
    }
}

// -d: each input through its own fresh creator, into the folder under its own base name,
// as -o would write it; a failure is a line naming its input and ends in exit 1, and the
// other inputs are still written. The command needs no window: nothing else on stderr.
TEST_F(CreatorCliTest, RoundtripIntoAFolderWritesOneFilePerInput) {
    write(path("a.bin"), BrandNewEdid);
    write(path("b.bin"), WithExtension({Block(0x40, {0x90, 0x04})}));
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

// -d saves each input under its base name: two inputs of one name would leave only the
// second's result. Refused before anything is read or written.
TEST_F(CreatorCliTest, RoundtripIntoAFolderRefusesInputsThatShareAName) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("a"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("b"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    write(path("a/x.bin"), BrandNewEdid);
    write(path("b/x.bin"), BrandNewEdid);
    write(path("y.bin"), BrandNewEdid);
    const QStringList cases[] = {
        {"roundtrip", path("y.bin"), path("a/x.bin"), path("b/x.bin"), "-d", path("out")},
        {"roundtrip", path("a/x.bin"), path("y.bin"), path("a/x.bin"), "-d", path("out")},
    };
    for (const QStringList& args : cases) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.status, 2);
        const std::string both = (args[1] == path("y.bin") ? args[2] : args[1]).toStdString() +
                                 " and " + args[3].toStdString() + " would both be saved as " +
                                 path("out").toStdString() + "/x.bin; nothing written\n";
        EXPECT_TRUE(contains(run.err, both.c_str())) << run.err;
        EXPECT_TRUE(QDir(path("out")).isEmpty());
    }
#ifdef _WIN32
    // Names that differ only in case name one file on Windows.
    write(path("b/X.bin"), BrandNewEdid);
    const CliRun cased = runCli({"roundtrip", path("a/x.bin"), path("b/X.bin"), "-d", path("out")});
    EXPECT_EQ(cased.status, 2);
    EXPECT_TRUE(contains(cased.err, "would both be saved as")) << cased.err;
    EXPECT_TRUE(QDir(path("out")).isEmpty());
#endif
    // A link in OUTDIR to another output's file is the same file (on Windows, where a
    // symbolic link needs a privilege, a hard link).
#ifdef _WIN32
    write(path("out/x.bin"), EdidImage{});
    std::filesystem::create_hard_link(path("out/x.bin").toStdU16String(),
                                      path("out/y.bin").toStdU16String());
#else
    ASSERT_TRUE(QFile::link(path("out/x.bin"), path("out/y.bin")));
    write(path("out/x.bin"), EdidImage{});
#endif
    const CliRun run = runCli({"roundtrip", path("a/x.bin"), path("y.bin"), "-d", path("out")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(read(path("out/x.bin")), EdidImage{});
}

// -d into a folder that holds an input would replace it by what was read from it (cut to
// 256 bytes) or from another input: refused, the file itself, a hard link or a symbolic
// link to it alike.
TEST_F(CreatorCliTest, RoundtripIntoAFolderRefusesToOverwriteAnInput) {
    QByteArray four = EdidTestFiles::Bytes(BrandNewEdid);
    four += QByteArray(256, 0x5A);
    ASSERT_TRUE(EdidTestFiles::WriteBytes(path("four.bin"), four));
    ASSERT_TRUE(QDir(dir.path()).mkpath("d"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("h"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("s"));
    write(path("d/other.bin"), BrandNewEdid);
    std::filesystem::create_hard_link(path("four.bin").toStdU16String(),
                                      path("h/four.bin").toStdU16String());
    ASSERT_TRUE(QFile::copy(path("four.bin"), path("d/four.bin")));
    std::vector<std::pair<QStringList, QString>> cases = {
        {{path("d/four.bin"), path("d/other.bin")}, path("d/four.bin")},
        {{path("four.bin")}, path("h/four.bin")},
    };
    // Windows opens a symbolic link only with a privilege.
#ifndef _WIN32
    ASSERT_TRUE(QFile::link(path("four.bin"), path("s/four.bin")));
    cases.push_back({{path("four.bin")}, path("s/four.bin")});
#endif
    const QString folders[] = {path("d"), path("h"), path("s")};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& [inputs, output] = cases[i];
        const CliRun run =
            runCli(QStringList{"roundtrip"} + inputs + QStringList{"-d", folders[i]});
        EXPECT_EQ(run.status, 2) << output.toStdString();
        const std::string message = output.toStdString() + " would overwrite the input " +
                                    inputs[0].toStdString() + "; nothing written\n";
        EXPECT_TRUE(contains(run.err, message.c_str())) << run.err;
        EXPECT_EQ(EdidTestFiles::ReadBytes(output), four);
    }
    EXPECT_EQ(read(path("d/other.bin")), BrandNewEdid);
    // An output that is not there yet is no input.
    EXPECT_EQ(runCli({"roundtrip", path("four.bin"), "-d", path("d")}).status, 0);
}

// A file that cannot be saved is named with why, not blamed on its input.
TEST_F(CreatorCliTest, RoundtripIntoAFolderNamesTheOutputThatCannotBeWritten) {
    write(path("f1.bin"), BrandNewEdid);
    write(path("f3.bin"), BrandNewEdid);
    CliRun run = runCli({"roundtrip", path("f1.bin"), "-d", path("missing")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, path("missing").toStdString() + ": no such folder\n");
    run = runCli({"roundtrip", path("f1.bin"), "-d", path("f3.bin")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, path("f3.bin").toStdString() + ": is not a folder\n");

    // In the folder: a read-only file and a folder in the way of two of the outputs.
    ASSERT_TRUE(QDir(dir.path()).mkpath("out/f3.bin"));
    write(path("out/f1.bin"), EdidImage{});
    ASSERT_TRUE(QFile::setPermissions(path("out/f1.bin"), QFileDevice::ReadOwner));
    write(path("f2.bin"), BrandNewEdid);
    run = runCli({"roundtrip", path("f1.bin"), path("f2.bin"), path("f3.bin"), "-d", path("out")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, path("out/f1.bin").toStdString() +
                           ": Edid Open Fail. (Permission denied)\n" +
                           path("out/f3.bin").toStdString() +
                           ": Edid Open Fail. (is a directory, not a file)\n");
    // The others are written all the same.
    EXPECT_TRUE(isValid(read(path("out/f2.bin"))));
}

} // namespace
