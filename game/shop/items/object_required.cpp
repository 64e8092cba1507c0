#include "game/shop/items/object_required.h"

clsObjectRequired::clsObjectRequired(iGameScene* owner)
    : clsBasicObject(owner), sprite_(std::make_unique<clsAnimatedSprite>(owner)) {
    sprite_->SetHolder(this);
}

clsObjectRequired::~clsObjectRequired() = default;

void clsObjectRequired::Destroy() {
    clsAnimatedSprite* sprite = DetachSprite();
    clsBasicObject::Destroy();  // without an owner the item is gone from here on
    if (sprite) sprite->Destroy();
}

void clsObjectRequired::Update(float dt) {
    if (sprite_) sprite_->Update(dt);
}

void clsObjectRequired::Draw() {
    if (sprite_) sprite_->Draw();
}

clsAnimatedSprite* clsObjectRequired::DetachSprite() {
    if (sprite_) sprite_->SetHolder(nullptr);
    return sprite_.release();
}
