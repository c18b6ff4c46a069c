#include "FilePath.h"
#include "EdidFile.h"
#include "TestBytes.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
