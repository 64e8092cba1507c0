#include "engine/graphics/sprite_state.h"

TSpriteState::TSpriteState(const TVec2& position, float alpha, float scale, uint32_t flags)
    : alpha(alpha), flags(flags) {
    if (scale != 1.0f) transform.Scale(scale);
    transform.m[6] = position.x;
    transform.m[7] = position.y;
    transform.m[8] = 1.0f;
}

TSpriteState TSpriteState::Compose(const TSpriteState& own, const TSpriteState& parent) {
    TSpriteState result = own;
    result.transform = TMat3::Multiply(own.transform, parent.transform);
    result.alpha = parent.alpha * own.alpha;
    result.flags = own.flags ^ (parent.flags & (kMirrorX | kMirrorY));
    if (own.mode == -1) result.mode = parent.mode;
    return result;
}
