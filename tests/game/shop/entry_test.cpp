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
#include <utility>
#include <vector>

#include <X11/Xlib.h>

#include "platform/instance/instance.h"
#include "tests/support/virtual_display.h"

extern char** environ;
namespace fs = std::filesystem;

namespace {

// How long a step may take before the game counts as hung: far beyond any start or end on a busy machine.
constexpr int kHangGuardMs = 120000;

// Starts the game with the arguments, XDG_DATA_HOME set and the extra environment entries (which win
// over the test's own); answers its process id, or 0.
pid_t StartGame(const std::vector<std::string>& arguments, const fs::path& dataHome,
                std::vector<std::string> environment = {}) {
    environment.push_back("XDG_DATA_HOME=" + dataHome.string());
    environment.push_back("SDL_VIDEODRIVER=dummy");
    environment.push_back("SDL_AUDIODRIVER=dummy");
    auto overridden = [&](const std::string& entry) {
        for (const std::string& own : environment)
            if (entry.compare(0, entry.find('=') + 1, own, 0, own.find('=') + 1) == 0) return true;
        return false;
    };
    std::vector<std::string> inherited;
    for (char** entry = environ; *entry; ++entry)
        if (!overridden(*entry)) inherited.push_back(*entry);
    environment.insert(environment.end(), inherited.begin(), inherited.end());
    std::vector<char*> argv = {const_cast<char*>(ALEMBRIA_GAME)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    pid_t child;
    if (posix_spawn(&child, ALEMBRIA_GAME, nullptr, nullptr, argv.data(), envp.data()) != 0) return 0;
    return child;
}

// Waits up to timeoutMs for the game to end; answers its exit code (-100 on a hang: it is killed).
int WaitForGame(pid_t child, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 10) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) return WIFEXITED(status) ? WEXITSTATUS(status) : -102;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -100;
}

// Runs the game to its end; answers its exit code.
int RunGame(const std::vector<std::string>& arguments, const fs::path& dataHome) {
    pid_t child = StartGame(arguments, dataHome);
    return child ? WaitForGame(child, kHangGuardMs) : -101;
}

// The size of the top-level window with the title, once it shows within timeoutMs; 0 x 0 otherwise.
// The window itself goes to found when asked for.
std::pair<int, int> WaitForWindow(Display* display, const char* title, int timeoutMs, Window* found = nullptr) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        std::pair<int, int> size{0, 0};
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count; ++i) {
                char* name = nullptr;
                XWindowAttributes attributes;
                if (XFetchName(display, children[i], &name) && name && std::string(name) == title &&
                    XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable) {
                    size = {attributes.width, attributes.height};
                    if (found) *found = children[i];
                }
                if (name) XFree(name);
            }
            if (children) XFree(children);
        }
        if (size.first != 0) return size;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {0, 0};
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// What a window manager sends a window when its close button is pressed.
void PressCloseButton(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
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

    // Starts the game on the desktop; answers its process id, or 0.
    pid_t StartOnDesktop(const VirtualDisplay& desktop, const std::vector<std::string>& arguments = {}) {
        // SDL leaves what the D-Bus library allocates behind on purpose.
        std::ofstream(root_ / "leaks.supp") << "leak:libdbus-1.so\n";
        return StartGame(arguments, root_ / "data",
                         {"DISPLAY=" + desktop.Name(), "SDL_VIDEODRIVER=x11",
                          "LSAN_OPTIONS=suppressions=" + (root_ / "leaks.supp").string()});
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

// The game started on an X server of its own, its 800 x 600 window awaited.
class DesktopGameTest : public GameEntryTest {
protected:
    void SetUp() override {
        GameEntryTest::SetUp();
        if (desktop_.Name().empty()) GTEST_SKIP() << "Xvfb could not start here; the game's window is not tested";
        display_ = XOpenDisplay(desktop_.Name().c_str());
        ASSERT_NE(display_, nullptr);
        game_ = StartOnDesktop(desktop_, Arguments());
        ASSERT_NE(game_, 0);
        ASSERT_EQ(WaitForWindow(display_, "Alembria", kHangGuardMs, &window_), std::make_pair(800, 600));
    }
    void TearDown() override {
        if (game_) WaitForGame(game_, 0);  // a game a failed step left running is killed
        if (display_) XCloseDisplay(display_);
        GameEntryTest::TearDown();
    }
    // The game's own folder unless a test names another.
    virtual std::vector<std::string> Arguments() { return {}; }
    // Waits for the game to end; answers its exit code.
    int GameEnd() { return WaitForGame(std::exchange(game_, 0), kHangGuardMs); }

    VirtualDisplay desktop_{800, 600};
    Display* display_ = nullptr;
    pid_t game_ = 0;
    Window window_ = 0;
};

// The close button (and the quit signal, which SDL turns into it) asks the game's scripts first; the
// question is tested headless. The fixture's tear-down ends the game.
TEST_F(DesktopGameTest, TheWindowIsTitledFromTheStringTable) {
    // The title the fixture waited for is the string "windowtitle" of the game's strings.xml.
    std::string strings = ReadFile(fs::path(ALEMBRIA_GAME).parent_path() / "assets/strings.xml");
    EXPECT_NE(strings.find("<Data>windowtitle</Data></Cell><Cell><Data>Alembria</Data>"), std::string::npos);
}

// A game folder whose scripts do not ask before quitting.
class GameWithoutQuitVerifyTest : public DesktopGameTest {
protected:
    std::vector<std::string> Arguments() override {
        fs::path scripts = root_ / "work/assets/scripts";
        fs::create_directories(scripts);
        fs::copy_file(fs::path(ALEMBRIA_GAME).parent_path() / "assets/config.xml", root_ / "work/assets/config.xml");
        fs::copy_file(fs::path(ALEMBRIA_GAME).parent_path() / "assets/strings.xml", root_ / "work/assets/strings.xml");
        std::ofstream(scripts / "mainloop.lua") << "function setLevelOfPlant(level) end\n"
                                                   "function setLevelOfPhoenix(level) end\n"
                                                   "return function() while true do WaitForMessage() end end\n";
        return {"-wd=" + (root_ / "work").string()};
    }
};

TEST_F(GameWithoutQuitVerifyTest, TheQuitSignalEndsTheGameCleanly) {
    // SDL turns the termination signal into a close request.
    kill(game_, SIGTERM);
    EXPECT_EQ(GameEnd(), 0);
    std::string log = ReadFile(log_);
    EXPECT_NE(log.find("[PLAYLOG] Alembria: LevelsFailed: 0"), std::string::npos) << log;
    EXPECT_EQ(log.find("Lua error"), std::string::npos) << log;
}

TEST_F(GameWithoutQuitVerifyTest, TheCloseButtonEndsTheGame) {
    PressCloseButton(display_, window_);
    EXPECT_EQ(GameEnd(), 0);
}

}  // namespace
