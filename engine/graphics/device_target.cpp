// Render-target passes (drawing into the back buffer's corner, then copying into a texture), rectangle
// fills and the switch of the device's render target.
#include <algorithm>
#include <bit>
#include <cmath>

#include "engine/core/base/log.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"

namespace {

constexpr char kSource[] = ".\\dxdisplayhandler";

std::shared_ptr<platform::video::Surface> SurfaceOf(TTexture& texture) {
    auto* data = dynamic_cast<TDxTextureData*>(&texture.GetTextureData());
    return data ? data->GetSurface() : nullptr;
}

// A channel of mask brought to 8 bits: shifted by lowest set bit + bit count - 8.
uint32_t ChannelTo8(uint32_t raw, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask) + std::popcount(mask) - 8;
    uint32_t v = raw & mask;
    return (shift >= 0 ? v >> shift : v << -shift) & 0xFF;
}

// Sum over the format's masks of (truncate(mask x channel) AND mask).
uint32_t FillValue(const platform::video::PixelFormat& f, const float rgba[4]) {
    auto part = [](uint32_t mask, float channel) {
        return static_cast<uint32_t>(static_cast<double>(mask) * channel) & mask;
    };
    return part(f.alpha, rgba[3]) + part(f.blue, rgba[2]) + part(f.green, rgba[1]) + part(f.red, rgba[0]);
}

}  // namespace

bool TPlatform::BeginRenderTarget(const std::shared_ptr<TTexture>& target, int mode) {
    TPlatformData& d = *data_;
    TDisplayHost& host = GetDisplayHost();
    if (!d.device || d.directXBroken || !target) return false;
    if (!SurfaceOf(*target)) {
        MarkDirectXBroken();
        return false;
    }
    d.renderTargetMode = mode;
    d.renderTarget = target;
    d.dirtyBeforePass = d.screenTarget ? d.screenTarget->DirtyCount() : 0;
    WaitForFlipDone();
    d.savedViewScale = host.ViewScale();
    host.SetViewScale(1.0f);
    PushViewport(0, 0, target->GetWidth(), target->GetHeight());
    d.targetRect = d.viewport;
    host.InvalidateWindows();
    if (mode == 2 || mode == 3) {
        platform::video::Rect region{0, 0, std::min(d.targetRect.right, d.modeRect.right),
                                     std::min(d.targetRect.bottom, d.modeRect.bottom)};
        std::shared_ptr<platform::video::Surface> source = SurfaceOf(*target);
        region = platform::video::Intersect(region, source->Bounds());
        if (!region.Empty())
            if (platform::video::Result r = d.screenTarget->Blt(&region, *source, &region); platform::video::Failed(r))
                LogDxError(r, kSource, __LINE__);
    }
    if (mode == 4) {
        const float none[4] = {0, 0, 0, 0};
        FillRect(0, 0, target->GetWidth(), target->GetHeight(), none, nullptr);
    }
    WaitForFlipDone();
    if (!BeginDraw(false)) {
        d.renderTarget.reset();
        d.renderTargetMode = 0;
        PopViewport();
        host.SetViewScale(d.savedViewScale);
        return false;
    }
    return true;
}

void TPlatform::EndRenderTarget() {
    TPlatformData& d = *data_;
    GetDisplayHost().SetViewScale(d.savedViewScale);
    if (!d.renderTarget) return;
    // Whatever happens below, the pass ends here: the target is emptied and the viewport popped once.
    std::shared_ptr<TTexture> target = std::exchange(d.renderTarget, nullptr);
    int mode = std::exchange(d.renderTargetMode, 0);
    EndDraw(false);
    PopViewport();
    TRect region(0, 0, std::min(d.targetRect.right, d.modeRect.right), std::min(d.targetRect.bottom, d.modeRect.bottom));
    d.targetRect = d.modeRect;
    // A display rebuilt during the pass has nothing to copy from.
    if (!d.screenTarget) return;
    // The pass's pixels belong to the texture: they never reach the window.
    d.screenTarget->TruncateDirty(d.dirtyBeforePass);
    if (mode >= 0 && mode <= 3) {
        std::shared_ptr<platform::video::Surface> surface = SurfaceOf(*target);
        if (!surface) {
            MarkDirectXBroken();
            return;
        }
        platform::video::Rect r{0, 0, std::min(region.right, surface->Width()),
                                std::min(region.bottom, surface->Height())};
        bool copied = false;
        if (!platform::video::Rect(r).Empty() && surface->Format() == d.screenTarget->Format())
            copied = platform::video::Succeeded(surface->Blt(&r, *d.screenTarget, &r));
        if (!copied) CopyRegionToTexture(region, *target);
        if (mode != 1 && target->HasAlpha()) {
            uint32_t* pixels = nullptr;
            int pitch = 0;
            if (target->Lock(&pixels, &pitch)) {
                const auto& data = target->GetTextureData();
                for (uint32_t y = 0; y < data.height; ++y)
                    for (uint32_t x = 0; x < data.width; ++x) pixels[y * pitch + x] |= 0xFF000000;
                target->Unlock();
            }
        }
    } else if (mode == 4) {
        CopyBlueToAlpha(region, *target);
    }
}

// The lock-and-convert copy of the region's pixels into the texture (alpha 255).
void TPlatform::CopyRegionToTexture(const TRect& region, TTexture& texture) {
    platform::video::Surface& screen = *data_->screenTarget;
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!texture.Lock(&pixels, &pitch)) return;
    const platform::video::PixelFormat& f = screen.Format();
    const auto& data = texture.GetTextureData();
    int w = std::min<int>(region.Width(), static_cast<int>(data.width));
    int h = std::min<int>(region.Height(), static_cast<int>(data.height));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t raw = screen.RawPixel(x, y);
            pixels[y * pitch + x] = 0xFF000000 | ChannelTo8(raw, f.red) << 16 | ChannelTo8(raw, f.green) << 8 |
                                    ChannelTo8(raw, f.blue);
        }
    texture.Unlock();
}

// The coverage mask: each texture pixel's alpha from the region's blue channel; pixels outside the region
// (a texture larger than the screen) get alpha 0.
void TPlatform::CopyBlueToAlpha(const TRect& region, TTexture& texture) {
    if (!texture.HasAlpha()) return;
    platform::video::Surface& screen = *data_->screenTarget;
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!texture.Lock(&pixels, &pitch)) return;
    const auto& data = texture.GetTextureData();
    for (int y = 0; y < static_cast<int>(data.height); ++y)
        for (int x = 0; x < static_cast<int>(data.width); ++x) {
            bool inside = x < region.right && y < region.bottom && x < screen.Width() && y < screen.Height();
            uint32_t alpha = inside ? ChannelTo8(screen.RawPixel(x, y), screen.Format().blue) : 0;
            uint32_t& p = pixels[y * pitch + x];
            p = (p & 0x00FFFFFF) | alpha << 24;
        }
    texture.Unlock();
}

void TPlatform::FillRect(int left, int top, int right, int bottom, const float rgba[4],
                         const std::shared_ptr<TTexture>& texture) {
    TPlatformData& d = *data_;
    TRenderer* renderer = TRenderer::Get();
    if (!texture && renderer->IsDrawing()) {
        bool had2d = renderer->IsIn2d(), had3d = renderer->IsIn3d();
        if (had3d) renderer->End3d();
        if (!had2d) renderer->Begin2d();
        float alpha = d.renderTargetMode == 4 && d.renderTarget ? rgba[3] : 1.0f;
        TColor color(rgba[0], rgba[1], rgba[2], alpha);
        float x0 = static_cast<float>(left - d.viewport.left), y0 = static_cast<float>(top - d.viewport.top);
        float x1 = static_cast<float>(right - d.viewport.left), y1 = static_cast<float>(bottom - d.viewport.top);
        TVertex quad[4];
        const float corners[4][4] = {{x0, y0, 0, 0}, {x1, y0, 1, 0}, {x1, y1, 1, 1}, {x0, y1, 0, 1}};
        for (int i = 0; i < 4; ++i) {
            quad[i].position = TVec3(corners[i][0], corners[i][1], 0.1f);
            quad[i].rhw = 0.5f;
            quad[i].diffuse = color;
            quad[i].uv = TVec2(corners[i][2], corners[i][3]);
        }
        std::shared_ptr<TTexture> saved = renderer->GetTexture();
        renderer->SetTexture(nullptr);
        SetBlendMode(BlendAlpha);
        renderer->DrawVertices(PrimitiveTriangleFan, TVertexSet{2, quad, 4});
        renderer->SetTexture(saved);
        if (!had2d) renderer->End2d();
        if (had3d) renderer->Begin3d();
        return;
    }
    std::shared_ptr<platform::video::Surface> surface = texture ? SurfaceOf(*texture) : d.context->GetBackSurface();
    if (!surface) return;
    TRect bounds = texture ? TRect(0, 0, texture->GetWidth(), texture->GetHeight())
                           : TRect::Intersect(renderer->GetClipRect(), d.modeRect);
    TRect r = TRect::Intersect(TRect(left, top, right, bottom), bounds);
    if (r.Width() <= 0 || r.Height() <= 0) return;
    float scale = GetDisplayHost().ViewScale();
    if (!texture && scale != 1.0f)
        r = TRect(static_cast<int>(r.left * scale), static_cast<int>(r.top * scale), static_cast<int>(r.right * scale),
                  static_cast<int>(r.bottom * scale));
    platform::video::Rect dest =
        platform::video::Intersect(platform::video::Rect{r.left, r.top, r.right, r.bottom}, surface->Bounds());
    if (dest.Empty()) return;
    if (platform::video::Result result = surface->ColorFill(&dest, FillValue(surface->Format(), rgba));
        platform::video::Failed(result))
        LogDxError(result, kSource, __LINE__);
}

bool TPlatformData::SwitchRenderTarget(const std::shared_ptr<platform::video::Surface>& current,
                                       const std::shared_ptr<platform::video::Surface>& next) {
    if (current == next || !device || !next) return true;
    TPlatform* platform = TPlatform::Instance();
    device->SetRenderTarget(next);
    currentTarget = next;
    TRect oldMode = modeRect;
    float scale = GetDisplayHost().ViewScale();
    auto unscaled = [scale](int v) { return static_cast<int>(std::floor(v / scale + 0.5f)); };
    modeRect = TRect(0, 0, unscaled(next->Width()), unscaled(next->Height()));
    viewport = modeRect;
    platform::video::Result r = platform->ApplyViewport(viewport);
    if (platform::video::Succeeded(r)) return true;
    modeRect = oldMode;
    LogDxError(r, kSource, __LINE__);
    LogPrintf("Bad viewport in switching render target!");
    viewport = oldMode;
    r = platform->ApplyViewport(viewport);
    if (platform::video::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        if (r == platform::video::kCurrentlyNotAvailable && next->Format().bits == 16) {
            LogPrintf("Failed to SetRenderTarget with bit depth 16");
            alphaTargetsAt32Bits = true;
            platform->MarkDirectXBroken();
        } else if (!reportedTargetDepth) {
            reportedTargetDepth = true;
            LogPrintf("Failed to SetRenderTarget with alpha bit depth %d", next->Format().bits);
        }
    }
    return true;
}
