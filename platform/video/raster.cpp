#include "platform/video/raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/video/device.h"
#include "platform/video/pixel_math.h"
#include "platform/video/span_kernels.h"

namespace platform::video::raster {

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr int kSubpixelBits = 4;
constexpr int kSubpixels = 1 << kSubpixelBits;
constexpr float kCoordinateLimit = 1.0e6f;

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

// std::llround without the library call: t - trunc(t) is exact, so halves round away from zero as there.
ALWAYS_INLINE int64_t RoundToInt(double t) {
  auto whole = static_cast<int64_t>(t);
  double fraction = t - static_cast<double>(whole);
  return whole + (fraction >= 0.5) - (fraction <= -0.5);
}

int64_t FloorDiv(int64_t n, int64_t d) { return n >= 0 ? n / d : -((-n + d - 1) / d); }
int64_t CeilDiv(int64_t n, int64_t d) { return -FloorDiv(-n, d); }

bool Usable(float v) { return std::isfinite(v) && std::fabs(v) < kCoordinateLimit; }
int64_t Fixed(float v) { return RoundToInt(static_cast<double>(v) * kSubpixels); }

// ---- texture sampling -------------------------------------------------------------------------------------------

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

// Texel coordinate of u on an axis of size n, stepped along a run by dudx per pixel: point sampling gives
// floor(u n); linear gives u n - 0.5 with 8 fractional bits. Kept in fixed point with 16 further fractional bits; a
// tiny bias keeps exact texel centres from falling one step short through rounding.
struct TexelStep {
  int64_t value, step;

  TexelStep(double u, double dudx, int n, bool linear) {
    double start = linear ? (u * n - 0.5) * 256.0 : u * n;
    value = ToFixed(start + 1.0e-6);
    step = ToFixed(dudx * n * (linear ? 256.0 : 1.0));
  }
  // A coordinate that is not a number reads as 0.
  static int64_t ToFixed(double t) { return std::isnan(t) ? 0 : RoundToInt(std::clamp(t, -1.0e12, 1.0e12) * 65536.0); }
  ALWAYS_INLINE int64_t Current() const { return value >> 16; }
  ALWAYS_INLINE void Next() { value += step; }
};

struct Sampler {
  const Surface* texture = nullptr;
  int width = 0, height = 0;
  bool linear = false;
  bool direct32 = false;  // A8R8G8B8 or X8R8G8B8: read words directly
  uint32_t alphaOr = 0;   // 0xFF000000 for formats without alpha bits
  uint32_t addressU = address::kWrap, addressV = address::kWrap;

  const uint8_t* base = nullptr;  // first row of a 32-bit texture
  int pitch = 0;

  ALWAYS_INLINE uint32_t Texel(int x, int y) const {
    if (direct32) return reinterpret_cast<const uint32_t*>(texture->Row(y))[x] | alphaOr;
    return texture->Pixel(x, y);
  }

  // The four texels around a linear sample at tx, ty (as TexelStep gives them): left and right of the upper row,
  // then of the lower row.
  ALWAYS_INLINE void Corners(int64_t tx, int64_t ty, uint32_t* c00, uint32_t* c10, uint32_t* c01, uint32_t* c11) const {
    int64_t left = tx >> 8, top = ty >> 8;
    if (Inside(tx, ty)) {
      const uint32_t* upper = &InsideTexel(left, top);
      const uint32_t* lower = &InsideTexel(left, top + 1);
      *c00 = upper[0] | alphaOr, *c10 = upper[1] | alphaOr, *c01 = lower[0] | alphaOr, *c11 = lower[1] | alphaOr;
      return;
    }
    int x0 = Address(left, width, addressU), y0 = Address(top, height, addressV);
    int x1 = Address(left + 1, width, addressU), y1 = Address(top + 1, height, addressV);
    *c00 = Texel(x0, y0), *c10 = Texel(x1, y0), *c01 = Texel(x0, y1), *c11 = Texel(x1, y1);
  }

  // tx, ty as TexelStep gives them.
  ALWAYS_INLINE uint32_t SampleAt(int64_t tx, int64_t ty) const {
    if (!linear) return Texel(Address(tx, width, addressU), Address(ty, height, addressV));
    uint32_t c00, c10, c01, c11;
    Corners(tx, ty, &c00, &c10, &c01, &c11);
    return Bilinear(c00, c10, c01, c11, tx & 255, ty & 255);
  }

  // The samples of n pixels stepping along tu, tv, into colors. Coordinates move linearly along a run, so the
  // samples that need no addressing form one stretch of it: that stretch goes to the kernels whole and only the
  // samples before and after it, at the texture's edges, take the scalar path.
  void SampleRun(TexelStep* tu, TexelStep* tv, int n, const SpanKernels& kernels, BilinearTaps* taps,
                 uint32_t* colors) const {
    int head = direct32 ? OutsideAtStart(*tu, *tv, n) : n;
    int tail = head < n ? OutsideAtEnd(*tu, *tv, n, n - head) : 0;
    int middle = n - head - tail;
    SampleScalar(tu, tv, head, kernels, taps, colors);
    if (middle > 0) {
      kernels.sampleAffine({base, pitch, tu->value, tv->value, tu->step, tv->step, alphaOr, linear}, middle,
                           colors + head);
      tu->value += middle * tu->step, tv->value += middle * tv->step;
    }
    SampleScalar(tu, tv, tail, kernels, taps, colors + head + middle);
  }

  // How many of the first samples of a run (at most n) need addressing.
  int OutsideAtStart(TexelStep u, TexelStep v, int n) const {
    int count = 0;
    for (; count < n && !Inside(u.Current(), v.Current()); ++count) u.Next(), v.Next();
    return count;
  }

  // How many of the last samples of a run of n (at most limit) need addressing.
  int OutsideAtEnd(TexelStep u, TexelStep v, int n, int limit) const {
    u.value += (n - 1) * u.step, v.value += (n - 1) * v.step;
    int count = 0;
    for (; count < limit && !Inside(u.Current(), v.Current()); ++count) u.value -= u.step, v.value -= v.step;
    return count;
  }

  // Samples with addressing, one by one. Works on copies of the sampler and the steps: the stores into colors
  // and taps could otherwise alias them.
  void SampleScalar(TexelStep* tu, TexelStep* tv, int n, const SpanKernels& kernels, BilinearTaps* taps,
                    uint32_t* colors) const {
    if (n == 0) return;
    const Sampler s = *this;
    TexelStep u = *tu, v = *tv;
    if (!linear) {
      for (int k = 0; k < n; ++k, u.Next(), v.Next()) colors[k] = s.SampleAt(u.Current(), v.Current());
    } else {
      for (int k = 0; k < n; ++k, u.Next(), v.Next()) {
        int64_t tx = u.Current(), ty = v.Current();
        s.Corners(tx, ty, &taps->c00[k], &taps->c10[k], &taps->c01[k], &taps->c11[k]);
        taps->wx[k] = static_cast<uint32_t>(tx & 255) * 0x01010101u;
        taps->wy[k] = static_cast<uint32_t>(ty & 255) * 0x01010101u;
      }
      kernels.bilinear(*taps, n, colors);
    }
    *tu = u, *tv = v;
  }

  // Whether a sample at tx, ty (as TexelStep gives them) reads only texels of a 32-bit texture inside it.
  ALWAYS_INLINE bool Inside(int64_t tx, int64_t ty) const {
    if (!direct32) return false;
    if (!linear) return tx >= 0 && tx < width && ty >= 0 && ty < height;
    int64_t left = tx >> 8, top = ty >> 8;
    return left >= 0 && left + 1 < width && top >= 0 && top + 1 < height;
  }
  ALWAYS_INLINE const uint32_t& InsideTexel(int64_t x, int64_t y) const {
    return reinterpret_cast<const uint32_t*>(base + y * pitch)[x];
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
  s.base = level->Row(0);
  s.pitch = level->Pitch();
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

enum class BlendKind { kReplace, kAlpha, kAdditive, kGeneric };
enum class CombineKind { kTextureTimesDiffuse, kGeneric };

bool ReadsCurrentOrDiffuse(uint32_t arg) {
  uint32_t sel = arg & ta::kSelectMask;
  return (sel == ta::kCurrent || sel == ta::kDiffuse) && (arg & ~ta::kSelectMask) == 0;
}

// Direct access to the two display formats; other formats go through the generic mask conversion.
struct Argb32Pixels {
  using Word = uint32_t;
  ALWAYS_INLINE static uint32_t Load(Word w) { return w; }
  ALWAYS_INLINE static Word Store(uint32_t c) { return c; }
};
struct Rgb565Pixels {
  using Word = uint16_t;
  // The same truncation and left-shifted read-back as PackColor / UnpackColor.
  ALWAYS_INLINE static uint32_t Load(Word w) {
    return 0xFF000000 | (w & 0xF800u) << 8 | (w & 0x07E0u) << 5 | (w & 0x001Fu) << 3;
  }
  ALWAYS_INLINE static Word Store(uint32_t c) {
    return static_cast<Word>((c >> 8 & 0xF800) | (c >> 5 & 0x07E0) | (c >> 3 & 0x001F));
  }
};

// Everything the per-pixel work needs, resolved once per primitive.
struct Shader {
  const Pipeline& p;
  Sampler sampler;
  bool textured;
  CombineKind combine;
  BlendKind blendKind;
  bool argb32;
  bool rgb565;
  // Set when the row kernels can write uniformly coloured runs: an A8R8G8B8 target without depth, one of the three
  // common blends, and an alpha test that passes alpha at or above spanAlphaRef.
  void (*spanWrite)(uint32_t* dst, const uint32_t* src, int n, uint32_t orMask, uint32_t ref) = nullptr;
  uint32_t spanAlphaRef = 0;
  const SpanKernels& kernels = BestKernels();

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
    rgb565 = p.target->Format() == kR5G6B5;
    uint32_t alphaFunc = p.alphaTest ? p.alphaFunc : cmp::kAlways;
    if (argb32 && !p.depth && blendKind != BlendKind::kGeneric &&
        (alphaFunc == cmp::kAlways || alphaFunc == cmp::kGreaterEqual)) {
      spanWrite = kernels.write[static_cast<int>(blendKind)];
      spanAlphaRef = alphaFunc == cmp::kGreaterEqual ? p.alphaRef : 0;
    }
  }

  // Turns n texels into output colours in place for a uniform diffuse and specular colour.
  void CombineSpan(uint32_t* colors, int n, uint32_t diffuse, uint32_t specular) const {
    if (combine == CombineKind::kTextureTimesDiffuse) {
      if (diffuse != kWhite) kernels.modulate(colors, n, diffuse);
    } else {
      for (int k = 0; k < n; ++k) colors[k] = Combine(colors[k], diffuse);
    }
    if (p.specular)
      for (int k = 0; k < n; ++k) colors[k] = AddSaturateRgb(colors[k], specular);
  }

  // Texels, orMask ORed into each, combined with uniform colours and written to dst (spanWrite must be set).
  void WriteSpan(uint32_t* dst, const uint32_t* texels, int n, uint32_t orMask, uint32_t diffuse,
                 uint32_t specular) const {
    if (combine == CombineKind::kTextureTimesDiffuse && diffuse == kWhite && !p.specular) {
      spanWrite(dst, texels, n, orMask, spanAlphaRef);
      return;
    }
    uint32_t colors[kSpanChunk];
    for (int done = 0; done < n; done += kSpanChunk) {
      int m = std::min(kSpanChunk, n - done);
      for (int k = 0; k < m; ++k) colors[k] = texels[done + k] | orMask;
      CombineSpan(colors, m, diffuse, specular);
      spanWrite(dst + done, colors, m, 0, spanAlphaRef);
    }
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
    if (rgb565) {
      uint16_t* px = reinterpret_cast<uint16_t*>(row) + x;
      *px = Rgb565Pixels::Store(Blend(color, Rgb565Pixels::Load(*px)));
      return;
    }
    const PixelFormat& f = p.target->Format();
    uint32_t dst = blendKind == BlendKind::kReplace ? 0 : p.target->Pixel(x, y);
    p.target->SetRawPixel(x, y, PackColor(f, Blend(color, dst)));
  }

  // Writes x0..x1 of row y (no depth test) with the colours colorAt(k), k = 0, 1, ... in order.
  template <typename ColorAt>
  ALWAYS_INLINE void WriteRow(uint8_t* row, int y, int x0, int x1, ColorAt colorAt) const {
    if (argb32) return WriteRowAs<Argb32Pixels>(reinterpret_cast<uint32_t*>(row), x0, x1, colorAt);
    if (rgb565) return WriteRowAs<Rgb565Pixels>(reinterpret_cast<uint16_t*>(row), x0, x1, colorAt);
    for (int x = x0; x <= x1; ++x)
      if (uint32_t c = colorAt(x - x0); PassesAlphaTest(c)) Write(row, x, y, c);
  }

  template <typename Pixels, typename ColorAt>
  ALWAYS_INLINE void WriteRowAs(typename Pixels::Word* px, int x0, int x1, ColorAt& colorAt) const {
    switch (blendKind) {
      case BlendKind::kReplace: return Store<Pixels>(px, x0, x1, colorAt, [](uint32_t s, uint32_t) { return s; });
      case BlendKind::kAlpha: return Store<Pixels>(px, x0, x1, colorAt, BlendAlpha);
      case BlendKind::kAdditive: return Store<Pixels>(px, x0, x1, colorAt, BlendAdditive);
      default:
        return Store<Pixels>(px, x0, x1, colorAt,
                             [this](uint32_t s, uint32_t d) { return BlendGeneric(s, d, p.srcBlend, p.destBlend); });
    }
  }

  // Pipeline fields are read into locals first: the stores into the row could otherwise alias them.
  template <typename Pixels, typename ColorAt, typename BlendOp>
  ALWAYS_INLINE void Store(typename Pixels::Word* px, int x0, int x1, ColorAt& colorAt, BlendOp blendOp) const {
    const uint32_t func = p.alphaTest ? p.alphaFunc : cmp::kAlways, ref = p.alphaRef;
    auto put = [&](int x, uint32_t c) __attribute__((always_inline)) {
      px[x] = Pixels::Store(blendOp(c, Pixels::Load(px[x])));
    };
    if (func == cmp::kAlways) {
      for (int x = x0; x <= x1; ++x) put(x, colorAt(x - x0));
    } else if (func == cmp::kGreaterEqual) {
      for (int x = x0; x <= x1; ++x)
        if (uint32_t c = colorAt(x - x0); (c >> 24) >= ref) put(x, c);
    } else {
      for (int x = x0; x <= x1; ++x)
        if (uint32_t c = colorAt(x - x0); Compare(func, c >> 24, ref)) put(x, c);
    }
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
    if (rgb565 && !p.depth && replaces) {
      std::fill(reinterpret_cast<uint16_t*>(row) + x0, reinterpret_cast<uint16_t*>(row) + x1 + 1,
                Rgb565Pixels::Store(color));
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

// A textured run of uniform colour through the row kernels, a chunk at a time.
void ShadeSpan(const Shader& s, uint32_t* row, int x0, int x1, TexelStep tu, TexelStep tv, uint32_t diffuse,
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

// Shades x0..x1 (inclusive) of row y, starting with the attributes at x0 and stepping by dx per pixel. With uniform
// colour the given diffuse and specular colours hold for every pixel.
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

void ShadeRun(const Shader& s, int y, int x0, int x1, const Attributes& at, const Attributes& dx, bool uniform,
              uint32_t diffuse, uint32_t specular) {
  if (uniform) {
    s.textured ? ShadeRunWith<true, true>(s, y, x0, x1, at, dx, diffuse, specular)
               : ShadeRunWith<true, false>(s, y, x0, x1, at, dx, diffuse, specular);
  } else {
    s.textured ? ShadeRunWith<false, true>(s, y, x0, x1, at, dx, diffuse, specular)
               : ShadeRunWith<false, false>(s, y, x0, x1, at, dx, diffuse, specular);
  }
}

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

void Extend(Rect* touched, int x0, int y0, int x1, int y1) { *touched = Union(*touched, Rect{x0, y0, x1 + 1, y1 + 1}); }

bool UniformColor(const ScreenVertex* const* v, int n, bool specular) {
  for (int i = 1; i < n; ++i) {
    if (v[i]->diffuse != v[0]->diffuse) return false;
    if (specular && v[i]->specular != v[0]->specular) return false;
  }
  return true;
}

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
