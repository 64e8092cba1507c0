// Drawing state: the 2-D and 3-D blocks, filters, addressing, the saved viewports, the clip rectangle, the
// texture stages per blend mode and the vertex preparation with the 2-D projection.
#include "engine/core/base/log.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/device_display.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"

namespace {

constexpr char kSource[] = ".\\dxdisplayhandler";

std::shared_ptr<platform::video::Surface> SurfaceOf(const std::shared_ptr<TTexture>& texture) {
    if (!texture) return nullptr;
    auto* data = dynamic_cast<TDxTextureData*>(&texture->GetTextureData());
    return data ? data->GetSurface() : nullptr;
}

}  // namespace

void TPlatform::SetStageState(uint32_t type, uint32_t value, int line) {
    if (!data_->device) return;
    if (platform::video::Result r = data_->device->SetTextureStageState(0, type, value); platform::video::Failed(r))
        LogDxError(r, kSource, line);
}

bool TPlatform::Begin2d() {
    SetRenderState(platform::video::rs::kSpecularEnable, 0, __LINE__);
    SetRenderState(platform::video::rs::kClipping, 0, __LINE__);
    SetTextureAddress(3, 3);
    SetBlendMode(BlendAlpha);
    SetFilterMode(1);
    SetDepthTest(false);
    SetDepthWrite(false);
    SetCullMode(CullNone);
    SetWorldTransform(TMat4());
    SetViewTransform(TMat4());
    data_->viewChanged = true;
    data_->in2d = true;
    return true;
}

bool TPlatform::Begin3d() {
    SetRenderState(platform::video::rs::kSpecularEnable, !data_->noSpecularGouraud, __LINE__);
    SetRenderState(platform::video::rs::kClipping, 1, __LINE__);
    SetDepthTest(true);
    SetDepthWrite(true);
    SetBlendMode(BlendAlpha);
    SetFilterMode(1);
    SetTextureAddress(1, 1);
    SetCullMode(CullCounterClockwise);
    data_->in2d = false;
    return true;
}

void TPlatform::End2d() {
    SetTexture(nullptr);
    SetWorldTransform(TMat4());
    SetViewTransform(TMat4());
    data_->in2d = false;
}

void TPlatform::SetFilterMode(int mode) {
    if (mode != 0 && mode != 1) return;
    uint32_t filter = mode == 0 ? platform::video::filter::kPoint : platform::video::filter::kLinear;
    SetStageState(platform::video::tss::kMinFilter, filter, __LINE__);
    SetStageState(platform::video::tss::kMagFilter, filter, __LINE__);
    SetStageState(platform::video::tss::kMipFilter,
                  mode == 0 ? platform::video::filter::kMipPoint : platform::video::filter::kMipLinear, __LINE__);
}

void TPlatform::SetTextureAddress(int u, int v) {
    auto mode = [](int m) {
        return m == 1   ? platform::video::address::kWrap
               : m == 2 ? platform::video::address::kMirror
                        : platform::video::address::kClamp;
    };
    SetStageState(platform::video::tss::kAddressU, mode(u), __LINE__);
    SetStageState(platform::video::tss::kAddressV, mode(v), __LINE__);
}

void TPlatform::SetTexture(const std::shared_ptr<TTexture>& texture) {
    if (!IsDeviceReady()) return;
    data_->stageTexture = SurfaceOf(texture);
    if (platform::video::Result r = data_->device->SetTexture(0, data_->stageTexture); platform::video::Failed(r))
        LogDxError(r, kSource, __LINE__);
    ApplyTextureStages();
}

// The stage-0 table per blend mode and pass; states a row does not name keep their values.
void TPlatform::ApplyTextureStages() {
    TPlatformData& d = *data_;
    SetRenderState(platform::video::rs::kTextureFactor, 0xFFFFFFFF, __LINE__);
    bool coverage = d.renderTargetMode == 4 && d.renderTarget;
    if (coverage && d.blendMode == BlendSubtractive && d.newSubtractive) {
        SetStageState(platform::video::tss::kColorArg1, platform::video::ta::kTFactor, __LINE__);
        if (!d.newRenderBlend)
            SetStageState(platform::video::tss::kColorOp, platform::video::top::kSelectArg1, __LINE__);
    } else if (coverage && d.stageTexture) {
        SetStageState(platform::video::tss::kColorArg1,
                      platform::video::ta::kTexture | platform::video::ta::kAlphaReplicate, __LINE__);
        if (d.newRenderBlend)
            SetStageState(platform::video::tss::kColorArg2,
                          platform::video::ta::kDiffuse | platform::video::ta::kAlphaReplicate, __LINE__);
        SetStageState(platform::video::tss::kColorOp,
                      d.newRenderBlend ? platform::video::top::kModulate : platform::video::top::kSelectArg1, __LINE__);
    } else if (coverage) {
        SetStageState(platform::video::tss::kColorArg1,
                      platform::video::ta::kDiffuse | platform::video::ta::kAlphaReplicate, __LINE__);
        SetStageState(platform::video::tss::kColorOp, platform::video::top::kSelectArg1, __LINE__);
    } else {
        // Both option states reset the colour operation: a coverage pass must not leave SELECTARG1 behind.
        SetStageState(platform::video::tss::kColorArg1, platform::video::ta::kTexture, __LINE__);
        SetStageState(platform::video::tss::kColorArg2, platform::video::ta::kCurrent, __LINE__);
        SetStageState(platform::video::tss::kColorOp, platform::video::top::kModulate, __LINE__);
        bool factorAlpha = d.blendMode == BlendOpaque || (d.blendMode == BlendSubtractive && d.newSubtractive);
        SetStageState(platform::video::tss::kAlphaArg1,
                      factorAlpha ? platform::video::ta::kTFactor : platform::video::ta::kTexture, __LINE__);
        SetStageState(platform::video::tss::kAlphaOp,
                      factorAlpha ? platform::video::top::kSelectArg1 : platform::video::top::kModulate, __LINE__);
        return;
    }
    SetStageState(platform::video::tss::kAlphaArg1, platform::video::ta::kTFactor, __LINE__);
    SetStageState(platform::video::tss::kAlphaOp, platform::video::top::kSelectArg1, __LINE__);
}

void TPlatform::PushViewport(int left, int top, int right, int bottom) {
    data_->savedViewports.push_front(data_->viewport);
    SetViewport(left, top, right, bottom);
}

void TPlatform::PopViewport() {
    TPlatformData& d = *data_;
    if (d.savedViewports.empty()) {
        LogPrintf("PopViewport: no saved viewport");
        return;
    }
    d.viewport = d.savedViewports.front();
    d.savedViewports.pop_front();
    if (platform::video::Result r = ApplyViewport(d.viewport); platform::video::Failed(r))
        LogDxError(r, kSource, __LINE__);
    d.viewChanged = true;
}

bool TPlatform::UpdateViewport() {
    if (!data_->device) return false;
    platform::video::Result r = ApplyViewport(TRect::Intersect(data_->viewport, data_->clipRect));
    if (platform::video::Failed(r)) LogDxError(r, kSource, __LINE__);
    return platform::video::Succeeded(r);
}

bool TPlatform::SetClipRect(const TRect& rect) {
    data_->clipRect = rect;
    data_->viewChanged = true;
    return UpdateViewport();
}

void TPlatform::DrawVertices(uint32_t primitiveType, const TVertexSet& set) {
    TPlatformData& d = *data_;
    if (d.directXBroken || !d.device || !set.vertices || set.count <= 0) return;
    uint32_t format = platform::video::fvf::kVertex;
    if (set.kind == 1 || set.kind == 2) format = platform::video::fvf::kLVertex;
    if (set.kind == 3) format = platform::video::fvf::kTLVertex;
    SetRenderState(platform::video::rs::kLighting, format == platform::video::fvf::kVertex, __LINE__);
    if (set.kind != 3 && d.viewChanged && d.in2d) {
        d.viewChanged = false;
        const float t = d.texelOffset;
        TRect r = TRect::Intersect(TRect::Intersect(d.viewport, d.modeRect), d.clipRect);
        float dx = static_cast<float>(std::max(0, d.clipRect.left - d.viewport.left));
        float dy = static_cast<float>(std::max(0, d.clipRect.top - d.viewport.top));
        platform::video::Matrix m =
            platform::video::OrthoOffCenterLH(dx - t, dx + r.Width() - t, dy + r.Height() - t, dy - t, d.nearZ, d.farZ);
        // z passes through unchanged.
        m.m[2][2] = 1, m.m[2][3] = 0, m.m[3][2] = 0, m.m[3][3] = 1;
        TMat4 projection;
        for (int i = 0; i < 16; ++i) projection.m[i] = m.m[i / 4][i % 4];
        SetProjectionTransform(projection);
    }
    DrawVertices(primitiveType, format, set.vertices, static_cast<uint32_t>(set.count));
}

// Finds the texel offset that maps texels onto pixels: draws a 16 x 16 texture with black corners at ten
// offsets into a render target and keeps the first offset whose corners land exactly.
void TPlatform::TestRenderTargets() {
    TPlatformData& d = *data_;
    if (d.calibrated) return;
    d.calibrated = true;
    std::shared_ptr<TTexture> small = TTexture::CreateRenderTarget(16, 16, false);
    if (!small) return;
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!small->Lock(&pixels, &pitch)) return;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels[y * pitch + x] = 0xFFFFFFFF;
    pixels[0] = pixels[15 * pitch + 15] = 0xFF000000;
    small->Unlock();

    std::shared_ptr<TTexture> big = TTexture::CreateRenderTarget(1024, 512, true);
    if (!big) return;
    const float red[4] = {1, 0, 0, 1};
    FillRect(0, 0, 512, 512, red, big);
    TRenderer* renderer = TRenderer::Get();
    if (!renderer->BeginRenderTarget(big, 0)) {
        d.calibrated = false;
        return;
    }
    constexpr int kTrials = 10;
    auto offsetOf = [](int i) { return static_cast<float>(i) * 0.1f - 0.5f; };
    renderer->Begin2d();
    SetFilterMode(0);
    renderer->SetTexture(small);
    for (int i = 0; i < kTrials; ++i) {
        d.texelOffset = offsetOf(i);
        d.viewChanged = true;
        float x = 16.0f * i;
        TVertex quad[4];
        const float corners[4][4] = {{x, 0, 0, 0}, {x + 16, 0, 1, 0}, {x + 16, 16, 1, 1}, {x, 16, 0, 1}};
        for (int k = 0; k < 4; ++k) {
            quad[k].position = TVec3(corners[k][0], corners[k][1], 0.1f);
            quad[k].rhw = 0.5f;
            quad[k].diffuse = TColor(0xFFFFFFFF);
            quad[k].uv = TVec2(corners[k][2], corners[k][3]);
        }
        renderer->DrawVertices(PrimitiveTriangleFan, TVertexSet{2, quad, 4});
    }
    SetFilterMode(1);
    renderer->End2d();
    renderer->EndDraw();

    d.texelOffset = -0.5f;
    if (big->Lock(&pixels, &pitch)) {
        auto black = [&](int x, int y) { return (pixels[y * pitch + x] & 0x00FFFFFF) == 0; };
        for (int i = 0; i < kTrials; ++i) {
            if (black(16 * i, 0) && black(16 * i + 15, 15)) {
                d.texelOffset = offsetOf(i);
                break;
            }
        }
        big->Unlock();
    }
    renderer->PushClipRect(d.modeRect);
    const float opaqueBlack[4] = {0, 0, 0, 1};
    renderer->FillRect(d.modeRect, opaqueBlack);
    renderer->PopClipRect();
}
