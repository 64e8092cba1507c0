// The row kernels written once over a set of vector operations (see span_kernels_sse2.cpp, span_kernels_avx2.cpp).
// Pixels are widened to one 16-bit lane per channel; every intermediate stays below 65536, so the lanes compute
// exactly what pixel_math.h computes. Only pixel_math.h's always-inline functions are used here: this header is
// compiled with instructions the processor may lack, and nothing from it may be shared with other files.
#pragma once

#include <cstdint>

#include "platform/video/pixel_math.h"
#include "platform/video/span_kernels.h"

namespace platform::video::raster {

// The plain C++ form (span_kernels.cpp), for instruction sets without a gather.
void SampleAffineRun(const AffineRun& run, int n, uint32_t* out);

namespace {

template <typename I>
struct SimdKernels {
  using V = typename I::V;
  static constexpr int kPixels = I::kPixels;

  // Each half: channels of the first or second half of the pixels (in the order the unpacks give them).
  ALWAYS_INLINE static V Low(V v) { return I::UnpackLow8(v, I::Zero()); }
  ALWAYS_INLINE static V High(V v) { return I::UnpackHigh8(v, I::Zero()); }
  // x / 255 per lane, x below 65535.
  ALWAYS_INLINE static V Div255(V x) { return I::Shr16(I::Add16(I::Add16(x, I::Shr16(x, 8)), I::Set16(1)), 8); }

  // sum = (256 - wx) v0 + wx v1 with v = (256 - wy) c_top + wy c_bottom; the result (sum + 32768) >> 16 is taken
  // from the high and low bytes of v separately so that every partial sum fits a lane.
  ALWAYS_INLINE static V BilinearHalf(V c00, V c10, V c01, V c11, V wx, V wy) {
    const V k256 = I::Set16(256), byte = I::Set16(0xFF);
    V iwx = I::Sub16(k256, wx), iwy = I::Sub16(k256, wy);
    V v0 = I::Add16(I::Mul16(c00, iwy), I::Mul16(c01, wy));
    V v1 = I::Add16(I::Mul16(c10, iwy), I::Mul16(c11, wy));
    V high = I::Add16(I::Mul16(I::Shr16(v0, 8), iwx), I::Mul16(I::Shr16(v1, 8), wx));
    V low = I::Add16(I::Mul16(I::And(v0, byte), iwx), I::Mul16(I::And(v1, byte), wx));
    return I::Shr16(I::Add16(I::Add16(high, I::Shr16(low, 8)), I::Set16(128)), 8);
  }

  static void Bilinear(const BilinearTaps& t, int n, uint32_t* out) {
    int k = 0;
    for (; k + kPixels <= n; k += kPixels) {
      V c00 = I::Load(t.c00 + k), c10 = I::Load(t.c10 + k), c01 = I::Load(t.c01 + k), c11 = I::Load(t.c11 + k);
      V wx = I::Load(t.wx + k), wy = I::Load(t.wy + k);
      V low = BilinearHalf(Low(c00), Low(c10), Low(c01), Low(c11), Low(wx), Low(wy));
      V high = BilinearHalf(High(c00), High(c10), High(c01), High(c11), High(wx), High(wy));
      I::Store(out + k, I::Pack16(low, high));
    }
    for (; k < n; ++k)
      out[k] = raster::Bilinear(t.c00[k], t.c10[k], t.c01[k], t.c11[k], t.wx[k] & 0xFF, t.wy[k] & 0xFF);
  }

  static void BilinearRows(const uint32_t* upper, const uint32_t* lower, int n, uint32_t wx, uint32_t wy,
                           uint32_t orMask, uint32_t* out) {
    const V orV = I::Set32(orMask), wxV = I::Set16(static_cast<int>(wx)), wyV = I::Set16(static_cast<int>(wy));
    const int right = wx ? 1 : 0;
    int k = 0;
    for (; k + kPixels <= n; k += kPixels) {
      V c00 = I::Or(I::Load(upper + k), orV), c10 = I::Or(I::Load(upper + k + right), orV);
      V c01 = I::Or(I::Load(lower + k), orV), c11 = I::Or(I::Load(lower + k + right), orV);
      V low = BilinearHalf(Low(c00), Low(c10), Low(c01), Low(c11), wxV, wyV);
      V high = BilinearHalf(High(c00), High(c10), High(c01), High(c11), wxV, wyV);
      I::Store(out + k, I::Pack16(low, high));
    }
    for (; k < n; ++k)
      out[k] = raster::Bilinear(upper[k] | orMask, upper[k + right] | orMask, lower[k] | orMask,
                                lower[k + right] | orMask, wx, wy);
  }

  // Runs of samples inside the texture: lane k holds u + k du as a high part (u >> 16) and a low part (16 bits)
  // that carries into it, so that every lane stays within 32 bits and gives the same coordinates as 64-bit steps.
  static void SampleAffine(const AffineRun& run, int n, uint32_t* out) {
    if constexpr (!I::kGathers) {
      SampleAffineRun(run, n, out);
    } else {
      const int pitchWords = run.pitch / 4;
      const auto* texels = reinterpret_cast<const int*>(run.texels);
      Fixed u(run.u, run.du), v(run.v, run.dv);
      const V orV = I::Set32(run.orMask);
      int k = 0;
      for (; k + kPixels <= n; k += kPixels, u.Next(), v.Next()) {
        if (!run.linear) {
          V at = I::Add32(I::Mul32(v.high, I::Set32(pitchWords)), u.high);
          I::Store(out + k, I::Or(I::Gather32(texels, at), orV));
          continue;
        }
        const V byte = I::Set32(255), spread = I::Set32(0x01010101);
        V at = I::Add32(I::Mul32(I::Shr32(v.high, 8), I::Set32(pitchWords)), I::Shr32(u.high, 8));
        V below = I::Add32(at, I::Set32(pitchWords)), one = I::Set32(1);
        V c00 = I::Or(I::Gather32(texels, at), orV), c10 = I::Or(I::Gather32(texels, I::Add32(at, one)), orV);
        V c01 = I::Or(I::Gather32(texels, below), orV), c11 = I::Or(I::Gather32(texels, I::Add32(below, one)), orV);
        V wx = I::Mul32(I::And(u.high, byte), spread), wy = I::Mul32(I::And(v.high, byte), spread);
        V low = BilinearHalf(Low(c00), Low(c10), Low(c01), Low(c11), Low(wx), Low(wy));
        V high = BilinearHalf(High(c00), High(c10), High(c01), High(c11), High(wx), High(wy));
        I::Store(out + k, I::Pack16(low, high));
      }
      AffineRun rest = run;
      rest.u += k * run.du, rest.v += k * run.dv;
      SampleAffineRun(rest, n - k, out + k);
    }
  }

  // A fixed-point coordinate per lane, stepped by kPixels samples at a time.
  struct Fixed {
    V high, low, stepHigh, stepLow;
    Fixed(int64_t start, int64_t step) {
      alignas(32) int32_t highs[kPixels], lows[kPixels];
      for (int k = 0; k < kPixels; ++k) {
        int64_t at = start + k * step;
        highs[k] = static_cast<int32_t>(at >> 16), lows[k] = static_cast<int32_t>(at & 0xFFFF);
      }
      high = I::Load(reinterpret_cast<const uint32_t*>(highs)), low = I::Load(reinterpret_cast<const uint32_t*>(lows));
      int64_t stride = step * kPixels;
      stepHigh = I::Set32(static_cast<uint32_t>(stride >> 16)),
      stepLow = I::Set32(static_cast<uint32_t>(stride & 0xFFFF));
    }
    ALWAYS_INLINE void Next() {
      low = I::Add32(low, stepLow);
      high = I::Add32(I::Add32(high, stepHigh), I::Shr32(low, 16));
      low = I::And(low, I::Set32(0xFFFF));
    }
  };

  static void Modulate(uint32_t* colors, int n, uint32_t color) {
    const V by = Low(I::Set32(color)), round = I::Set16(127);
    int k = 0;
    for (; k + kPixels <= n; k += kPixels) {
      V c = I::Load(colors + k);
      V low = Div255(I::Add16(I::Mul16(Low(c), by), round));
      V high = Div255(I::Add16(I::Mul16(High(c), by), round));
      I::Store(colors + k, I::Pack16(low, high));
    }
    for (; k < n; ++k) colors[k] = raster::Modulate(colors[k], color);
  }

  // Source alpha in every lane of its pixel.
  ALWAYS_INLINE static V Alpha(V half) { return I::BroadcastLane3(half); }

  // kOpaqueKeepsSource: a source of alpha 255 comes out unchanged.
  struct Replace {
    static constexpr bool kOpaqueKeepsSource = true;
    ALWAYS_INLINE static V Blend(V s, V) { return s; }
    ALWAYS_INLINE static uint32_t One(uint32_t s, uint32_t) { return s; }
  };
  struct AlphaBlend {
    static constexpr bool kOpaqueKeepsSource = true;
    ALWAYS_INLINE static V Half(V s, V d) {
      V a = Alpha(s);
      V sum = I::Add16(I::Add16(I::Mul16(s, a), I::Mul16(d, I::Sub16(I::Set16(255), a))), I::Set16(127));
      return Div255(sum);
    }
    ALWAYS_INLINE static V Blend(V s, V d) { return I::Pack16(Half(Low(s), Low(d)), Half(High(s), High(d))); }
    ALWAYS_INLINE static uint32_t One(uint32_t s, uint32_t d) { return BlendAlpha(s, d); }
  };
  struct AdditiveBlend {
    static constexpr bool kOpaqueKeepsSource = false;
    ALWAYS_INLINE static V Half(V s) { return Div255(I::Add16(I::Mul16(s, Alpha(s)), I::Set16(127))); }
    ALWAYS_INLINE static V Blend(V s, V d) { return I::AddSaturate8(d, I::Pack16(Half(Low(s)), Half(High(s)))); }
    ALWAYS_INLINE static uint32_t One(uint32_t s, uint32_t d) { return BlendAdditive(s, d); }
  };

  template <typename Op>
  static void Write(uint32_t* dst, const uint32_t* src, int n, uint32_t orMask, uint32_t ref) {
    const V orV = I::Set32(orMask), below = I::Set32(static_cast<int>(ref) - 1), alphaMask = I::Set32(0xFF000000);
    int k = 0;
    for (; k + kPixels <= n; k += kPixels) {
      V s = I::Or(I::Load(src + k), orV);
      V pass = I::GreaterThan32(I::Shr32(s, 24), below);
      int passBits = I::MoveMask(pass);
      if (passBits == 0) continue;
      V out = s;
      if (!Op::kOpaqueKeepsSource || I::MoveMask(I::Equal32(I::And(s, alphaMask), alphaMask)) != I::kAllBits)
        out = Op::Blend(s, I::Load(dst + k));
      if (passBits != I::kAllBits) out = I::Or(I::And(pass, out), I::AndNot(pass, I::Load(dst + k)));
      I::Store(dst + k, out);
    }
    for (; k < n; ++k) {
      uint32_t s = src[k] | orMask;
      if ((s >> 24) >= ref) dst[k] = Op::One(s, dst[k]);
    }
  }

  static constexpr SpanKernels kKernels = {I::kName,     Bilinear,
                                           BilinearRows, SampleAffine,
                                           Modulate,     {Write<Replace>, Write<AlphaBlend>, Write<AdditiveBlend>}};
};

}  // namespace
}  // namespace platform::video::raster
