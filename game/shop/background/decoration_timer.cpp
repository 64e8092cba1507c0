#include "game/shop/background/decoration_timer.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "game/shop/objects/scene_sprite.h"
#include "game/shop/scene/game_random.h"

DecorationTimer::DecorationTimer(clsAnimatedSprite* sprite, float minSeconds, float maxSeconds)
    : sprite_(sprite), minSeconds_(minSeconds), maxSeconds_(maxSeconds), countdownSeconds_(DrawInterval()) {}

float DecorationTimer::DrawInterval() const {
    auto low = static_cast<int64_t>(std::trunc(minSeconds_)), high = static_cast<int64_t>(std::trunc(maxSeconds_));
    // Bounds given the wrong way round still give an interval between them.
    if (high < low) std::swap(low, high);
    return static_cast<float>(low + static_cast<int64_t>(GameRandom() % static_cast<uint64_t>(high - low + 1)));
}

void DecorationTimer::Step(float elapsedSeconds) {
    if (!sprite_) return;
    countdownSeconds_ -= elapsedSeconds;
    if (countdownSeconds_ > 0.0f) return;
    countdownSeconds_ = DrawInterval();
    sprite_->Play("DoAnim");
}
