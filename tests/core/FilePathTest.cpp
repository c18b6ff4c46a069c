#include "FilePath.h"
#include "EdidFile.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Both separators split a path on Windows, where a drive also begins one; elsewhere a
// backslash is part of a name.
TEST(FilePathTest, FolderAndNameSplitAtThePlatformsSeparators) {
    struct Case {
        std::string path, folder, name;
    };
    const Case everywhere[] = {
        {"a.bin", ".", "a.bin"},  {"out/a.bin", "out", "a.bin"},
        {"/a.bin", "/", "a.bin"}, {"/tmp/out/a.bin", "/tmp/out", "a.bin"},
        {"out/", "out", ""},
    };
#ifdef _WIN32
    const Case platform[] = {
        {"out\\a.bin", "out", "a.bin"},
        {"C:\\Users\\me\\a.bin", "C:\\Users\\me", "a.bin"},
        {"C:\\a.bin", "C:\\", "a.bin"},
        {"C:/a.bin", "C:/", "a.bin"},
        {"C:a.bin", "C:", "a.bin"},
        {"\\a.bin", "\\", "a.bin"},
        {"out\\sub/a.bin", "out\\sub", "a.bin"},
        {"out/sub\\a.bin", "out/sub", "a.bin"},
    };
#else
    const Case platform[] = {
        {"out\\a.bin", ".", "out\\a.bin"},
        {"dir/C:a.bin", "dir", "C:a.bin"},
    };
#endif
    for (const Case& c : everywhere) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(NameOf(c.path), c.name) << c.path;
    }
    for (const Case& c : platform) {
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
        EXPECT_EQ(NameOf(c.path), c.name) << c.path;
    }

    // What holds a folder given with separators at its end, and a name put in a folder.
    const std::pair<std::string, std::string> parents[] = {
        {"edids", "."},
        {"edids/", "."},
        {"out/edids//", "out"},
        {"/edids", "/"},
        {"/", "/"},
        {"", "."},
#ifdef _WIN32
        {"out\\edids\\", "out"},
        {"C:\\edids\\", "C:\\"},
#endif
    };
    for (const auto& [path, parent] : parents)
        EXPECT_EQ(ParentOf(path), parent) << path;
    const std::pair<std::string, std::string> joined[] = {
        {"out", "out/a.bin"},    {"out/", "out/a.bin"}, {"/", "/a.bin"},
#ifdef _WIN32
        {"out\\", "out\\a.bin"}, {"C:", "C:a.bin"},
#else
        {"out\\", "out\\/a.bin"},
#endif
    };
    for (const auto& [folder, path] : joined)
        EXPECT_EQ(PathInFolder(folder, "a.bin"), path) << folder;

    // A file written through the platform's separator lands in the folder it names.
    TestBytes::TempFolder folder("redaviv-filepath");
    ASSERT_TRUE(folder.ok());
#ifdef _WIN32
    const std::string file = folder.path() + "\\sep.bin";
#else
    const std::string file = folder.path() + "/sep.bin";
#endif
    ASSERT_TRUE(WriteFileWhole(file, {7, 7}));
    EXPECT_EQ(TestBytes::readFile(folder.path("sep.bin")), (TestBytes::Bytes{7, 7}));
    EXPECT_EQ(KindOfPath(folder.path()), PathKind::Directory);
    EXPECT_EQ(KindOfPath(folder.path("none.bin")), PathKind::Missing);
}

// Two paths name the same file when they reach it by another spelling or through a hard
// link; a copy is another file. (roundtrip -d refuses an output that is an input by it.)
TEST(FilePathTest, OneIdentityForEveryPathToAFile) {
    TestBytes::TempFolder folder("redaviv-identity");
    ASSERT_TRUE(folder.ok());
    const std::string file = folder.path("a.bin");
    ASSERT_TRUE(TestBytes::writeFile(file, {1}));
    ASSERT_TRUE(TestBytes::writeFile(folder.path("copy.bin"), {1}));
    std::filesystem::create_hard_link(std::filesystem::u8path(file),
                                      std::filesystem::u8path(folder.path("hard.bin")));
    const std::optional<FileIdentity> identity = IdentityOfFile(file);
    ASSERT_TRUE(identity);
    std::vector<std::string> samePaths = {folder.path("./a.bin"), folder.path("hard.bin"),
                                          folder.path("sub/../a.bin")};
    ASSERT_TRUE(MakeFolder(folder.path("sub")));
#ifdef _WIN32
    // Either separator, either case.
    samePaths.push_back(folder.path() + "\\a.bin");
    samePaths.push_back(folder.path("A.BIN"));
#endif
    for (const std::string& path : samePaths)
        EXPECT_EQ(IdentityOfFile(path), identity) << path;
    EXPECT_NE(IdentityOfFile(folder.path("copy.bin")), identity);
    EXPECT_NE(IdentityOfFile(folder.path()), identity);
    EXPECT_FALSE(IdentityOfFile(folder.path("none.bin")));
}

// A folder is made once, in a folder that exists; a path that is missing says why, as
// the messages of the command line give it.
TEST(FilePathTest, FoldersAreMadeAndMissingPathsSayWhy) {
    TestBytes::TempFolder folder("redaviv-folders");
    ASSERT_TRUE(folder.ok());
    ASSERT_TRUE(MakeFolder(folder.path("made")));
    EXPECT_EQ(KindOfPath(folder.path("made")), PathKind::Directory);
    errno = 0;
    EXPECT_FALSE(MakeFolder(folder.path("made")));
    EXPECT_EQ(errno, EEXIST);
    errno = 0;
    EXPECT_FALSE(MakeFolder(folder.path("none/made")));
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    EXPECT_EQ(KindOfPath(folder.path("none")), PathKind::Missing);
    EXPECT_EQ(errno, ENOENT);
}

} // namespace
