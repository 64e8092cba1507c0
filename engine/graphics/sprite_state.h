// TSpriteState: the draw state that travels down a sprite tree. Each sprite keeps its own state
// relative to its parent; drawing composes it with the parent's on the way down.
#pragma once

#include <cstdint>

#include "engine/core/base/maths.h"

struct TSpriteState {
    // flags bits.
    enum : uint32_t {
        kMirrorX = 1,
        kMirrorY = 2,
        kUseSourceRect = 4,  // draw only sourceRect of the texture
        kUseAnchor = 8,      // place the image by anchor instead of centring it
    };

    // Identity transform, scaled uniformly by scale, translated to position.
    explicit TSpriteState(const TVec2& position = TVec2(), float alpha = 1.0f, float scale = 1.0f,
                          uint32_t flags = 0);

    // The state a child is drawn with: the child's transform applied first, alpha multiplied,
    // mirror bits combined by exclusive or, mode inherited when the child's is -1. Anchor, colour,
    // source rectangle and the other flags stay the child's own.
    static TSpriteState Compose(const TSpriteState& own, const TSpriteState& parent);

    TMat3 transform;  // row-vector convention; row 2 holds the position
    TVec2 anchor;
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};  // r, g, b, a
    float alpha = 1.0f;
    TRect sourceRect;
    uint32_t flags = 0;
    int32_t mode = -1;  // blend mode of the draw; -1 inherits the parent's
};
