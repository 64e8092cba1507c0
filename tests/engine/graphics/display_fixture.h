// A display handler on a hardware profile the test controls, with a host that records message boxes, exits
// and quits instead of acting on them, and the log kept in a temporary folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/files/asset.h"
#include "engine/core/base/config.h"
#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/graphics_state.h"
#include "engine/graphics/renderer.h"
#include "platform/window/window.h"

class RecordingHost : public TDisplayHost {
public:
    bool IsActive() override { return active; }
    bool IsForeground() override { return foreground; }
    bool HasFocus() override { return focus; }
    bool IsHosted() override { return hosted; }
    bool HasParentWindow() override { return parent; }
    platform::Window* Window() override { return &window; }
    bool AssetsAlive() override { return true; }
    void ReleaseAssets() override {
        ++releases;
        assets.ReleaseAll();
    }
    void RestoreAssets() override {
        ++restores;
        assets.RestoreAll();
    }
    bool WindowManagerExists() override { return true; }
    float ViewScale() override { return viewScale; }
    void SetViewScale(float scale) override { viewScale = scale; }
    void MessageBox(const char* caption, const char* text) override { boxes.push_back(std::string(caption) + ": " + text); }
    void Exit(int code) override { exits.push_back(code); }
    void PostQuit() override { ++quits; }
    void Sleep(uint32_t ms) override { slept += ms; }
    uint32_t Now() override { return now; }

    bool active = true, foreground = true, focus = true, hosted = false, parent = false;
    float viewScale = 1.0f;
    platform::HeadlessWindow window;
    TAssetManager assets;
    int releases = 0, restores = 0, quits = 0;
    uint32_t slept = 0, now = 100000;
    std::vector<std::string> boxes;
    std::vector<int> exits;
};

class DisplayTest : public testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("alembria-display-" + std::to_string(::getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        LogInit(folder.c_str());
        SetCommonDataFolder(folder.c_str());
        ClearConfig();
        platform::video::SetActiveProfile(platform::video::HardwareProfile::Standard(1280, 1024));
        host.window.Create(platform::WindowOptions());
        SetDisplayHost(&host);
        SetAssetManager(&host.assets);
    }

    void TearDown() override {
        ResetGraphicsState();
        SetAssetManager(nullptr);
        platform::video::SetActiveProfile(platform::video::HardwareProfile::Standard());
        LogInit(nullptr);
        SetCommonDataFolder("");
        std::filesystem::remove_all(folder);
    }

    TPlatform* Make() { return TPlatform::Create(); }

    std::string Log() const {
        std::ifstream in(folder / "logfile.txt", std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool Logged(const std::string& line) const { return Log().find(line) != std::string::npos; }
    int CountLogged(const std::string& line) const {
        std::string text = Log();
        int n = 0;
        for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++n;
        return n;
    }

    platform::video::HardwareProfile& Profile() { return platform::video::ActiveProfile(); }

    std::filesystem::path folder;
    RecordingHost host;
};

// A 64 x 48 windowed display, ready to draw, with the whole screen as the clip rectangle.
class ScreenTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        platform = Make();
        platform->SetDisplay(64, 48, false, false, false, false);
        ASSERT_TRUE(platform->Data()->displayReady);
        renderer = TRenderer::Get();
        renderer->PushClipRect(platform->Data()->modeRect);
    }

    TPlatform* platform = nullptr;
    TRenderer* renderer = nullptr;
};
