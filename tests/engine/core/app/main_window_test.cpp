// The main window's services: runtime settings, links, clipboard, cursor, display forwarding and
// the present thread.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/files/file.h"
#include "engine/core/base/config.h"
#include "engine/core/app/display_service.h"
#include "engine/core/base/log.h"
#include "engine/core/app/window_system_service.h"
#include "platform/backend/backend.h"

namespace fs = std::filesystem;

namespace {

struct DisplayLog {
    bool vsync = false;
    bool presentedAfterDestruction = false;
    int modeWidth = 0;
    bool fullScreen = false;
    std::string cursorPicture;  // the file the cursor picture was last loaded from
    int mouseImages = 0;
} displayLog;

std::atomic<int> presentPasses{0};
std::atomic<bool> displayAlive{false};

class RecordingDisplay : public IDisplay {
public:
    RecordingDisplay() { displayAlive = true; }
    ~RecordingDisplay() override { displayAlive = false; }
    void SetVSync(bool on) override { displayLog.vsync = on; }
    bool IsPresentEnabled() const override { return true; }
    bool PresentPass() override {
        if (!displayAlive) displayLog.presentedAfterDestruction = true;
        ++presentPasses;
        return true;
    }
    bool SetDisplayMode(int width, int height, int flags) override {
        displayLog.modeWidth = width;
        return true;
    }
    void SetMouseImage(const std::shared_ptr<TTexture>&, int, int, bool) override { ++displayLog.mouseImages; }
    std::shared_ptr<TTexture> LoadCursorPicture(const TString& file) override {
        displayLog.cursorPicture = file.CStr();
        return nullptr;
    }
    bool IsFullScreen() const override { return displayLog.fullScreen; }
    bool SetFullScreen(bool on) override {
        displayLog.fullScreen = on;
        return true;
    }
};

std::unique_ptr<IDisplay> MakeRecordingDisplay() { return std::make_unique<RecordingDisplay>(); }

std::atomic<bool> presentHeld{false};
int rootScreens = 0;

class HoldingWindowSystem : public IWindowSystem {
public:
    bool IsPresentHeld() const override { return presentHeld; }
    bool HasRootScreen() const override { return rootScreens > 0; }
    void CreateRootScreen(int width, int height) override { ++rootScreens; }
};

std::unique_ptr<IWindowSystem> MakeHoldingWindowSystem() { return std::make_unique<HoldingWindowSystem>(); }

bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 300 && !condition(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        previousFolder_ = fs::current_path();
        platform::UseBackends(platform::Backends::Headless);  // even from a desktop shell
        folder_ = fs::temp_directory_path() / ("alembria-window-" + std::to_string(getpid()));
        fs::create_directories(folder_);
        displayLog = DisplayLog();
        presentPasses = 0;
        presentHeld = false;
        rootScreens = 0;
        SetDisplayFactory(MakeRecordingDisplay);
        SetWindowSystemFactory(MakeHoldingWindowSystem);
        ClearConfig();
    }
    void TearDown() override {
        application_.reset();
        platform::UseBackends(platform::Backends::Real);
        SetDisplayFactory(nullptr);
        SetWindowSystemFactory(nullptr);
        fs::current_path(previousFolder_);
        fs::remove_all(folder_);
        ClearConfig();
    }

    void Start(const std::string& commandLine = "") {
        application_ = std::make_unique<TApplication>(new TApplicationData(commandLine.c_str(), true));
        ASSERT_TRUE(application_->CreateMainWindow());
        application_->CreateDisplay();
        window_ = dynamic_cast<platform::HeadlessWindow*>(application_->Data()->window.get());
        ASSERT_NE(window_, nullptr);
    }

    // A program that writes its arguments, one a line, to args.txt in the test folder.
    fs::path WriteRecorder(const char* name) {
        fs::path script = folder_ / name;
        std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                                     (folder_ / "args.tmp").string() + "\"\nmv \"" + (folder_ / "args.tmp").string() +
                                     "\" \"" + (folder_ / "args.txt").string() + "\"\n";
        fs::permissions(script, fs::perms::owner_all);
        return script;
    }

    std::string RecordedArguments() {
        fs::path out = folder_ / "args.txt";
        WaitFor([&] { return fs::exists(out); });
        std::ifstream file(out);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    std::unique_ptr<TApplication> application_;
    platform::HeadlessWindow* window_ = nullptr;
    fs::path previousFolder_, folder_;
};

TEST_F(MainWindowTest, RuntimeSettings) {
    Start();
    struct Case {
        const char* key;
        const char* value;
        bool vsync;
        float scale;
        int ceiling;
    } cases[] = {
        {"vsync", "1", true, 1.0f, 100000000},
        {"vsync", "0", false, 1.0f, 100000000},
        {"viewportscale", "1.5", false, 1.5f, 100000000},
        {"memorymax", "2048", false, 1.5f, 2048},
        {"memorymax", "lots", false, 1.5f, 0},
        {"unrelated", "1", false, 1.5f, 0},
    };
    for (const Case& c : cases) {
        SetConfig(c.key, c.value);
        EXPECT_EQ(displayLog.vsync, c.vsync) << c.key << "=" << c.value;
        EXPECT_EQ(application_->Data()->viewportScaleX, c.scale) << c.key << "=" << c.value;
        EXPECT_EQ(LogMemoryCeiling(), c.ceiling) << c.key << "=" << c.value;
    }
    application_->SetDisplayMode(800, 600, 0);
    EXPECT_EQ(application_->Data()->viewportScaleX, 1.0f);  // a new mode starts unscaled
    EXPECT_EQ(displayLog.modeWidth, 800);
    EXPECT_EQ(rootScreens, 1);
    application_->SetDisplayMode(1024, 768, 0);
    EXPECT_EQ(rootScreens, 1);
}

TEST_F(MainWindowTest, WindowSettingsAndTitle) {
    SetConfig("utf8mode", "1");
    Start();
    EXPECT_STREQ(GetConfig("hwnd").CStr(), "1");
    application_->SetWindowTitle("Grüße €");
    EXPECT_EQ(window_->title, "Grüße €");
    application_.reset();

    SetConfig("utf8mode", "0");
    Start();
    application_->SetWindowTitle("Gr\xFC\xDF" "e");  // 8-bit text
    EXPECT_EQ(window_->title, "Grüße");
}

TEST_F(MainWindowTest, ClipboardCarriesUtf8Unchanged) {
    Start();
    EXPECT_TRUE(application_->StringToClipboard("Grüße € 😀"));
    EXPECT_STREQ(application_->GetClipboardText().CStr(), "Grüße € 😀");
    window_->clipboard = "from elsewhere ñ";
    EXPECT_STREQ(application_->GetClipboardText().CStr(), "from elsewhere ñ");
}

TEST_F(MainWindowTest, LinksOpenWithTheSystemHandlerOrTheHostProgram) {
    const std::string url = "https://example.org/a b?c=1&d=$(x);e";
    WriteRecorder("xdg-open");
    std::string previousPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (folder_.string() + ":" + previousPath).c_str(), 1);
    Start();
    application_->ExecuteLink(url.c_str());
    EXPECT_EQ(RecordedArguments(), url + "\n");
    setenv("PATH", previousPath.c_str(), 1);
    application_.reset();

    fs::remove(folder_ / "args.txt");
    fs::path host = WriteRecorder("host browser");
    Start("-wnd=12 \"-host=" + host.string() + "\"");
    application_->Data()->hosted = true;
    application_->ExecuteLink(url.c_str());
    EXPECT_EQ(RecordedArguments(), url + "\n");
}

TEST_F(MainWindowTest, FullScreenGoesToTheDisplayOrTheHost) {
    Start();
    EXPECT_TRUE(application_->SetFullScreen(true));
    EXPECT_TRUE(displayLog.fullScreen);
    EXPECT_TRUE(application_->IsFullScreen());
    application_.reset();

    displayLog.fullScreen = false;
    Start("-pq=portal");
    application_->Data()->portalHosted = true;
    EXPECT_TRUE(application_->SetFullScreen(true));
    EXPECT_TRUE(application_->IsFullScreen());
    EXPECT_FALSE(displayLog.fullScreen);  // the display stays windowed
}

TEST_F(MainWindowTest, GuidsAreFreshAndWellFormed) {
    Start();
    TString first = application_->NewGuidString();
    TString second = application_->NewGuidString();
    ASSERT_EQ(first.Length(), 38u);
    EXPECT_EQ(first.CharAt(0), '{');
    EXPECT_EQ(first.CharAt(37), '}');
    for (int dash : {9, 14, 19, 24}) EXPECT_EQ(first.CharAt(dash), '-');
    EXPECT_EQ(first.CharAt(15), '4');  // a random GUID
    EXPECT_NE(first, second);
}

TEST_F(MainWindowTest, TheSystemCursorPictureIsWrittenOnFirstNeedAndNeverOverwritten) {
    Start();
    SetUserDataFolder(folder_.c_str());
    application_->SetCursor(nullptr, 0, 0, false);  // the drawn cursor: nothing to show yet
    EXPECT_EQ(displayLog.mouseImages, 0);
    application_->UseSystemCursor(true);
    application_->SetCursor(nullptr, 0, 0, false);
    EXPECT_EQ(displayLog.mouseImages, 1);
    EXPECT_EQ(displayLog.cursorPicture, "user:__systemcursor__.png");
    fs::path written = ResolvePath("user:__systemcursor__.png", true).CStr();
    ASSERT_FALSE(written.empty());
    std::ifstream file(written, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");

    std::ofstream(written, std::ios::binary) << "the player's own cursor";
    application_->WriteSystemCursorFile();
    std::ifstream again(written, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), "the player's own cursor");
    SetUserDataFolder("");
}

TEST_F(MainWindowTest, PresentThreadRunsUntilTheDisplayGoes) {
    Start();
    EXPECT_TRUE(WaitFor([] { return presentPasses > 0; }));
    presentHeld = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    int held = presentPasses;
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(presentPasses, held);  // nothing is presented while the window system holds it
    presentHeld = false;
    EXPECT_TRUE(WaitFor([&] { return presentPasses > held; }));
    application_.reset();
    EXPECT_FALSE(displayAlive);
    EXPECT_FALSE(displayLog.presentedAfterDestruction);
}

}  // namespace
