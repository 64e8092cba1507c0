// The shading of a run of pixels of one row, instantiated for uniform colour in raster_shade_uniform.cpp and for
// interpolated colour in raster_shade_interpolated.cpp (each instantiation is a large unit of work for the compiler).
#pragma once

#include <algorithm>

#include "platform/video/raster_shader.h"

namespace platform::video::raster {

// A textured run of uniform colour through the row kernels, a chunk at a time.
inline void ShadeSpan(const Shader& s, uint32_t* row, int x0, int x1, TexelStep tu, TexelStep tv, uint32_t diffuse,
               uint32_t specular) {
  BilinearTaps taps;
  uint32_t colors[kSpanChunk];
  for (int x = x0; x <= x1; x += kSpanChunk) {
    int n = std::min(kSpanChunk, x1 - x + 1);
    s.sampler.SampleRun(&tu, &tv, n, s.kernels, &taps, colors);
    s.CombineSpan(colors, n, diffuse, specular);
    s.spanWrite(row + x, colors, n, 0, s.spanAlphaRef);
  }
}

template <bool kUniform, bool kTextured>
void ShadeRunWith(const Shader& s, int y, int x0, int x1, Attributes at, const Attributes& dx, uint32_t diffuse,
                  uint32_t specular) {
  const Pipeline& p = s.p;
  const Sampler& sampler = s.sampler;
  uint8_t* row = p.target->Row(y);
  TexelStep tu(at.u, dx.u, sampler.width, sampler.linear), tv(at.v, dx.v, sampler.height, sampler.linear);
  if constexpr (kUniform && kTextured) {
    if (s.spanWrite) return ShadeSpan(s, reinterpret_cast<uint32_t*>(row), x0, x1, tu, tv, diffuse, specular);
  }
  auto colorAt = [&](int) __attribute__((always_inline)) {
    if constexpr (!kUniform) diffuse = PackFloat(at.a, at.r, at.g, at.b);
    uint32_t texel = kWhite;
    if constexpr (kTextured) {
      texel = sampler.SampleAt(tu.Current(), tv.Current());
      tu.Next();
      tv.Next();
    }
    uint32_t color = s.Combine(texel, diffuse);
    if (p.specular) color = AddSaturateRgb(color, kUniform ? specular : PackFloat(0, at.sr, at.sg, at.sb));
    if constexpr (!kUniform) at.Add(dx);
    return color;
  };
  if (!p.depth) {
    s.WriteRow(row, y, x0, x1, colorAt);
    return;
  }
  for (int x = x0; x <= x1; ++x) {
    float z = at.z;
    if constexpr (kUniform) at.z += dx.z;
    uint32_t color = colorAt(x - x0);
    if (s.PassesAlphaTest(color) && s.DepthPasses(x, y, z)) s.Write(row, x, y, color);
  }
}

}  // namespace platform::video::raster
