#include "engine/graphics/device_display.h"

#include <algorithm>
#include <cmath>

#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/core/files/xml.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/graphics_state.h"
#include "engine/graphics/texture_display.h"

namespace {

constexpr char kSource[] = ".\\dxdisplayhandler";

gfx::Matrix ToMatrix(const TMat4& m) {
    gfx::Matrix r;
    for (int i = 0; i < 16; ++i) r.m[i / 4][i % 4] = m.m[i];
    return r;
}

TMat4 FromMatrix(const gfx::Matrix& m) {
    float values[16];
    for (int i = 0; i < 16; ++i) values[i] = m.m[i / 4][i % 4];
    return TMat4(values);
}

gfx::ColorValue ToColorValue(TColor c) {
    return {c.R() / 255.0f, c.G() / 255.0f, c.B() / 255.0f, c.A() / 255.0f};
}

void RunOutOfVideoMemory() {
    if (TPlatform* platform = TPlatform::Instance()) platform->OnOutOfVideoMemory();
}

// What texture data asks of the display, answered from the display handler.
class TPlatformTextureDisplay : public ITextureDisplay {
public:
    gfx::DisplayObject* GetDisplayObject() override { return Ready() ? Data()->directDraw : nullptr; }
    const gfx::DeviceDescription* GetDeviceDescription() override {
        return Ready() ? &Data()->context->GetDeviceDescription() : nullptr;
    }
    gfx::Surface* GetDepthBuffer() override { return Ready() ? Data()->backSurface->ZBuffer().get() : nullptr; }
    bool RequiresSquareTextures() override { return Data()->squareTexturesOnly; }
    int GetScreenBits() override {
        return Data()->lowMemoryVideo || Data()->displayDepth == 16 || Data()->sixteenBitTextures ? 16 : 32;
    }
    void AddTextureMemory(int64_t bytes) override {
        textureMemory_ += bytes;
        maxTextureMemory_ = std::max(maxTextureMemory_, textureMemory_);
        SetConfig("texture_ram_allocated", TString::Format("%lld", static_cast<long long>(textureMemory_)));
        SetConfig("max_texture_ram_allocated", TString::Format("%lld", static_cast<long long>(maxTextureMemory_)));
    }
    void OnRestoreFailed() override { TPlatform::Instance()->MarkDirectXBrokenThrottled(); }
    void OnOutOfVideoMemory() override { TPlatform::Instance()->OnOutOfVideoMemory(); }
    void SwitchTo16BitTextures() override { Data()->sixteenBitTextures = true; }
    void TryRenderTarget(const std::shared_ptr<gfx::Surface>& surface) override {
        if (!Ready()) return;
        TPlatformData& d = *Data();
        std::shared_ptr<gfx::Surface> current = d.currentTarget ? d.currentTarget : d.screenTarget;
        // The switches set the viewport to the whole target: a texture made during a frame keeps the frame's.
        TRect viewport = d.viewport;
        d.SwitchRenderTarget(current, surface);
        d.SwitchRenderTarget(surface, current);
        TPlatform::Instance()->SetViewport(viewport.left, viewport.top, viewport.right, viewport.bottom);
    }
    bool AlphaTargetsAt32Bits() override { return Data()->alphaTargetsAt32Bits; }
    bool IsDrawing() override { return Data()->inScene || Data()->renderTarget; }

private:
    static TPlatformData* Data() { return TPlatform::Instance()->Data(); }
    static bool Ready() { return Data()->directDraw && Data()->device && Data()->backSurface; }

    int64_t textureMemory_ = 0, maxTextureMemory_ = 0;
};

}  // namespace

TPlatformData::TPlatformData() : context(std::make_unique<TDXContext>()) {
    if (GetDisplayHost().IsHosted()) return;
    TXmlNode root;
    if (!root.Load("common:display.xml")) return;
    const TXmlNode* settings = root.GetName() == TString("Settings") ? &root : root.FindChild("Settings");
    if (settings && settings->GetAttribute("LowMemoryVideo", "0").ToInt() != 0) {
        lowMemoryVideo = true;
        LogPrintf("Low memory video card setting enabled!");
    }
}

TPlatformData::~TPlatformData() = default;

TPlatform::TPlatform() : data_(std::make_unique<TPlatformData>()) {}

TPlatform* TPlatform::Instance() {
    return GetGraphicsState().platform.get();
}

TPlatform* TPlatform::Create() {
    GraphicsState& state = GetGraphicsState();
    state.platform.reset(new TPlatform());
    SetOutOfVideoMemoryHandler(RunOutOfVideoMemory);
    // One for the process, so that the texture memory counts run on from one display to the next.
    if (!state.platformTextureDisplay) state.platformTextureDisplay = std::make_unique<TPlatformTextureDisplay>();
    SetTextureDisplay(state.platformTextureDisplay.get());
    return state.platform.get();
}

void TPlatform::Destroy() {
    GraphicsState& state = GetGraphicsState();
    if (&GetTextureDisplay() == state.platformTextureDisplay.get()) SetTextureDisplay(nullptr);
    SetOutOfVideoMemoryHandler(nullptr);
    state.platform.reset();
}

void TPlatform::SetRenderState(uint32_t state, uint32_t value, int line) {
    if (!data_->device) return;
    gfx::Result r = data_->device->SetRenderState(state, value);
    if (gfx::Failed(r)) LogDxError(r, kSource, line);
}

void TPlatform::SetOption(const TString& name, const TString& value) {
    bool on = value.ToInt() > 0;
    if (name == TString("antialias")) {
        data_->antialias = on;
        SetRenderState(gfx::rs::kAntialias, on ? 2 : 0, __LINE__);
    } else if (name == TString("hint_antialias")) {
        data_->hintAntialias = on;
    } else if (name == TString("new_subtractive")) {
        data_->newSubtractive = on;
    } else if (name == TString("new_render_blend")) {
        data_->newRenderBlend = on;
    }
}

TString TPlatform::GetOption(const TString& name) {
    if (name == TString("antialias")) return data_->antialias ? "1" : "0";
    if (name == TString("hint_antialias")) return data_->hintAntialias ? "1" : "0";
    if (name == TString("new_subtractive")) return data_->newSubtractive ? "1" : "0";
    if (name == TString("16bitmode"))
        return data_->lowMemoryVideo || data_->displayDepth == 15 || data_->displayDepth == 16 ? "1" : "0";
    return "";
}

void TPlatform::SetDepthTest(bool on) {
    data_->depthTest = on;
    SetRenderState(gfx::rs::kZEnable, on, __LINE__);
}

void TPlatform::SetDepthWrite(bool on) {
    data_->depthWrite = on;
    SetRenderState(gfx::rs::kZWriteEnable, on, __LINE__);
}

void TPlatform::SetWorldTransform(const TMat4& m) {
    if (!data_->device) return;
    if (gfx::Result r = data_->device->SetTransform(gfx::transform::kWorld, ToMatrix(m)); gfx::Failed(r))
        LogDxError(r, kSource, __LINE__);
}

void TPlatform::SetViewTransform(const TMat4& m) {
    if (!data_->device) return;
    if (gfx::Result r = data_->device->SetTransform(gfx::transform::kView, ToMatrix(m)); gfx::Failed(r))
        LogDxError(r, kSource, __LINE__);
}

void TPlatform::GetWorldTransform(TMat4* m) {
    if (!data_->device || !m) return;
    gfx::Matrix world;
    if (gfx::Result r = data_->device->GetTransform(gfx::transform::kWorld, &world); gfx::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        return;
    }
    *m = FromMatrix(world);
}

void TPlatform::SetProjectionTransform(const TMat4& m) {
    if (!data_->device) return;
    data_->projection = m;
    data_->viewChanged = true;
    if (gfx::Result r = data_->device->SetTransform(gfx::transform::kProjection, ToMatrix(m)); gfx::Failed(r))
        LogDxError(r, kSource, __LINE__);
}

void TPlatform::SetPerspective(float fieldOfView, float aspect, float nearZ, float farZ) {
    if (!data_->device) return;
    data_->nearZ = nearZ;
    data_->farZ = farZ;
    if (aspect == 0 && data_->viewport.Height() != 0)
        aspect = static_cast<float>(data_->viewport.Width()) / static_cast<float>(data_->viewport.Height());
    SetProjectionTransform(FromMatrix(gfx::PerspectiveFovLH(fieldOfView, aspect == 0 ? 1.0f : aspect, nearZ, farZ)));
}

void TPlatform::SetMaterial(const TMaterial& material) {
    if (!data_->device) return;
    gfx::Material m;
    m.diffuse = ToColorValue(material.diffuse);
    m.ambient = ToColorValue(material.ambient);
    if (gfx::Result r = data_->device->SetMaterial(m); gfx::Failed(r)) LogDxError(r, kSource, __LINE__);
}

void TPlatform::SetAmbientColor(TColor color) {
    SetRenderState(gfx::rs::kAmbient, color.Argb(), __LINE__);
}

void TPlatform::SetShadeMode(int mode) {
    if (mode == 1 || mode == 2) SetRenderState(gfx::rs::kShadeMode, mode == 1 ? gfx::shade::kFlat : gfx::shade::kGouraud, __LINE__);
}

void TPlatform::SetCullMode(int mode) {
    uint32_t value = mode == 2 ? gfx::cull::kClockwise : mode == 3 ? gfx::cull::kCounterClockwise : gfx::cull::kNone;
    SetRenderState(gfx::rs::kCullMode, value, __LINE__);
}

void TPlatform::SetBlendMode(int32_t mode) {
    data_->blendMode = mode;
    if (mode < 0 || mode > BlendMultiply) return;
    if (!data_->colorOutput) {
        SetRenderState(gfx::rs::kSrcBlend, gfx::blend::kZero, __LINE__);
        SetRenderState(gfx::rs::kDestBlend, gfx::blend::kOne, __LINE__);
        return;
    }
    bool coveragePass = data_->renderTargetMode == 4 && data_->renderTarget;
    uint32_t src = 0, dest = 0;
    switch (mode) {
        case BlendAlpha:
            src = gfx::blend::kSrcAlpha;
            dest = coveragePass ? gfx::blend::kOne : gfx::blend::kInvSrcAlpha;
            break;
        case BlendAdditive:
            src = gfx::blend::kSrcAlpha;
            dest = gfx::blend::kOne;
            break;
        case BlendSubtractive:
            src = coveragePass ? (data_->newSubtractive ? gfx::blend::kOne : gfx::blend::kSrcAlpha) : gfx::blend::kZero;
            dest = coveragePass ? (data_->newSubtractive ? gfx::blend::kOne : gfx::blend::kInvSrcAlpha)
                                : gfx::blend::kInvSrcColor;
            break;
        case BlendMultiply:
            src = gfx::blend::kZero;
            dest = gfx::blend::kSrcColor;
            break;
        default:
            break;
    }
    if (src) {
        SetRenderState(gfx::rs::kSrcBlend, src, __LINE__);
        SetRenderState(gfx::rs::kDestBlend, dest, __LINE__);
    }
    SetRenderState(gfx::rs::kAlphaBlendEnable, mode != BlendOpaque, __LINE__);
    ApplyTextureStages();
}

void TPlatform::ApplyDefaultRenderState() {
    gfx::Device* d = data_->device;
    if (!d) return;
    SetRenderState(gfx::rs::kAmbient, 0xFFFFFFFF, __LINE__);
    SetDepthTest(true);
    SetDepthWrite(true);
    SetRenderState(gfx::rs::kColorVertex, 1, __LINE__);
    SetRenderState(gfx::rs::kLighting, 1, __LINE__);
    SetRenderState(gfx::rs::kNormalizeNormals, 1, __LINE__);
    for (uint32_t source : {gfx::rs::kDiffuseMaterialSource, gfx::rs::kAmbientMaterialSource,
                            gfx::rs::kSpecularMaterialSource, gfx::rs::kEmissiveMaterialSource})
        SetRenderState(source, gfx::material_source::kMaterial, __LINE__);
    SetRenderState(gfx::rs::kSrcBlend, gfx::blend::kSrcAlpha, __LINE__);
    SetRenderState(gfx::rs::kDestBlend, gfx::blend::kInvSrcAlpha, __LINE__);
    SetRenderState(gfx::rs::kAlphaBlendEnable, 1, __LINE__);
    SetRenderState(gfx::rs::kWrap0, 0, __LINE__);
    const std::pair<uint32_t, uint32_t> stage[] = {
        {gfx::tss::kMagFilter, gfx::filter::kLinear},   {gfx::tss::kMinFilter, gfx::filter::kLinear},
        {gfx::tss::kMipFilter, gfx::filter::kMipLinear}, {gfx::tss::kColorArg1, gfx::ta::kTexture},
        {gfx::tss::kColorArg2, gfx::ta::kCurrent},      {gfx::tss::kColorOp, gfx::top::kModulate},
        {gfx::tss::kAlphaArg1, gfx::ta::kTexture},      {gfx::tss::kAlphaArg2, gfx::ta::kCurrent},
        {gfx::tss::kAlphaOp, gfx::top::kModulate}};
    for (auto [type, value] : stage)
        if (gfx::Result r = d->SetTextureStageState(0, type, value); gfx::Failed(r)) LogDxError(r, kSource, __LINE__);
    SetRenderState(gfx::rs::kAlphaTestEnable, 1, __LINE__);
    SetRenderState(gfx::rs::kAlphaRef, 1, __LINE__);
    SetRenderState(gfx::rs::kAlphaFunc, gfx::cmp::kGreaterEqual, __LINE__);
    SetRenderState(gfx::rs::kShadeMode, gfx::shade::kGouraud, __LINE__);
    uint32_t* cache = GetGraphicsState().renderStateCache;
    std::fill(cache, cache + 8, 0);
}
