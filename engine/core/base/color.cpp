#include "engine/core/base/color.h"

namespace {

// Channel in 0..1 to a byte: times 255, truncated toward zero. Values outside the range
// (and NaN) are held to 0..255 rather than wrapped.
uint32_t ChannelByte(float value) {
    float scaled = value * 255.0f;
    if (!(scaled > 0.0f)) return 0;
    if (scaled >= 255.0f) return 255;
    return static_cast<uint32_t>(scaled);
}

}  // namespace

TColor::TColor(float r, float g, float b, float a)
    : argb_(ChannelByte(a) << 24 | ChannelByte(r) << 16 | ChannelByte(g) << 8 | ChannelByte(b)) {}

TColor TColor::FromBytes(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return TColor(static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 |
                  static_cast<uint32_t>(g) << 8 | b);
}
