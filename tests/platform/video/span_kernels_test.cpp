#include "platform/video/span_kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

namespace platform::video::raster {
namespace {

// Textbook forms of the channel arithmetic, one channel at a time.
uint32_t ModulateReference(uint32_t x, uint32_t y) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) out |= ((x >> shift & 0xFF) * (y >> shift & 0xFF) + 127) / 255 << shift;
  return out;
}
uint32_t BilinearReference(const uint32_t c[4], uint32_t wx, uint32_t wy) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t sum = (c[0] >> shift & 0xFF) * (256 - wx) * (256 - wy) + (c[1] >> shift & 0xFF) * wx * (256 - wy) +
                   (c[2] >> shift & 0xFF) * (256 - wx) * wy + (c[3] >> shift & 0xFF) * wx * wy;
    out |= ((sum + 32768) >> 16) << shift;
  }
  return out;
}
// min(255, (s x source factor + d x destination factor + 127) / 255) with SRCALPHA and INVSRCALPHA or ONE.
uint32_t BlendReference(SpanBlend blend, uint32_t src, uint32_t dst) {
  if (blend == SpanBlend::kReplace) return src;
  uint32_t a = src >> 24, dstFactor = blend == SpanBlend::kAlpha ? 255 - a : 255;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= std::min(255u, ((src >> shift & 0xFF) * a + (dst >> shift & 0xFF) * dstFactor + 127) / 255) << shift;
  return out;
}

// Pixels whose alpha is mostly 0 or 255, as in sprites, so that whole vectors take the early ways out too.
struct Pixels {
  std::mt19937 rng{26};
  uint32_t Next() {
    uint32_t c = rng();
    switch (rng() % 4) {
      case 0: return c & 0x00FFFFFF;
      case 1: return c | 0xFF000000;
      default: return c;
    }
  }
  std::vector<uint32_t> Row(int n) {
    std::vector<uint32_t> row(n);
    for (uint32_t& c : row) c = Next();
    return row;
  }
};

std::vector<SimdLevel> LevelsHere() {
  std::vector<SimdLevel> levels;
  for (SimdLevel level : {SimdLevel::kScalar, SimdLevel::kSse2, SimdLevel::kAvx2})
    if (ProcessorRuns(level)) levels.push_back(level);
  return levels;
}

// Lengths around the vector widths, so that every kernel runs its tail too.
constexpr int kLengths[] = {0, 1, 3, 4, 7, 8, 9, 17, 31, kSpanChunk};

TEST(SpanKernelsTest, BilinearMatchesTheWeightedSumAtEveryLevel) {
  Pixels pixels;
  for (SimdLevel level : LevelsHere()) {
    const SpanKernels& kernels = KernelsOf(level);
    SCOPED_TRACE(kernels.name);
    for (int n : kLengths) {
      BilinearTaps taps;
      for (int k = 0; k < n; ++k) {
        taps.c00[k] = pixels.Next(), taps.c10[k] = pixels.Next(), taps.c01[k] = pixels.Next(),
        taps.c11[k] = pixels.Next();
        taps.wx[k] = (k == 0 ? 255 : pixels.rng() % 256) * 0x01010101u;
        taps.wy[k] = (k == 1 ? 0 : pixels.rng() % 256) * 0x01010101u;
      }
      std::vector<uint32_t> out(n);
      kernels.bilinear(taps, n, out.data());
      for (int k = 0; k < n; ++k) {
        const uint32_t c[4] = {taps.c00[k], taps.c10[k], taps.c01[k], taps.c11[k]};
        ASSERT_EQ(out[k], BilinearReference(c, taps.wx[k] & 0xFF, taps.wy[k] & 0xFF)) << n << " " << k;
      }
    }
  }
}

TEST(SpanKernelsTest, BilinearRowsReadConsecutiveTexelsAndStayInsideWithoutHorizontalWeight) {
  Pixels pixels;
  for (SimdLevel level : LevelsHere()) {
    const SpanKernels& kernels = KernelsOf(level);
    SCOPED_TRACE(kernels.name);
    for (int n : kLengths) {
      for (auto [wx, wy, orMask] : {std::tuple{0u, 255u, 0u}, {255u, 0u, 0xFF000000u}, {1u, 128u, 0u}, {77u, 3u, 0u}}) {
        // Rows only as long as the kernel may read: one texel more when a horizontal weight applies.
        std::vector<uint32_t> upper = pixels.Row(n + (wx ? 1 : 0)), lower = pixels.Row(n + (wx ? 1 : 0));
        std::vector<uint32_t> out(n);
        kernels.bilinearRows(upper.data(), lower.data(), n, wx, wy, orMask, out.data());
        for (int k = 0; k < n; ++k) {
          int right = wx ? k + 1 : k;
          const uint32_t c[4] = {upper[k] | orMask, upper[right] | orMask, lower[k] | orMask, lower[right] | orMask};
          ASSERT_EQ(out[k], BilinearReference(c, wx, wy)) << n << " " << k << " " << wx << " " << wy;
        }
      }
    }
  }
}

// Steps of any sign and size, starting anywhere the run stays inside a texture whose rows are padded.
TEST(SpanKernelsTest, AffineRunsSampleWhereTheirFixedPointCoordinatesPoint) {
  constexpr int kWidth = 37, kHeight = 23, kPitchWords = 40;
  Pixels pixels;
  std::vector<uint32_t> texels = pixels.Row(kPitchWords * kHeight);
  auto texel = [&](int64_t x, int64_t y) { return texels[y * kPitchWords + x]; };
  for (SimdLevel level : LevelsHere()) {
    const SpanKernels& kernels = KernelsOf(level);
    SCOPED_TRACE(kernels.name);
    for (bool linear : {false, true}) {
      // Point coordinates count texels, linear ones 1/256 texels; the far texel of a linear sample must exist.
      const int64_t unit = linear ? int64_t{256} << 16 : int64_t{1} << 16;
      const int64_t spanX = (kWidth - (linear ? 1 : 0)) * unit, spanY = (kHeight - (linear ? 1 : 0)) * unit;
      for (int n : kLengths) {
        if (n == 0) continue;
        for (int trial = 0; trial < 8; ++trial) {
          int64_t u0 = pixels.rng() % spanX, u1 = pixels.rng() % spanX, v0 = pixels.rng() % spanY,
                  v1 = pixels.rng() % spanY;
          AffineRun run{reinterpret_cast<const uint8_t*>(texels.data()),
                        kPitchWords * 4,
                        u0,
                        v0,
                        n > 1 ? (u1 - u0) / (n - 1) : 0,
                        n > 1 ? (v1 - v0) / (n - 1) : 0,
                        trial % 2 ? 0xFF000000u : 0,
                        linear};
          std::vector<uint32_t> out(n);
          kernels.sampleAffine(run, n, out.data());
          for (int k = 0; k < n; ++k) {
            int64_t tx = (run.u + k * run.du) >> 16, ty = (run.v + k * run.dv) >> 16;
            if (!linear) {
              ASSERT_EQ(out[k], texel(tx, ty) | run.orMask) << "n " << n << " k " << k;
              continue;
            }
            int64_t left = tx >> 8, top = ty >> 8;
            const uint32_t c[4] = {texel(left, top) | run.orMask, texel(left + 1, top) | run.orMask,
                                   texel(left, top + 1) | run.orMask, texel(left + 1, top + 1) | run.orMask};
            ASSERT_EQ(out[k], BilinearReference(c, tx & 255, ty & 255)) << "n " << n << " k " << k;
          }
        }
      }
    }
  }
}

TEST(SpanKernelsTest, ModulateRoundsEachChannelProduct) {
  Pixels pixels;
  for (SimdLevel level : LevelsHere()) {
    const SpanKernels& kernels = KernelsOf(level);
    SCOPED_TRACE(kernels.name);
    for (int n : kLengths) {
      uint32_t color = pixels.Next();
      std::vector<uint32_t> colors = pixels.Row(n), expected(n);
      for (int k = 0; k < n; ++k) expected[k] = ModulateReference(colors[k], color);
      kernels.modulate(colors.data(), n, color);
      ASSERT_EQ(colors, expected) << n;
    }
  }
}

TEST(SpanKernelsTest, WritesBlendOnlyPixelsPassingTheAlphaReference) {
  Pixels pixels;
  for (SimdLevel level : LevelsHere()) {
    const SpanKernels& kernels = KernelsOf(level);
    SCOPED_TRACE(kernels.name);
    for (SpanBlend blend : {SpanBlend::kReplace, SpanBlend::kAlpha, SpanBlend::kAdditive}) {
      for (uint32_t ref : {0u, 1u, 128u, 255u}) {
        for (uint32_t orMask : {0u, 0xFF000000u}) {
          for (int n : kLengths) {
            std::vector<uint32_t> src = pixels.Row(n), dst = pixels.Row(n), expected = dst;
            for (int k = 0; k < n; ++k) {
              uint32_t s = src[k] | orMask;
              if ((s >> 24) >= ref) expected[k] = BlendReference(blend, s, dst[k]);
            }
            kernels.write[static_cast<int>(blend)](dst.data(), src.data(), n, orMask, ref);
            ASSERT_EQ(dst, expected) << static_cast<int>(blend) << " ref " << ref << " or " << orMask << " n " << n;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace platform::video::raster
