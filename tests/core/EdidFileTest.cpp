#include "EdidFile.h"
#include "EdidInfo.h"
#include "EdidValidation.h"
#include "FilePath.h"
#include "TestBytes.h"
#include "TestEdids.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#ifndef _WIN32
#include "FedFifo.h"
#endif

using namespace TestEdids;
using TestBytes::readFile;

namespace {

// A private folder for one test's files, removed afterwards.
class EdidFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.ok()); }
    void TearDown() override { EXPECT_TRUE(folder_.remove()); }
    std::string path(const std::string& name) const { return folder_.path(name); }

    std::string write(const std::string& name, const Bytes& bytes) const {
        const std::string p = path(name);
        TestBytes::writeFile(p, bytes);
        return p;
    }
    // How many entries `folder` holds: a temporary file left behind shows here.
    static int entries(const std::string& folder) {
        int count = 0;
        if (DIR* d = ::opendir(folder.c_str())) {
            while (const dirent* e = ::readdir(d))
                count += std::string(e->d_name) != "." && std::string(e->d_name) != "..";
            ::closedir(d);
        }
        return count;
    }

    TestBytes::TempFolder folder_{"redaviv-edidfile"};
    const std::string dir_ = folder_.path();
};

TEST_F(EdidFileTest, EmptyFileReadsAsFillerAndFailsWithBadHeaderOnly) {
    EdidInfo info{};
    ASSERT_TRUE(ReadEdidFile(write("empty.bin", {}), info.Image));
    for (std::uint8_t b : info.Image)
        ASSERT_EQ(b, 0xFF);
    EXPECT_FALSE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::BadHeader);
}

TEST_F(EdidFileTest, ShortBaseOnlyFileIsValidWithFillerBlock1) {
    EdidInfo info{};
    ASSERT_TRUE(ReadEdidFile(write("base.bin", BytesOf(Base(), 128)), info.Image));
    EXPECT_TRUE(ValidateEdid(info));
    for (std::size_t i = 128; i < 256; ++i)
        ASSERT_EQ(info.Image[i], 0xFF);
}

TEST_F(EdidFileTest, ShortFileWithExtensionCountOneFailsChecksum1) {
    EdidImage image = Base();
    image[126] = 1;
    FixChecksums(image, false);
    EdidInfo info{};
    ASSERT_TRUE(ReadEdidFile(write("short.bin", BytesOf(image, 128)), info.Image));
    EXPECT_FALSE(ValidateEdid(info));
    EXPECT_EQ(info.Status, EdidStatus::BadChecksum1);
}

TEST_F(EdidFileTest, LongFileReadsOnlyItsFirst256Bytes) {
    Bytes bytes = BytesOf(WithExtension({}));
    bytes.resize(300, 0x42);
    EdidImage image{};
    ASSERT_TRUE(ReadEdidFile(write("long.bin", bytes), image));
    EXPECT_EQ(BytesOf(image), Bytes(bytes.begin(), bytes.begin() + 256));
}

TEST_F(EdidFileTest, MissingFileCannotBeOpenedAndImageIsUntouched) {
    EdidImage image{};
    image[5] = 0x77;
    const EdidImage before = image;
    EXPECT_FALSE(ReadEdidFile(path("absent.bin"), image));
    EXPECT_EQ(image, before);
}

#ifndef _WIN32
// POSIX permissions.
TEST_F(EdidFileTest, UnreadableFileCannotBeOpened) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root from reading";
    const std::string p = write("secret.bin", BytesOf(Base()));
    ASSERT_EQ(::chmod(p.c_str(), 0), 0);
    EdidImage image{};
    EXPECT_FALSE(ReadEdidFile(p, image));
}
#endif

TEST_F(EdidFileTest, DirectoryCountsAsAFileThatCannotBeOpened) {
    EdidImage image{};
    EXPECT_FALSE(ReadEdidFile(dir_, image));
    EXPECT_EQ(image, EdidImage{});
}

TEST_F(EdidFileTest, WriteFileWholeCreatesAndReplaces) {
    const std::string p = path("out.bin");
    ASSERT_TRUE(WriteFileWhole(p, {1, 2, 3}));
    EXPECT_EQ(readFile(p), (Bytes{1, 2, 3}));
    const Bytes whole = BytesOf(WithExtension({}));
    ASSERT_TRUE(WriteFileWhole(p, whole));
    EXPECT_EQ(readFile(p), whole);
}

TEST_F(EdidFileTest, WriteEdidFileWritesTheImage) {
    const EdidImage image = WithExtension({Block(0x40, {16})});
    const std::string p = path("image.bin");
    ASSERT_TRUE(WriteEdidFile(p, image));
    EdidImage back{};
    ASSERT_TRUE(ReadEdidFile(p, back));
    EXPECT_EQ(back, image);
}

TEST_F(EdidFileTest, ReadOnlyTargetIsLeftUntouched) {
    const std::string p = write("readonly.bin", {9, 9, 9});
    ASSERT_EQ(::chmod(p.c_str(), 0444), 0);
    EXPECT_FALSE(CanCreateFile(p));
    EXPECT_FALSE(WriteFileWhole(p, {1, 2, 3, 4}));
    EXPECT_EQ(readFile(p), (Bytes{9, 9, 9}));
}

TEST_F(EdidFileTest, DirectoryTargetIsRefused) {
    EXPECT_FALSE(CanCreateFile(dir_));
    EXPECT_FALSE(WriteFileWhole(dir_, {1}));
    struct stat st {};
    ASSERT_EQ(::stat(dir_.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST_F(EdidFileTest, NewNameInMissingFolderIsRefused) {
    EXPECT_FALSE(CanCreateFile(path("no-such-folder/out.bin")));
    EXPECT_FALSE(WriteFileWhole(path("no-such-folder/out.bin"), {1}));
    EXPECT_FALSE(CanCreateFile(""));
}

// A write that fails says why in errno, the same on both systems, for the command line's
// messages; nothing is left behind.
TEST_F(EdidFileTest, AFailedWriteSaysWhy) {
    const std::string readOnly = write("readonly.bin", {9});
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    write("file.bin", {1});
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";
#endif
    const std::pair<std::string, int> failures[] = {
        {dir_, EISDIR},
        {path("new-folder/"), EISDIR},
        {device, EINVAL},
        {readOnly, EACCES},
        {path("file.bin/out.bin"), ENOTDIR},
        {path("no-such-folder/out.bin"), ENOENT},
        {"", ENOENT},
    };
    for (const auto& [target, error] : failures) {
        errno = 0;
        EXPECT_FALSE(WriteFileWhole(target, {1, 2})) << target;
        EXPECT_EQ(errno, error) << target;
    }
    EXPECT_EQ(entries(dir_), 2);
    EXPECT_EQ(readFile(readOnly), (Bytes{9}));
}

TEST_F(EdidFileTest, ReplacingKeepsNoTemporaryBehind) {
    const std::string p = write("keep.bin", {5, 5});
    ASSERT_TRUE(WriteFileWhole(p, {6, 6, 6}));
    EXPECT_EQ(entries(dir_), 1);
    EXPECT_EQ(readFile(p), (Bytes{6, 6, 6}));
}

#ifndef _WIN32
// POSIX permissions.
TEST_F(EdidFileTest, ReplacingKeepsTheFileMode) {
    const std::string p = write("mode.bin", {1});
    ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileWhole(p, {2, 2}));
    struct stat st {};
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}
#endif

#ifndef _WIN32
// FIFOs and symbolic links are POSIX files.
TEST_F(EdidFileTest, OnlyRegularFilesAreRead) {
    const FedFifo fifo(path("fifo.bin"), BytesOf(Base()));
    ASSERT_TRUE(fifo.ok());
    EdidImage image{};
    image[5] = 0x77;
    const EdidImage before = image;
    EXPECT_FALSE(ReadEdidFile(path("fifo.bin"), image));
    EXPECT_EQ(image, before);
    EXPECT_FALSE(ReadRegularFile(path("fifo.bin"), 256));
    EXPECT_FALSE(ReadRegularFile("/dev/null", 256));
    EXPECT_FALSE(CanCreateFile(path("fifo.bin")));
    EXPECT_FALSE(WriteFileWhole(path("fifo.bin"), {1}));

    // A link to a regular file reads as the file.
    write("real.bin", {1, 2, 3});
    ASSERT_EQ(::symlink("real.bin", path("link.bin").c_str()), 0);
    EXPECT_EQ(ReadRegularFile(path("link.bin"), 2), (Bytes{1, 2}));
}
#endif

#ifndef _WIN32
// Symbolic links are POSIX files.
TEST_F(EdidFileTest, WritingThroughASymbolicLinkReplacesItsTarget) {
    ASSERT_EQ(::mkdir(path("sub").c_str(), 0755), 0);
    const std::string target = write("sub/target.bin", {9});
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(::symlink("sub/target.bin", path("link.bin").c_str()), 0);

    EXPECT_TRUE(CanCreateFile(path("link.bin")));
    ASSERT_TRUE(WriteFileWhole(path("link.bin"), {1, 2, 3}));
    struct stat st {};
    ASSERT_EQ(::lstat(path("link.bin").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    char link[PATH_MAX] = {};
    ASSERT_GT(::readlink(path("link.bin").c_str(), link, sizeof link - 1), 0);
    EXPECT_STREQ(link, "sub/target.bin");
    EXPECT_EQ(readFile(target), (Bytes{1, 2, 3}));
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(dir_), 2);
    EXPECT_EQ(entries(path("sub")), 1);

    // A link whose target is missing fails as a file that cannot be opened.
    ASSERT_EQ(::symlink("sub/missing.bin", path("dangling.bin").c_str()), 0);
    EXPECT_FALSE(CanCreateFile(path("dangling.bin")));
    EXPECT_FALSE(WriteFileWhole(path("dangling.bin"), {1}));
    EXPECT_EQ(entries(path("sub")), 1);
    ASSERT_EQ(::lstat(path("dangling.bin").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}
#endif

#ifndef _WIN32
// The folder's name limit as POSIX gives it.
TEST_F(EdidFileTest, EveryNameTheFolderAllowsCanBeWritten) {
    const long nameMax = ::pathconf(dir_.c_str(), _PC_NAME_MAX);
    ASSERT_GT(nameMax, 16);
    const auto longest = static_cast<std::size_t>(nameMax);
    std::vector<std::string> names;
    for (std::size_t length = longest - 8; length <= longest; ++length)
        names.push_back(std::string(length, 'n'));
    // Two-byte characters up to the limit: the temporary name is cut between them.
    std::string accented;
    while (accented.size() + 2 <= longest)
        accented += "\xC3\xA9";
    names.push_back(accented + std::string(longest - accented.size(), 'x'));

    for (const std::string& name : names) {
        ASSERT_TRUE(WriteFileWhole(path(name), {1})) << name.size();
        ASSERT_TRUE(WriteFileWhole(path(name), {2, 2})) << name.size();
        EXPECT_EQ(readFile(path(name)), (Bytes{2, 2}));
    }
    EXPECT_EQ(entries(dir_), static_cast<int>(names.size()));
    EXPECT_FALSE(WriteFileWhole(path(std::string(longest + 1, 'n')), {1}));
    EXPECT_EQ(entries(dir_), static_cast<int>(names.size()));
}
#endif

// A device is no file on either system: it is neither read nor replaced, and never
// opened (opening a serial port acts on its lines).
TEST_F(EdidFileTest, DevicesAreNeitherReadNorReplaced) {
#ifdef _WIN32
    const std::vector<std::string> devices = {"NUL", "COM1", "\\\\.\\COM12"};
#else
    const std::vector<std::string> devices = {"/dev/null", "/dev/zero"};
#endif
    for (const std::string& device : devices) {
        EXPECT_FALSE(ReadRegularFile(device, 256)) << device;
        EXPECT_FALSE(CanCreateFile(device)) << device;
        EXPECT_FALSE(WriteFileWhole(device, {1})) << device;
        EXPECT_EQ(KindOfPath(device), PathKind::Device) << device;
    }
    EXPECT_EQ(entries(dir_), 0);
}

// Names are UTF-8 to the program; the file system gets the very same name, a folder's
// name as well as a file's, and a replaced file leaves no temporary name behind.
TEST_F(EdidFileTest, Utf8NamesReachTheFileSystemWhole) {
    const std::string folder = path("Donn\xC3\xA9"
                                    "es \xE6\x98\xBE\xE7\xA4\xBA");
    ASSERT_TRUE(std::filesystem::create_directory(std::filesystem::u8path(folder)));
    const std::string name = "\xC3\x89"
                             "cran-\xC3\x9F.bin";
    const EdidImage image = WithExtension({});
    for (const std::string& file : {path(name), folder + "/" + name}) {
        ASSERT_TRUE(CanCreateFile(file)) << file;
        ASSERT_TRUE(WriteEdidFile(file, image)) << file;
        ASSERT_TRUE(WriteFileWhole(file, BytesOf(image))) << file;
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::u8path(file))) << file;
        EXPECT_EQ(KindOfPath(file), PathKind::Regular) << file;
        EdidImage back{};
        ASSERT_TRUE(ReadEdidFile(file, back)) << file;
        EXPECT_EQ(back, image);
    }
    EXPECT_EQ(KindOfPath(folder), PathKind::Directory);
    EXPECT_EQ(entries(dir_), 2);
    const std::filesystem::directory_iterator inFolder(std::filesystem::u8path(folder));
    ASSERT_NE(inFolder, std::filesystem::directory_iterator());
    EXPECT_EQ(inFolder->path().filename().u8string(), name);
}

} // namespace
