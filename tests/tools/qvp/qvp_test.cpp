#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "engine/core/files/file.h"
#include "engine/core/files/package_format.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string output; // stdout and stderr
};

class QvpToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/alembria-qvp-XXXXXX";
        root_ = mkdtemp(pattern);
    }
    void TearDown() override {
        ShutdownFileSystem();
        fs::remove_all(root_);
    }

    Result Run(const std::string& arguments) const {
        std::string command = std::string(QVP_TOOL) + " " + arguments + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        Result result{-1, ""};
        char buffer[256];
        size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, got);
        int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }

    std::string At(const std::string& relative) const { return (root_ / relative).string(); }

    void Write(const std::string& relative, const std::string& bytes) const {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << bytes;
    }

    std::map<std::string, std::string> Tree(const std::string& relative) const {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root_ / relative)) {
            if (!entry.is_regular_file()) continue;
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().lexically_relative(root_ / relative).generic_string()] =
                std::string(std::istreambuf_iterator<char>(in), {});
        }
        return files;
    }

    fs::path root_;
};

TEST_F(QvpToolTest, RoundTripsAFolder) {
    Write("in/Images/Shop.PNG", std::string("\x89PNG\r\n\x1a\n\0\0binary", 16));
    Write("in/text/notes.txt", "line one\r\nline two");
    Write("in/empty.dat", "");
    ASSERT_EQ(Run("pack " + At("in") + " " + At("out/assets.qvp")).status, 1); // no such output folder
    fs::create_directories(root_ / "out");
    ASSERT_EQ(Run("pack " + At("in") + " " + At("out/assets.qvp")).status, 0);

    Result list = Run("list " + At("out/assets.qvp"));
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.output.find("16  Images/Shop.PNG"), std::string::npos) << list.output;
    EXPECT_NE(list.output.find("0  empty.dat"), std::string::npos) << list.output;

    ASSERT_EQ(Run("extract " + At("out/assets.qvp") + " " + At("back")).status, 0);
    EXPECT_EQ(Tree("back"), Tree("in"));

    // The engine reads what the tool wrote, under lower-cased names.
    SetStartupFolder(TString(At("out").c_str()));
    SetAssetFolder(TString(At("out").c_str()));
    InitFileSystem();
    TFile file;
    ASSERT_TRUE(file.Open("images/shop.png", kFileReadBinary));
    EXPECT_EQ(file.GetSize(), 16);
    ASSERT_TRUE(file.Open("text/notes.txt", kFileReadText));
    char text[32] = {};
    EXPECT_EQ(file.Read(text, sizeof text), 17);
    EXPECT_STREQ(text, "line one\nline two");
}

TEST_F(QvpToolTest, ExplainsItselfAndRejectsBadInput) {
    Result help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("qvp pack <folder> <package.qvp>"), std::string::npos);

    Write("notapackage.qvp", "PK\x03\x04 zip");
    Write("truncated.qvp", std::string("QVPK\x05\0\0\0\x03", 9));
    Write("outside.qvp", std::string("QVPK\x01\0\0\0\x01x\x00\x01\0\0\x10\0\0\0", 18));
    struct Case {
        std::string arguments;
        int status;
        const char* message;
    } const cases[] = {
        {"", 2, "missing command"},
        {"frobnicate", 2, "unknown command frobnicate"},
        {"list", 2, "wrong number of arguments"},
        {"pack " + At("missing") + " " + At("x.qvp"), 1, "not a folder"},
        {"list " + At("missing.qvp"), 1, "cannot read"},
        {"list " + At("notapackage.qvp"), 1, "is not a .qvp package"},
        {"list " + At("truncated.qvp"), 1, "is damaged"},
        {"extract " + At("outside.qvp") + " " + At("x"), 1, "is damaged"},
    };
    for (const Case& c : cases) {
        Result result = Run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments;
        EXPECT_NE(result.output.find(c.message), std::string::npos) << c.arguments << ": " << result.output;
    }
}

TEST_F(QvpToolTest, ExtractRefusesNamesThatLeaveTheFolder) {
    for (const char* name : {"../escape.txt", "/abs.txt", "a/../../b.txt", "a\\b.txt"}) {
        std::vector<unsigned char> bytes;
        ASSERT_TRUE(BuildPackage({{TString(name), {'x'}}}, bytes));
        Write("evil.qvp", std::string(bytes.begin(), bytes.end()));
        Result result = Run("extract " + At("evil.qvp") + " " + At("target"));
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_NE(result.output.find("refusing entry name"), std::string::npos) << name;
    }
    EXPECT_FALSE(fs::exists(root_ / "escape.txt"));
    EXPECT_FALSE(fs::exists("/abs.txt"));
}

}  // namespace
