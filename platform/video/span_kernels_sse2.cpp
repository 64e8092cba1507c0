// The row kernels in SSE2, which every x86-64 processor runs.
#include <emmintrin.h>

#include "platform/video/span_kernels_simd.h"

namespace platform::video::raster {
namespace {

struct Sse2 {
  using V = __m128i;
  static constexpr int kPixels = 4;
  static constexpr int kAllBits = 0xFFFF;
  static constexpr const char* kName = "SSE2";
  static constexpr bool kGathers = false;
  ALWAYS_INLINE static V Load(const uint32_t* p) { return _mm_loadu_si128(reinterpret_cast<const V*>(p)); }
  ALWAYS_INLINE static void Store(uint32_t* p, V v) { _mm_storeu_si128(reinterpret_cast<V*>(p), v); }
  ALWAYS_INLINE static V Zero() { return _mm_setzero_si128(); }
  ALWAYS_INLINE static V Set16(int v) { return _mm_set1_epi16(static_cast<short>(v)); }
  ALWAYS_INLINE static V Set32(uint32_t v) { return _mm_set1_epi32(static_cast<int>(v)); }
  ALWAYS_INLINE static V UnpackLow8(V a, V b) { return _mm_unpacklo_epi8(a, b); }
  ALWAYS_INLINE static V UnpackHigh8(V a, V b) { return _mm_unpackhi_epi8(a, b); }
  ALWAYS_INLINE static V Pack16(V a, V b) { return _mm_packus_epi16(a, b); }
  ALWAYS_INLINE static V Add16(V a, V b) { return _mm_add_epi16(a, b); }
  ALWAYS_INLINE static V Sub16(V a, V b) { return _mm_sub_epi16(a, b); }
  ALWAYS_INLINE static V Mul16(V a, V b) { return _mm_mullo_epi16(a, b); }
  ALWAYS_INLINE static V Shr16(V a, int n) { return _mm_srli_epi16(a, n); }
  ALWAYS_INLINE static V Shr32(V a, int n) { return _mm_srli_epi32(a, n); }
  ALWAYS_INLINE static V And(V a, V b) { return _mm_and_si128(a, b); }
  ALWAYS_INLINE static V Or(V a, V b) { return _mm_or_si128(a, b); }
  ALWAYS_INLINE static V AndNot(V a, V b) { return _mm_andnot_si128(a, b); }
  ALWAYS_INLINE static V GreaterThan32(V a, V b) { return _mm_cmpgt_epi32(a, b); }
  ALWAYS_INLINE static V Equal32(V a, V b) { return _mm_cmpeq_epi32(a, b); }
  ALWAYS_INLINE static V AddSaturate8(V a, V b) { return _mm_adds_epu8(a, b); }
  ALWAYS_INLINE static int MoveMask(V a) { return _mm_movemask_epi8(a); }
  ALWAYS_INLINE static V BroadcastLane3(V a) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, 0xFF), 0xFF); }
};

}  // namespace

extern const SpanKernels kSse2Kernels = SimdKernels<Sse2>::kKernels;

}  // namespace platform::video::raster
