#include "game/shop/props/hourglass.h"

#include "engine/graphics/animated_sprite.h"
#include "game/shop/objects/game_scene.h"

namespace {
constexpr char kHourglassTexture[] = "anim/artifacts/artifact_time";
}

clsHourglass::clsHourglass(iGameScene* owner) : sprite_(std::make_unique<clsAnimatedSprite>(owner)) {
    sprite_->SetTexture(sprite_->GetSceneTexture(kHourglassTexture));
    sprite_->SetVisible(false);
}

void clsHourglass::Start(float seconds) {
    running_ = true;
    stepSeconds_ = seconds / kSteps;
    stepElapsedSeconds_ = 0.0f;
    frame_ = 0;
    sprite_->GetAnimation().Die();  // a "disappear" still playing ends here
    sprite_->GetAnimation().SetCurrentFrame(frame_);
    sprite_->SetVisible(true);
}

void clsHourglass::Update(float dt) {
    sprite_->Update(dt);
    if (!running_) return;
    stepElapsedSeconds_ += dt;
    if (stepElapsedSeconds_ < stepSeconds_) return;
    stepElapsedSeconds_ = 0.0f;
    if (++frame_ > kSteps) {
        sprite_->Play("disappear");
        running_ = false;
    } else {
        sprite_->GetAnimation().SetCurrentFrame(frame_);
    }
}
