// Row kernels of the rasteriser for A8R8G8B8 targets: bilinear filtering, modulation by one colour, alpha test and
// the three common blends. Each exists in plain C++, SSE2 and AVX2, all giving identical pixels; the widest form the
// processor runs is chosen once, at first use.
#pragma once

#include <cstdint>

namespace platform::video::raster {

// Pixels a caller hands the kernels at most at once.
constexpr int kSpanChunk = 128;

// The four texels around each sample and its weights, each weight (0..255) repeated in all four bytes so that it
// lines up with the channels of the texels.
struct BilinearTaps {
  alignas(32) uint32_t c00[kSpanChunk], c10[kSpanChunk], c01[kSpanChunk], c11[kSpanChunk];
  alignas(32) uint32_t wx[kSpanChunk], wy[kSpanChunk];
};

// A run of samples that all read inside a 32-bit texture, so that none needs addressing. The coordinates of sample k
// are (u + k du) >> 16 and (v + k dv) >> 16: texels with point sampling; with linear sampling texels with 8
// fractional bits, blended as BilinearTaps are. Each texel is ORed with orMask.
struct AffineRun {
  const uint8_t* texels;  // row 0
  int pitch;              // bytes
  int64_t u, v, du, dv;
  uint32_t orMask;
  bool linear;
};

enum class SpanBlend { kReplace, kAlpha, kAdditive };

struct SpanKernels {
  const char* name;
  // out[k] = the bilinear blend of taps k.
  void (*bilinear)(const BilinearTaps& taps, int n, uint32_t* out);
  // out[k] = the bilinear blend of upper[k], upper[k + 1], lower[k], lower[k + 1] with the weights wx, wy (0..255),
  // each texel ORed with orMask first; with wx 0 the texels at k + 1 are not read.
  void (*bilinearRows)(const uint32_t* upper, const uint32_t* lower, int n, uint32_t wx, uint32_t wy, uint32_t orMask,
                       uint32_t* out);
  void (*sampleAffine)(const AffineRun& run, int n, uint32_t* out);
  // colors[k] = colors[k] x color per channel.
  void (*modulate)(uint32_t* colors, int n, uint32_t color);
  // For each k whose source alpha (src[k] | orMask) is at least ref: dst[k] = blend(src[k] | orMask, dst[k]).
  void (*write[3])(uint32_t* dst, const uint32_t* src, int n, uint32_t orMask, uint32_t ref);
};

enum class SimdLevel { kScalar, kSse2, kAvx2 };

bool ProcessorRuns(SimdLevel level);
// The kernels of a level the processor runs.
const SpanKernels& KernelsOf(SimdLevel level);
// The kernels of the widest level the processor runs.
const SpanKernels& BestKernels();

}  // namespace platform::video::raster
