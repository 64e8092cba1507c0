// The SDL2 window on a real X server (Xvfb); skipped where Xvfb cannot start.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/backend/backend.h"
#include "platform/window/window.h"
#include "tests/support/virtual_display.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
// SDL loads the X11 and D-Bus libraries at run time and unloads them again; what they keep is
// reported as leaks of unknown modules. This test looks at the display, not at our allocations
// (the headless tests do), so the main thread's allocations here are not leak-checked.
#define IGNORE_DISPLAY_LIBRARY_LEAKS() __lsan_disable()
#define CHECK_LEAKS_AGAIN() __lsan_enable()
#else
#define IGNORE_DISPLAY_LIBRARY_LEAKS()
#define CHECK_LEAKS_AGAIN()
#endif

namespace {

class SdlWindowTest : public testing::Test {
protected:
    void SetUp() override {
        if (display_.Name().empty()) GTEST_SKIP() << "Xvfb could not start here; the real window is not tested";
        setenv("DISPLAY", display_.Name().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1);
        IGNORE_DISPLAY_LIBRARY_LEAKS();
        leakCheckOff_ = true;
    }
    void TearDown() override {
        if (leakCheckOff_) CHECK_LEAKS_AGAIN();
        unsetenv("DISPLAY");
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }

    VirtualDisplay display_;
    bool leakCheckOff_ = false;
};

TEST_F(SdlWindowTest, OpensWithAUtf8TitleAndRoundTripsTheClipboard) {
    ASSERT_EQ(platform::DetectBackends(), platform::Backends::Real);
    platform::UseBackends(platform::DetectBackends());
    auto window = platform::CreateWindow();
    ASSERT_EQ(dynamic_cast<platform::HeadlessWindow*>(window.get()), nullptr);
    platform::WindowOptions options;
    options.title = "Alembria";
    ASSERT_TRUE(window->Create(options)) << SDL_GetError();
    ASSERT_NE(window->Handle(), 0u);

    window->SetTitle("Grüße €");
    EXPECT_STREQ(SDL_GetWindowTitle(SDL_GetWindowFromID(window->Handle())), "Grüße €");

    EXPECT_TRUE(window->SetClipboardText("Grüße €"));
    EXPECT_EQ(window->GetClipboardText(), "Grüße €");

    int width = 0, height = 0;
    window->GetClientSize(width, height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    int desktopWidth = 0, desktopHeight = 0;
    EXPECT_TRUE(window->DesktopSize(desktopWidth, desktopHeight));
    EXPECT_EQ(desktopWidth, 800);  // the Xvfb screen
    EXPECT_EQ(desktopHeight, 600);
    std::vector<uint32_t> frame(static_cast<size_t>(width) * height, 0x00336699u);
    window->PresentFrame(frame.data(), width, height, width * 4);

    // Input pushed through SDL comes out as native records; a posted quit is seen waiting.
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    SDL_strlcpy(text.text.text, "é", sizeof text.text.text);
    SDL_PushEvent(&text);
    window->PostQuit();
    EXPECT_TRUE(window->QuitWaiting());
    std::vector<uint32_t> messages;
    platform::NativeEvent record;
    for (int i = 0; i < 500; ++i) {
        while (window->PollEvent(record) && record.message != platform::kMsgQuit) {
            messages.push_back(record.message);
            if (record.message == platform::kMsgChar) {
                EXPECT_EQ(record.code, 0xE9u);
            }
        }
        if (record.message == platform::kMsgQuit) {
            messages.push_back(record.message);
            break;
        }
        window->WaitForEvent(1);
    }
    EXPECT_NE(std::find(messages.begin(), messages.end(), static_cast<uint32_t>(platform::kMsgQuit)), messages.end());
    EXPECT_NE(std::find(messages.begin(), messages.end(), static_cast<uint32_t>(platform::kMsgChar)), messages.end());
}

}  // namespace
