// The application as ui_run plays it: a headless window drawn into memory, the test clock, an
// in-process clipboard, links printed instead of opened.
#pragma once

#include "engine/core/app/task.h"
#include "engine/core/files/asset.h"
#include "engine/graphics/display_host.h"
#include "engine/ui/window_host.h"
#include "platform/window/window.h"

class TStringTable;

class UiRunDisplayHost : public TDisplayHost {
public:
    platform::Window* Window() override { return &window; }
    bool AssetsAlive() override { return true; }
    void ReleaseAssets() override { assets.ReleaseAll(); }
    void RestoreAssets() override { assets.RestoreAll(); }
    bool WindowManagerExists() override { return true; }
    void Sleep(uint32_t) override {}

    platform::HeadlessWindow window;
    TAssetManager assets;
};

class UiRunWindowHost : public IWindowHost {
public:
    uint32_t GetTimer() override;
    bool HasFocus() override { return true; }
    bool IsHosted() override { return false; }
    bool IsFrameDone() override { return true; }
    bool IsDisplayReady() override { return true; }
    int GetMouseMode() override { return 0; }
    TTaskList* GetTaskList() override { return &tasks; }
    void PostQuit(int code) override { quit = true; }
    TString GetClipboardText() override { return clipboard; }
    bool StringToClipboard(const TString& text) override;
    void ExecuteLink(const TString& url) override;
    TStringTable* GetStringTable() override { return strings; }

    TTaskList tasks;
    TString clipboard;
    TStringTable* strings = nullptr;
    bool quit = false;
};
