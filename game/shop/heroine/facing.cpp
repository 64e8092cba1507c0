#include "game/shop/heroine/facing.h"

#include <cmath>
#include <numbers>

float WalkAngle(const TVec2& from, const TVec2& to) {
    // In double, so that diagonal walks come out at exactly 45, 135, 225 and 315 degrees.
    double degrees = std::atan2(double(to.y) - from.y, double(to.x) - from.x) * 180.0 / std::numbers::pi;
    return static_cast<float>(degrees < 0.0 ? degrees + 360.0 : degrees);
}

Facing FacingOfAngle(float degrees) {
    if (degrees <= 45.0f || degrees >= 315.0f) return Facing::kRight;
    if (degrees <= 135.0f) return Facing::kFront;
    if (degrees < 225.0f) return Facing::kLeft;
    return Facing::kBack;
}
