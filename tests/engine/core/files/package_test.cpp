#include <gtest/gtest.h>

#include <cstring>

#include "engine/core/files/file.h"
#include "engine/core/files/package_format.h"
#include "tests/engine/core/files/file_fixture.h"

namespace {

using PackageTest = FileLayerTest;

std::string Le32(int32_t value) {
    std::string out(4, '\0');
    memcpy(out.data(), &value, 4);
    return out;
}

std::string Record(const std::string& name, int32_t offset, int32_t size) {
    return std::string(1, static_cast<char>(name.size())) + name + Le32(offset) + Le32(size);
}

TEST_F(PackageTest, LaterPackageThenLooseFileWin) {
    WritePackage("assets/a.qvp", {{"x.png", "from a"}, {"only_a.txt", "a"}, {"loose.txt", "packed"}});
    WritePackage("assets/a.qvp.bak", {{"x.png", "from bak"}, {"bak.txt", "bak"}});
    WritePackage("assets/b.qvp", {{"X.PNG", "from b"}});
    Write("assets/loose.txt", "loose");
    InitFileSystem();
    EXPECT_EQ(ReadAll("x.png"), "from b");
    EXPECT_EQ(ReadAll("only_a.txt"), "a");
    EXPECT_EQ(ReadAll("bak.txt"), "bak");
    EXPECT_EQ(ReadAll("loose.txt"), "loose");
}

TEST_F(PackageTest, ReadsClampToTheEntry) {
    WritePackage("assets/p.qvp", {{"first.bin", "0123456789"}, {"second.bin", "abcdefghij"}});
    InitFileSystem();
    TFile file;
    ASSERT_TRUE(file.Open("first.bin", kFileReadBinary));
    file.Seek(-4, kSeekEnd);
    char buffer[10];
    EXPECT_EQ(file.Read(buffer, 10), 4);
    EXPECT_EQ(std::string(buffer, 4), "6789"); // nothing of the next entry
    EXPECT_TRUE(file.IsEof());
    file.Unget();
    EXPECT_FALSE(file.IsEof());
    EXPECT_EQ(file.Tell(), 9);
    ASSERT_TRUE(file.Open("assets/second.bin", kFileReadText));
    EXPECT_EQ(file.GetSize(), 10);
}

TEST_F(PackageTest, LongUpperCaseNamesAreFoundInLowerCase) {
    std::string name = "DIR/" + std::string(251, 'N');
    WritePackage("assets/long.qvp", {{name, "long"}});
    InitFileSystem();
    std::string lower = "dir/" + std::string(251, 'n');
    EXPECT_EQ(ReadAll(lower.c_str()), "long");
}

TEST_F(PackageTest, OpenEntriesOutliveTheMount) {
    WritePackage("assets/p.qvp", {{"k.txt", "kept"}});
    InitFileSystem();
    TFile file;
    ASSERT_TRUE(file.Open("k.txt", kFileReadBinary));
    ShutdownFileSystem();
    char buffer[4];
    EXPECT_EQ(file.Read(buffer, 4), 4);
    EXPECT_EQ(std::string(buffer, 4), "kept");
}

TEST_F(PackageTest, RemountKeepsItsIndex) {
    WritePackage("assets/a.qvp", {{"a.txt", "one"}});
    WritePackage("assets/b.qvp", {{"b.txt", "two"}});
    InitFileSystem();
    TString before = ResolvePath("a.txt", true);
    WritePackage("assets/a.qvp", {{"a.txt", "ONE"}});
    MountFolder(TString(), GetAssetFolder());
    EXPECT_EQ(ResolvePath("a.txt", true), before);
    EXPECT_EQ(ReadAll("a.txt"), "ONE");
    EXPECT_EQ(ReadAll("b.txt"), "two");
}

TEST_F(PackageTest, DamagedPackagesMountWhatIsSoundAndLogOnce) {
    StartLog();
    Write("assets/good.txt", "good");
    const std::string header = "QVPK";
    // Data of the valid entry "ok" lies right after a table of known length in each case.
    struct Case {
        const char* label;
        std::string bytes;
        bool okMounted;
        const char* logged;
    } const cases[] = {
        {"wrong magic", "QVPX" + Le32(1) + Record("ok", 19, 2) + "OK", false, nullptr},
        {"empty file", "", false, nullptr},
        {"short magic", "QV", false, nullptr},
        {"no count", header, false, "truncated"},
        {"count beyond the table", header + Le32(1000000) + Record("ok", 19, 2) + "OK", true, "truncated"},
        {"negative count", header + Le32(-5), false, "truncated"},
        {"record cut short", header + Le32(2) + Record("ok", 22, 2) + "\x05" "ab" "OK", true, "truncated"},
        {"offset past the end", header + Le32(2) + Record("ok", 31, 2) + Record("bad", 1000, 2) + "OK", true,
         "outside the file"},
        {"size past the end", header + Le32(2) + Record("ok", 31, 2) + Record("bad", 0, 99999) + "OK", true,
         "outside the file"},
        {"negative offset", header + Le32(2) + Record("ok", 31, 2) + Record("bad", -4, 2) + "OK", true,
         "outside the file"},
        {"negative size", header + Le32(2) + Record("ok", 31, 2) + Record("bad", 0, -1) + "OK", true,
         "outside the file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ShutdownFileSystem();
        StartLog();
        Write("assets/damaged.qvp", c.bytes);
        InitFileSystem();
        EXPECT_EQ(ReadAll("ok"), c.okMounted ? "OK" : "<missing>");
        EXPECT_EQ(ReadAll("bad"), "<missing>");
        EXPECT_EQ(ReadAll("good.txt"), "good");
        std::string log = LogText();
        if (c.logged) {
            EXPECT_NE(log.find(c.logged), std::string::npos) << log;
            EXPECT_EQ(log.find('\n'), log.rfind('\n')) << "one line: " << log;
        } else {
            EXPECT_EQ(log, "");
        }
    }
}

TEST_F(PackageTest, ForgedLocationsStayInsideTheirPackage) {
    WritePackage("assets/p.qvp", {{"a.txt", "abc"}});
    InitFileSystem();
    std::string location = ResolvePath("a.txt", true).CStr(); // "@0:<offset>,3"
    ASSERT_EQ(ReadAll(location.c_str()), "abc");
    const std::string size = std::to_string(std::filesystem::file_size(root_ / "assets/p.qvp"));
    EXPECT_NE(ReadAll(("@0:0," + size).c_str()), "<missing>"); // the whole file is still inside
    const std::string outside[] = {"@0:0," + std::to_string(std::stoll(size) + 1), "@0:" + size + ",1", "@1:0,1",
                                   "@-1:0,1", "@0:-1,2", "@0:0,-1", "@0:0", "@0", "@", "@0:0,1x",
                                   "@99999999999999999999:0,1"};
    for (const std::string& forged : outside) EXPECT_EQ(ReadAll(forged.c_str()), "<missing>") << forged;
}

TEST(PackageFormat, BuildAndParseRoundTrip) {
    std::vector<TPackageSource> sources{{"a/b.txt", {'x', 'y'}}, {"empty", {}}, {"c", {'z'}}};
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(BuildPackage(sources, bytes));
    TPackageIndex index = ParsePackageIndex(bytes.data(), bytes.size());
    EXPECT_EQ(index.status, TPackageIndex::kComplete);
    ASSERT_EQ(index.entries.size(), 3u);
    for (size_t i = 0; i < sources.size(); ++i) {
        EXPECT_EQ(index.entries[i].name, sources[i].name);
        std::vector<unsigned char> data(bytes.begin() + index.entries[i].offset,
                                        bytes.begin() + index.entries[i].offset + index.entries[i].size);
        EXPECT_EQ(data, sources[i].data);
    }
    EXPECT_FALSE(BuildPackage({{TString(std::string(256, 'n').c_str()), {}}}, bytes));
}

}  // namespace
