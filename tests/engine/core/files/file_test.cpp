#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "tests/engine/core/files/file_fixture.h"

namespace {

const std::string kLines = "one\r\ntwo\r\nlast";

TEST_F(FileLayerTest, ResolvesMountedAndRuleBasedPaths) {
    Write("assets/Images/Logo.PNG", "logo");
    Write("assets/sub/deep/x.txt", "deep");
    Write("assets/.svn/hidden.txt", "svn");
    Write("plain.txt", "cwd");
    Write("user/save.dat", "saved");
    Write("common/shared.dat", "shared");
    InitFileSystem();

    struct Case {
        const char* path;
        const char* expected;
    } const cases[] = {
        {"images/logo.png", "logo"},
        {"Images/Logo.PNG", "logo"},
        {"IMAGES/LOGO.png", "logo"},
        {"assets/images/logo.png", "logo"},
        {"assets\\images/logo.png", "logo"},
        {"sub/deep/x.txt", "deep"},
        {".svn/hidden.txt", "<missing>"},
        {"::plain.txt", "cwd"},
        {"::PLAIN.TXT", "cwd"},
        {"::nothing.txt", "<missing>"},
        {"user:save.dat", "saved"},
        {"User:SAVE.dat", "saved"},
        {"common:shared.dat", "shared"},
        {"desktop:x.txt", "<missing>"},
        {"nowhere.txt", "<missing>"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadAll(c.path), c.expected) << c.path;
    EXPECT_TRUE(FileExists("Images/logo.png"));
    EXPECT_FALSE(FileExists("images/none.png"));
}

TEST_F(FileLayerTest, LoopingFolderLinksDoNotHangTheMount) {
    Write("assets/a/x.txt", "x");
    std::filesystem::create_directory_symlink(root_ / "assets", root_ / "assets/a/loop");
    InitFileSystem();
    EXPECT_EQ(ReadAll("a/x.txt"), "x");
    EXPECT_EQ(ReadAll("a/loop/a/x.txt"), "x");
}

TEST_F(FileLayerTest, DataRootsMatchSegmentsWithoutRegardToCase) {
    InitFileSystem();
    Write("user/Saves/Slot1.DAT", "late"); // created after mounting: found by rule, not by the map
    EXPECT_EQ(ReadAll("user:saves/slot1.dat"), "late");
    EXPECT_EQ(ReadAll("user:SAVES/SLOT1.dat"), "late");
}

TEST_F(FileLayerTest, ExcludedFilesAreFoundNowhere) {
    Write("final.txt", "secret.txt\tdebug/tool.lua\r\nuser:private.dat");
    Write("assets/secret.txt", "s");
    Write("assets/debug/tool.lua", "t");
    Write("assets/kept.txt", "k");
    Write("user/secret.txt", "u");
    Write("user/private.dat", "p");
    Write("common/secret.txt", "c");
    InitFileSystem();
    for (const char* path : {"secret.txt", "debug/tool.lua", "user:secret.txt", "common:secret.txt", "user:private.dat"})
        EXPECT_EQ(ReadAll(path), "<missing>") << path;
    EXPECT_EQ(ReadAll("kept.txt"), "k");
    // Writing is not a lookup of an existing file.
    TFile file;
    EXPECT_TRUE(file.Open("user:secret.txt", kFileWriteBinary));
}

TEST_F(FileLayerTest, ExclusionListHonoursClearWordFirstPeekAndSizeLimit) {
    Write("assets/a.txt", "a");
    Write("assets/b.txt", "b");
    Write("final.txt", "a.txt -* b.txt");
    Write("firstpeek.txt", "a.txt");
    InitFileSystem();
    EXPECT_EQ(ReadAll("a.txt"), "a");
    EXPECT_EQ(ReadAll("b.txt"), "<missing>");

    ShutdownFileSystem();
    SetConfig("firstpeek", "1");
    InitFileSystem();
    EXPECT_EQ(ReadAll("a.txt"), "<missing>");
    EXPECT_EQ(ReadAll("b.txt"), "b");

    ShutdownFileSystem();
    SetConfig("firstpeek", "0");
    Write("final.txt", "a.txt " + std::string(100000, ' '));
    InitFileSystem();
    EXPECT_EQ(ReadAll("a.txt"), "a");
}

TEST_F(FileLayerTest, WritingUnderDataFolderCreatesFolders) {
    InitFileSystem();
    TFile* file = FileOpen("user:saves/a/b.txt", kFileWriteBinary);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(FileWrite(file, "hello", 5), 5);
    FileClose(file);
    EXPECT_EQ(ReadDisk("user/saves/a/b.txt"), "hello");

    file = FileOpen("common:x/y.txt", kFileAppendBinary);
    ASSERT_NE(file, nullptr);
    FileWrite(file, "1", 1);
    FileClose(file);
    file = FileOpen("common:x/y.txt", kFileAppendText);
    FileWrite(file, "2", 1);
    FileClose(file);
    EXPECT_EQ(ReadDisk("common/x/y.txt"), "12");
}

TEST_F(FileLayerTest, ClosedHandlesAnswerNeutralValues) {
    TFile file;
    EXPECT_FALSE(file.Open("no/such/file", kFileReadBinary));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(file.IsEof());
    EXPECT_EQ(file.GetSize(), 0);
    EXPECT_EQ(file.Tell(), -1);
    char byte;
    EXPECT_EQ(file.Read(&byte, 1), 0);
    EXPECT_EQ(file.Write(&byte, 1), 0);
    file.Seek(3, kSeekStart);
    file.Unget();
    EXPECT_EQ(FileOpen("no/such/file", kFileReadBinary), nullptr);
    EXPECT_EQ(FileGetc(nullptr), -1);
    EXPECT_EQ(FileGets(nullptr, &byte, 1), nullptr);
    EXPECT_TRUE(FileIsClosed(nullptr));
    EXPECT_TRUE(FileEof(nullptr));
    EXPECT_EQ(FileTell(nullptr), -1);
    FileClose(nullptr);
}

TEST_F(FileLayerTest, MemoryFilesRegisterAndUnregister) {
    static const char kBlock[] = "memory\r\nblock";
    RegisterMemoryFile("Mem/Block.txt", kBlock, sizeof kBlock - 1);
    EXPECT_EQ(ReadAll("mem/block.txt"), "memory\r\nblock");
    EXPECT_EQ(ReadAll("mem/block.txt", kFileReadText), "memory\nblock");
    EXPECT_EQ(ReadAll(MakeMemoryFilePath(kBlock, 6).CStr()), "memory");
    RegisterMemoryFile("mem/block.txt", nullptr, 0);
    EXPECT_EQ(ReadAll("mem/block.txt"), "<missing>");
}

TEST_F(FileLayerTest, ForgedMemoryLocationsDoNotOpen) {
    // A location text arriving from data must never read arbitrary memory.
    EXPECT_EQ(ReadAll("&4096,100"), "<missing>");
    EXPECT_EQ(ReadAll("&1,1"), "<missing>");
    EXPECT_EQ(ReadAll("&x"), "<missing>");
    EXPECT_FALSE(FileExists("&4096,100"));
}

// The same bytes opened as each kind of file: the layer must behave the same for all three.
class FileKindTest : public FileLayerTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        FileLayerTest::SetUp();
        Write("assets/kind/disk.txt", kLines);
        WritePackage("assets/data.qvp", {{"kind/packed.txt", kLines}});
        RegisterMemoryFile("kind/memory.txt", kLines.data(), kLines.size());
        InitFileSystem();
    }
};

TEST_P(FileKindTest, TextModeDropsCarriageReturns) {
    EXPECT_EQ(ReadAll(GetParam(), kFileReadBinary), kLines);
    EXPECT_EQ(ReadAll(GetParam(), kFileReadText), "one\ntwo\nlast");
    EXPECT_EQ(ReadAll(GetParam(), 7), "one\ntwo\nlast"); // unknown modes read as text
}

TEST_P(FileKindTest, SeeksClampToTheFile) {
    TFile file;
    ASSERT_TRUE(file.Open(GetParam(), kFileReadBinary));
    const int32_t size = static_cast<int32_t>(kLines.size());
    EXPECT_EQ(file.GetSize(), size);
    struct Case {
        int32_t offset;
        int origin;
        int32_t expected;
    } const cases[] = {
        {3, kSeekStart, 3},   {2, kSeekCurrent, 5},    {-1, kSeekEnd, size - 1}, {10, kSeekEnd, size},
        {-100, kSeekCurrent, 0}, {-1, kSeekStart, 0}, {size + 10, kSeekStart, size}, {-2, kSeekEnd, size - 2},
    };
    for (const Case& c : cases) {
        file.Seek(c.offset, c.origin);
        EXPECT_EQ(file.Tell(), c.expected) << c.offset << " from " << c.origin;
    }
    file.Seek(0, kSeekStart);
    file.Unget(); // at the start: stays there
    EXPECT_EQ(file.Tell(), 0);
}

TEST_P(FileKindTest, GetcUngetcAndEndOfFile) {
    TFile* file = FileOpen(GetParam(), kFileReadBinary);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(FileGetc(file), 'o');
    EXPECT_EQ(FileGetc(file), 'n');
    FileUngetc(file);
    EXPECT_EQ(FileGetc(file), 'n');
    FileSeek(file, -1, kSeekEnd);
    EXPECT_EQ(FileGetc(file), 't');
    EXPECT_EQ(FileGetc(file), -1);
    EXPECT_TRUE(FileEof(file));
    FileSeek(file, 0, kSeekStart);
    EXPECT_FALSE(FileEof(file));
    FileClose(file);
}

TEST_P(FileKindTest, GetsKeepsTheUnterminatedLastLine) {
    TFile* file = FileOpen(GetParam(), kFileReadText);
    ASSERT_NE(file, nullptr);
    char line[64];
    std::vector<std::string> lines;
    while (FileGets(file, line, sizeof line)) lines.emplace_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one\n", "two\n", "last"}));
    FileClose(file);

    file = FileOpen(GetParam(), kFileReadBinary);
    char small[3];
    ASSERT_NE(FileGets(file, small, sizeof small), nullptr);
    EXPECT_STREQ(small, "on");
    ASSERT_NE(FileGets(file, small, sizeof small), nullptr);
    EXPECT_STREQ(small, "e\r");
    FileClose(file);
}

INSTANTIATE_TEST_SUITE_P(Kinds, FileKindTest, ::testing::Values("kind/disk.txt", "kind/packed.txt", "kind/memory.txt"));

TEST_F(FileLayerTest, MemoryFileSeekPastEndIsEof) {
    static const char kBlock[] = "12345";
    RegisterMemoryFile("m", kBlock, 5);
    TFile file;
    ASSERT_TRUE(file.Open("m", kFileReadBinary));
    file.Seek(10, kSeekEnd);
    EXPECT_EQ(file.Tell(), 5);
    EXPECT_TRUE(file.IsEof());
}

TEST_F(FileLayerTest, FolderIterationMatchesWildcardsWithoutCase) {
    Write("user/strings_de.XML", "");
    Write("user/StringsExtra.xml", "");
    Write("user/other.xml", "");
    Write("user/stringsdir/x", "");
    TFolderIterator folder;
    ASSERT_TRUE(folder.Open("user:string*.xml"));
    std::vector<std::string> names;
    TFolderEntry entry;
    while (folder.Next(entry)) names.emplace_back(entry.name.CStr());
    EXPECT_EQ(names, (std::vector<std::string>{"StringsExtra.xml", "strings_de.XML"}));

    ASSERT_TRUE(folder.Open(Path("user")));
    int folders = 0, files = 0;
    while (folder.Next(entry)) {
        EXPECT_NE(std::string(entry.name.CStr()), ".");
        EXPECT_NE(std::string(entry.name.CStr()), "..");
        (entry.isFolder ? folders : files)++;
    }
    EXPECT_EQ(folders, 1);
    EXPECT_EQ(files, 3);
    EXPECT_FALSE(folder.Open(Path("missing/*")));
    SetUserDataFolder(TString());
    EXPECT_FALSE(folder.Open("user:*"));
}

TEST_F(FileLayerTest, SmallHelpers) {
    EXPECT_TRUE(IsSingleByteText("plain text ~"));
    EXPECT_FALSE(IsSingleByteText("caf\xC3\xA9"));
    EXPECT_TRUE(IsSingleByteText(""));

    char buffer[256];
    EXPECT_EQ(GetDesktopFolder(buffer, sizeof buffer), -1);
    SetDesktopFolder(Path("desk"));
    int needed = static_cast<int>(Path("desk").Length()) + 2;
    EXPECT_EQ(GetDesktopFolder(buffer, 4), needed);
    EXPECT_EQ(GetDesktopFolder(buffer, sizeof buffer), 0);
    EXPECT_EQ(std::string(buffer), std::string(Path("desk").CStr()) + "/");

    EXPECT_EQ(std::string(GetFullPath("/a/b/../c").CStr()), "/a/c");
    EXPECT_TRUE(GetFullPath("").IsEmpty());
}

}  // namespace
