#include "engine/graphics/renderer.h"

#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/graphics_state.h"
#include "engine/graphics/textblock.h"
#include "engine/graphics/texture.h"

namespace {

bool IsSimple(const std::shared_ptr<TTexture>& texture) {
    return texture && texture->IsSimple();
}

}  // namespace

TRenderState::TRenderState() = default;
TRenderState::~TRenderState() = default;

TRenderer::TRenderer() = default;

TRenderer* TRenderer::Get() {
    std::unique_ptr<TRenderer>& renderer = GetGraphicsState().renderer;
    if (!renderer) renderer.reset(new TRenderer());
    return renderer.get();
}

void TRenderer::Destroy() {
    GetGraphicsState().renderer.reset();
}

TPlatform* TRenderer::Platform() const {
    return TPlatform::Instance();
}

bool TRenderer::BeginDraw(int checkContext) {
    state_.inBeginDraw = Platform() && Platform()->BeginDraw(checkContext != 0);
    return state_.inBeginDraw;
}

void TRenderer::EndDraw() {
    if (TPlatform* platform = Platform()) {
        if (platform->Data()->renderTarget) {
            platform->EndRenderTarget();
        } else {
            platform->EndDraw(true);
        }
    }
    state_.inBeginRenderTarget = false;
    state_.inBeginDraw = false;
}

bool TRenderer::BeginRenderTarget(const std::shared_ptr<TTexture>& target, int mode) {
    if (IsSimple(target) || state_.inBeginDraw || state_.inBeginRenderTarget || !Platform()) return false;
    state_.inBeginRenderTarget = Platform()->BeginRenderTarget(target, mode);
    state_.inBeginDraw = state_.inBeginRenderTarget;
    return state_.inBeginRenderTarget;
}

bool TRenderer::Begin2d() {
    if (state_.inBegin2d) {
        LogPrintf("Begin2d called when already in Begin2d state");
        return false;
    }
    if (state_.inBegin3d) {
        LogPrintf("Begin2d called when already in Begin3d state");
        return false;
    }
    if (!IsDrawing()) {
        LogPrintf("ERROR: Calling Begin2d outside of a BeginDraw or BeginRenderTarget block!");
        return false;
    }
    state_.inBegin2d = Platform() && Platform()->Begin2d();
    return state_.inBegin2d;
}

bool TRenderer::Begin3d() {
    if (state_.inBegin2d) {
        LogPrintf("Begin3d called when already in Begin2d state");
        return false;
    }
    if (state_.inBegin3d) {
        LogPrintf("Begin3d called when already in Begin3d state");
        return false;
    }
    if (!IsDrawing()) {
        LogPrintf("ERROR: Calling Begin3d outside of a BeginDraw or BeginRenderTarget block!");
        return false;
    }
    state_.inBegin3d = Platform() && Platform()->Begin3d();
    return state_.inBegin3d;
}

void TRenderer::End2d() {
    if (!state_.inBegin2d) {
        LogPrintf("End2d called when not in Begin2d state");
        return;
    }
    if (!IsDrawing()) LogPrintf("ERROR: Calling End2d after EndDraw or EndRenderTarget!");
    state_.texture.reset();
    if (Platform()) Platform()->End2d();
    state_.inBegin2d = false;
}

void TRenderer::End3d() {
    if (!state_.inBegin3d) {
        LogPrintf("End3d called when not in Begin3d state");
        return;
    }
    if (!IsDrawing()) LogPrintf("Calling End3d after EndDraw or EndRenderTarget!");
    state_.inBegin3d = false;
}

void TRenderer::DrawVertices(uint32_t primitiveType, const TVertexSet& set) {
    if (!state_.inBegin2d && !state_.inBegin3d) {
        LogPrintf("DrawVertices called when not in Begin2d or Begin3d state");
        return;
    }
    if (Platform()) Platform()->DrawVertices(primitiveType, set);
}

void TRenderer::SetBlendMode(TBlendMode mode) {
    if (Platform()) Platform()->SetBlendMode(mode);
}

void TRenderer::SetCullMode(TCullMode mode) {
    if (Platform()) Platform()->SetCullMode(mode);
}

void TRenderer::SetWorldTransform(const TMat4& m) {
    if (Platform()) Platform()->SetWorldTransform(m);
}

void TRenderer::GetWorldTransform(TMat4* m) {
    if (Platform()) Platform()->GetWorldTransform(m);
}

TRect TRenderer::GetViewport() {
    TRect r;
    if (Platform()) Platform()->GetViewport(&r.left, &r.top, &r.right, &r.bottom);
    return r;
}

void TRenderer::PushViewport(const TRect& rect) {
    if (Platform()) Platform()->PushViewport(rect.left, rect.top, rect.right, rect.bottom);
}

void TRenderer::PopViewport() {
    if (Platform()) Platform()->PopViewport();
}

void TRenderer::SetTexture(const std::shared_ptr<TTexture>& texture) {
    state_.texture = IsSimple(texture) ? nullptr : texture;
    if (Platform()) Platform()->SetTexture(state_.texture);
}

void TRenderer::FillRect(const TRect& rect, const float rgba[4], const std::shared_ptr<TTexture>& texture) {
    if (!Platform()) return;
    if (texture) {
        Platform()->FillRect(rect.left, rect.top, rect.right, rect.bottom, rgba, texture);
        return;
    }
    TRect viewport = GetViewport();
    TRect moved(rect.left + viewport.left, rect.top + viewport.top, rect.right + viewport.left,
                rect.bottom + viewport.top);
    moved = TRect::Intersect(moved, viewport);
    Platform()->FillRect(moved.left, moved.top, moved.right, moved.bottom, rgba, nullptr);
}

bool TRenderer::PushClipRect(const TRect& rect) {
    state_.clipStack.push_back(rect);
    return Platform() && Platform()->SetClipRect(rect);
}

void TRenderer::PopClipRect() {
    if (state_.clipStack.size() <= 1) return;
    state_.clipStack.pop_back();
    if (Platform()) Platform()->SetClipRect(state_.clipStack.back());
}

TRect TRenderer::GetClipRect() const {
    return state_.clipStack.empty() ? TRect() : state_.clipStack.back();
}

void TRenderer::SetOption(const TString& name, const TString& value) {
    if (name == TString("fps")) {
        state_.fps = value.ToInt() != 0;
        return;
    }
    if (Platform()) Platform()->SetOption(name, value);
}

TString TRenderer::GetOption(const TString& name) {
    return Platform() ? Platform()->GetOption(name) : TString();
}

bool TRenderer::ToggleStats() {
    bool previous = state_.showStats;
    state_.showStats = !previous;
    return previous;
}

void TRenderer::DrawStats(int) {
    uint32_t now = GetDisplayHost().Now();
    state_.frameTimes[state_.frameIndex] = now;
    state_.frameIndex = (state_.frameIndex + 1) % 15;
    if (state_.frameIndex == 0) {
        uint32_t elapsed = now - state_.frameTimes[0];
        // No time passed: keep the last figure rather than divide by zero.
        if (elapsed != 0) state_.lastFps = 15000.0f / static_cast<float>(elapsed);
    }
    if (state_.showStats && IsDrawing()) {
        if (!state_.statsText) {
            const float black[4] = {0, 0, 0, 1};
            state_.statsText.reset(TTextBlock::Create("", 512, 512, 0, "__DEFAULT", 16, black));
        }
        TString text = TString::Format(
            "Wendmoor Version %d.%d.%d.%d<br>%f FPS<tab pos='150'>Sprites: %d<br>Mem: %dkB<tab pos='150'>TexMem: "
            "%dkB<br>MaxMem: %dkB<tab pos='150'>MaxTexMem: %dkB<br>",
            4, 0, 18, 1, static_cast<double>(state_.lastFps), GetConfig("current_sprite_count").ToInt(), 0,
            GetConfig("texture_ram_allocated").ToInt() / 1024, 0, GetConfig("max_texture_ram_allocated").ToInt() / 1024);
        bool entered = Begin2d();
        const float clear[4] = {0, 0, 0, 0};
        FillRect(TRect(0, 0, 300, 64), clear);
        if (state_.statsText) {
            state_.statsText->SetText(text);
            state_.statsText->DrawInRect(TRect(0, 0, 512, 512), 1.0f);
        }
        if (entered) End2d();
    }
    state_.inBeginDraw = false;
    if (Platform()) Platform()->EndDraw(true);
}

void TRenderer::SetFrameTexture(const std::shared_ptr<TTexture>& texture) {
    TPlatform* platform = Platform();
    if (!texture || !platform) return;
    const TRect& mode = platform->Data()->modeRect;
    if (texture->GetWidth() == mode.Width() && texture->GetHeight() == mode.Height()) state_.frameTexture = texture;
}

std::shared_ptr<TTexture> TRenderer::TakeFrameTexture() {
    return std::exchange(state_.frameTexture, nullptr);
}
