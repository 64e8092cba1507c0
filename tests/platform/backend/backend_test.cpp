#include "platform/backend/backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/audio/audio.h"
#include "platform/clock/clock.h"
#include "platform/sysinfo/sysinfo.h"
#include "platform/video/profile.h"
#include "platform/window/window.h"

namespace {

// Sets an environment variable for one scope, restoring the previous value after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old, hadValue_ = true;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { hadValue_ ? setenv(name_, previous_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::string previous_;
    bool hadValue_ = false;
};

TEST(Backends, HeadlessWithoutADisplayOrUnderAnInvisibleDriver) {
    struct Case {
        const char* display;
        const char* wayland;
        const char* driver;
    } cases[] = {{nullptr, nullptr, nullptr}, {"", "", "x11"}, {":0", nullptr, "dummy"}, {nullptr, "wayland-0", "offscreen"}};
    for (const Case& c : cases) {
        ScopedEnv display("DISPLAY", c.display), wayland("WAYLAND_DISPLAY", c.wayland), driver("SDL_VIDEODRIVER", c.driver);
        EXPECT_EQ(platform::DetectBackends(), platform::Backends::Headless) << (c.driver ? c.driver : "no driver");
    }
}

TEST(Backends, HeadlessChoosesEveryFacilityAndGivesBackWhatTestsTookOver) {
    platform::UseClockBackend(platform::ClockBackend::Test);
    platform::UseSysinfoBackend(platform::SysinfoBackend::Test);
    platform::video::HardwareProfile small = platform::video::HardwareProfile::Standard(640, 480);
    platform::video::SetActiveProfile(small);

    platform::UseBackends(platform::Backends::Headless);
    auto window = platform::CreateWindow();
    EXPECT_TRUE(window->IsHeadless());
    EXPECT_FALSE(platform::video::DetectProfile());
    EXPECT_EQ(platform::video::ActiveProfile().desktopWidth, 640);  // a test's profile stays
    uint32_t result = 1;
    EXPECT_NE(platform::OpenAudioDevice(&result), nullptr);
    EXPECT_EQ(platform::GetAudioBackend(), platform::AudioBackend::Headless);
    EXPECT_EQ(platform::GetClockBackend(), platform::ClockBackend::Real);
    EXPECT_EQ(platform::GetSysinfoBackend(), platform::SysinfoBackend::Real);

    platform::UseBackends(platform::Backends::Real);
    EXPECT_EQ(platform::GetWindowBackend(), platform::WindowBackend::Real);
    EXPECT_EQ(platform::GetAudioBackend(), platform::AudioBackend::Real);
    EXPECT_EQ(platform::video::GetVideoBackend(), platform::video::VideoBackend::Real);
    platform::video::SetActiveProfile(platform::video::HardwareProfile::Standard());
}

// A program without the desktop's libraries (no UseBackends) has Real backends that show and play nothing.
TEST(Backends, RealWithoutTheDesktopLibrariesShowsNothing) {
    platform::InstallRealWindow(nullptr);
    platform::video::InstallRealProfileReader(nullptr);
    platform::InstallRealAudioDevice(nullptr);
    ASSERT_EQ(platform::GetWindowBackend(), platform::WindowBackend::Real);
    EXPECT_TRUE(platform::CreateWindow()->IsHeadless());
    EXPECT_FALSE(platform::video::DetectProfile());
    uint32_t result = 0;
    EXPECT_EQ(platform::OpenAudioDevice(&result), nullptr);
    EXPECT_EQ(result, platform::kAudioErrNoDevice);

    platform::UseBackends(platform::Backends::Real);
    EXPECT_FALSE(platform::CreateWindow()->IsHeadless());
}

}  // namespace
