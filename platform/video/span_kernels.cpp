#include "platform/video/span_kernels.h"

#include "platform/video/pixel_math.h"

namespace platform::video::raster {

#if defined(__x86_64__)
extern const SpanKernels kSse2Kernels;
extern const SpanKernels kAvx2Kernels;
#endif

void SampleAffineRun(const AffineRun& run, int n, uint32_t* out) {
  auto texel = [&](int64_t x, int64_t y) { return reinterpret_cast<const uint32_t*>(run.texels + y * run.pitch)[x]; };
  int64_t u = run.u, v = run.v;
  for (int k = 0; k < n; ++k, u += run.du, v += run.dv) {
    int64_t tx = u >> 16, ty = v >> 16;
    if (!run.linear) {
      out[k] = texel(tx, ty) | run.orMask;
      continue;
    }
    int64_t left = tx >> 8, top = ty >> 8;
    out[k] = Bilinear(texel(left, top) | run.orMask, texel(left + 1, top) | run.orMask,
                      texel(left, top + 1) | run.orMask, texel(left + 1, top + 1) | run.orMask,
                      static_cast<uint32_t>(tx & 255), static_cast<uint32_t>(ty & 255));
  }
}

namespace {

void BilinearRow(const BilinearTaps& t, int n, uint32_t* out) {
  for (int k = 0; k < n; ++k) out[k] = Bilinear(t.c00[k], t.c10[k], t.c01[k], t.c11[k], t.wx[k] & 0xFF, t.wy[k] & 0xFF);
}

void BilinearRows(const uint32_t* upper, const uint32_t* lower, int n, uint32_t wx, uint32_t wy, uint32_t orMask,
                  uint32_t* out) {
  int right = wx ? 1 : 0;
  for (int k = 0; k < n; ++k)
    out[k] =
        Bilinear(upper[k] | orMask, upper[k + right] | orMask, lower[k] | orMask, lower[k + right] | orMask, wx, wy);
}

void ModulateRow(uint32_t* colors, int n, uint32_t color) {
  for (int k = 0; k < n; ++k) colors[k] = Modulate(colors[k], color);
}

uint32_t Replace(uint32_t src, uint32_t) { return src; }

template <uint32_t (*Blend)(uint32_t, uint32_t)>
void WriteRow(uint32_t* dst, const uint32_t* src, int n, uint32_t orMask, uint32_t ref) {
  for (int k = 0; k < n; ++k) {
    uint32_t s = src[k] | orMask;
    if ((s >> 24) >= ref) dst[k] = Blend(s, dst[k]);
  }
}

constexpr SpanKernels kScalarKernels = {
    "scalar",        BilinearRow, BilinearRows,
    SampleAffineRun, ModulateRow, {WriteRow<Replace>, WriteRow<BlendAlpha>, WriteRow<BlendAdditive>}};

}  // namespace

bool ProcessorRuns(SimdLevel level) {
#if defined(__x86_64__)
  if (level == SimdLevel::kAvx2) return __builtin_cpu_supports("avx2");
  return true;
#else
  return level == SimdLevel::kScalar;
#endif
}

const SpanKernels& KernelsOf(SimdLevel level) {
#if defined(__x86_64__)
  if (level == SimdLevel::kAvx2) return kAvx2Kernels;
  if (level == SimdLevel::kSse2) return kSse2Kernels;
#endif
  return kScalarKernels;
}

const SpanKernels& BestKernels() {
  static const SpanKernels& best = KernelsOf(ProcessorRuns(SimdLevel::kAvx2)   ? SimdLevel::kAvx2
                                             : ProcessorRuns(SimdLevel::kSse2) ? SimdLevel::kSse2
                                                                               : SimdLevel::kScalar);
  return best;
}

}  // namespace platform::video::raster
