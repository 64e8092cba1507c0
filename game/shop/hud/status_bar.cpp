#include "game/shop/hud/status_bar.h"

#include <algorithm>

clsStatusBar::clsStatusBar(iGameScene* owner, float totalSecs)
    : clsBasicObject(owner), totalSecs_(totalSecs), sprite_(std::make_unique<clsSprite>(owner)) {}

clsStatusBar::~clsStatusBar() = default;

void clsStatusBar::AddFrame(const std::shared_ptr<TTexture>& texture) {
    frames_.push_back(texture);
}

void clsStatusBar::ShowFrame(int index) {
    if (index >= 0 && index < GetFrameCount()) sprite_->SetTexture(frames_[index]);
}

void clsStatusBar::Start(float alreadyElapsedSecs, float factor) {
    if (frames_.empty()) return;
    alreadyElapsedSecs = std::max(alreadyElapsedSecs, 0.0f);  // more than the whole time left: a full bar
    segmentSecs_ = totalSecs_ * factor / static_cast<float>(GetFrameCount());
    if (segmentSecs_ > 0.0f) currentFrame_ = static_cast<int>(alreadyElapsedSecs / segmentSecs_);
    segmentSecsLeft_ = segmentSecs_ - (alreadyElapsedSecs - static_cast<float>(currentFrame_) * segmentSecs_);
    ShowFrame(currentFrame_);
    state_ = kRunning;
}

float clsStatusBar::GetTimeLeft() const {
    return static_cast<float>(GetFrameCount() - currentFrame_) * segmentSecs_ - (segmentSecs_ - segmentSecsLeft_);
}

void clsStatusBar::AddTime(float secs) {
    if (state_ != kRunning) return;
    if (currentFrame_ == 0 && secs > 0.0f) {
        segmentSecsLeft_ = std::min(segmentSecsLeft_ + secs, segmentSecs_);
        return;
    }
    if (segmentSecs_ <= 0.0f) return;  // a bar without time has no frame to go back to
    float elapsed = std::max(totalSecs_ - GetTimeLeft() - secs, 0.0f);
    currentFrame_ = static_cast<int>(elapsed / segmentSecs_);
    if (currentFrame_ >= GetFrameCount()) {
        segmentSecsLeft_ = 0.0f;
        currentFrame_ = GetFrameCount() - 1;
        return;
    }
    segmentSecsLeft_ = segmentSecs_ - (elapsed - static_cast<float>(currentFrame_) * segmentSecs_);
    ShowFrame(currentFrame_);
}

void clsStatusBar::Update(float dt) {
    if (!frozen_ && state_ == kRunning) {
        segmentSecsLeft_ -= dt;
        if (segmentSecsLeft_ <= 0.0f) {
            if (++currentFrame_ >= GetFrameCount()) {
                segmentSecsLeft_ = 0.0f;
                currentFrame_ = GetFrameCount() - 1;
                state_ = kFinished;
            } else {
                ShowFrame(currentFrame_);
                segmentSecsLeft_ = segmentSecs_;
            }
        }
    }
    sprite_->Update(dt);
}

void clsStatusBar::Draw() {
    sprite_->Draw();
}
