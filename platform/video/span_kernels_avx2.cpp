// The row kernels in AVX2; this file is compiled for processors that have it and only called on them.
#include <immintrin.h>

#include "platform/video/span_kernels_simd.h"

namespace platform::video::raster {
namespace {

struct Avx2 {
  using V = __m256i;
  static constexpr int kPixels = 8;
  static constexpr int kAllBits = -1;
  static constexpr const char* kName = "AVX2";
  static constexpr bool kGathers = true;
  ALWAYS_INLINE static V Load(const uint32_t* p) { return _mm256_loadu_si256(reinterpret_cast<const V*>(p)); }
  ALWAYS_INLINE static void Store(uint32_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<V*>(p), v); }
  ALWAYS_INLINE static V Zero() { return _mm256_setzero_si256(); }
  ALWAYS_INLINE static V Set16(int v) { return _mm256_set1_epi16(static_cast<short>(v)); }
  ALWAYS_INLINE static V Set32(uint32_t v) { return _mm256_set1_epi32(static_cast<int>(v)); }
  ALWAYS_INLINE static V UnpackLow8(V a, V b) { return _mm256_unpacklo_epi8(a, b); }
  ALWAYS_INLINE static V UnpackHigh8(V a, V b) { return _mm256_unpackhi_epi8(a, b); }
  ALWAYS_INLINE static V Pack16(V a, V b) { return _mm256_packus_epi16(a, b); }
  ALWAYS_INLINE static V Add16(V a, V b) { return _mm256_add_epi16(a, b); }
  ALWAYS_INLINE static V Sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
  ALWAYS_INLINE static V Mul16(V a, V b) { return _mm256_mullo_epi16(a, b); }
  ALWAYS_INLINE static V Shr16(V a, int n) { return _mm256_srli_epi16(a, n); }
  ALWAYS_INLINE static V Add32(V a, V b) { return _mm256_add_epi32(a, b); }
  ALWAYS_INLINE static V Mul32(V a, V b) { return _mm256_mullo_epi32(a, b); }
  ALWAYS_INLINE static V Gather32(const int* base, V at) { return _mm256_i32gather_epi32(base, at, 4); }
  ALWAYS_INLINE static V Shr32(V a, int n) { return _mm256_srli_epi32(a, n); }
  ALWAYS_INLINE static V And(V a, V b) { return _mm256_and_si256(a, b); }
  ALWAYS_INLINE static V Or(V a, V b) { return _mm256_or_si256(a, b); }
  ALWAYS_INLINE static V AndNot(V a, V b) { return _mm256_andnot_si256(a, b); }
  ALWAYS_INLINE static V GreaterThan32(V a, V b) { return _mm256_cmpgt_epi32(a, b); }
  ALWAYS_INLINE static V Equal32(V a, V b) { return _mm256_cmpeq_epi32(a, b); }
  ALWAYS_INLINE static V AddSaturate8(V a, V b) { return _mm256_adds_epu8(a, b); }
  ALWAYS_INLINE static int MoveMask(V a) { return _mm256_movemask_epi8(a); }
  ALWAYS_INLINE static V BroadcastLane3(V a) { return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(a, 0xFF), 0xFF); }
};

}  // namespace

extern const SpanKernels kAvx2Kernels = SimdKernels<Avx2>::kKernels;

}  // namespace platform::video::raster
