#include "game/shop/objects/scene_sprite.h"

#include <numbers>

#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/animated_texture.h"
#include "engine/graphics/texture.h"
#include "game/shop/objects/game_scene.h"

namespace {

// A still sprite shows an animation's first frame, and its size is that frame's. (An animated
// sprite chooses its own frame before it draws.)
void SelectFirstFrame(const std::shared_ptr<TTexture>& texture) {
    if (auto* animation = dynamic_cast<TAnimatedTexture*>(texture.get())) animation->SetCurrentFrame(0);
}

}  // namespace

clsSpriteObject::clsSpriteObject(iGameScene* owner, std::shared_ptr<TSprite> sprite, int typeCode)
    : clsObjectGraph(owner), sprite_(std::move(sprite)) {
    SetTypeCode(typeCode);
    TMat3& transform = sprite_->GetState().transform;
    transform.m[6] = GetPosition().x;
    transform.m[7] = GetPosition().y;
}

void clsSpriteObject::Update(float dt) {
    clsObjectGraph::Update(dt);
    TMat3& transform = sprite_->GetState().transform;
    if (TakePositionPending()) {
        transform.m[6] = GetPosition().x;
        transform.m[7] = GetPosition().y;
        UpdateWorldRect();
    }
    if (TakeScalePending()) transform.Scale(GetScale().x, GetScale().y);
    sprite_->SetVisible(IsVisible());
}

void clsSpriteObject::Draw() {
    if (sprite_->IsVisible()) sprite_->Draw(TSpriteState(), -1);
}

void clsSpriteObject::SetTexture(const std::shared_ptr<TTexture>& texture) {
    if (!texture) return;
    sprite_->SetTexture(texture);
    SelectFirstFrame(texture);
    SetSize(texture->GetWidth(), texture->GetHeight());
}

clsSprite::clsSprite(iGameScene* owner) : clsSpriteObject(owner, TSprite::Create(0), kSprite) {}

void clsSprite::Draw() {
    SelectFirstFrame(GetFrameworkSprite()->GetTexture());
    clsSpriteObject::Draw();
}

clsAnimatedSprite::clsAnimatedSprite(iGameScene* owner)
    : clsSpriteObject(owner, TAnimatedSprite::Create(0), kAnimatedSprite),
      animation_(std::static_pointer_cast<TAnimatedSprite>(GetFrameworkSprite())) {
    // Stopping the scene's clock stops its animations.
    if (owner) animation_->SetTimeSource(owner->GetClock());
}

void clsAnimatedSprite::Update(float dt) {
    clsSpriteObject::Update(dt);
    if (awaitingEnd_ && !animation_->IsPlaying(-1)) {
        awaitingEnd_ = false;
        if (GetOwner()) GetOwner()->OnAnimationEnded(this);
    }
}

void clsAnimatedSprite::Play(const TString& action) {
    lastAction_ = action;
    animation_->Die();
    animation_->Play(action);
    awaitingEnd_ = true;
}

void clsAnimatedSprite::SetRotation(float degrees) {
    animation_->GetState().transform.Rotate(degrees * std::numbers::pi_v<float> / 180.0f);
}

void clsAnimatedSprite::SetSpriteFlags(bool flipH, bool flipV) {
    uint32_t& flags = animation_->GetState().flags;
    flags = flipH ? flags | TSpriteState::kMirrorX : flags & ~uint32_t(TSpriteState::kMirrorX);
    flags = flipV ? flags | TSpriteState::kMirrorY : flags & ~uint32_t(TSpriteState::kMirrorY);
}
