#include "game/shop/motion/time_driver.h"

clsTimeDriver::clsTimeDriver(iMoveEvent* target) : target_(target) {}

clsTimeDriver::clsTimeDriver(iMoveEvent* target, float start, float end, int durationMs)
    : duration_(durationMs), start_(start), end_(end), target_(target) {}

void clsTimeDriver::Set(float start, float end, int durationMs) {
    start_ = start;
    end_ = end;
    duration_ = durationMs;
}

void clsTimeDriver::Start() {
    elapsed_ = 0;
    current_ = start_;
    finished_ = false;
    step_ = duration_ == 0 ? 0.0f : (end_ - start_) / static_cast<float>(duration_);
}

void clsTimeDriver::Update(int ms) {
    if (finished_) return;
    elapsed_ += ms;
    float value = start_ + static_cast<float>(elapsed_) * step_;
    // A run with a duration ends when the duration has passed, also when it stands still or its
    // float steps fall a hair short of the end. Without a duration the value decides: a zero step
    // counts as rising, so with the start below the end it never finishes.
    bool reached = duration_ > 0 ? elapsed_ >= duration_ : (step_ < 0.0f ? value <= end_ : value >= end_);
    if (reached) {
        finished_ = true;
        value = end_;
    }
    if (Hooked(kCheck)) {
        bool goOn = true;
        target_->OnMoveCheck(this, value, &goOn);
        if (!goOn) return;
    }
    current_ = value;
    if (Hooked(kStep)) target_->OnMoveStep(this, value, elapsed_);
    if (finished_ && Hooked(kEnd)) target_->OnMoveEnd(this);
}
