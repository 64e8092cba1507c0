// Which way the heroine faces while she walks, chosen by the angle of her walk.
#pragma once

#include "engine/core/base/maths.h"

enum class Facing {
    kRight,
    kFront,  // towards the viewer
    kLeft,
    kBack,
};

// The angle in degrees (0 up to below 360) of a walk from one point to another; y grows downwards, so
// 90 is a walk down the screen.
float WalkAngle(const TVec2& from, const TVec2& to);
// Right from 0 to 45 inclusive and from 315, front above 45 up to 135, left above 135 and below 225,
// back from 225 and below 315.
Facing FacingOfAngle(float degrees);
