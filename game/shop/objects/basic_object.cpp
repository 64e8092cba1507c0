#include "game/shop/objects/basic_object.h"

#include "game/shop/objects/game_scene.h"

void clsBasicObject::Destroy() {
    if (owner_)
        owner_->QueueRelease(this);
    else
        delete this;
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
