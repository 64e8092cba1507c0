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

platform::video::Matrix ToMatrix(const TMat4& m) {
    platform::video::Matrix r;
    for (int i = 0; i < 16; ++i) r.m[i / 4][i % 4] = m.m[i];
    return r;
}

TMat4 FromMatrix(const platform::video::Matrix& m) {
    float values[16];
    for (int i = 0; i < 16; ++i) values[i] = m.m[i / 4][i % 4];
    return TMat4(values);
}

platform::video::ColorValue ToColorValue(TColor c) {
    return {c.R() / 255.0f, c.G() / 255.0f, c.B() / 255.0f, c.A() / 255.0f};
}

void RunOutOfVideoMemory() {
    if (TPlatform* platform = TPlatform::Instance()) platform->OnOutOfVideoMemory();
}

// What texture data asks of the display, answered from the display handler.
class TPlatformTextureDisplay : public ITextureDisplay {
public:
    platform::video::DisplayObject* GetDisplayObject() override { return Ready() ? Data()->directDraw : nullptr; }
    const platform::video::DeviceDescription* GetDeviceDescription() override {
        return Ready() ? &Data()->context->GetDeviceDescription() : nullptr;
    }
    platform::video::Surface* GetDepthBuffer() override {
        return Ready() ? Data()->backSurface->ZBuffer().get() : nullptr;
    }
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
    void TryRenderTarget(const std::shared_ptr<platform::video::Surface>& surface) override {
        if (!Ready()) return;
        TPlatformData& d = *Data();
        std::shared_ptr<platform::video::Surface> current = d.currentTarget ? d.currentTarget : d.screenTarget;
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
    platform::video::Result r = data_->device->SetRenderState(state, value);
    if (platform::video::Failed(r)) LogDxError(r, kSource, line);
}

void TPlatform::SetOption(const TString& name, const TString& value) {
    bool on = value.ToInt() > 0;
    if (name == TString("antialias")) {
        data_->antialias = on;
        SetRenderState(platform::video::rs::kAntialias, on ? 2 : 0, __LINE__);
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
    SetRenderState(platform::video::rs::kZEnable, on, __LINE__);
}

void TPlatform::SetDepthWrite(bool on) {
    data_->depthWrite = on;
    SetRenderState(platform::video::rs::kZWriteEnable, on, __LINE__);
}

void TPlatform::SetWorldTransform(const TMat4& m) {
    if (!data_->device) return;
    if (platform::video::Result r = data_->device->SetTransform(platform::video::transform::kWorld, ToMatrix(m));
        platform::video::Failed(r))
        LogDxError(r, kSource, __LINE__);
}

void TPlatform::SetViewTransform(const TMat4& m) {
    if (!data_->device) return;
    if (platform::video::Result r = data_->device->SetTransform(platform::video::transform::kView, ToMatrix(m));
        platform::video::Failed(r))
        LogDxError(r, kSource, __LINE__);
}

void TPlatform::GetWorldTransform(TMat4* m) {
    if (!data_->device || !m) return;
    platform::video::Matrix world;
    if (platform::video::Result r = data_->device->GetTransform(platform::video::transform::kWorld, &world);
        platform::video::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        return;
    }
    *m = FromMatrix(world);
}

void TPlatform::SetProjectionTransform(const TMat4& m) {
    if (!data_->device) return;
    data_->projection = m;
    data_->viewChanged = true;
    if (platform::video::Result r = data_->device->SetTransform(platform::video::transform::kProjection, ToMatrix(m));
        platform::video::Failed(r))
        LogDxError(r, kSource, __LINE__);
}

void TPlatform::SetPerspective(float fieldOfView, float aspect, float nearZ, float farZ) {
    if (!data_->device) return;
    data_->nearZ = nearZ;
    data_->farZ = farZ;
    if (aspect == 0 && data_->viewport.Height() != 0)
        aspect = static_cast<float>(data_->viewport.Width()) / static_cast<float>(data_->viewport.Height());
    SetProjectionTransform(
        FromMatrix(platform::video::PerspectiveFovLH(fieldOfView, aspect == 0 ? 1.0f : aspect, nearZ, farZ)));
}

void TPlatform::SetMaterial(const TMaterial& material) {
    if (!data_->device) return;
    platform::video::Material m;
    m.diffuse = ToColorValue(material.diffuse);
    m.ambient = ToColorValue(material.ambient);
    if (platform::video::Result r = data_->device->SetMaterial(m); platform::video::Failed(r))
        LogDxError(r, kSource, __LINE__);
}

void TPlatform::SetAmbientColor(TColor color) {
    SetRenderState(platform::video::rs::kAmbient, color.Argb(), __LINE__);
}

void TPlatform::SetShadeMode(int mode) {
    if (mode == 1 || mode == 2)
        SetRenderState(platform::video::rs::kShadeMode,
                       mode == 1 ? platform::video::shade::kFlat : platform::video::shade::kGouraud, __LINE__);
}

void TPlatform::SetCullMode(int mode) {
    uint32_t value = mode == 2   ? platform::video::cull::kClockwise
                     : mode == 3 ? platform::video::cull::kCounterClockwise
                                 : platform::video::cull::kNone;
    SetRenderState(platform::video::rs::kCullMode, value, __LINE__);
}

void TPlatform::SetBlendMode(int32_t mode) {
    data_->blendMode = mode;
    if (mode < 0 || mode > BlendMultiply) return;
    if (!data_->colorOutput) {
        SetRenderState(platform::video::rs::kSrcBlend, platform::video::blend::kZero, __LINE__);
        SetRenderState(platform::video::rs::kDestBlend, platform::video::blend::kOne, __LINE__);
        return;
    }
    bool coveragePass = data_->renderTargetMode == 4 && data_->renderTarget;
    uint32_t src = 0, dest = 0;
    switch (mode) {
        case BlendAlpha:
            src = platform::video::blend::kSrcAlpha;
            dest = coveragePass ? platform::video::blend::kOne : platform::video::blend::kInvSrcAlpha;
            break;
        case BlendAdditive:
            src = platform::video::blend::kSrcAlpha;
            dest = platform::video::blend::kOne;
            break;
        case BlendSubtractive:
            src = coveragePass
                      ? (data_->newSubtractive ? platform::video::blend::kOne : platform::video::blend::kSrcAlpha)
                      : platform::video::blend::kZero;
            dest = coveragePass
                       ? (data_->newSubtractive ? platform::video::blend::kOne : platform::video::blend::kInvSrcAlpha)
                       : platform::video::blend::kInvSrcColor;
            break;
        case BlendMultiply:
            src = platform::video::blend::kZero;
            dest = platform::video::blend::kSrcColor;
            break;
        default:
            break;
    }
    if (src) {
        SetRenderState(platform::video::rs::kSrcBlend, src, __LINE__);
        SetRenderState(platform::video::rs::kDestBlend, dest, __LINE__);
    }
    SetRenderState(platform::video::rs::kAlphaBlendEnable, mode != BlendOpaque, __LINE__);
    ApplyTextureStages();
}

void TPlatform::ApplyDefaultRenderState() {
    platform::video::Device* d = data_->device;
    if (!d) return;
    SetRenderState(platform::video::rs::kAmbient, 0xFFFFFFFF, __LINE__);
    SetDepthTest(true);
    SetDepthWrite(true);
    SetRenderState(platform::video::rs::kColorVertex, 1, __LINE__);
    SetRenderState(platform::video::rs::kLighting, 1, __LINE__);
    SetRenderState(platform::video::rs::kNormalizeNormals, 1, __LINE__);
    for (uint32_t source : {platform::video::rs::kDiffuseMaterialSource, platform::video::rs::kAmbientMaterialSource,
                            platform::video::rs::kSpecularMaterialSource, platform::video::rs::kEmissiveMaterialSource})
        SetRenderState(source, platform::video::material_source::kMaterial, __LINE__);
    SetRenderState(platform::video::rs::kSrcBlend, platform::video::blend::kSrcAlpha, __LINE__);
    SetRenderState(platform::video::rs::kDestBlend, platform::video::blend::kInvSrcAlpha, __LINE__);
    SetRenderState(platform::video::rs::kAlphaBlendEnable, 1, __LINE__);
    SetRenderState(platform::video::rs::kWrap0, 0, __LINE__);
    const std::pair<uint32_t, uint32_t> stage[] = {
        {platform::video::tss::kMagFilter, platform::video::filter::kLinear},
        {platform::video::tss::kMinFilter, platform::video::filter::kLinear},
        {platform::video::tss::kMipFilter, platform::video::filter::kMipLinear},
        {platform::video::tss::kColorArg1, platform::video::ta::kTexture},
        {platform::video::tss::kColorArg2, platform::video::ta::kCurrent},
        {platform::video::tss::kColorOp, platform::video::top::kModulate},
        {platform::video::tss::kAlphaArg1, platform::video::ta::kTexture},
        {platform::video::tss::kAlphaArg2, platform::video::ta::kCurrent},
        {platform::video::tss::kAlphaOp, platform::video::top::kModulate}};
    for (auto [type, value] : stage)
        if (platform::video::Result r = d->SetTextureStageState(0, type, value); platform::video::Failed(r))
            LogDxError(r, kSource, __LINE__);
    SetRenderState(platform::video::rs::kAlphaTestEnable, 1, __LINE__);
    SetRenderState(platform::video::rs::kAlphaRef, 1, __LINE__);
    SetRenderState(platform::video::rs::kAlphaFunc, platform::video::cmp::kGreaterEqual, __LINE__);
    SetRenderState(platform::video::rs::kShadeMode, platform::video::shade::kGouraud, __LINE__);
    uint32_t* cache = GetGraphicsState().renderStateCache;
    std::fill(cache, cache + 8, 0);
}
