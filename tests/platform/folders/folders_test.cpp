#include "platform/folders/folders.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Runs with a scratch HOME and no XDG variables; restores them afterwards.
class FoldersTest : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        home_ = fs::temp_directory_path() / ("alembria-folders-" + std::to_string(getpid()));
        fs::create_directories(home_);
        setenv("HOME", home_.c_str(), 1);
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) setenv(name, value->c_str(), 1);
            else unsetenv(name);
        }
        fs::remove_all(home_);
    }

    fs::path home_;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

TEST_F(FoldersTest, DefaultsUnderHome) {
    EXPECT_EQ(platform::UserDataBase(), home_.string() + "/.local/share");
    EXPECT_EQ(platform::CommonDataBase(), home_.string() + "/.local/share/common-data");
    EXPECT_EQ(platform::DesktopFolder(), home_.string() + "/Desktop");
}

TEST_F(FoldersTest, EnvironmentAndUserDirsWin) {
    setenv("XDG_DATA_HOME", "/data/here", 1);
    EXPECT_EQ(platform::UserDataBase(), "/data/here");
    EXPECT_EQ(platform::CommonDataBase(), "/data/here/common-data");

    fs::create_directories(home_ / ".config");
    std::ofstream(home_ / ".config/user-dirs.dirs") << "# comment\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n"
                                                       "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
    EXPECT_EQ(platform::DesktopFolder(), home_.string() + "/Schreibtisch");
    setenv("XDG_CONFIG_HOME", (home_ / "elsewhere").c_str(), 1);
    EXPECT_EQ(platform::DesktopFolder(), home_.string() + "/Desktop");
}

TEST_F(FoldersTest, ProgramAndWorkingFolders) {
    EXPECT_TRUE(fs::exists(platform::ProgramPath()));
    EXPECT_EQ(fs::path(platform::ProgramPath()).parent_path().string(), platform::ProgramFolder());
    std::string before = platform::CurrentFolder();
    fs::path nested = home_ / "a/b/c";
    EXPECT_TRUE(platform::MakeFolders(nested.string()));
    EXPECT_TRUE(platform::ChangeFolder(nested.string()));
    EXPECT_EQ(platform::CurrentFolder(), fs::canonical(nested).string());
    EXPECT_FALSE(platform::ChangeFolder((home_ / "missing").string()));
    EXPECT_FALSE(platform::ChangeFolder(""));
    EXPECT_TRUE(platform::ChangeFolder(before));
}

}  // namespace
