#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

int RunMkfont(const std::string& arguments) {
    int status = std::system((std::string(MKFONT_PATH) + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("mkfont-" + std::to_string(::getpid()) + "-" + name);
}

}  // namespace

TEST(Mkfont, ShippedFontIsTheConversionOfDejaVuAndMatchesFreeType) {
    auto fresh = TempPath("fresh.mvec");
    ASSERT_EQ(RunMkfont(kDejaVu + " " + fresh.string()), 0);
    EXPECT_EQ(ReadAll(fresh), ReadAll(std::string(ALEMBRIA_SOURCE_DIR) + "/assets/fonts/default.mvec"))
        << "assets/fonts/default.mvec is stale: regenerate it with mkfont";
    EXPECT_EQ(RunMkfont("--check " + kDejaVu + " " + fresh.string()), 0);
    std::filesystem::remove(fresh);
}

TEST(Mkfont, RefusesBadInput) {
    auto junk = TempPath("junk.ttf");
    std::ofstream(junk) << "not a font";
    auto out = TempPath("out.mvec");
    EXPECT_EQ(RunMkfont(junk.string() + " " + out.string()), 1);
    EXPECT_EQ(RunMkfont("--check " + kDejaVu + " " + junk.string()), 1);  // not an MVC4 block
    EXPECT_EQ(RunMkfont("--check " + kDejaVu + " " + junk.string() + " 0"), 2);
    EXPECT_EQ(RunMkfont(""), 2);
    EXPECT_EQ(RunMkfont("--help"), 0);
    std::filesystem::remove(junk);
}
