// Texture sampling of the rasteriser: texel addressing, coordinates stepped along a run, point and linear samples.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/video/device.h"
#include "platform/video/pixel_math.h"
#include "platform/video/raster.h"
#include "platform/video/raster_numbers.h"
#include "platform/video/span_kernels.h"

namespace platform::video::raster {

ALWAYS_INLINE int Address(int64_t i, int n, uint32_t mode) {
  if (i >= 0 && i < n) return static_cast<int>(i);
  switch (mode) {
    case address::kWrap: {
      int64_t m = i % n;
      return static_cast<int>(m < 0 ? m + n : m);
    }
    case address::kMirror: {
      int64_t period = 2 * static_cast<int64_t>(n);
      int64_t m = i % period;
      if (m < 0) m += period;
      return static_cast<int>(m < n ? m : period - 1 - m);
    }
    default:
      return static_cast<int>(std::clamp<int64_t>(i, 0, n - 1));
  }
}

// Texel coordinate of u on an axis of size n, stepped along a run by dudx per pixel: point sampling gives
// floor(u n); linear gives u n - 0.5 with 8 fractional bits. Kept in fixed point with 16 further fractional bits; a
// tiny bias keeps exact texel centres from falling one step short through rounding.
struct TexelStep {
  int64_t value, step;

  // A start a hair below a whole texel counts as on it: vertices come through a float transform that leaves
  // about this much error, which would otherwise blend in (or, point sampled, pick) the texel before.
  static constexpr double kHair = 1.0 / 4096;

  TexelStep(double u, double dudx, int n, bool linear) {
    const double unit = linear ? 256.0 : 1.0;  // linear steps carry 8 bits of weight below the texel
    double texels = linear ? u * n - 0.5 : u * n;
    if (double whole = std::ceil(texels); whole - texels < kHair) texels = whole;
    value = ToFixed(texels * unit + 1.0e-6);
    step = ToFixed(dudx * n * unit);
  }
  // A coordinate that is not a number reads as 0.
  static int64_t ToFixed(double t) { return std::isnan(t) ? 0 : RoundToInt(std::clamp(t, -1.0e12, 1.0e12) * 65536.0); }
  ALWAYS_INLINE int64_t Current() const { return value >> 16; }
  ALWAYS_INLINE void Next() { value += step; }
};

struct Sampler {
  const Surface* texture = nullptr;
  int width = 0, height = 0;
  bool linear = false;
  bool direct32 = false;  // A8R8G8B8 or X8R8G8B8: read words directly
  uint32_t alphaOr = 0;   // 0xFF000000 for formats without alpha bits
  uint32_t addressU = address::kWrap, addressV = address::kWrap;

  const uint8_t* base = nullptr;  // first row of a 32-bit texture
  int pitch = 0;

  ALWAYS_INLINE uint32_t Texel(int x, int y) const {
    if (direct32) return reinterpret_cast<const uint32_t*>(texture->Row(y))[x] | alphaOr;
    return texture->Pixel(x, y);
  }

  // The four texels around a linear sample at tx, ty (as TexelStep gives them): left and right of the upper row,
  // then of the lower row.
  ALWAYS_INLINE void Corners(int64_t tx, int64_t ty, uint32_t* c00, uint32_t* c10, uint32_t* c01, uint32_t* c11) const {
    int64_t left = tx >> 8, top = ty >> 8;
    if (Inside(tx, ty)) {
      const uint32_t* upper = &InsideTexel(left, top);
      const uint32_t* lower = &InsideTexel(left, top + 1);
      *c00 = upper[0] | alphaOr, *c10 = upper[1] | alphaOr, *c01 = lower[0] | alphaOr, *c11 = lower[1] | alphaOr;
      return;
    }
    int x0 = Address(left, width, addressU), y0 = Address(top, height, addressV);
    int x1 = Address(left + 1, width, addressU), y1 = Address(top + 1, height, addressV);
    *c00 = Texel(x0, y0), *c10 = Texel(x1, y0), *c01 = Texel(x0, y1), *c11 = Texel(x1, y1);
  }

  // tx, ty as TexelStep gives them.
  ALWAYS_INLINE uint32_t SampleAt(int64_t tx, int64_t ty) const {
    if (!linear) return Texel(Address(tx, width, addressU), Address(ty, height, addressV));
    uint32_t c00, c10, c01, c11;
    Corners(tx, ty, &c00, &c10, &c01, &c11);
    return Bilinear(c00, c10, c01, c11, tx & 255, ty & 255);
  }

  // The samples of n pixels stepping along tu, tv, into colors. Coordinates move linearly along a run, so the
  // samples that need no addressing form one stretch of it: that stretch goes to the kernels whole and only the
  // samples before and after it, at the texture's edges, take the scalar path.
  void SampleRun(TexelStep* tu, TexelStep* tv, int n, const SpanKernels& kernels, BilinearTaps* taps,
                 uint32_t* colors) const {
    int head = direct32 ? OutsideAtStart(*tu, *tv, n) : n;
    int tail = head < n ? OutsideAtEnd(*tu, *tv, n, n - head) : 0;
    int middle = n - head - tail;
    SampleScalar(tu, tv, head, kernels, taps, colors);
    if (middle > 0) {
      kernels.sampleAffine({base, pitch, tu->value, tv->value, tu->step, tv->step, alphaOr, linear}, middle,
                           colors + head);
      tu->value += middle * tu->step, tv->value += middle * tv->step;
    }
    SampleScalar(tu, tv, tail, kernels, taps, colors + head + middle);
  }

  // How many of the first samples of a run (at most n) need addressing.
  int OutsideAtStart(TexelStep u, TexelStep v, int n) const {
    int count = 0;
    for (; count < n && !Inside(u.Current(), v.Current()); ++count) u.Next(), v.Next();
    return count;
  }

  // How many of the last samples of a run of n (at most limit) need addressing.
  int OutsideAtEnd(TexelStep u, TexelStep v, int n, int limit) const {
    u.value += (n - 1) * u.step, v.value += (n - 1) * v.step;
    int count = 0;
    for (; count < limit && !Inside(u.Current(), v.Current()); ++count) u.value -= u.step, v.value -= v.step;
    return count;
  }

  // Samples with addressing, one by one. Works on copies of the sampler and the steps: the stores into colors
  // and taps could otherwise alias them.
  void SampleScalar(TexelStep* tu, TexelStep* tv, int n, const SpanKernels& kernels, BilinearTaps* taps,
                    uint32_t* colors) const {
    if (n == 0) return;
    const Sampler s = *this;
    TexelStep u = *tu, v = *tv;
    if (!linear) {
      for (int k = 0; k < n; ++k, u.Next(), v.Next()) colors[k] = s.SampleAt(u.Current(), v.Current());
    } else {
      for (int k = 0; k < n; ++k, u.Next(), v.Next()) {
        int64_t tx = u.Current(), ty = v.Current();
        s.Corners(tx, ty, &taps->c00[k], &taps->c10[k], &taps->c01[k], &taps->c11[k]);
        taps->wx[k] = static_cast<uint32_t>(tx & 255) * 0x01010101u;
        taps->wy[k] = static_cast<uint32_t>(ty & 255) * 0x01010101u;
      }
      kernels.bilinear(*taps, n, colors);
    }
    *tu = u, *tv = v;
  }

  // Whether a sample at tx, ty (as TexelStep gives them) reads only texels of a 32-bit texture inside it.
  ALWAYS_INLINE bool Inside(int64_t tx, int64_t ty) const {
    if (!direct32) return false;
    if (!linear) return tx >= 0 && tx < width && ty >= 0 && ty < height;
    int64_t left = tx >> 8, top = ty >> 8;
    return left >= 0 && left + 1 < width && top >= 0 && top + 1 < height;
  }
  ALWAYS_INLINE const uint32_t& InsideTexel(int64_t x, int64_t y) const {
    return reinterpret_cast<const uint32_t*>(base + y * pitch)[x];
  }
};

// Picks the filter and mip level from rho, the texels covered by one pixel step.
Sampler MakeSampler(const Pipeline& p, double rho);

}  // namespace platform::video::raster
