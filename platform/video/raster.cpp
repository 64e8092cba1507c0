#include "platform/video/raster.h"

#include <algorithm>
#include <cmath>

#include "platform/video/device.h"

namespace gfx::raster {

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr int kSubpixelBits = 4;
constexpr int kSubpixels = 1 << kSubpixelBits;
constexpr float kCoordinateLimit = 1.0e6f;

inline uint32_t Channel(uint32_t c, int shift) { return (c >> shift) & 0xFF; }
inline uint32_t Mul8(uint32_t a, uint32_t b) { return (a * b + 127) / 255; }

uint32_t Modulate(uint32_t x, uint32_t y) {
  return Mul8(Channel(x, 24), Channel(y, 24)) << 24 | Mul8(Channel(x, 16), Channel(y, 16)) << 16 |
         Mul8(Channel(x, 8), Channel(y, 8)) << 8 | Mul8(x & 0xFF, y & 0xFF);
}

uint32_t AddSaturateRgb(uint32_t c, uint32_t s) {
  uint32_t r = std::min(255u, Channel(c, 16) + Channel(s, 16));
  uint32_t g = std::min(255u, Channel(c, 8) + Channel(s, 8));
  uint32_t b = std::min(255u, (c & 0xFF) + (s & 0xFF));
  return (c & 0xFF000000) | r << 16 | g << 8 | b;
}

inline uint32_t ToByte(float v) { return static_cast<uint32_t>(std::clamp(v, 0.0f, 255.0f) + 0.5f); }
inline uint32_t PackFloat(float a, float r, float g, float b) {
  return ToByte(a) << 24 | ToByte(r) << 16 | ToByte(g) << 8 | ToByte(b);
}

int64_t FloorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
int64_t CeilDiv(int64_t n, int64_t d) { return -FloorDiv(-n, d); }

bool Usable(float v) { return std::isfinite(v) && std::fabs(v) < kCoordinateLimit; }
int64_t Fixed(float v) { return std::llround(static_cast<double>(v) * kSubpixels); }

// ---- texture sampling -------------------------------------------------------------------------------------------

#define ALWAYS_INLINE [[gnu::always_inline]] inline

ALWAYS_INLINE int Address(int64_t i, int n, uint32_t mode) {
  if (i >= 0 && i < n) return static_cast<int>(i);
  switch (mode) {
    case address::kWrap: {
      int64_t m = i % n;
      return static_cast<int>(m < 0 ? m + n : m);
    }
    case address::kMirror: {
      int64_t period = 2 * static_cast<int64_t>(n);
      int64_t m = i % period;
      if (m < 0) m += period;
      return static_cast<int>(m < n ? m : period - 1 - m);
    }
    default:
      return static_cast<int>(std::clamp<int64_t>(i, 0, n - 1));
  }
}

// Texel coordinate of u on an axis of size n: point sampling gives floor(u n); linear gives u n - 0.5 with 8
// fractional bits. A tiny bias keeps exact texel centres from falling one step short through rounding.
ALWAYS_INLINE int64_t TexelCoordinate(double u, int n, bool linear) {
  double t = u * n;
  if (linear) t = (t - 0.5) * 256.0;
  t = std::clamp(t + 1.0e-6, -4.0e15, 4.0e15);
  return static_cast<int64_t>(std::floor(t));
}

// Channels b, r (low word) and g, a (high word) spread into 32-bit lanes so that one multiply weighs two channels.
ALWAYS_INLINE uint64_t LanesLow(uint32_t c) { return (c & 0xFF) | static_cast<uint64_t>(c & 0xFF0000) << 16; }
ALWAYS_INLINE uint64_t LanesHigh(uint32_t c) { return ((c >> 8) & 0xFF) | static_cast<uint64_t>(c >> 24) << 32; }

struct Sampler {
  const Surface* texture = nullptr;
  int width = 0, height = 0;
  bool linear = false;
  bool direct32 = false;  // A8R8G8B8 or X8R8G8B8: read words directly
  uint32_t alphaOr = 0;   // 0xFF000000 for formats without alpha bits
  uint32_t addressU = address::kWrap, addressV = address::kWrap;

  ALWAYS_INLINE uint32_t Texel(int x, int y) const {
    if (direct32) return reinterpret_cast<const uint32_t*>(texture->Row(y))[x] | alphaOr;
    return texture->Pixel(x, y);
  }

  ALWAYS_INLINE uint32_t Sample(double u, double v) const {
    int64_t tx = TexelCoordinate(u, width, linear), ty = TexelCoordinate(v, height, linear);
    if (!linear) return Texel(Address(tx, width, addressU), Address(ty, height, addressV));
    uint32_t wx = tx & 255, wy = ty & 255;
    int x0 = Address(tx >> 8, width, addressU), y0 = Address(ty >> 8, height, addressV);
    uint32_t c00 = Texel(x0, y0);
    if (wx == 0 && wy == 0) return c00;
    int x1 = Address((tx >> 8) + 1, width, addressU), y1 = Address((ty >> 8) + 1, height, addressV);
    uint32_t c10 = Texel(x1, y0), c01 = Texel(x0, y1), c11 = Texel(x1, y1);
    uint64_t w00 = (256 - wx) * (256 - wy), w10 = wx * (256 - wy), w01 = (256 - wx) * wy, w11 = wx * wy;
    // Weights sum to 65536: each lane stays below 2^32.
    uint64_t low = LanesLow(c00) * w00 + LanesLow(c10) * w10 + LanesLow(c01) * w01 + LanesLow(c11) * w11;
    uint64_t high = LanesHigh(c00) * w00 + LanesHigh(c10) * w10 + LanesHigh(c01) * w01 + LanesHigh(c11) * w11;
    constexpr uint64_t kRound = 32768 | uint64_t{32768} << 32;
    low = (low + kRound) >> 16;
    high = (high + kRound) >> 16;
    return static_cast<uint32_t>((low & 0xFF) | (low >> 16 & 0xFF0000) | (high & 0xFF) << 8 | (high >> 32 & 0xFF) << 24);
  }
};

// Picks the filter and mip level from rho, the texels covered by one pixel step.
Sampler MakeSampler(const Pipeline& p, double rho) {
  Sampler s;
  const Surface* level = p.texture;
  if (!level) return s;
  bool minifying = rho > 1.0 + 1.0e-9;
  if (minifying && p.mipFilter != filter::kMipNone) {
    while (rho >= 2.0 && level->NextMipLevel()) {
      level = level->NextMipLevel().get();
      rho /= 2.0;
    }
  }
  s.texture = level;
  s.width = level->Width();
  s.height = level->Height();
  s.linear = (minifying ? p.minFilter : p.magFilter) >= filter::kLinear;
  s.direct32 = level->Format() == kA8R8G8B8 || level->Format() == kX8R8G8B8;
  s.alphaOr = level->Format().HasAlpha() ? 0 : 0xFF000000;
  s.addressU = p.addressU;
  s.addressV = p.addressV;
  return s;
}

// ---- texture stage and output --------------------------------------------------------------------------------

uint32_t Argument(uint32_t arg, uint32_t texel, uint32_t diffuse, uint32_t factor) {
  uint32_t v;
  switch (arg & ta::kSelectMask) {
    case ta::kTexture: v = texel; break;
    case ta::kTFactor: v = factor; break;
    default: v = diffuse; break;  // DIFFUSE, and CURRENT at the first stage
  }
  if (arg & ta::kComplement) v = ~v;
  if (arg & ta::kAlphaReplicate) v = (v >> 24) * 0x01010101u;
  return v;
}

uint32_t Operation(uint32_t op, uint32_t a1, uint32_t a2) {
  switch (op) {
    case top::kSelectArg2: return a2;
    case top::kModulate: return Modulate(a1, a2);
    default: return a1;
  }
}

ALWAYS_INLINE bool Compare(uint32_t func, uint32_t value, uint32_t ref) {
  switch (func) {
    case cmp::kNever: return false;
    case cmp::kLess: return value < ref;
    case cmp::kEqual: return value == ref;
    case cmp::kLessEqual: return value <= ref;
    case cmp::kGreater: return value > ref;
    case cmp::kNotEqual: return value != ref;
    case cmp::kGreaterEqual: return value >= ref;
    default: return true;
  }
}

bool CompareDepth(uint32_t func, float z, float stored) {
  switch (func) {
    case cmp::kNever: return false;
    case cmp::kLess: return z < stored;
    case cmp::kEqual: return z == stored;
    case cmp::kLessEqual: return z <= stored;
    case cmp::kGreater: return z > stored;
    case cmp::kNotEqual: return z != stored;
    case cmp::kGreaterEqual: return z >= stored;
    default: return true;
  }
}

uint32_t Factor(uint32_t kind, uint32_t srcChannel, uint32_t srcAlpha) {
  switch (kind) {
    case blend::kZero: return 0;
    case blend::kSrcColor: return srcChannel;
    case blend::kInvSrcColor: return 255 - srcChannel;
    case blend::kSrcAlpha: return srcAlpha;
    case blend::kInvSrcAlpha: return 255 - srcAlpha;
    default: return 255;  // ONE
  }
}

uint32_t BlendGeneric(uint32_t src, uint32_t dst, uint32_t srcKind, uint32_t dstKind) {
  uint32_t sa = src >> 24, out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t s = Channel(src, shift), d = Channel(dst, shift);
    uint32_t v = (s * Factor(srcKind, s, sa) + d * Factor(dstKind, s, sa) + 127) / 255;
    out |= std::min(v, 255u) << shift;
  }
  return out;
}

ALWAYS_INLINE uint32_t BlendAlpha(uint32_t src, uint32_t dst) {
  uint32_t a = src >> 24;
  if (a == 255) return src;
  if (a == 0) return dst;
  uint32_t inv = 255 - a, out = 0;
  for (int shift = 0; shift < 32; shift += 8)
    out |= ((Channel(src, shift) * a + Channel(dst, shift) * inv + 127) / 255) << shift;
  return out;
}

uint32_t BlendAdditive(uint32_t src, uint32_t dst) {
  uint32_t a = src >> 24;
  if (a == 0) return dst;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    uint32_t v = (Channel(src, shift) * a + Channel(dst, shift) * 255 + 127) / 255;
    out |= std::min(v, 255u) << shift;
  }
  return out;
}

enum class BlendKind { kReplace, kAlpha, kAdditive, kGeneric };
enum class CombineKind { kTextureTimesDiffuse, kGeneric };

bool ReadsCurrentOrDiffuse(uint32_t arg) {
  uint32_t sel = arg & ta::kSelectMask;
  return (sel == ta::kCurrent || sel == ta::kDiffuse) && (arg & ~ta::kSelectMask) == 0;
}

// Everything the per-pixel work needs, resolved once per primitive.
struct Shader {
  const Pipeline& p;
  Sampler sampler;
  bool textured;
  CombineKind combine;
  BlendKind blendKind;
  bool argb32;

  Shader(const Pipeline& pipeline, double rho) : p(pipeline), sampler(MakeSampler(pipeline, rho)) {
    textured = sampler.texture != nullptr;
    bool modulates = p.colorOp == top::kModulate && p.alphaOp == top::kModulate && p.colorArg1 == ta::kTexture &&
                     p.alphaArg1 == ta::kTexture && ReadsCurrentOrDiffuse(p.colorArg2) &&
                     ReadsCurrentOrDiffuse(p.alphaArg2);
    combine = modulates ? CombineKind::kTextureTimesDiffuse : CombineKind::kGeneric;
    if (!p.blend) {
      blendKind = BlendKind::kReplace;
    } else if (p.srcBlend == blend::kSrcAlpha && p.destBlend == blend::kInvSrcAlpha) {
      blendKind = BlendKind::kAlpha;
    } else if (p.srcBlend == blend::kSrcAlpha && p.destBlend == blend::kOne) {
      blendKind = BlendKind::kAdditive;
    } else {
      blendKind = BlendKind::kGeneric;
    }
    argb32 = p.target->Format() == kA8R8G8B8;
  }

  ALWAYS_INLINE uint32_t Combine(uint32_t texel, uint32_t diffuse) const {
    if (combine == CombineKind::kTextureTimesDiffuse) return diffuse == kWhite ? texel : Modulate(texel, diffuse);
    if (p.colorOp == top::kDisable) return diffuse;
    uint32_t rgb = Operation(p.colorOp, Argument(p.colorArg1, texel, diffuse, p.textureFactor),
                             Argument(p.colorArg2, texel, diffuse, p.textureFactor));
    uint32_t alpha = p.alphaOp == top::kDisable
                         ? diffuse
                         : Operation(p.alphaOp, Argument(p.alphaArg1, texel, diffuse, p.textureFactor),
                                     Argument(p.alphaArg2, texel, diffuse, p.textureFactor));
    return (alpha & 0xFF000000) | (rgb & 0x00FFFFFF);
  }

  ALWAYS_INLINE bool PassesAlphaTest(uint32_t color) const { return !p.alphaTest || Compare(p.alphaFunc, color >> 24, p.alphaRef); }

  ALWAYS_INLINE uint32_t Blend(uint32_t src, uint32_t dst) const {
    switch (blendKind) {
      case BlendKind::kReplace: return src;
      case BlendKind::kAlpha: return BlendAlpha(src, dst);
      case BlendKind::kAdditive: return BlendAdditive(src, dst);
      default: return BlendGeneric(src, dst, p.srcBlend, p.destBlend);
    }
  }

  // Blends color into pixel x of row y (alpha test already passed).
  ALWAYS_INLINE void Write(uint8_t* row, int x, int y, uint32_t color) const {
    if (argb32) {
      uint32_t* px = reinterpret_cast<uint32_t*>(row) + x;
      *px = Blend(color, *px);
      return;
    }
    const PixelFormat& f = p.target->Format();
    uint32_t dst = blendKind == BlendKind::kReplace ? 0 : p.target->Pixel(x, y);
    p.target->SetRawPixel(x, y, PackColor(f, Blend(color, dst)));
  }

  // Depth test and write; true when the pixel may be written.
  bool DepthPasses(int x, int y, float z) const {
    if (!p.depth) return true;
    float* stored = p.depth->Depth(y) + x;
    if (!CompareDepth(p.depthFunc, z, *stored)) return false;
    if (p.depthWrite) *stored = z;
    return true;
  }

  // A run of one colour (no texture, uniform diffuse) on row y, x0..x1 inclusive.
  void FillRun(int y, int x0, int x1, uint32_t color) const {
    if (!PassesAlphaTest(color)) return;
    uint8_t* row = p.target->Row(y);
    bool replaces = blendKind == BlendKind::kReplace || (blendKind == BlendKind::kAlpha && (color >> 24) == 255);
    if (argb32 && !p.depth && replaces) {
      std::fill(reinterpret_cast<uint32_t*>(row) + x0, reinterpret_cast<uint32_t*>(row) + x1 + 1, color);
      return;
    }
    if (!p.depth && (blendKind == BlendKind::kAlpha || blendKind == BlendKind::kAdditive) && (color >> 24) == 0)
      return;
    for (int x = x0; x <= x1; ++x) Write(row, x, y, color);
  }
};

// ---- interpolated attributes -------------------------------------------------------------------------------------

struct Attributes {
  double u = 0, v = 0;
  float z = 0, a = 0, r = 0, g = 0, b = 0, sr = 0, sg = 0, sb = 0;

  static Attributes Of(const ScreenVertex& s) { return {s.u, s.v, s.z, s.a, s.r, s.g, s.b, s.sr, s.sg, s.sb}; }
  void Add(const Attributes& d, double k = 1.0) {
    u += d.u * k;
    v += d.v * k;
    float kf = static_cast<float>(k);
    z += d.z * kf;
    a += d.a * kf;
    r += d.r * kf;
    g += d.g * kf;
    b += d.b * kf;
    sr += d.sr * kf;
    sg += d.sg * kf;
    sb += d.sb * kf;
  }
  static Attributes Difference(const Attributes& x, const Attributes& y) {
    Attributes d = x;
    d.Add(y, -1.0);
    return d;
  }
};

// Shades x0..x1 (inclusive) of row y, starting with the attributes at x0 and stepping by dx per pixel.
void ShadeRun(const Shader& s, int y, int x0, int x1, Attributes at, const Attributes& dx, uint32_t flatDiffuse,
              uint32_t flatSpecular) {
  const Pipeline& p = s.p;
  uint8_t* row = p.target->Row(y);
  for (int x = x0; x <= x1; ++x, at.Add(dx)) {
    uint32_t diffuse = p.flat ? flatDiffuse : PackFloat(at.a, at.r, at.g, at.b);
    uint32_t texel = s.textured ? s.sampler.Sample(at.u, at.v) : kWhite;
    uint32_t color = s.Combine(texel, diffuse);
    if (p.specular) color = AddSaturateRgb(color, p.flat ? flatSpecular : PackFloat(0, at.sr, at.sg, at.sb));
    if (!s.PassesAlphaTest(color) || !s.DepthPasses(x, y, at.z)) continue;
    s.Write(row, x, y, color);
  }
}

void Extend(Rect* touched, int x0, int y0, int x1, int y1) { *touched = Union(*touched, Rect{x0, y0, x1 + 1, y1 + 1}); }

bool UniformColor(const ScreenVertex* const* v, int n, bool specular) {
  for (int i = 1; i < n; ++i) {
    if (v[i]->diffuse != v[0]->diffuse) return false;
    if (specular && v[i]->specular != v[0]->specular) return false;
  }
  return true;
}

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
  bool constant = !shader.textured && !p.depth &&
                  (p.flat || UniformColor(v, 3, p.specular));
  // Flat shading takes the colours of the first vertex as given.
  uint32_t flatDiffuse = v0.diffuse, flatSpecular = v0.specular;
  uint32_t constantColor = shader.Combine(kWhite, flatDiffuse);
  if (p.specular) constantColor = AddSaturateRgb(constantColor, flatSpecular);

  int64_t yMin = std::min({Y[0], Y[1], Y[2]}), yMax = std::max({Y[0], Y[1], Y[2]});
  int rowFirst = static_cast<int>(std::max<int64_t>(CeilDiv(yMin, kSubpixels), p.scissor.top));
  int rowLast = static_cast<int>(std::min<int64_t>(FloorDiv(yMax, kSubpixels), p.scissor.bottom - 1));
  int minX = INT32_MAX, maxX = INT32_MIN, minY = INT32_MAX, maxY = INT32_MIN;
  for (int j = rowFirst; j <= rowLast; ++j) {
    int64_t lo = p.scissor.left, hi = p.scissor.right - 1;
    for (int k = 0; k < 3 && lo <= hi; ++k) {
      int b = (k + 1) % 3;
      int64_t dx = X[b] - X[k], dy = Y[b] - Y[k];
      int64_t bias = (dy < 0 || (dy == 0 && dx > 0)) ? 0 : 1;  // top and left edges own their pixels
      int64_t a = -kSubpixels * dy;
      int64_t c = dx * (static_cast<int64_t>(j) * kSubpixels - Y[k]) + dy * X[k];
      if (a > 0) {
        lo = std::max(lo, CeilDiv(bias - c, a));
      } else if (a < 0) {
        hi = std::min(hi, FloorDiv(c - bias, -a));
      } else if (c < bias) {
        hi = lo - 1;
      }
    }
    if (lo > hi) continue;
    int first = static_cast<int>(lo), last = static_cast<int>(hi);
    if (constant) {
      shader.FillRun(j, first, last, constantColor);
    } else {
      Attributes at = a0;
      at.Add(ddx, first - x0);
      at.Add(ddy, j - y0);
      ShadeRun(shader, j, first, last, at, ddx, flatDiffuse, flatSpecular);
    }
    minX = std::min(minX, first), maxX = std::max(maxX, last);
    minY = std::min(minY, j), maxY = std::max(maxY, j);
  }
  if (minX <= maxX) Extend(touched, minX, minY, maxX, maxY);
}

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
  bool constant = !shader.textured && !p.depth && (p.flat || UniformColor(ends, 2, p.specular));
  uint32_t constantColor = shader.Combine(kWhite, a.diffuse);
  if (p.specular) constantColor = AddSaturateRgb(constantColor, a.specular);

  bool forward = sb > sa;
  int64_t first = static_cast<int64_t>(std::floor(std::min(sa, sb))) - 1;
  int64_t last = static_cast<int64_t>(std::ceil(std::max(sa, sb))) + 1;
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
      ShadeRun(shader, y, x, x, at, Attributes{}, a.diffuse, a.specular);
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
  ShadeRun(shader, y, x, x, Attributes::Of(v), Attributes{}, v.diffuse, v.specular);
  Extend(touched, x, y, x, y);
}

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
  auto finish = [&](uint32_t color) { return p.specular ? AddSaturateRgb(color, v[0]->specular) : color; };

  if (!shader.textured) {
    uint32_t color = finish(shader.Combine(kWhite, diffuse));
    for (int64_t j = j0; j <= j1; ++j) shader.FillRun(static_cast<int>(j), static_cast<int>(i0), static_cast<int>(i1), color);
  } else {
    const Sampler& s = shader.sampler;
    bool unitStep = std::fabs(dudx * s.width - 1.0) < 1.0e-9 && std::fabs(dvdy * s.height - 1.0) < 1.0e-9;
    int64_t tx = TexelCoordinate(u0, s.width, s.linear), ty = TexelCoordinate(v0, s.height, s.linear);
    if (s.linear) {
      unitStep = unitStep && (tx & 255) == 0 && (ty & 255) == 0;
      tx >>= 8;
      ty >>= 8;
    }
    // One texel per pixel, inside the texture: read texel rows directly.
    bool direct = unitStep && s.direct32 && tx >= 0 && tx + (i1 - i0) < s.width && ty >= 0 &&
                  ty + (j1 - j0) < s.height;
    for (int64_t j = j0; j <= j1; ++j) {
      int y = static_cast<int>(j);
      uint8_t* row = p.target->Row(y);
      if (direct) {
        const uint32_t* texels = reinterpret_cast<const uint32_t*>(s.texture->Row(static_cast<int>(ty + j - j0))) + tx;
        for (int64_t i = i0; i <= i1; ++i) {
          uint32_t color = finish(shader.Combine(texels[i - i0] | s.alphaOr, diffuse));
          if (shader.PassesAlphaTest(color)) shader.Write(row, static_cast<int>(i), y, color);
        }
      } else {
        double vRow = v0 + (j - j0) * dvdy;
        for (int64_t i = i0; i <= i1; ++i) {
          uint32_t color = finish(shader.Combine(s.Sample(u0 + (i - i0) * dudx, vRow), diffuse));
          if (shader.PassesAlphaTest(color)) shader.Write(row, static_cast<int>(i), y, color);
        }
      }
    }
  }
  Extend(touched, static_cast<int>(i0), static_cast<int>(j0), static_cast<int>(i1), static_cast<int>(j1));
  return true;
}

}  // namespace gfx::raster
