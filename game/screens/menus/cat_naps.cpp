#include "game/screens/menus/cat_naps.h"

#include <utility>

CatNaps::CatNaps(std::function<uint32_t()> random) : random_(std::move(random)), countdownSeconds_(DrawPhaseSeconds()) {}

float CatNaps::DrawPhaseSeconds() {
    return static_cast<float>(random_() % kPhaseChoices + kShortestPhaseSeconds);
}

bool CatNaps::Advance(float dtSeconds, bool onLastFrame) {
    countdownSeconds_ -= dtSeconds;
    if (countdownSeconds_ > 0.0f) return false;
    if (!onLastFrame) {
        countdownSeconds_ = 0.0f;  // the change waits for the animation's last frame
        return false;
    }
    countdownSeconds_ = DrawPhaseSeconds();
    sleeping_ = !sleeping_;
    return true;
}
