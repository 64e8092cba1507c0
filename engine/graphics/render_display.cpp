#include "engine/graphics/render_display.h"

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/core/files/asset.h"
#include "engine/core/app/display_service.h"
#include "engine/core/app/window_system_service.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/graphics_state.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"
#include "engine/graphics/vecdraw_renderer.h"
#include "platform/video/profile.h"

namespace {

class TApplicationDisplayHost : public TDisplayHost {
public:
    bool Exists() override { return Data() != nullptr; }
    bool IsSuspended() override { return Data() && Data()->pump.lostWhileFullScreen; }
    bool IsActive() override {
        TApplicationData* data = Data();
        if (!data) return false;
        if (data->pump.secondActivationChanged) return data->pump.appActive;
        // A window just shown counts as active until the desktop reports its state (the focus comes a moment
        // later), so the first display set-up need not wait for it; from then on the window's focus decides.
        if (!data->pump.activeStateSeen) return true;
        return !data->window || data->window->HasFocus();
    }
    bool IsForeground() override { return HasFocus(); }
    bool HasFocus() override { return TApplication::Instance() && TApplication::Instance()->HasFocus(); }
    bool IsHosted() override { return Data() && Data()->hosted; }
    bool IsZylomHost() override { return Data() && Data()->commandLine.Find("-zylom") >= 0; }
    bool HasParentWindow() override { return Data() && Data()->externalParent != 0; }
    float ViewScale() override { return Data() ? Data()->viewportScaleX : 1.0f; }
    void SetViewScale(float scale) override {
        if (Data()) Data()->viewportScaleX = Data()->viewportScaleY = scale;
    }
    platform::Window* Window() override { return Data() ? Data()->window.get() : nullptr; }
    bool AssetsAlive() override { return Data() && Data()->assetManager && Data()->assetManager->EntryCount() > 0; }
    void ReleaseAssets() override {
        if (Data() && Data()->assetManager) Data()->assetManager->ReleaseAll();
    }
    void RestoreAssets() override {
        if (Data() && Data()->assetManager) Data()->assetManager->RestoreAll();
    }
    void RunTasks() override {
        if (Data()) Data()->taskList.Run();
    }
    bool WindowManagerExists() override { return Data() && Data()->windowManager; }
    bool WindowManagerSuspended() override { return WindowManagerExists() && Data()->windowManager->IsPresentHeld(); }
    void InvalidateWindows() override {
        if (WindowManagerExists()) Data()->windowManager->Invalidate();
    }
    void PostQuit() override {
        if (TApplication::Instance()) TApplication::Instance()->PostQuit(0);
    }

private:
    static TApplicationData* Data() { return TApplication::Instance() ? TApplication::Instance()->Data() : nullptr; }
};

class TRenderDisplay : public IDisplay {
public:
    TRenderDisplay() : platform_(TPlatform::Create()) {}
    ~TRenderDisplay() override {
        TRenderer::Destroy();
        TPlatform::Destroy();
    }

    bool IsUsable() const override { return Data().displayReady && !Data().directXBroken; }
    bool AreSurfacesLost() const override {
        return Data().backSurface && platform::video::Failed(Data().backSurface->IsLost());
    }
    bool Restore() override {
        platform_->Data()->Restore();
        return platform_->IsDeviceReady();
    }
    void OnDeactivated() override { platform_->RefreshDesktopMode(); }
    void OnDisplayChange() override { platform_->RefreshDesktopMode(); }
    bool IsFullScreen() const override { return Data().fullScreen; }
    bool SetFullScreen(bool on) override { return platform_->SetFullscreen(on); }
    bool SetDisplayMode(int width, int height, int flags) override {
        platform_->SetDisplay(width, height, flags != 0, false, false, GetDisplayHost().HasParentWindow());
        if (Data().displayReady) {
            platform_->TestRenderTargets();
            CalibrateVectorRendererOnce();
        }
        return Data().displayReady;
    }
    bool IsFrameDone() const override { return platform_->IsFrameDone(); }
    bool OutOfVideoMemory() const override { return Data().lowMemoryVideo; }
    bool IsReady() const override { return Data().displayReady; }
    void SetVSync(bool on) override { platform_->SetVSync(on); }
    void ShowSystemCursor(bool on) override { platform_->GetContext()->ShowCursor(on); }
    void SetMouseImage(const std::shared_ptr<TTexture>& picture, int hotX, int hotY, bool direct) override {
        platform_->GetContext()->SetMouseImage(picture, hotX, hotY);
    }
    std::shared_ptr<TTexture> LoadCursorPicture(const TString& file) override { return TTexture::Get(file); }
    TVec2 ClientToGame(int x, int y) const override {
        float scale = GetDisplayHost().ViewScale();
        if (scale <= 0) scale = 1.0f;
        return TVec2(static_cast<float>(x) / scale, static_cast<float>(y) / scale);
    }
    bool IsPresentEnabled() const override { return platform_->IsPresentEnabled(); }
    bool PresentPass() override { return platform_->Present(-1, -1).first != -1; }
    void ShowCopiedFrame() override { platform_->GetContext()->ShowFrontBuffer(); }

private:
    const TPlatformData& Data() const { return *platform_->Data(); }

    TPlatform* platform_;
};

std::unique_ptr<IDisplay> MakeRenderDisplay() {
    // The machine's desktop and modes; without video the standard profile stays.
    platform::video::DetectProfile();
    return std::make_unique<TRenderDisplay>();
}

}  // namespace

void InstallDisplay() {
    GraphicsState& state = GetGraphicsState();
    state.applicationDisplayHost = std::make_unique<TApplicationDisplayHost>();
    SetDisplayHost(state.applicationDisplayHost.get());
    SetDisplayFactory(MakeRenderDisplay);
}
