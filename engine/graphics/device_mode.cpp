// TPlatform::SetDisplay and its fall-back chain.
#include <cmath>
#include <mutex>

#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/graphics_state.h"
#include "platform/window/window.h"

namespace {

constexpr char kMemoryText[] =
    "You cannot run this application at your current screen resolution or bit depth (out of memory). Change your "
    "display settings and run again. Closing other applications might also help.";

// Holds the display mutex for a build and clears the re-entrancy flag on every exit.
class TBuildGuard {
public:
    TBuildGuard(std::recursive_timed_mutex& mutex, bool* inSetDisplay) : lock_(mutex), inSetDisplay_(inSetDisplay) {}
    ~TBuildGuard() {
        if (owner_) *inSetDisplay_ = false;
    }
    void Own() {
        owner_ = true;
        *inSetDisplay_ = true;
    }

private:
    std::lock_guard<std::recursive_timed_mutex> lock_;
    bool* inSetDisplay_;
    bool owner_ = false;
};

}  // namespace

bool TPlatform::WindowTooLargeForDesktop(int width, int height) {
    const platform::video::HardwareProfile& p = platform::video::ActiveProfile();
    return p.desktopWidth < width + p.frameWidth + p.edgeWidth ||
           p.desktopHeight < height + p.frameHeight + p.edgeHeight + p.captionHeight;
}

void TPlatform::RefreshDesktopMode() {
    const platform::video::HardwareProfile& p = platform::video::ActiveProfile();
    data_->context->SetDesktop(p.desktopWidth, p.desktopHeight, p.desktopColors);
}

void TPlatform::GetDisplaySize(int* width, int* height, bool* fullScreen) {
    if (width) *width = data_->modeRect.Width();
    if (height) *height = data_->modeRect.Height();
    if (fullScreen) *fullScreen = data_->fullScreen;
}

// Reason 1: palettised desktop, 2: window too large, 3: too little video memory.
bool TPlatform::WindowCannotWork(int width, int height, int* reason) {
    RefreshDesktopMode();
    if (data_->context->DesktopColorCount() != -1) *reason = 1;
    else if (WindowTooLargeForDesktop(width, height)) *reason = 2;
    else if (data_->context->TooLittleVideoMemoryForWindow(width, height)) *reason = 3;
    else *reason = 0;
    return *reason != 0;
}

bool TPlatform::SetFullscreen(bool fullScreen) {
    int width = data_->modeRect.Width(), height = data_->modeRect.Height();
    int reason = 0;
    if (!fullScreen && (data_->lowMemoryVideo || WindowCannotWork(width, height, &reason))) return false;
    SetDisplay(width, height, fullScreen, false, false, false);
    return true;
}

void TPlatform::SetDisplay(int width, int height, bool fullScreen, bool force, bool quiet, bool embedded) {
    TDisplayHost& host = GetDisplayHost();
    TPlatformData& d = *data_;
    d.displayReady = false;
    TBuildGuard guard(d.context->Mutex(), &d.inSetDisplay);
    if (d.inSetDisplay) {
        host.Sleep(50);
        return;
    }
    guard.Own();
    if (host.IsZylomHost()) {
        fullScreen = false;
        quiet = true;
    }
    if (!host.Exists()) return;
    if (host.IsSuspended()) {
        host.Sleep(100);
        return;
    }
    if (d.lowMemoryVideo) {
        if (host.IsHosted()) {
            host.MessageBox("Error", kMemoryText);
            host.Exit(-1);
            return;
        }
        LogPrintf("SetDisplay Forcing Fullscreen (MEMORY)");
        fullScreen = true;
    }
    if (!host.IsActive() && !force) return;
    // Embedding the window in a host window is not available with SDL windows: it stays top level.
    if (embedded && host.HasParentWindow()) LogPrintf("SetDisplay: embedding in the host window is not available; using a top-level window");
    if (d.fatal) {
        host.Exit(-1);
        return;
    }
    if (host.HasParentWindow() && host.Now() - d.brokenTime < 1000) return;
    d.workingCount = 0;

    RefreshDesktopMode();
    if (!fullScreen && d.context->DesktopColorCount() != -1) {
        if (host.HasParentWindow()) {
            host.MessageBox("Error",
                            "You cannot run this application when your video mode is 8 bits or less. Change your "
                            "display settings and run again.");
            host.Exit(-1);
            return;
        }
        LogPrintf("SetDisplay Forcing Fullscreen (PALLETTED)");
        fullScreen = true;
    }
    if (fullScreen == d.fullScreen && width == d.modeRect.Width() && height == d.modeRect.Height() && !force) return;
    if (!fullScreen) {
        if (!host.IsHosted()) {
            float scale = host.ViewScale();
            auto scaled = [scale](int v) { return static_cast<int>(static_cast<unsigned>(v) * scale); };
            if (WindowTooLargeForDesktop(scaled(width), scaled(height))) {
                if (host.HasParentWindow()) {
                    host.MessageBox("Error",
                                    "You cannot run this application at your current screen resolution. Change your "
                                    "display settings and run again.");
                    host.Exit(-1);
                    return;
                }
                LogPrintf("SetDisplay Forcing Fullscreen (SMALL)");
                fullScreen = true;
            }
        }
        if (!fullScreen && d.context->TooLittleVideoMemoryForWindow(width, height)) {
            if (host.HasParentWindow()) {
                host.MessageBox("Error", kMemoryText);
                host.Exit(-1);
                return;
            }
            LogPrintf("SetDisplay Forcing Fullscreen (MEMORY)");
            fullScreen = true;
        }
    }
    host.ReleaseAssets();

    platform::Window* window = host.Window();
    if (window && !host.HasParentWindow()) window->SetFullScreen(fullScreen);
    d.fullScreen = fullScreen;
    d.viewport = TRect(0, 0, width, height);
    d.modeRect = d.targetRect = d.clipRect = d.viewport;
    d.directDraw = nullptr;
    d.backSurface.reset();
    d.device = nullptr;
    d.screenTarget.reset();
    d.currentTarget.reset();
    d.directXBroken = false;
    SetConfig("dxbroken", "0");
    d.context->Release();

    if (d.reconfigurePending) {
        host.MessageBox("Reconfiguring",
                        "Your video card doesn't have enough memory in the current mode. Changing to another mode. "
                        "This setting will be saved so you won't see this box again. This will take less than a "
                        "minute. Press OK to continue.");
        d.reconfigurePending = false;
    }
    int depth = d.lowMemoryVideo ? 16 : 32;
    uint32_t flags = kContextDefault | (embedded ? kContextEmbedded : 0) | (d.hintAntialias ? kContextAntialias : 0);
    bool created = d.context->Create(window, fullScreen, width, height, depth, flags);
    while (!created && (flags & kContextAntialias)) {
        d.antialias = d.hintAntialias = false;
        flags &= ~kContextAntialias;
        created = d.context->Create(window, fullScreen, width, height, depth, flags);
    }
    if (!created) {
        RunFallbacks(width, height, fullScreen, quiet);
        return;
    }
    d.fallbackRunning = false;
    FinishBuild();
}

void TPlatform::FinishBuild() {
    TDisplayHost& host = GetDisplayHost();
    TPlatformData& d = *data_;
    if (platform::Window* window = host.Window(); window && d.fullScreen) window->Raise();
    d.directDraw = d.context->GetDirectDraw();
    d.backSurface = d.context->GetBackSurface();
    d.device = d.context->GetDevice();
    const platform::video::DeviceDescription& caps = d.context->GetDeviceDescription();
    d.separateTextureMemories = caps.deviceCaps & platform::video::devcaps::kSeparateTextureMemories;
    d.noSpecularGouraud = !(caps.triangleShadeCaps & platform::video::devcaps::kSpecularGouraudRgb);
    d.squareTexturesOnly =
        (caps.textureCaps & platform::video::devcaps::kSquareOnly) || caps.maxTextureAspectRatio < 64;
    d.screenTarget = d.context->GetDevice()->GetRenderTarget();
    d.currentTarget = d.screenTarget;
    d.context->SetViewScale(host.ViewScale());
    ApplyDefaultRenderState();

    if (host.AssetsAlive() && host.WindowManagerExists() && !host.WindowManagerSuspended()) {
        d.context->UpdateFrame();
        d.context->Present(-1, -1, 0);
    }
    if (IsDeviceReady()) {
        SetWorldTransform(TMat4());
        SetViewTransform(TMat4());
        SetPerspective(static_cast<float>(M_PI / 4), 0, 0.1f, 1000.0f);
        SetAmbientColor(TColor(0xFFFFFFFF));
        SetMaterial(TMaterial{TColor(0xFFFFFFFF), TColor(0xFF808080)});
        if (bool& cursorApplied = GetGraphicsState().cursorApplied; !cursorApplied) {
            cursorApplied = true;
            host.ApplyCursor();
        }
        RestoreAssets();
        host.InvalidateWindows();
        if (d.fullScreen) d.fullScreenSucceeded = true;
        platform::video::DisplayMode mode = d.directDraw->GetDisplayMode();
        SetConfig("monitorfrequency", TString::Format("%d", mode.refresh));
        d.displayDepth = d.fullScreen ? mode.bits : d.backSurface->Format().bits;
        d.displayReady = true;
    }
}

void TPlatform::RunFallbacks(int width, int height, bool fullScreen, bool quiet) {
    TDisplayHost& host = GetDisplayHost();
    TPlatformData& d = *data_;
    if (d.context->HasSixteenColorsOrFewer()) {
        if (!quiet)
            host.MessageBox("Error",
                            "DirectX requires that you have your screen set to 256 color mode or higher for any "
                            "DirectX application to run. Please go to your control panel and select 256 color mode "
                            "or install new video drivers to run this game. Exiting.");
        d.fatal = true;
        host.Exit(-1);
        return;
    }
    if (host.HasParentWindow()) {
        MarkDirectXBroken();
        return;
    }
    if (fullScreen && d.fullScreenSucceeded) {
        MarkDirectXBroken();
        host.Sleep(150);
        return;
    }
    bool active = host.IsActive(), foreground = host.IsForeground();
    if (!d.fallbackRunning && !(active && foreground)) {
        LogPrintf("SetDisplay marking DirectX Broken: %s, %s", active ? "ACTIVE" : "INACTIVE",
                  foreground ? "FOREGROUND" : "BACKGROUND");
        MarkDirectXBroken();
        return;
    }
    int reason = 0;
    if (!fullScreen && WindowCannotWork(width, height, &reason)) {
        static const char* const kTexts[] = {
            "", "Cannot run in 256 color mode or lower in a window. Switching to full screen.",
            "Cannot run in a window when your desktop is set to 800x600 or lower resolution. Switching to full screen.",
            "Cannot run in a window: Insufficient video memory. Switching to full screen."};
        if (!quiet) host.MessageBox("Error", kTexts[reason]);
        d.fallbackRunning = true;
        d.inSetDisplay = false;
        SetDisplay(width, height, true, true, false, false);
        return;
    }
    if (d.fallbackRunning) {
        LogPrintf("ERROR FALLBACK FAILED");
        host.MessageBox("Error",
                        "Failed to initialize window. Please try running the game again. If that doesn't help, try "
                        "changing the screen resolution and color depth. If that fails, then your video card does "
                        "not support this game.");
        host.PostQuit();
        d.fatal = true;
        return;
    }
    d.fallbackRunning = true;
    d.inSetDisplay = false;
    if (fullScreen) {
        SetDisplay(width, height, false, true, false, false);
        if (!quiet)
            host.MessageBox("Error", "Failed to initialize full screen mode. Your video card is not supported. Trying to run in a window.");
    } else {
        if (!quiet) host.MessageBox("Error", "Failed to initialize windowed mode. Trying full screen.");
        SetDisplay(width, height, true, false, false, false);
    }
}
