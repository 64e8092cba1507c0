#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "platform/video/device.h"

namespace platform::video {
namespace {

TLVertex Tl(float x, float y, uint32_t color, float u = 0, float v = 0) { return {x, y, 0.1f, 0.5f, color, 0, u, v}; }

struct Canvas {
  std::shared_ptr<Surface> target;
  Device device;

  explicit Canvas(int w = 24, int h = 24, uint32_t clear = 0xFF000000, const PixelFormat& format = kA8R8G8B8)
      : target(std::make_shared<Surface>(w, h, format, caps::k3DDevice)), device(target) {
    target->ColorFill(nullptr, PackColor(format, clear));
    target->TakeDirty();
    device.SetRenderState(rs::kCullMode, cull::kNone);
    // As the display sets up a fresh device: alpha from texture times diffuse.
    device.SetTextureStageState(0, tss::kAlphaOp, top::kModulate);
  }

  void Blending(uint32_t src, uint32_t dst) {
    device.SetRenderState(rs::kAlphaBlendEnable, 1);
    device.SetRenderState(rs::kSrcBlend, src);
    device.SetRenderState(rs::kDestBlend, dst);
  }

  // Corners in fan order: top-left, top-right, bottom-right, bottom-left.
  static std::vector<TLVertex> Corners(float x0, float y0, float x1, float y1, uint32_t color, float u0 = 0,
                                       float v0 = 0, float u1 = 1, float v1 = 1) {
    return {Tl(x0, y0, color, u0, v0), Tl(x1, y0, color, u1, v0), Tl(x1, y1, color, u1, v1), Tl(x0, y1, color, u0, v1)};
  }
  // As a fan (the rectangle path) or as a triangle list the rectangle path does not take.
  void Quad(const std::vector<TLVertex>& c, bool asTriangles = false) {
    if (asTriangles) {
      TLVertex list[6] = {c[0], c[1], c[2], c[2], c[3], c[0]};
      ASSERT_EQ(device.DrawPrimitive(prim::kTriangleList, fvf::kTLVertex, list, 6), kOk);
    } else {
      ASSERT_EQ(device.DrawPrimitive(prim::kTriangleFan, fvf::kTLVertex, c.data(), 4), kOk);
    }
  }
  uint32_t At(int x, int y) const { return target->Pixel(x, y); }
  // Bounding box of the pixels that differ from value.
  Rect Changed(uint32_t value) const {
    Rect box;
    for (int y = 0; y < target->Height(); ++y)
      for (int x = 0; x < target->Width(); ++x)
        if (At(x, y) != value) box = Union(box, Rect{x, y, x + 1, y + 1});
    return box;
  }
  int Count(uint32_t value) const {
    int n = 0;
    for (int y = 0; y < target->Height(); ++y)
      for (int x = 0; x < target->Width(); ++x) n += At(x, y) == value;
    return n;
  }
};

std::shared_ptr<Surface> MakeTexture(int w, int h, const std::vector<uint32_t>& argb,
                                     const PixelFormat& format = kA8R8G8B8) {
  auto t = std::make_shared<Surface>(w, h, format, caps::kTexture);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) t->SetRawPixel(x, y, PackColor(format, argb[y * w + x]));
  return t;
}

TEST(RasterTest, TopLeftRuleCoversHalfOpenRectangles) {
  struct Case {
    float x0, y0, x1, y1;
    Rect pixels;
  };
  const Case cases[] = {
      {1, 1, 3, 3, {1, 1, 3, 3}},
      {0.5f, 0.5f, 2.5f, 2.5f, {1, 1, 3, 3}},
      {0.6f, 0.4f, 2.4f, 2.6f, {1, 1, 3, 3}},
      {-0.5f, -0.5f, 3.5f, 1.5f, {0, 0, 4, 2}},
      {2.1f, 2.1f, 2.9f, 2.9f, {}},
      {-10, 20, 40, 40, {0, 20, 24, 24}},
  };
  for (const Case& c : cases) {
    for (bool triangles : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1 << " tri " << triangles);
      Canvas canvas;
      canvas.Quad(Canvas::Corners(c.x0, c.y0, c.x1, c.y1, 0xFFFFFFFF), triangles);
      EXPECT_EQ(canvas.Changed(0xFF000000), c.pixels);
      EXPECT_EQ(canvas.Count(0xFFFFFFFF), c.pixels.Width() * c.pixels.Height() * !c.pixels.Empty());
      std::vector<Rect> dirty = canvas.target->TakeDirty();
      EXPECT_EQ(dirty, c.pixels.Empty() ? std::vector<Rect>{} : std::vector<Rect>{c.pixels});
    }
  }
}

// Fans around a centre: inside the rim every pixel is drawn once, never twice along a shared edge. Vertices snapped
// to whole pixels put pixel centres exactly on edges on many rows.
TEST(RasterTest, SharedEdgesDrawEachPixelExactlyOnce) {
  struct Case {
    float cx, cy, radius;
    int spokes;
    bool snapped;
  };
  const Case cases[] = {{10.3f, 9.7f, 7.0f, 8, false}, {12, 12, 11, 7, true}, {12, 11, 10.5f, 13, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.spokes << " spokes" << (c.snapped ? ", snapped" : ""));
    Canvas canvas(24, 24, 0x00000000);
    canvas.Blending(blend::kOne, blend::kOne);
    std::vector<TLVertex> fan{Tl(c.cx, c.cy, 0x01010101)};
    for (int k = 0; k <= c.spokes; ++k) {
      float angle = k * 2 * 3.14159265f / c.spokes;
      float x = c.cx + c.radius * std::cos(angle), y = c.cy + c.radius * std::sin(angle);
      if (c.snapped) x = std::round(x), y = std::round(y);
      fan.push_back(Tl(x, y, 0x01010101));
    }
    fan.back() = fan[1];
    ASSERT_EQ(canvas.device.DrawPrimitive(prim::kTriangleFan, fvf::kTLVertex, fan.data(), fan.size()), kOk);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) {
        uint32_t p = canvas.At(x, y);
        EXPECT_TRUE(p == 0 || p == 0x01010101) << x << "," << y << " " << std::hex << p;
        if (std::hypot(x - c.cx, y - c.cy) < c.radius * 0.6f) {
          EXPECT_EQ(p, 0x01010101u) << x << "," << y;
        }
      }
  }
}

// Also with the corners a hair off the half-pixel grid, as the 2-D projection's float arithmetic leaves them: no
// neighbouring texel may blend in, so the texels alternate between dark and light to show the least blend.
TEST(RasterTest, TexturedQuadAtHalfTexelOffsetMapsTexelsOneToOne) {
  std::vector<uint32_t> texels;
  for (int i = 0; i < 16; ++i) texels.push_back((i + i / 4) % 2 ? 0xFFF0E0D0 - i : 0xFF000000 + i * 0x0F0D0B);
  auto texture = MakeTexture(4, 4, texels);
  for (uint32_t filterMode : {filter::kPoint, filter::kLinear}) {
    for (bool triangles : {false, true}) {
      for (float hair : {0.0f, 2.0e-5f, -2.0e-5f}) {
        SCOPED_TRACE(testing::Message() << "filter " << filterMode << " tri " << triangles << " hair " << hair);
        Canvas canvas;
        canvas.device.SetTexture(0, texture);
        canvas.device.SetTextureStageState(0, tss::kMagFilter, filterMode);
        canvas.device.SetTextureStageState(0, tss::kMinFilter, filterMode);
        canvas.Quad(Canvas::Corners(7.5f + hair, 9.5f + hair, 11.5f + hair, 13.5f + hair, 0xFFFFFFFF), triangles);
        for (int y = 0; y < 4; ++y)
          for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.At(8 + x, 10 + y), texels[y * 4 + x]) << x << "," << y;
        EXPECT_EQ(canvas.Changed(0xFF000000), (Rect{8, 10, 12, 14}));
      }
    }
  }
}

TEST(RasterTest, BilinearFilteringWeighsWithEightFractionalBits) {
  auto texture = MakeTexture(2, 2, {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF});
  const uint32_t expected[4] = {0xFF000000, 0xFF404040, 0xFFBFBFBF, 0xFFFFFFFF};
  for (bool triangles : {false, true}) {
    Canvas canvas(4, 1);
    canvas.device.SetTexture(0, texture);
    canvas.device.SetTextureStageState(0, tss::kMagFilter, filter::kLinear);
    canvas.device.SetTextureStageState(0, tss::kAddressU, address::kClamp);
    canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 3.5f, 0.5f, 0xFFFFFFFF, 0, 0.25f, 1, 0.25f), triangles);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.At(x, 0), expected[x]) << x << std::hex << " " << canvas.At(x, 0);
  }
}

TEST(RasterTest, RectanglePathMatchesTheTrianglePath) {
  std::vector<uint32_t> texels;
  for (int i = 0; i < 64; ++i) texels.push_back((i * 37u % 256) << 24 | i * 0x030507u);
  auto texture = MakeTexture(8, 8, texels);
  struct Case {
    float x0, y0, x1, y1;
    uint32_t color, filterMode, addressMode;
  };
  const Case cases[] = {
      {1.3f, 2.2f, 18.9f, 15.1f, 0xFFFFFFFF, filter::kLinear, address::kClamp},
      {0.5f, 0.5f, 4.5f, 4.5f, 0x80FF8040, filter::kLinear, address::kWrap},
      {-3.5f, 1.5f, 12.5f, 17.5f, 0xC0FFFFFF, filter::kPoint, address::kMirror},
  };
  for (const Case& c : cases) {
    Canvas fast, general;
    for (Canvas* canvas : {&fast, &general}) {
      canvas->Blending(blend::kSrcAlpha, blend::kInvSrcAlpha);
      canvas->device.SetTexture(0, texture);
      for (uint32_t state : {tss::kMagFilter, tss::kMinFilter}) canvas->device.SetTextureStageState(0, state, c.filterMode);
      canvas->device.SetTextureStageState(0, tss::kAddressU, c.addressMode);
      canvas->device.SetTextureStageState(0, tss::kAddressV, c.addressMode);
      canvas->device.SetTextureStageState(0, tss::kAlphaOp, top::kModulate);
      canvas->Quad(Canvas::Corners(c.x0, c.y0, c.x1, c.y1, c.color, -0.2f, 0.1f, 1.3f, 1.0f), canvas == &general);
    }
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x) ASSERT_EQ(fast.At(x, y), general.At(x, y)) << x << "," << y;
  }
}

// Runs of one colour on A8R8G8B8 go through the row kernels when the alpha test is GREATEREQUAL; GREATER with the
// reference one lower passes the same pixels but takes the pixel-at-a-time way. Both must agree to the bit, as must
// the rectangle and triangle paths, on quads placed a hair off the pixel grid (as the 2-D projection leaves them),
// scaled, turned, longer than one kernel chunk, over every address mode and blend.
TEST(RasterTest, RowKernelsMatchThePerPixelPath) {
  std::vector<uint32_t> texels;
  for (int i = 0; i < 64; ++i) texels.push_back((i % 3 == 0 ? 0u : i % 3 == 1 ? 255u : i * 29u % 256) << 24 | i * 0x0B0705u);
  auto alphaTexture = MakeTexture(8, 8, texels), opaqueTexture = MakeTexture(8, 8, texels, kX8R8G8B8);
  struct Case {
    int width, height;
    float x0, y0, x1, y1, degrees;
    float u0, v0, u1, v1;
    uint32_t color, filterMode, addressMode, srcBlend, dstBlend;  // blend 0: off
    bool opaque;
  };
  const float hair = 2.0e-5f;
  const Case cases[] = {
      {24, 24, 3.5f + hair, 4.5f - hair, 11.5f + hair, 12.5f - hair, 0, 0, 0, 1, 1, 0xFFFFFFFF, filter::kLinear,
       address::kClamp, blend::kSrcAlpha, blend::kInvSrcAlpha, false},
      {24, 24, 3.5f + hair, 4.5f + hair, 9.5f + hair, 10.5f + hair, 0, 0.125f, 0.125f, 0.875f, 0.875f, 0x80FF8040,
       filter::kLinear, address::kClamp, blend::kSrcAlpha, blend::kOne, false},
      {24, 24, 3.5f - hair, 4.5f + hair, 11.5f, 12.5f + hair, 0, 0, 0, 1, 1, 0xFFFFFFFF, filter::kLinear,
       address::kClamp, 0, 0, true},
      {24, 24, 3.5f, 4.5f, 11.5f, 12.5f, 0, 0, 0, 1, 1, 0xFFFFFFFF, filter::kPoint, address::kWrap, blend::kSrcAlpha,
       blend::kInvSrcAlpha, true},
      {24, 24, 1.2f, 0.7f, 19.6f, 19.1f, 0, -0.3f, 0.2f, 1.4f, 1.1f, 0xFFFFFFFF, filter::kLinear, address::kWrap, 0, 0,
       false},
      {24, 24, 2.5f, 3.5f, 7.5f, 8.5f, 0, -0.5f, -0.5f, 1.5f, 1.5f, 0xC0FFFFFF, filter::kPoint, address::kMirror,
       blend::kSrcAlpha, blend::kOne, false},
      {300, 6, -0.5f + hair, 0.5f, 290.5f, 4.5f, 0, 0, 0, 36.25f, 0.5f, 0xFFFFFFFF, filter::kLinear, address::kWrap,
       blend::kSrcAlpha, blend::kInvSrcAlpha, false},
      {24, 24, 3, 3, 21, 21, 30, 0, 0, 1, 1, 0xFFFFFFFF, filter::kLinear, address::kClamp, blend::kSrcAlpha,
       blend::kInvSrcAlpha, false},
      {24, 24, 3, 3, 21, 21, 200, 0, 0, 1, 1, 0xC080FFFF, filter::kPoint, address::kClamp, blend::kSrcAlpha,
       blend::kInvSrcAlpha, true},
      {300, 24, 10, -40, 290, 60, 4, -1, 0, 2, 1, 0xFFFFFFFF, filter::kLinear, address::kMirror, blend::kSrcAlpha,
       blend::kOne, false},
      {64, 64, 2, 2, 62, 62, 20, 0.15f, 0.15f, 0.85f, 0.85f, 0xFFFFFFFF, filter::kLinear, address::kClamp,
       blend::kSrcAlpha, blend::kInvSrcAlpha, false},
      {64, 64, 2, 2, 62, 62, 250, 0.1f, 0.1f, 0.9f, 0.9f, 0x80FFFFFF, filter::kPoint, address::kWrap,
       blend::kSrcAlpha, blend::kOne, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "quad " << c.x0 << "," << c.y0 << " turned " << c.degrees);
    // Corners turned about the centre, in fan order.
    const float cx = (c.x0 + c.x1) / 2, cy = (c.y0 + c.y1) / 2, turn = c.degrees * 3.14159265f / 180;
    std::vector<TLVertex> corners = Canvas::Corners(c.x0, c.y0, c.x1, c.y1, c.color, c.u0, c.v0, c.u1, c.v1);
    if (c.degrees != 0) {
      for (TLVertex& v : corners) {
        float dx = v.x - cx, dy = v.y - cy;
        v.x = cx + dx * std::cos(turn) - dy * std::sin(turn);
        v.y = cy + dx * std::sin(turn) + dy * std::cos(turn);
      }
    }
    std::vector<std::unique_ptr<Canvas>> canvases;
    for (uint32_t alphaFunc : {cmp::kGreaterEqual, cmp::kGreater}) {
      for (bool triangles : {false, true}) {
        auto canvas = std::make_unique<Canvas>(c.width, c.height, 0xFF336699);
        Device& d = canvas->device;
        if (c.srcBlend) canvas->Blending(c.srcBlend, c.dstBlend);
        d.SetRenderState(rs::kAlphaTestEnable, 1);
        d.SetRenderState(rs::kAlphaFunc, alphaFunc);
        d.SetRenderState(rs::kAlphaRef, alphaFunc == cmp::kGreaterEqual ? 1 : 0);
        d.SetTexture(0, c.opaque ? opaqueTexture : alphaTexture);
        for (uint32_t state : {tss::kMagFilter, tss::kMinFilter}) d.SetTextureStageState(0, state, c.filterMode);
        d.SetTextureStageState(0, tss::kAddressU, c.addressMode);
        d.SetTextureStageState(0, tss::kAddressV, c.addressMode);
        canvas->Quad(corners, triangles);
        canvases.push_back(std::move(canvas));
      }
    }
    for (size_t i = 1; i < canvases.size(); ++i)
      for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
          ASSERT_EQ(canvases[i]->At(x, y), canvases[0]->At(x, y)) << "way " << i << " at " << x << "," << y;
    EXPECT_GT(canvases[0]->Changed(0xFF336699).Width(), 0);
  }
}

TEST(RasterTest, BlendFactorsFollowTheRoundedFormula) {
  struct Case {
    bool enabled;
    uint32_t src, dst, expected;
  };
  // Source 0x80C86432 over destination 0xFF2850FF.
  const Case cases[] = {
      {true, blend::kSrcAlpha, blend::kInvSrcAlpha, 0xBF785A98},
      {true, blend::kSrcAlpha, blend::kOne, 0xFF8C82FF},
      {true, blend::kZero, blend::kInvSrcColor, 0x7F0931CD},
      {true, blend::kZero, blend::kSrcColor, 0x801F1F32},
      {true, blend::kOne, blend::kOne, 0xFFF0B4FF},
      {true, blend::kZero, blend::kOne, 0xFF2850FF},
      {false, blend::kZero, blend::kOne, 0x80C86432},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.src << "/" << c.dst << " on " << c.enabled);
    for (bool triangles : {false, true}) {
      Canvas canvas(8, 8, 0xFF2850FF);
      if (c.enabled) canvas.Blending(c.src, c.dst);
      canvas.Quad(Canvas::Corners(1, 1, 5, 5, 0x80C86432), triangles);
      EXPECT_EQ(canvas.At(2, 2), c.expected) << std::hex << canvas.At(2, 2);
    }
  }
}

TEST(RasterTest, AlphaTestDropsPixelsBeforeBlending) {
  auto texture = MakeTexture(2, 1, {0x00FF0000, 0x01FF0000});
  struct Case {
    uint32_t func, ref, left, right;
  };
  const Case cases[] = {
      {cmp::kGreaterEqual, 1, 0xFF000000, 0x01FF0000},
      {cmp::kLess, 1, 0x00FF0000, 0xFF000000},
      {cmp::kNever, 0, 0xFF000000, 0xFF000000},
  };
  for (const Case& c : cases) {
    Canvas canvas(4, 4);
    canvas.device.SetTexture(0, texture);
    canvas.device.SetTextureStageState(0, tss::kAlphaOp, top::kSelectArg1);
    canvas.device.SetRenderState(rs::kAlphaTestEnable, 1);
    canvas.device.SetRenderState(rs::kAlphaFunc, c.func);
    canvas.device.SetRenderState(rs::kAlphaRef, c.ref);
    canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 1.5f, 0.5f, 0xFFFFFFFF));
    EXPECT_EQ(canvas.At(0, 0), c.left);
    EXPECT_EQ(canvas.At(1, 0), c.right);
  }
}

// The stage set-up of a coverage-mask pass: colour = replicated alpha, alpha = texture factor, added to black.
TEST(RasterTest, AlphaReplicateAndTextureFactorGiveACoverageMask) {
  auto texture = MakeTexture(3, 1, {0x40FF0000, 0xFF00FF00, 0x000000FF});
  for (bool textured : {true, false}) {
    Canvas canvas(4, 2);
    Device& d = canvas.device;
    canvas.Blending(blend::kSrcAlpha, blend::kOne);
    d.SetRenderState(rs::kTextureFactor, 0xFFFFFFFF);
    d.SetTextureStageState(0, tss::kColorArg1, (textured ? ta::kTexture : ta::kDiffuse) | ta::kAlphaReplicate);
    d.SetTextureStageState(0, tss::kColorOp, top::kSelectArg1);
    d.SetTextureStageState(0, tss::kAlphaArg1, ta::kTFactor);
    d.SetTextureStageState(0, tss::kAlphaOp, top::kSelectArg1);
    if (textured) {
      d.SetTexture(0, texture);
      canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 2.5f, 0.5f, 0x12345678));
      EXPECT_EQ(canvas.At(0, 0), 0xFF404040u);
      EXPECT_EQ(canvas.At(1, 0), 0xFFFFFFFFu);
      EXPECT_EQ(canvas.At(2, 0), 0xFF000000u);
    } else {
      canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 2.5f, 0.5f, 0x80123456));
      EXPECT_EQ(canvas.At(1, 0), 0xFF808080u);
    }
  }
}

TEST(RasterTest, NoTextureReadsWhiteAndTexturesWithoutAlphaReadOpaque) {
  Canvas canvas(4, 2, 0xFF000000);
  canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 0.5f, 0.5f, 0xFF336699));
  EXPECT_EQ(canvas.At(0, 0), 0xFF336699u);
  canvas.device.SetTexture(0, MakeTexture(1, 1, {0x00808080}, kX8R8G8B8));
  canvas.device.SetTextureStageState(0, tss::kAlphaOp, top::kModulate);
  canvas.Blending(blend::kSrcAlpha, blend::kInvSrcAlpha);
  canvas.Quad(Canvas::Corners(0.5f, -0.5f, 1.5f, 0.5f, 0xFFFFFFFF));
  EXPECT_EQ(canvas.At(1, 0), 0xFF808080u);
}

TEST(RasterTest, SixteenBitSurfacesTruncateAndReadBackShifted) {
  Canvas canvas(4, 4, 0xFF000000, kR5G6B5);
  canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 1.5f, 1.5f, 0xFF0F1F3F));
  EXPECT_EQ(canvas.target->RawPixel(1, 1), 0x08E7u);
  // Half-transparent white over black, untextured and textured: 0x80 in each channel, truncated.
  canvas.Blending(blend::kSrcAlpha, blend::kInvSrcAlpha);
  canvas.Quad(Canvas::Corners(1.5f, -0.5f, 2.5f, 0.5f, 0x80FFFFFF));
  EXPECT_EQ(canvas.target->RawPixel(2, 0), 0x8410u);
  canvas.device.SetTexture(0, MakeTexture(1, 1, {0x80FFFFFF}));
  canvas.Quad(Canvas::Corners(2.5f, -0.5f, 3.5f, 0.5f, 0xFFFFFFFF));
  EXPECT_EQ(canvas.target->RawPixel(3, 0), 0x8410u);
  canvas.device.SetTexture(0, nullptr);

  Canvas onto32(2, 1);
  onto32.device.SetTexture(0, MakeTexture(1, 1, {0xFFFFFFFF}, kA4R4G4B4));
  onto32.device.SetTextureStageState(0, tss::kAlphaOp, top::kSelectArg1);
  onto32.Quad(Canvas::Corners(-0.5f, -0.5f, 0.5f, 0.5f, 0xFFFFFFFF));
  EXPECT_EQ(onto32.At(0, 0), 0xF0F0F0F0u);
}

TEST(RasterTest, MinifiedDrawsPickTheMipLevelOnlyWithMipFiltering) {
  auto top = MakeTexture(8, 8, std::vector<uint32_t>(64, 0xFFFF0000));
  top->AttachMipLevel(MakeTexture(4, 4, std::vector<uint32_t>(16, 0xFF00FF00)));
  for (uint32_t mip : {filter::kMipNone, filter::kMipPoint}) {
    Canvas canvas(4, 4);
    canvas.device.SetTexture(0, top);
    canvas.device.SetTextureStageState(0, tss::kMipFilter, mip);
    canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 1.5f, 1.5f, 0xFFFFFFFF));
    EXPECT_EQ(canvas.At(1, 1), mip == filter::kMipNone ? 0xFFFF0000u : 0xFF00FF00u) << mip;
    // Magnified draws stay on the top level.
    canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 3.5f, 3.5f, 0xFFFFFFFF, 0, 0, 0.25f, 0.25f));
    EXPECT_EQ(canvas.At(3, 3), 0xFFFF0000u) << mip;
  }
}

TEST(RasterTest, TextureAddressModes) {
  auto texture = MakeTexture(2, 1, {0xFF0000AA, 0xFF0000BB});
  struct Case {
    uint32_t mode;
    uint32_t expected[4];
  };
  const Case cases[] = {
      {address::kWrap, {0xFF0000AA, 0xFF0000BB, 0xFF0000AA, 0xFF0000BB}},
      {address::kMirror, {0xFF0000BB, 0xFF0000AA, 0xFF0000AA, 0xFF0000BB}},
      {address::kClamp, {0xFF0000AA, 0xFF0000AA, 0xFF0000AA, 0xFF0000BB}},
  };
  for (const Case& c : cases) {
    for (bool triangles : {false, true}) {
      Canvas canvas(4, 1);
      canvas.device.SetTexture(0, texture);
      canvas.device.SetTextureStageState(0, tss::kAddressU, c.mode);
      canvas.Quad(Canvas::Corners(-0.5f, -0.5f, 3.5f, 0.5f, 0xFFFFFFFF, -1, 0, 1, 1), triangles);
      for (int x = 0; x < 4; ++x) EXPECT_EQ(canvas.At(x, 0), c.expected[x]) << "mode " << c.mode << " x " << x;
    }
  }
}

// A text run [s, e) on row j is drawn with the vector renderer's offsets: start and end -0.75, y +0.25.
TEST(RasterTest, LineRunsLightExactlyTheirPixels) {
  struct Case {
    int s, e, j;
  };
  const Case cases[] = {{3, 9, 2}, {0, 1, 0}, {5, 6, 7}, {-4, 30, 5}, {10, 10, 3}};
  for (const Case& c : cases) {
    for (bool reversed : {false, true}) {
      Canvas canvas(24, 8);
      TLVertex line[2] = {Tl(c.s - 0.75f, c.j + 0.25f, 0xFFFFFFFF), Tl(c.e - 0.75f, c.j + 0.25f, 0xFFFFFFFF)};
      if (reversed) std::swap(line[0], line[1]);
      ASSERT_EQ(canvas.device.DrawPrimitive(prim::kLineList, fvf::kTLVertex, line, 2), kOk);
      Rect expected = Intersect(Rect{c.s, c.j, c.e, c.j + 1}, Rect{0, 0, 24, 8});
      if (expected.Empty()) expected = {};
      EXPECT_EQ(canvas.Changed(0xFF000000), expected) << c.s << ".." << c.e;
      EXPECT_EQ(canvas.Count(0xFFFFFFFF), expected.Width() * expected.Height());
    }
  }
  // Diamond exit on a diagonal: the start point outside pixel (0, 0)'s diamond, the end beyond (4, 4)'s exit.
  Canvas canvas(8, 8);
  TLVertex diagonal[2] = {Tl(0.5f, 0.5f, 0xFFFFFFFF), Tl(4.5f, 4.5f, 0xFFFFFFFF)};
  canvas.device.DrawPrimitive(prim::kLineList, fvf::kTLVertex, diagonal, 2);
  EXPECT_EQ(canvas.Count(0xFFFFFFFF), 4);
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(canvas.At(i, i), 0xFFFFFFFFu);
}

TEST(RasterTest, EveryPrimitiveIsScissoredToTheViewport) {
  Canvas canvas(24, 24);
  ASSERT_EQ(canvas.device.SetViewport({4, 5, 8, 6}), kOk);
  canvas.Quad(Canvas::Corners(-100, -100, 100, 100, 0xFFFFFFFF), true);
  EXPECT_EQ(canvas.Changed(0xFF000000), (Rect{4, 5, 12, 11}));
  TLVertex line[2] = {Tl(-50, 12, 0xFFFF0000), Tl(50, 12, 0xFFFF0000)};
  canvas.device.DrawPrimitive(prim::kLineList, fvf::kTLVertex, line, 2);
  EXPECT_EQ(canvas.Count(0xFFFF0000), 0);
  EXPECT_EQ(canvas.target->TakeDirty(), std::vector<Rect>{(Rect{4, 5, 12, 11})});
  EXPECT_EQ(canvas.device.SetViewport({20, 0, 8, 8}), kInvalidParams);
  EXPECT_EQ(canvas.device.GetViewport().x, 4);
}

TEST(RasterTest, CullModesUseScreenWinding) {
  // Clockwise on screen (y down): top-left, top-right, bottom-left.
  TLVertex clockwise[3] = {Tl(0, 0, 0xFFFFFFFF), Tl(8, 0, 0xFFFFFFFF), Tl(0, 8, 0xFFFFFFFF)};
  TLVertex counter[3] = {clockwise[0], clockwise[2], clockwise[1]};
  struct Case {
    uint32_t mode;
    bool drawsClockwise, drawsCounter;
  };
  const Case cases[] = {{cull::kNone, true, true}, {cull::kClockwise, false, true}, {cull::kCounterClockwise, true, false}};
  for (const Case& c : cases) {
    Canvas a(8, 8), b(8, 8);
    a.device.SetRenderState(rs::kCullMode, c.mode);
    b.device.SetRenderState(rs::kCullMode, c.mode);
    a.device.DrawPrimitive(prim::kTriangleList, fvf::kTLVertex, clockwise, 3);
    b.device.DrawPrimitive(prim::kTriangleList, fvf::kTLVertex, counter, 3);
    EXPECT_EQ(a.Count(0xFFFFFFFF) > 0, c.drawsClockwise) << c.mode;
    EXPECT_EQ(b.Count(0xFFFFFFFF) > 0, c.drawsCounter) << c.mode;
  }
}

TEST(RasterTest, TransformedVerticesLandWhereThe2dProjectionPutsThem) {
  Canvas transformed(16, 16), direct(16, 16);
  std::vector<uint32_t> texels;
  for (int i = 0; i < 16; ++i) texels.push_back(0xFF000000 | i * 0x111111);
  auto texture = MakeTexture(4, 4, texels);
  // Viewport-relative 2-D coordinates with the texel offset -0.5, z passed through unchanged.
  const float t = -0.5f;
  Matrix ortho = OrthoOffCenterLH(0 - t, 16 - t, 16 - t, 0 - t, 0.1f, 1000.0f);
  ortho.m[2][2] = 1, ortho.m[2][3] = 0, ortho.m[3][2] = 0, ortho.m[3][3] = 1;
  transformed.device.SetTransform(transform::kProjection, ortho);
  LVertex quad[4] = {{2, 3, 0.1f, 0, 0xFFFFFFFF, 0, 0, 0},
                     {6, 3, 0.1f, 0, 0xFFFFFFFF, 0, 1, 0},
                     {6, 7, 0.1f, 0, 0xFFFFFFFF, 0, 1, 1},
                     {2, 7, 0.1f, 0, 0xFFFFFFFF, 0, 0, 1}};
  transformed.device.SetTexture(0, texture);
  ASSERT_EQ(transformed.device.DrawPrimitive(prim::kTriangleFan, fvf::kLVertex, quad, 4), kOk);
  direct.device.SetTexture(0, texture);
  direct.Quad(Canvas::Corners(1.5f, 2.5f, 5.5f, 6.5f, 0xFFFFFFFF));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(transformed.At(x, y), direct.At(x, y)) << x << "," << y;
  EXPECT_EQ(direct.At(2, 3), texels[0]);
}

TEST(RasterTest, UnlitMeshVerticesTakeAmbientTimesMaterial) {
  Canvas canvas(8, 8);
  Device& d = canvas.device;
  d.SetRenderState(rs::kAmbient, 0xFFFFFFFF);
  Material m;
  m.diffuse = {1, 1, 1, 1};
  m.ambient = {0.5f, 0.5f, 0.5f, 1};
  d.SetMaterial(m);
  Matrix ortho = OrthoOffCenterLH(-0.5f, 7.5f, 7.5f, -0.5f, 0, 1);
  d.SetTransform(transform::kProjection, ortho);
  Vertex tri[3] = {{0, 0, 0.5f, 0, 0, -1, 0, 0}, {8, 0, 0.5f, 0, 0, -1, 0, 0}, {0, 8, 0.5f, 0, 0, -1, 0, 0}};
  ASSERT_EQ(d.DrawPrimitive(prim::kTriangleList, fvf::kVertex, tri, 3), kOk);
  EXPECT_EQ(canvas.At(1, 1), 0xFF808080u);
}

TEST(RasterTest, DepthTestKeepsTheNearerSurface) {
  Canvas canvas(8, 8);
  auto depth = std::make_shared<Surface>(8, 8, PixelFormat{32, 0, 0, 0, 0}, caps::kZBuffer);
  canvas.target->AttachZBuffer(depth);
  canvas.device.SetRenderState(rs::kZEnable, 1);
  canvas.device.SetRenderState(rs::kZFunc, cmp::kLessEqual);
  auto near = Canvas::Corners(0, 0, 4, 4, 0xFFFF0000);
  for (auto& v : near) v.z = 0.2f;
  auto far = Canvas::Corners(2, 2, 6, 6, 0xFF00FF00);
  for (auto& v : far) v.z = 0.6f;
  canvas.Quad(near);
  canvas.Quad(far);
  EXPECT_EQ(canvas.At(3, 3), 0xFFFF0000u);
  EXPECT_EQ(canvas.At(5, 5), 0xFF00FF00u);
  EXPECT_FLOAT_EQ(depth->Depth(3)[3], 0.2f);
}

// Random primitives, states and formats: nothing is written outside the viewport (ASan watches the rest).
TEST(RasterTest, RandomPrimitivesStayInsideTheScissor) {
  std::mt19937 rng(1234);
  auto coordinate = [&] { return std::uniform_real_distribution<float>(-80.0f, 150.0f)(rng); };
  auto pick = [&](std::initializer_list<uint32_t> values) {
    return *(values.begin() + std::uniform_int_distribution<size_t>(0, values.size() - 1)(rng));
  };
  auto texture = MakeTexture(3, 5, std::vector<uint32_t>(15, 0x80FFFFFF), kA4R4G4B4);
  for (const PixelFormat* format : {&kA8R8G8B8, &kR5G6B5}) {
    Canvas canvas(64, 64, 0xFF000000, *format);
    Device& d = canvas.device;
    ASSERT_EQ(d.SetViewport({8, 8, 40, 40}), kOk);
    for (int n = 0; n < 400; ++n) {
      d.SetTexture(0, n % 3 ? texture : nullptr);
      d.SetTextureStageState(0, tss::kAddressU, pick({address::kWrap, address::kMirror, address::kClamp}));
      d.SetTextureStageState(0, tss::kMagFilter, pick({filter::kPoint, filter::kLinear}));
      d.SetRenderState(rs::kAlphaBlendEnable, n % 2);
      d.SetRenderState(rs::kDestBlend, pick({blend::kOne, blend::kInvSrcAlpha, blend::kSrcColor}));
      d.SetRenderState(rs::kShadeMode, pick({shade::kFlat, shade::kGouraud}));
      TLVertex v[6];
      for (TLVertex& vertex : v)
        vertex = Tl(coordinate(), coordinate(), static_cast<uint32_t>(rng()), coordinate() / 50, coordinate() / 50);
      uint32_t type = pick({prim::kPointList, prim::kLineList, prim::kLineStrip, prim::kTriangleList,
                            prim::kTriangleStrip, prim::kTriangleFan});
      ASSERT_EQ(d.DrawPrimitive(type, fvf::kTLVertex, v, n % 2 ? 4 : 6), kOk);
    }
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        bool outside = x < 8 || x >= 48 || y < 8 || y >= 48;
        if (outside) {
          ASSERT_EQ(canvas.At(x, y), 0xFF000000u) << x << "," << y;
        }
      }
    }
    for (const Rect& r : canvas.target->TakeDirty()) EXPECT_EQ(Intersect(r, Rect{8, 8, 48, 48}), r);
  }
}

TEST(RasterTest, BadInputDrawsNothingAndFailsCleanly) {
  Canvas canvas(8, 8);
  TLVertex bad[3] = {Tl(NAN, 0, 0xFFFFFFFF), Tl(1e30f, 0, 0xFFFFFFFF), Tl(0, INFINITY, 0xFFFFFFFF)};
  EXPECT_EQ(canvas.device.DrawPrimitive(prim::kTriangleList, fvf::kTLVertex, bad, 3), kOk);
  EXPECT_EQ(canvas.device.DrawPrimitive(prim::kTriangleList, 0x42, bad, 3), kInvalidParams);
  EXPECT_EQ(canvas.device.DrawPrimitive(prim::kTriangleList, fvf::kTLVertex, nullptr, 3), kInvalidParams);
  EXPECT_EQ(canvas.device.DrawPrimitive(prim::kTriangleList, fvf::kTLVertex, bad, 2), kOk);
  canvas.device.FailDraws(1);
  EXPECT_EQ(canvas.device.DrawPrimitive(prim::kTriangleList, fvf::kTLVertex, bad, 3), kOutOfVideoMemory);
  EXPECT_EQ(canvas.Count(0xFF000000), 64);
}

}  // namespace
}  // namespace platform::video
