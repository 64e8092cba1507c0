// Numbers shared by the rasteriser's files: the sub-pixel grid, rounding without library calls, packed colours.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/video/pixel_math.h"

namespace platform::video::raster {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr int kSubpixelBits = 4;
constexpr int kSubpixels = 1 << kSubpixelBits;
constexpr float kCoordinateLimit = 1.0e6f;

inline uint32_t AddSaturateRgb(uint32_t c, uint32_t s) {
  uint32_t r = std::min(255u, Channel(c, 16) + Channel(s, 16));
  uint32_t g = std::min(255u, Channel(c, 8) + Channel(s, 8));
  uint32_t b = std::min(255u, (c & 0xFF) + (s & 0xFF));
  return (c & 0xFF000000) | r << 16 | g << 8 | b;
}

inline uint32_t ToByte(float v) { return static_cast<uint32_t>(std::clamp(v, 0.0f, 255.0f) + 0.5f); }
inline uint32_t PackFloat(float a, float r, float g, float b) {
  return ToByte(a) << 24 | ToByte(r) << 16 | ToByte(g) << 8 | ToByte(b);
}

// std::llround without the library call: t - trunc(t) is exact, so halves round away from zero as there.
ALWAYS_INLINE int64_t RoundToInt(double t) {
  auto whole = static_cast<int64_t>(t);
  double fraction = t - static_cast<double>(whole);
  return whole + (fraction >= 0.5) - (fraction <= -0.5);
}

inline int64_t FloorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
inline int64_t CeilDiv(int64_t n, int64_t d) { return -FloorDiv(-n, d); }

inline bool Usable(float v) { return std::isfinite(v) && std::fabs(v) < kCoordinateLimit; }
inline int64_t Fixed(float v) { return RoundToInt(static_cast<double>(v) * kSubpixels); }

}  // namespace platform::video::raster
