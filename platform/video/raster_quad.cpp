// The axis-aligned quad fast path: a rectangle whose texture coordinates follow the axes, drawn row by row with
// each column's and each row's texels worked out once.
#include <algorithm>
#include <vector>

#include "platform/video/raster.h"
#include "platform/video/raster_shader.h"

namespace platform::video::raster {

namespace {

// Where the pixels along one axis of an axis-aligned quad sample: the addressed texel before the sample, the one
// after it and the weight of the one after (8 bits, in every byte); point sampling takes only the first.
struct AxisTaps {
  std::vector<int> before, after;
  std::vector<uint32_t> weight;
  // One weight for all, before[k] = before[0] + k and, where that weight is not 0, after[k] = before[k] + 1: the
  // taps read consecutive texels.
  bool contiguous = true;

  AxisTaps(TexelStep t, int n, int size, uint32_t mode, bool linear) : before(n), after(n), weight(n) {
    for (int k = 0; k < n; ++k, t.Next()) {
      int64_t at = t.Current();
      if (linear) {
        weight[k] = static_cast<uint32_t>(at & 255) * 0x01010101u;
        at >>= 8;
      }
      before[k] = Address(at, size, mode);
      after[k] = Address(at + 1, size, mode);
      contiguous = contiguous && weight[k] == weight[0] && before[k] == before[0] + k &&
                   (weight[k] == 0 || after[k] == before[k] + 1);
    }
  }
};

// The textured rectangle x0..x1, y0..y1 through the row kernels (32-bit texture, shader.spanWrite set). Each column
// and each row works out its taps once; where the columns read consecutive texels, rows are read straight from the
// texture, and handed over as they are when no weight applies.
void DrawAxisAlignedSpans(const Shader& shader, TexelStep tu, TexelStep tv, int x0, int x1, int y0, int y1,
                          uint32_t diffuse, uint32_t specular) {
  const Sampler& s = shader.sampler;
  const uint32_t alphaOr = s.alphaOr;
  int n = x1 - x0 + 1;
  AxisTaps columns(tu, n, s.width, s.addressU, s.linear), rows(tv, y1 - y0 + 1, s.height, s.addressV, s.linear);
  auto texelRow = [&](int y) { return reinterpret_cast<const uint32_t*>(s.texture->Row(y)); };
  BilinearTaps taps;
  uint32_t colors[kSpanChunk];
  for (int j = 0; j <= y1 - y0; ++j) {
    uint32_t* dst = reinterpret_cast<uint32_t*>(shader.p.target->Row(y0 + j)) + x0;
    uint32_t wy = rows.weight[j] & 0xFF;
    const uint32_t *upper = texelRow(rows.before[j]), *lower = texelRow(wy ? rows.after[j] : rows.before[j]);
    if (columns.contiguous) {
      uint32_t wx = columns.weight[0] & 0xFF;
      upper += columns.before[0], lower += columns.before[0];
      if (wx == 0 && wy == 0) {
        shader.WriteSpan(dst, upper, n, alphaOr, diffuse, specular);
        continue;
      }
      for (int done = 0; done < n; done += kSpanChunk) {
        int m = std::min(kSpanChunk, n - done);
        shader.kernels.bilinearRows(upper + done, lower + done, m, wx, wy, alphaOr, colors);
        shader.CombineSpan(colors, m, diffuse, specular);
        shader.spanWrite(dst + done, colors, m, 0, shader.spanAlphaRef);
      }
      continue;
    }
    for (int done = 0; done < n; done += kSpanChunk) {
      int m = std::min(kSpanChunk, n - done);
      const int *before = &columns.before[done], *after = &columns.after[done];
      if (!s.linear) {
        for (int k = 0; k < m; ++k) colors[k] = upper[before[k]];
        shader.WriteSpan(dst + done, colors, m, alphaOr, diffuse, specular);
        continue;
      }
      const uint32_t* weights = &columns.weight[done];
      for (int k = 0; k < m; ++k) {
        taps.c00[k] = upper[before[k]] | alphaOr, taps.c10[k] = upper[after[k]] | alphaOr;
        taps.c01[k] = lower[before[k]] | alphaOr, taps.c11[k] = lower[after[k]] | alphaOr;
        taps.wx[k] = weights[k];
        taps.wy[k] = rows.weight[j];
      }
      shader.kernels.bilinear(taps, m, colors);
      shader.CombineSpan(colors, m, diffuse, specular);
      shader.spanWrite(dst + done, colors, m, 0, shader.spanAlphaRef);
    }
  }
}

}  // namespace

bool DrawAxisAlignedQuad(const Pipeline& p, const ScreenVertex corners[4], Rect* touched) {
  if (p.depth || p.cullMode != cull::kNone) return false;
  const ScreenVertex* v[4] = {&corners[0], &corners[1], &corners[2], &corners[3]};
  float left = v[0]->x, right = v[0]->x, top = v[0]->y, bottom = v[0]->y;
  for (auto* c : v) {
    if (!Usable(c->x) || !Usable(c->y)) return false;
    left = std::min(left, c->x), right = std::max(right, c->x);
    top = std::min(top, c->y), bottom = std::max(bottom, c->y);
  }
  if (!(left < right && top < bottom) || !UniformColor(v, 4, p.specular)) return false;
  // Each corner of the rectangle exactly once; u follows x only, v follows y only.
  const ScreenVertex* at[2][2] = {};
  for (auto* c : v) {
    bool isLeft = c->x == left, isTop = c->y == top;
    if ((!isLeft && c->x != right) || (!isTop && c->y != bottom) || at[isLeft][isTop]) return false;
    at[isLeft][isTop] = c;
  }
  const ScreenVertex *tl = at[1][1], *tr = at[0][1], *bl = at[1][0], *br = at[0][0];
  if (tl->u != bl->u || tr->u != br->u || tl->v != tr->v || bl->v != br->v) return false;

  int64_t i0 = std::max<int64_t>(CeilDiv(Fixed(left), kSubpixels), p.scissor.left);
  int64_t i1 = std::min<int64_t>(CeilDiv(Fixed(right), kSubpixels) - 1, p.scissor.right - 1);
  int64_t j0 = std::max<int64_t>(CeilDiv(Fixed(top), kSubpixels), p.scissor.top);
  int64_t j1 = std::min<int64_t>(CeilDiv(Fixed(bottom), kSubpixels) - 1, p.scissor.bottom - 1);
  if (i0 > i1 || j0 > j1) return true;

  double dudx = (tr->u - tl->u) / (static_cast<double>(right) - left);
  double dvdy = (bl->v - tl->v) / (static_cast<double>(bottom) - top);
  double u0 = tl->u + (i0 - static_cast<double>(left)) * dudx;
  double v0 = tl->v + (j0 - static_cast<double>(top)) * dvdy;
  double rho = p.texture ? std::max(std::fabs(dudx) * p.texture->Width(), std::fabs(dvdy) * p.texture->Height()) : 0;
  Shader shader(p, rho);
  uint32_t diffuse = v[0]->diffuse;
  auto finish = [&](uint32_t color) __attribute__((always_inline)) { return p.specular ? AddSaturateRgb(color, v[0]->specular) : color; };

  if (!shader.textured) {
    uint32_t color = finish(shader.Combine(kWhite, diffuse));
    for (int64_t j = j0; j <= j1; ++j) shader.FillRun(static_cast<int>(j), static_cast<int>(i0), static_cast<int>(i1), color);
  } else {
    const Sampler& s = shader.sampler;
    TexelStep tu(u0, dudx, s.width, s.linear), tv(v0, dvdy, s.height, s.linear);
    if (shader.spanWrite && s.direct32) {
      DrawAxisAlignedSpans(shader, tu, tv, static_cast<int>(i0), static_cast<int>(i1), static_cast<int>(j0),
                           static_cast<int>(j1), diffuse, v[0]->specular);
    } else {
      for (int64_t j = j0; j <= j1; ++j, tv.Next()) {
        int y = static_cast<int>(j);
        TexelStep rowU = tu;
        int64_t rowV = tv.Current();
        shader.WriteRow(p.target->Row(y), y, static_cast<int>(i0), static_cast<int>(i1),
                        [&](int) __attribute__((always_inline)) {
                          uint32_t texel = s.SampleAt(rowU.Current(), rowV);
                          rowU.Next();
                          return finish(shader.Combine(texel, diffuse));
                        });
      }
    }
  }
  Extend(touched, static_cast<int>(i0), static_cast<int>(j0), static_cast<int>(i1), static_cast<int>(j1));
  return true;
}

}  // namespace platform::video::raster
