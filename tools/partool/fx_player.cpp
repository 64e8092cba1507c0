#include "tools/partool/fx_player.h"

#include <cstdio>

#include "engine/core/files/asset.h"
#include "engine/core/files/file.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/png_shot.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"
#include "game/shop/particles/particle_fx.h"
#include "platform/video/surface.h"
#include "platform/window/window.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kStepMs = 16;
const float kNight[4] = {0.18f, 0.153f, 0.282f, 1.0f};  // the game's background depth

class PlayerDisplayHost : public TDisplayHost {
public:
    platform::Window* Window() override { return &window; }
    bool AssetsAlive() override { return true; }
    void ReleaseAssets() override { assets.ReleaseAll(); }
    void RestoreAssets() override { assets.RestoreAll(); }
    void Sleep(uint32_t) override {}

    platform::HeadlessWindow window;
    TAssetManager assets;
};

void DrawFrame(TRenderer& renderer, clsParticleFx& fx) {
    renderer.BeginDraw(1);
    renderer.FillRect(TRect(0, 0, kScreenWidth, kScreenHeight), kNight);
    renderer.Begin2d();
    fx.Draw();
    renderer.End2d();
    renderer.EndDraw();
}

// Runs the effect from the screen's centre and copies the square around its start into the strip.
bool Record(const FxPlayOptions& options, TPlatform& platform, platform::video::Surface& strip) {
    TRenderer& renderer = *TRenderer::Get();
    clsParticleFx fx(nullptr, TString(options.effect.c_str()), 1, &renderer);
    if (fx.GetSystem().GetEmitters().empty()) {
        std::fprintf(stderr, "partool: %s has no emitters (not found, or damaged)\n", options.effect.c_str());
        return false;
    }
    const float x0 = kScreenWidth / 2.0f, y0 = kScreenHeight / 2.0f;
    const float x1 = x0 + options.moveX, y1 = y0 + options.moveY;
    const float segment[12] = {x0, y0, 0, (2 * x0 + x1) / 3, (2 * y0 + y1) / 3, 0,
                               (x0 + 2 * x1) / 3, (y0 + 2 * y1) / 3, 0, x1, y1, 0};
    fx.AddSegment(segment);
    fx.SetSegmentDuration(options.ms);
    if (options.mirror) fx.Mirror();
    if (options.color)
        fx.SetColor(options.color >> 24, (options.color >> 16) & 255, (options.color >> 8) & 255, options.color & 255);
    fx.Play();
    const int half = options.size / 2;
    const platform::video::Rect around = {int(x0) - half, int(y0) - half, int(x0) + half, int(y0) + half};
    int kept = 0;
    for (int at = kStepMs; kept < options.frames; at += kStepMs) {
        fx.Update(kStepMs);
        if (at < (kept + 1) * options.ms / options.frames) continue;
        DrawFrame(renderer, fx);
        const platform::video::Rect place = {kept * options.size, 0, (kept + 1) * options.size, options.size};
        if (strip.Blt(&place, *platform.Data()->backSurface, &around) != platform::video::kOk) return false;
        ++kept;
    }
    return true;
}

}  // namespace

bool PlayFx(const FxPlayOptions& options) {
    SetStartupFolder(options.gameFolder.c_str());
    SetAssetFolder((options.gameFolder + "/assets").c_str());
    InitFileSystem();
    PlayerDisplayHost display;
    display.window.Create(platform::WindowOptions());
    SetDisplayHost(&display);
    SetAssetManager(&display.assets);
    RegisterTextureAssetKinds();
    TPlatform* platform = TPlatform::Create();
    platform->SetDisplay(kScreenWidth, kScreenHeight, false, false, false, false);
    bool played = false;
    if (!platform->Data()->displayReady) {
        std::fprintf(stderr, "partool: the headless display did not start\n");
    } else {
        TRenderer::Get()->PushClipRect(platform->Data()->modeRect);
        platform::video::Surface strip(options.size * options.frames, options.size,
                                       platform->Data()->backSurface->Format(), 0);
        played = Record(options, *platform, strip);
        if (played && !WritePngShot(strip, options.out.c_str())) {
            std::fprintf(stderr, "partool: cannot write %s\n", options.out.c_str());
            played = false;
        }
    }
    TRenderer::Destroy();
    TPlatform::Destroy();
    SetDisplayHost(nullptr);
    SetAssetManager(nullptr);
    ShutdownFileSystem();
    return played;
}
