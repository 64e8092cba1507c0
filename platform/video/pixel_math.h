// 8-bit channel arithmetic of the rasteriser, one pixel at a time; the row kernels give the same values.
#pragma once

#include <cstdint>

#define ALWAYS_INLINE [[gnu::always_inline]] inline

namespace platform::video::raster {

ALWAYS_INLINE uint32_t Channel(uint32_t c, int shift) { return (c >> shift) & 0xFF; }
ALWAYS_INLINE uint32_t Mul8(uint32_t a, uint32_t b) { return (a * b + 127) / 255; }

ALWAYS_INLINE uint32_t Modulate(uint32_t x, uint32_t y) {
  return Mul8(Channel(x, 24), Channel(y, 24)) << 24 | Mul8(Channel(x, 16), Channel(y, 16)) << 16 |
         Mul8(Channel(x, 8), Channel(y, 8)) << 8 | Mul8(x & 0xFF, y & 0xFF);
}

// x / 255 for each 16-bit lane of x (exact below 65535 per lane).
ALWAYS_INLINE uint32_t Div255Lanes(uint32_t x) {
  return ((x + ((x >> 8) & 0x00FF00FF) + 0x00010001) >> 8) & 0x00FF00FF;
}

// The SRCALPHA / INVSRCALPHA blend, two channels per multiply.
ALWAYS_INLINE uint32_t BlendAlpha(uint32_t src, uint32_t dst) {
  uint32_t a = src >> 24;
  if (a == 255) return src;
  if (a == 0) return dst;
  uint32_t inv = 255 - a;
  uint32_t low = (src & 0x00FF00FF) * a + (dst & 0x00FF00FF) * inv + 0x007F007F;
  uint32_t high = ((src >> 8) & 0x00FF00FF) * a + ((dst >> 8) & 0x00FF00FF) * inv + 0x007F007F;
  return Div255Lanes(low) | Div255Lanes(high) << 8;
}

// d + m for each 16-bit lane holding a channel, saturated at 255.
ALWAYS_INLINE uint32_t AddSaturateLanes(uint32_t d, uint32_t m) {
  uint32_t t = d + m;
  return (t | ((t >> 8) & 0x00010001) * 0xFF) & 0x00FF00FF;
}

// The SRCALPHA / ONE blend: d x 255 / 255 is d, so the result is d plus the rounded s x a, saturated.
ALWAYS_INLINE uint32_t BlendAdditive(uint32_t src, uint32_t dst) {
  uint32_t a = src >> 24;
  if (a == 0) return dst;
  uint32_t low = AddSaturateLanes(dst & 0x00FF00FF, Div255Lanes((src & 0x00FF00FF) * a + 0x007F007F));
  uint32_t high = AddSaturateLanes((dst >> 8) & 0x00FF00FF, Div255Lanes(((src >> 8) & 0x00FF00FF) * a + 0x007F007F));
  return low | high << 8;
}

// Channels b, r (low word) and g, a (high word) spread into 32-bit lanes so that one multiply weighs two channels.
ALWAYS_INLINE uint64_t LanesLow(uint32_t c) { return (c & 0xFF) | static_cast<uint64_t>(c & 0xFF0000) << 16; }
ALWAYS_INLINE uint64_t LanesHigh(uint32_t c) { return ((c >> 8) & 0xFF) | static_cast<uint64_t>(c >> 24) << 32; }

// (sum of c x (256 - wx or wx) x (256 - wy or wy) + 32768) >> 16 per channel: exact, the weights sum to 65536.
ALWAYS_INLINE uint32_t Bilinear(uint32_t c00, uint32_t c10, uint32_t c01, uint32_t c11, uint32_t wx, uint32_t wy) {
  uint64_t w00 = (256 - wx) * (256 - wy), w10 = wx * (256 - wy), w01 = (256 - wx) * wy, w11 = wx * wy;
  // Each lane stays below 2^32.
  uint64_t low = LanesLow(c00) * w00 + LanesLow(c10) * w10 + LanesLow(c01) * w01 + LanesLow(c11) * w11;
  uint64_t high = LanesHigh(c00) * w00 + LanesHigh(c10) * w10 + LanesHigh(c01) * w01 + LanesHigh(c11) * w11;
  constexpr uint64_t kRound = 32768 | uint64_t{32768} << 32;
  low = (low + kRound) >> 16;
  high = (high + kRound) >> 16;
  return static_cast<uint32_t>((low & 0xFF) | (low >> 16 & 0xFF0000) | (high & 0xFF) << 8 | (high >> 32 & 0xFF) << 24);
}

}  // namespace platform::video::raster
