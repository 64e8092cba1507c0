// The game's executable, started as a user would start it.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include "platform/instance/instance.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

// Runs the game with the arguments and XDG_DATA_HOME set; answers its exit code (-100 on a hang).
int RunGame(const std::vector<std::string>& arguments, const fs::path& dataHome) {
    std::vector<std::string> environment = {"XDG_DATA_HOME=" + dataHome.string(), "SDL_VIDEODRIVER=dummy",
                                            "SDL_AUDIODRIVER=dummy"};
    for (char** entry = environ; *entry; ++entry) {
        if (std::string(*entry).rfind("XDG_DATA_HOME=", 0) != 0) environment.push_back(*entry);
    }
    std::vector<char*> argv = {const_cast<char*>(ALEMBRIA_GAME)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    pid_t child;
    if (posix_spawn(&child, ALEMBRIA_GAME, nullptr, nullptr, argv.data(), envp.data()) != 0) return -101;
    for (int waited = 0; waited < 3000; waited += 10) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -102;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -100;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class GameEntryTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("alembria-entry-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "data");
        fs::create_directories(root_ / "work");
        log_ = root_ / "data/Corvanta/Alembria/logfile.txt";
        // The instance lock lives here, so that tests running side by side do not meet.
        fs::create_directories(root_ / "run");
        setenv("XDG_RUNTIME_DIR", (root_ / "run").c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_RUNTIME_DIR");
        fs::remove_all(root_);
    }

    fs::path root_, log_;
};

TEST_F(GameEntryTest, WritesItsLogInTheUserDataFolder) {
    std::string work = (root_ / "work").string();
    ASSERT_EQ(RunGame({"--multiple", "-wd=" + work}, root_ / "data"), 0);
    std::string log = ReadFile(log_);
    // "<local time>: Alembria, version 1.0.0.0." with the time as ctime writes it.
    std::size_t entry = log.find(": Alembria, version 1.0.0.0.\n");
    ASSERT_NE(entry, std::string::npos) << log;
    std::size_t lineStart = log.rfind('\n', entry);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    EXPECT_EQ(entry - lineStart, 24u) << log;  // "Thu Dec 10 13:15:00 2026"
    EXPECT_NE(log.find(": Switching current directory to: " + work + "\n"), std::string::npos) << log;
}

TEST_F(GameEntryTest, SecondCopyRaisesTheFirstAndLeaves) {
    platform::InstanceLock first;
    ASSERT_TRUE(first.Acquire(platform::InstanceNameOf(fs::canonical(ALEMBRIA_GAME).string())));
    EXPECT_EQ(RunGame({}, root_ / "data"), 0);
    EXPECT_TRUE(first.TakeRaiseRequest());
    EXPECT_FALSE(fs::exists(log_));  // it left before starting its log

    EXPECT_EQ(RunGame({"--multiple"}, root_ / "data"), 0);
    EXPECT_TRUE(fs::exists(log_));
    EXPECT_FALSE(first.TakeRaiseRequest());
}

}  // namespace
