#include "game/shop/objects/basic_object.h"

#include "game/shop/objects/game_scene.h"

void clsBasicObject::Destroy() {
    if (owner_)
        owner_->QueueRelease(this);
    else
        delete this;
}

std::shared_ptr<TTexture> clsBasicObject::GetSceneTexture(const TString& name) const {
    return owner_ ? owner_->GetAssets().GetTexture(name) : nullptr;
}

void clsBasicObject::AddMark() {
    ++markCount_;
    marked_ = true;
}

void clsBasicObject::RemoveMark() {
    if (--markCount_ < 1) {
        markCount_ = 0;
        marked_ = false;
    }
}
