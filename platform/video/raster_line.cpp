// Lines (diamond exit rule) and points.
#include <algorithm>
#include <cmath>

#include "platform/video/raster.h"
#include "platform/video/raster_shader.h"

namespace platform::video::raster {

void DrawLine(const Pipeline& p, const ScreenVertex& a, const ScreenVertex& b, Rect* touched) {
  if (!Usable(a.x) || !Usable(a.y) || !Usable(b.x) || !Usable(b.y)) return;
  double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
  if (dx == 0 && dy == 0) return;
  bool xMajor = std::fabs(dx) >= std::fabs(dy);
  // Work along the major axis: s is the major coordinate, t the minor one.
  double sa = xMajor ? a.x : a.y, sb = xMajor ? b.x : b.y;
  double ta = xMajor ? a.y : a.x, tb = xMajor ? b.y : b.x;
  double slope = (tb - ta) / (sb - sa);
  double length = std::fabs(sb - sa);
  Attributes start = Attributes::Of(a);
  Attributes step = Attributes::Difference(Attributes::Of(b), start);
  double rho = p.texture ? std::hypot(step.u * p.texture->Width(), step.v * p.texture->Height()) / length : 0;
  Shader shader(p, rho);
  const ScreenVertex* ends[2] = {&a, &b};
  bool uniform = p.flat || UniformColor(ends, 2, p.specular);
  bool constant = uniform && !shader.textured && !p.depth;
  uint32_t constantColor = shader.Combine(kWhite, a.diffuse);
  if (p.specular) constantColor = AddSaturateRgb(constantColor, a.specular);

  bool forward = sb > sa;
  if (xMajor && ta == tb) {
    // A horizontal run: one span of row j.
    double j = std::floor(ta + 0.5), h = 0.5 - std::fabs(ta - j);
    double lo = forward ? std::floor(sa - h) + 1 : std::ceil(sb + h);
    double hi = forward ? std::floor(sb - h) : std::ceil(sa + h) - 1;
    lo = std::max(lo, static_cast<double>(p.scissor.left));
    hi = std::min(hi, static_cast<double>(p.scissor.right - 1));
    if (lo > hi || j < p.scissor.top || j >= p.scissor.bottom) return;
    int y = static_cast<int>(j), x0 = static_cast<int>(lo), x1 = static_cast<int>(hi);
    if (constant) {
      shader.FillRun(y, x0, x1, constantColor);
    } else {
      Attributes at = start, perPixel;
      at.Add(step, (lo - sa) / (sb - sa));
      perPixel.Add(step, 1.0 / (sb - sa));
      ShadeRun(shader, y, x0, x1, at, perPixel, uniform, a.diffuse, a.specular);
    }
    Extend(touched, x0, y, x1, y);
    return;
  }
  // Only the part of the major axis inside the scissor can light pixels.
  int64_t first = std::max<int64_t>(static_cast<int64_t>(std::floor(std::min(sa, sb))) - 1,
                                    xMajor ? p.scissor.left : p.scissor.top);
  int64_t last = std::min<int64_t>(static_cast<int64_t>(std::ceil(std::max(sa, sb))) + 1,
                                   xMajor ? p.scissor.right : p.scissor.bottom);
  int minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
  for (int64_t i = first; i <= last; ++i) {
    double t = ta + (i - sa) * slope;
    double j = std::floor(t + 0.5);
    double h = 0.5 - std::fabs(t - j);
    // Diamond exit: the pixel is lit when the line leaves its diamond within the segment.
    bool lit = forward ? (sa < i + h && i + h <= sb) : (sb <= i - h && i - h < sa);
    if (!lit) continue;
    int x = static_cast<int>(xMajor ? i : static_cast<int64_t>(j));
    int y = static_cast<int>(xMajor ? static_cast<int64_t>(j) : i);
    if (x < p.scissor.left || x >= p.scissor.right || y < p.scissor.top || y >= p.scissor.bottom) continue;
    if (constant) {
      shader.FillRun(y, x, x, constantColor);
    } else {
      Attributes at = start;
      at.Add(step, std::clamp((i - sa) / (sb - sa), 0.0, 1.0));
      ShadeRun(shader, y, x, x, at, Attributes{}, uniform, a.diffuse, a.specular);
    }
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  if (minX <= maxX) Extend(touched, minX, minY, maxX, maxY);
}

void DrawPoint(const Pipeline& p, const ScreenVertex& v, Rect* touched) {
  if (!Usable(v.x) || !Usable(v.y)) return;
  int x = static_cast<int>(std::floor(v.x + 0.5f)), y = static_cast<int>(std::floor(v.y + 0.5f));
  if (x < p.scissor.left || x >= p.scissor.right || y < p.scissor.top || y >= p.scissor.bottom) return;
  Shader shader(p, 0);
  ShadeRun(shader, y, x, x, Attributes::Of(v), Attributes{}, true, v.diffuse, v.specular);
  Extend(touched, x, y, x, y);
}

}  // namespace platform::video::raster
