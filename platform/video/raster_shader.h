// The per-pixel work of the rasteriser, resolved once per primitive: texture stage, alpha test, depth test, blending
// and the writes to the two display formats; the attributes interpolated across a primitive.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/video/device.h"
#include "platform/video/pixel_math.h"
#include "platform/video/raster.h"
#include "platform/video/raster_numbers.h"
#include "platform/video/raster_sampler.h"
#include "platform/video/span_kernels.h"

namespace platform::video::raster {

inline uint32_t Argument(uint32_t arg, uint32_t texel, uint32_t diffuse, uint32_t factor) {
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

inline uint32_t Operation(uint32_t op, uint32_t a1, uint32_t a2) {
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

inline bool CompareDepth(uint32_t func, float z, float stored) {
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

inline uint32_t Factor(uint32_t kind, uint32_t srcChannel, uint32_t srcAlpha) {
  switch (kind) {
    case blend::kZero: return 0;
    case blend::kSrcColor: return srcChannel;
    case blend::kInvSrcColor: return 255 - srcChannel;
    case blend::kSrcAlpha: return srcAlpha;
    case blend::kInvSrcAlpha: return 255 - srcAlpha;
    default: return 255;  // ONE
  }
}

inline uint32_t BlendGeneric(uint32_t src, uint32_t dst, uint32_t srcKind, uint32_t dstKind) {
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

inline bool ReadsCurrentOrDiffuse(uint32_t arg) {
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

// Shades x0..x1 (inclusive) of row y, starting with the attributes at x0 and stepping by dx per pixel. With uniform
// colour the given diffuse and specular colours hold for every pixel.
template <bool kUniform, bool kTextured>
void ShadeRunWith(const Shader& s, int y, int x0, int x1, Attributes at, const Attributes& dx, uint32_t diffuse,
                  uint32_t specular);

inline void ShadeRun(const Shader& s, int y, int x0, int x1, const Attributes& at, const Attributes& dx,
                     bool uniform, uint32_t diffuse, uint32_t specular) {
  if (uniform) {
    s.textured ? ShadeRunWith<true, true>(s, y, x0, x1, at, dx, diffuse, specular)
               : ShadeRunWith<true, false>(s, y, x0, x1, at, dx, diffuse, specular);
  } else {
    s.textured ? ShadeRunWith<false, true>(s, y, x0, x1, at, dx, diffuse, specular)
               : ShadeRunWith<false, false>(s, y, x0, x1, at, dx, diffuse, specular);
  }
}

inline void Extend(Rect* touched, int x0, int y0, int x1, int y1) {
  *touched = Union(*touched, Rect{x0, y0, x1 + 1, y1 + 1});
}

inline bool UniformColor(const ScreenVertex* const* v, int n, bool specular) {
  for (int i = 1; i < n; ++i) {
    if (v[i]->diffuse != v[0]->diffuse) return false;
    if (specular && v[i]->specular != v[0]->specular) return false;
  }
  return true;
}

}  // namespace platform::video::raster
