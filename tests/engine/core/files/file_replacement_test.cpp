#include "engine/core/files/file_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/engine/core/files/file_fixture.h"

namespace {

using FileReplacementTest = FileLayerTest;

TEST_F(FileReplacementTest, ThePathHoldsTheOldOrTheWholeNewContents) {
    Write("user/saves/slot.dat", "old");
    {
        TFileReplacement file;
        ASSERT_TRUE(file.Open("user:saves/slot.dat"));
        EXPECT_TRUE(file.Write("new, but", 8));
        EXPECT_EQ(ReadDisk("user/saves/slot.dat"), "old");  // nothing shows before the commit
    }  // dropped: the part written goes
    EXPECT_EQ(ReadDisk("user/saves/slot.dat"), "old");
    EXPECT_EQ(FilesIn("user/saves"), std::vector<std::string>{"slot.dat"});

    TFileReplacement file;
    ASSERT_TRUE(file.Open("user:saves/slot.dat"));
    EXPECT_TRUE(file.Write("new ", 4));
    EXPECT_TRUE(file.Write("whole", 5));
    EXPECT_TRUE(file.Commit());
    EXPECT_FALSE(file.Commit());  // once
    EXPECT_EQ(ReadDisk("user/saves/slot.dat"), "new whole");
    EXPECT_EQ(FilesIn("user/saves"), std::vector<std::string>{"slot.dat"});

    ASSERT_TRUE(file.Open("common:fresh/made.txt"));  // missing folders are made, as for any write
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(ReadDisk("common/fresh/made.txt"), "");
}

TEST_F(FileReplacementTest, OnlyDiskFilesInsideTheirRootAreReplaced) {
    WritePackage("assets/pack.qvp", {{"packed.txt", "in the package"}});
    Write("user/blocker", "a file where a folder should be");
    InitFileSystem();
    TFileReplacement file;
    for (const char* path : {"packed.txt", "user:../escape.txt", "user:blocker/x.txt", "nowhere:x"})
        EXPECT_FALSE(file.Open(path)) << path;
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_FALSE(file.Commit());
    EXPECT_FALSE(std::filesystem::exists(root_ / "escape.txt"));
}

}  // namespace
