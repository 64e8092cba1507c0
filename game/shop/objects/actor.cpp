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
    body_->SetPositionV(position);
}

void clsActor::SetPosition(float x, float y) {
    body_->SetPosition(x, y);
}

TVec2 clsActor::GetPosition() const {
    return body_->GetPosition();
}

bool clsActor::WalkTo(TVec2 point) {
    return body_->MoveTowards(point, speed_);
}

void clsActor::Update(float dt) {
    body_->Update(dt);
    if (shadow_) shadow_->Update(dt);
}

void clsActor::Draw() {
    if (shadow_) shadow_->Draw();
    body_->Draw();
}

void clsActor::ShowAnimation(const TString& textureName, const TString& action, int state) {
    if (owner_) body_->SetTexture(owner_->GetAssets().GetTexture(textureName));
    body_->Play(action);
    state_ = state;
}

void clsActor::PlaySound(const TString& name) {
    if (owner_) owner_->GetAssets().PlaySound(name, false);
}

void clsActor::AddShadow(float dx, float dy, float scale) {
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
    // The body may still be in the scene's lists until the end of the frame: it no longer leads here.
    clsAnimatedSprite* body = body_.release();
    body->SetUserPointer(nullptr);
    if (!body->IsReleased()) body->Destroy();
    delete this;
}
