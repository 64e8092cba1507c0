#include "game/shop/objects/actor.h"

#include "game/shop/objects/game_scene.h"

namespace {
const char kShadowTexture[] = "anim/shadow_sprite";
}

clsActor::clsActor(iGameScene* owner) : owner_(owner), body_(std::make_unique<clsAnimatedSprite>(owner)) {
    body_->SetUserPointer(this);
}

clsActor::~clsActor() {
    body_.reset();
    shadow_.reset();
}

void clsActor::SetPositionV(const TVec2& position) {
    if (body_) body_->SetPositionV(position);
}

void clsActor::SetPosition(float x, float y) {
    if (body_) body_->SetPosition(x, y);
}

TVec2 clsActor::GetPosition() const {
    return body_ ? body_->GetPosition() : TVec2(100.0f, 0.0f);
}

void clsActor::WalkTo(TVec2 point) {
    body_->MoveTowards(point, speed_);
}

void clsActor::Update(float dt) {
    if (body_) body_->Update(dt);
    if (shadow_) shadow_->Update(dt);
}

void clsActor::Draw() {
    if (shadow_) shadow_->Draw();
    if (body_) body_->Draw();
}

void clsActor::AddShadow(float dx, float dy, float scale) {
    if (!body_) return;
    if (!shadow_) {
        shadow_ = std::make_unique<clsSprite>(owner_);
        if (owner_) shadow_->SetTexture(owner_->GetAssets().GetTexture(kShadowTexture));
    }
    shadow_->SetScale(scale);
    shadow_->AttachTo(body_.get(), dx, dy);
}

void clsActor::PreloadShadow(iGameAssets& assets) {
    assets.AddPreloadAnim(kShadowTexture);
}

void clsActor::Release() {
    clsAnimatedSprite* body = body_.release();
    if (body) {
        body->SetUserPointer(nullptr);
        if (!body->IsReleased()) body->Destroy();
    }
    delete this;
}
