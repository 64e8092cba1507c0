// Triangles: scan conversion by edge bounds stepped from row to row, top-left fill rule.
#include <algorithm>
#include <cstdlib>

#include "platform/video/raster.h"
#include "platform/video/raster_shader.h"

namespace platform::video::raster {

namespace {

// floor(m / divisor) for m = start + row x step, kept as quotient and remainder so that each row costs no division.
// A positive a bounds the pixels from the left (i >= -quotient), a negative one from the right (i <= quotient), and
// a zero one admits a row only while m >= 0.
class EdgeBound {
 public:
  EdgeBound() = default;
  EdgeBound(int64_t a, int64_t start, int64_t step) : a_(a), divisor_(a != 0 ? std::abs(a) : 1) {
    quotient_ = FloorDiv(start, divisor_);
    remainder_ = start - quotient_ * divisor_;
    stepQuotient_ = FloorDiv(step, divisor_);
    stepRemainder_ = step - stepQuotient_ * divisor_;
  }
  void Apply(int64_t* lo, int64_t* hi) const {
    if (a_ > 0) {
      *lo = std::max(*lo, -quotient_);
    } else if (a_ < 0) {
      *hi = std::min(*hi, quotient_);
    } else if (quotient_ < 0) {
      *hi = *lo - 1;
    }
  }
  // Without a branch: the carry follows no pattern a predictor could learn.
  void NextRow() {
    remainder_ += stepRemainder_;
    int64_t carry = remainder_ >= divisor_;
    quotient_ += stepQuotient_ + carry;
    remainder_ -= carry * divisor_;
  }

 private:
  int64_t a_ = 0, divisor_ = 1, quotient_ = 0, remainder_ = 0, stepQuotient_ = 0, stepRemainder_ = 0;
};

}  // namespace

void DrawTriangle(const Pipeline& p, const ScreenVertex& v0, const ScreenVertex& v1, const ScreenVertex& v2,
                  Rect* touched) {
  const ScreenVertex* v[3] = {&v0, &v1, &v2};
  for (auto* vertex : v)
    if (!Usable(vertex->x) || !Usable(vertex->y)) return;
  int64_t X[3], Y[3];
  for (int k = 0; k < 3; ++k) X[k] = Fixed(v[k]->x), Y[k] = Fixed(v[k]->y);
  int64_t area = (X[1] - X[0]) * (Y[2] - Y[0]) - (Y[1] - Y[0]) * (X[2] - X[0]);
  if (area == 0) return;
  // In screen space (y down) a positive area runs clockwise.
  if ((p.cullMode == cull::kClockwise && area > 0) || (p.cullMode == cull::kCounterClockwise && area < 0)) return;
  if (area < 0) {
    std::swap(v[1], v[2]);
    std::swap(X[1], X[2]);
    std::swap(Y[1], Y[2]);
  }

  // Attribute planes over the real positions.
  double x0 = v[0]->x, y0 = v[0]->y;
  double ex1 = v[1]->x - x0, ey1 = v[1]->y - y0, ex2 = v[2]->x - x0, ey2 = v[2]->y - y0;
  double det = ex1 * ey2 - ex2 * ey1;
  if (det == 0) return;
  Attributes a0 = Attributes::Of(*v[0]);
  Attributes d1 = Attributes::Difference(Attributes::Of(*v[1]), a0);
  Attributes d2 = Attributes::Difference(Attributes::Of(*v[2]), a0);
  Attributes ddx, ddy;
  ddx.Add(d1, ey2 / det);
  ddx.Add(d2, -ey1 / det);
  ddy.Add(d2, ex1 / det);
  ddy.Add(d1, -ex2 / det);

  double rho = 0;
  if (p.texture) {
    double w = p.texture->Width(), h = p.texture->Height();
    rho = std::max(std::hypot(ddx.u * w, ddx.v * h), std::hypot(ddy.u * w, ddy.v * h));
  }
  Shader shader(p, rho);
  bool uniform = p.flat || UniformColor(v, 3, p.specular);
  bool constant = uniform && !shader.textured && !p.depth;
  // Flat shading takes the colours of the first vertex as given.
  uint32_t flatDiffuse = v0.diffuse, flatSpecular = v0.specular;
  uint32_t constantColor = shader.Combine(kWhite, flatDiffuse);
  if (p.specular) constantColor = AddSaturateRgb(constantColor, flatSpecular);

  int64_t yMin = std::min({Y[0], Y[1], Y[2]}), yMax = std::max({Y[0], Y[1], Y[2]});
  int rowFirst = static_cast<int>(std::max<int64_t>(CeilDiv(yMin, kSubpixels), p.scissor.top));
  int rowLast = static_cast<int>(std::min<int64_t>(FloorDiv(yMax, kSubpixels), p.scissor.bottom - 1));
  // Pixel i of row j lies inside edge k when a i + c >= bias, a = -16 dy and c growing by 16 dx a row: the
  // bound floor((c - bias) / |a|) steps from row to row without a division.
  EdgeBound edges[3];
  for (int k = 0; k < 3; ++k) {
    int b = (k + 1) % 3;
    int64_t dx = X[b] - X[k], dy = Y[b] - Y[k];
    int64_t bias = (dy < 0 || (dy == 0 && dx > 0)) ? 0 : 1;  // top and left edges own their pixels
    int64_t c = dx * (static_cast<int64_t>(rowFirst) * kSubpixels - Y[k]) + dy * X[k];
    edges[k] = EdgeBound(-kSubpixels * dy, c - bias, dx * kSubpixels);
  }
  int minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
  for (int j = rowFirst; j <= rowLast; ++j) {
    int64_t lo = p.scissor.left, hi = p.scissor.right - 1;
    for (EdgeBound& e : edges) {
      e.Apply(&lo, &hi);
      e.NextRow();
    }
    if (lo > hi) continue;
    int first = static_cast<int>(lo), last = static_cast<int>(hi);
    if (constant) {
      shader.FillRun(j, first, last, constantColor);
    } else {
      Attributes at = a0;
      at.Add(ddx, first - x0);
      at.Add(ddy, j - y0);
      ShadeRun(shader, j, first, last, at, ddx, uniform, flatDiffuse, flatSpecular);
    }
    minX = std::min(minX, first), maxX = std::max(maxX, last);
    minY = std::min(minY, j), maxY = std::max(maxY, j);
  }
  if (minX <= maxX) Extend(touched, minX, minY, maxX, maxY);
}

}  // namespace platform::video::raster
