// The drawing device: render states, texture stage 0, transforms, viewport, render target and primitive drawing
// with Direct3D 7 conventions (pixel centres at integer coordinates, top-left fill rule, diamond-exit lines).
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <vector>

#include "platform/video/raster.h"
#include "platform/video/surface.h"
#include "platform/video/video.h"

namespace platform::video {

namespace rs {  // render states
constexpr uint32_t kAntialias = 2;
constexpr uint32_t kZEnable = 7;
constexpr uint32_t kShadeMode = 9;
constexpr uint32_t kZWriteEnable = 14;
constexpr uint32_t kAlphaTestEnable = 15;
constexpr uint32_t kSrcBlend = 19;
constexpr uint32_t kDestBlend = 20;
constexpr uint32_t kCullMode = 22;
constexpr uint32_t kZFunc = 23;
constexpr uint32_t kAlphaRef = 24;
constexpr uint32_t kAlphaFunc = 25;
constexpr uint32_t kAlphaBlendEnable = 27;
constexpr uint32_t kSpecularEnable = 29;
constexpr uint32_t kTextureFactor = 60;
constexpr uint32_t kWrap0 = 128;
constexpr uint32_t kClipping = 136;
constexpr uint32_t kLighting = 137;
constexpr uint32_t kAmbient = 139;
constexpr uint32_t kColorVertex = 141;
constexpr uint32_t kNormalizeNormals = 143;
constexpr uint32_t kDiffuseMaterialSource = 145;
constexpr uint32_t kSpecularMaterialSource = 146;
constexpr uint32_t kAmbientMaterialSource = 147;
constexpr uint32_t kEmissiveMaterialSource = 148;
constexpr uint32_t kCount = 256;
}  // namespace rs

namespace tss {  // texture stage states
constexpr uint32_t kColorOp = 1;
constexpr uint32_t kColorArg1 = 2;
constexpr uint32_t kColorArg2 = 3;
constexpr uint32_t kAlphaOp = 4;
constexpr uint32_t kAlphaArg1 = 5;
constexpr uint32_t kAlphaArg2 = 6;
constexpr uint32_t kAddressU = 13;
constexpr uint32_t kAddressV = 14;
constexpr uint32_t kMagFilter = 16;
constexpr uint32_t kMinFilter = 17;
constexpr uint32_t kMipFilter = 18;
constexpr uint32_t kCount = 32;
}  // namespace tss

namespace top {  // texture stage operations
constexpr uint32_t kDisable = 1;
constexpr uint32_t kSelectArg1 = 2;
constexpr uint32_t kSelectArg2 = 3;
constexpr uint32_t kModulate = 4;
}  // namespace top

namespace ta {  // texture stage arguments and modifiers
constexpr uint32_t kDiffuse = 0;
constexpr uint32_t kCurrent = 1;
constexpr uint32_t kTexture = 2;
constexpr uint32_t kTFactor = 3;
constexpr uint32_t kSelectMask = 0x0F;
constexpr uint32_t kComplement = 0x10;
constexpr uint32_t kAlphaReplicate = 0x20;
}  // namespace ta

namespace address {
constexpr uint32_t kWrap = 1;
constexpr uint32_t kMirror = 2;
constexpr uint32_t kClamp = 3;
}  // namespace address

namespace filter {  // MAG/MIN: point 1, linear 2; MIP: none 1, point 2, linear 3
constexpr uint32_t kPoint = 1;
constexpr uint32_t kLinear = 2;
constexpr uint32_t kMipNone = 1;
constexpr uint32_t kMipPoint = 2;
constexpr uint32_t kMipLinear = 3;
}  // namespace filter

namespace blend {
constexpr uint32_t kZero = 1;
constexpr uint32_t kOne = 2;
constexpr uint32_t kSrcColor = 3;
constexpr uint32_t kInvSrcColor = 4;
constexpr uint32_t kSrcAlpha = 5;
constexpr uint32_t kInvSrcAlpha = 6;
}  // namespace blend

namespace cmp {
constexpr uint32_t kNever = 1;
constexpr uint32_t kLess = 2;
constexpr uint32_t kEqual = 3;
constexpr uint32_t kLessEqual = 4;
constexpr uint32_t kGreater = 5;
constexpr uint32_t kNotEqual = 6;
constexpr uint32_t kGreaterEqual = 7;
constexpr uint32_t kAlways = 8;
}  // namespace cmp

namespace cull {
constexpr uint32_t kNone = 1;
constexpr uint32_t kClockwise = 2;
constexpr uint32_t kCounterClockwise = 3;
}  // namespace cull

namespace shade {
constexpr uint32_t kFlat = 1;
constexpr uint32_t kGouraud = 2;
}  // namespace shade

namespace material_source {
constexpr uint32_t kMaterial = 0;
constexpr uint32_t kColor1 = 1;
constexpr uint32_t kColor2 = 2;
}  // namespace material_source

namespace prim {
constexpr uint32_t kPointList = 1;
constexpr uint32_t kLineList = 2;
constexpr uint32_t kLineStrip = 3;
constexpr uint32_t kTriangleList = 4;
constexpr uint32_t kTriangleStrip = 5;
constexpr uint32_t kTriangleFan = 6;
}  // namespace prim

namespace fvf {
constexpr uint32_t kLVertex = 0x1E2;   // untransformed, lit by the caller
constexpr uint32_t kTLVertex = 0x1C4;  // pre-transformed screen coordinates
constexpr uint32_t kVertex = 0x112;    // untransformed with a normal, lit by the device
}  // namespace fvf

namespace transform {
constexpr uint32_t kWorld = 1;
constexpr uint32_t kView = 2;
constexpr uint32_t kProjection = 3;
}  // namespace transform

struct LVertex {
  float x, y, z;
  uint32_t reserved;
  uint32_t diffuse, specular;
  float u, v;
};
struct TLVertex {
  float x, y, z, rhw;
  uint32_t diffuse, specular;
  float u, v;
};
struct Vertex {
  float x, y, z, nx, ny, nz, u, v;
};
static_assert(sizeof(LVertex) == 32 && sizeof(TLVertex) == 32 && sizeof(Vertex) == 32);

// Row-vector matrix: a point p maps to p x m.
struct Matrix {
  float m[4][4] = {};
  static Matrix Identity();
};
Matrix Multiply(const Matrix& a, const Matrix& b);
Matrix OrthoOffCenterLH(float left, float right, float bottom, float top, float zNear, float zFar);
Matrix PerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
  float minZ = 0.0f, maxZ = 1.0f;
};

struct ColorValue {
  float r = 0, g = 0, b = 0, a = 0;
};
struct Material {
  ColorValue diffuse, ambient, specular, emissive;
  float power = 0;
};

class Device {
 public:
  explicit Device(std::shared_ptr<Surface> target);

  Result BeginScene();
  Result EndScene();
  bool InScene() const { return inScene_; }

  Result SetRenderState(uint32_t state, uint32_t value);
  uint32_t GetRenderState(uint32_t state) const { return state < rs::kCount ? renderStates_[state] : 0; }
  Result SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value);
  uint32_t GetTextureStageState(uint32_t stage, uint32_t type) const;
  Result SetTexture(uint32_t stage, std::shared_ptr<Surface> texture);
  std::shared_ptr<Surface> GetTexture(uint32_t stage) const { return stage == 0 ? texture_ : nullptr; }
  Result SetTransform(uint32_t which, const Matrix& matrix);
  Result GetTransform(uint32_t which, Matrix* matrix) const;
  Result SetMaterial(const Material& material);
  const Material& GetMaterial() const { return material_; }
  // Refused (kInvalidParams) when the rectangle leaves the render target, and with kCurrentlyNotAvailable
  // while the device holds no target it can draw into (see RefuseAlphaTargetsOfDepth).
  Result SetViewport(const Viewport& viewport);
  const Viewport& GetViewport() const { return viewport_; }
  // The viewport becomes the whole new target.
  Result SetRenderTarget(std::shared_ptr<Surface> target);
  std::shared_ptr<Surface> GetRenderTarget() const { return target_; }

  // Draws into the render target, scissored to the viewport; the bounding box of the pixels touched is added to the
  // target's dirty list. Answers kOutOfVideoMemory when the injected fault asks for it.
  Result DrawPrimitive(uint32_t type, uint32_t vertexFormat, const void* vertices, uint32_t count, uint32_t flags = 0);

  // Fault injection: the next n draws fail with kOutOfVideoMemory.
  void FailDraws(int n) { failDraws_ = n; }
  // Fault injection: render targets with alpha of this bit count are refused with kCurrentlyNotAvailable, and
  // viewports too until the device takes another target (0: none refused).
  void RefuseAlphaTargetsOfDepth(int bits) { refusedTargetBits_ = bits; }

 private:
  std::shared_ptr<Surface> target_;
  std::shared_ptr<Surface> texture_;
  std::array<uint32_t, rs::kCount> renderStates_{};
  std::array<std::array<uint32_t, tss::kCount>, 8> stageStates_{};
  Matrix world_, view_, projection_;
  Matrix worldViewProjection_;  // their product, as each draw applies it
  Material material_;
  Viewport viewport_;
  bool inScene_ = false;
  int failDraws_ = 0;
  int refusedTargetBits_ = 0;
  bool targetRefused_ = false;
  // Screen-space vertices of the draw in progress, kept between draws to spare an allocation per draw.
  std::vector<raster::ScreenVertex> screen_;
  std::vector<char> visible_;
};

}  // namespace platform::video
