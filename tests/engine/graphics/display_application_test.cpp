// The display inside the running application: the application creates it through the installed factory,
// the game sets the mode, draws frames, and the present thread brings them to the (headless) window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/base/config.h"
#include "engine/core/app/display_service.h"
#include "engine/core/base/log.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/render_display.h"
#include "engine/graphics/renderer.h"
#include "platform/backend/backend.h"

namespace fs = std::filesystem;

namespace {

struct Seen {
    bool ready = false;
    int framesShown = 0;
    uint32_t shownPixel = 0;
    float offset = 0;
} seen;

int DrawingGameMain(TApplication* application, const TString&) {
    auto* window = static_cast<platform::HeadlessWindow*>(application->Data()->window.get());
    // The desktop has not handed the new window the focus yet: the display is set up all the same.
    window->focused = false;
    application->SetDisplayMode(800, 600, 0);
    seen.ready = application->IsDisplayReady();
    window->focused = true;
    seen.offset = TPlatform::Instance() ? TPlatform::Instance()->Data()->texelOffset : 0;
    TRenderer* renderer = TRenderer::Get();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (window->framesPresented == 0 && std::chrono::steady_clock::now() < deadline) {
        if (renderer->BeginDraw(1)) {
            const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
            renderer->FillRect(TRect(0, 0, 800, 600), grey);
            renderer->DrawStats();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    seen.framesShown = window->framesPresented;
    seen.shownPixel = TPlatform::Instance()->GetContext()->GetFrontSurface()->Pixel(400, 300);
    return 0;
}

TEST(DisplayApplicationTest, TheGameShowsAClearedFrameThroughThePresentThread) {
    fs::path root = fs::temp_directory_path() / ("alembria-display-app-" + std::to_string(getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "run");
    platform::UseBackends(platform::Backends::Headless);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (root / "run").c_str(), 1);
    fs::path previous = fs::current_path();
    ClearConfig();
    SetConfig("gamename", "DisplayApplicationTest");
    seen = Seen();

    InstallDisplay();
    EXPECT_EQ(ApplicationMain("", DrawingGameMain, true), 0);
    SetDisplayFactory(nullptr);
    SetDisplayHost(nullptr);
    platform::UseBackends(platform::Backends::Real);

    EXPECT_TRUE(seen.ready);
    EXPECT_FLOAT_EQ(seen.offset, -0.5f);
    EXPECT_GE(seen.framesShown, 1);
    EXPECT_EQ(seen.shownPixel, 0xFF7F7F7Fu);
    fs::current_path(previous);
    LogInit(nullptr);
    fs::remove_all(root);
    unsetenv("XDG_DATA_HOME");
    unsetenv("XDG_RUNTIME_DIR");
    ClearConfig();
}

}  // namespace
