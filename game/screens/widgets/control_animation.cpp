#include "game/screens/widgets/control_animation.h"

#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_style.h"
#include "game/screens/scripting/script_calls.h"

namespace {

constexpr uint32_t kFramePeriodMs = 16;
constexpr const char* kDefaultAction = "DoAnim";

}  // namespace

TWindow* controlAnimation::Create() { return new controlAnimation(); }

TClassId controlAnimation::ClassId() { return reinterpret_cast<TClassId>(&controlAnimation::Create); }

controlAnimation::controlAnimation() : sprite_(TAnimatedSprite::Create(0)) {
    functions_.Bind("PlayAnimationControl", this, &controlAnimation::PlayAnimationControl);
}

controlAnimation::~controlAnimation() { functions_.Unbind(); }

void controlAnimation::PostCreate(TWindowStyle& style) {
    animation_ = style.GetString("animation", TString());
    if (!animation_.IsEmpty()) {
        assets_.AddAsset(animation_, nullptr, false);
        sprite_->SetTexture(assets_.GetTexture(animation_));
    }
    endCallback_ = style.GetString("onEndAnimation", TString());
    additive_ = style.GetBool("blendAdditive", false);
    scale_ = static_cast<float>(style.GetNumber("scale", 1.0));
    if (scale_ != 1.0f)
        SetSize(static_cast<int32_t>(static_cast<float>(GetWidth()) * scale_),
                static_cast<int32_t>(static_cast<float>(GetHeight()) * scale_));
    float regx = style.GetString("regx", TString()).ToFloat();
    float regy = style.GetString("regy", TString()).ToFloat();
    sprite_->SetCurrentFrame(0);
    int x = style.GetString("x", TString()).ToInt();
    int y = style.GetString("y", TString()).ToInt();
    if (x < 0 || y < 0) MoveTo(x, y);
    sprite_->GetState() = TSpriteState(TVec2(regx * scale_, regy * scale_), 1.0f, scale_);
    if (style.GetBool("start", false)) Play(kDefaultAction);
    TWindow::PostCreate(style);
}

void controlAnimation::Play(const TString& action) {
    StartAnim(kFramePeriodMs, true, true);
    sprite_->Play(action);
}

void controlAnimation::PlayAnimationControl(const TString& action, const TString& callback) {
    if (sprite_->IsPlaying(0)) return;
    if (!callback.IsEmpty()) endCallback_ = callback;
    Play(action.IsEmpty() ? TString(kDefaultAction) : action);
}

bool controlAnimation::OnAnimate() {
    if (sprite_->IsPlaying(0)) {
        if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
        return true;
    }
    if (!endCallback_.IsEmpty()) CallScriptFunction(endCallback_);
    return false;
}

void controlAnimation::Draw() {
    TRenderer* renderer = TRenderer::Get();
    if (!renderer) return;
    bool entered = renderer->Begin2d();
    if (additive_) renderer->SetBlendMode(BlendAdditive);
    // 2-D coordinates count from the screen: the window's place carries the sprite.
    TRect global = GetGlobalRect();
    sprite_->Draw(TSpriteState(TVec2(static_cast<float>(global.left), static_cast<float>(global.top))), -1);
    if (additive_) renderer->SetBlendMode(BlendAlpha);
    if (entered) renderer->End2d();
}
