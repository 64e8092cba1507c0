// The frame as the game's 2-D state draws it: untransformed lit vertices through the 2-D projection with the
// half-texel offset, fans of four, SRCALPHA over INVSRCALPHA (ONE for additive), alpha test at 1, clamped
// addressing, texture times diffuse; fills are untextured fans.
#include <vector>

#include "bench/rasteriser/drawers.h"
#include "platform/video/device.h"

namespace bench {
namespace {

constexpr float kTexelOffset = -0.5f;

std::shared_ptr<platform::video::Surface> MakeTexture(const Picture& picture,
                                                      const platform::video::PixelFormat& format) {
  auto t = std::make_shared<platform::video::Surface>(picture.width, picture.height, format,
                                                      platform::video::caps::kTexture);
  for (int y = 0; y < picture.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(t->Row(y));
    for (int x = 0; x < picture.width; ++x) row[x] = picture.pixels[static_cast<size_t>(y) * picture.width + x];
  }
  return t;
}

class OurDrawer : public FrameDrawer {
 public:
  OurDrawer(const Pictures& pictures, Sampling sampling)
      : target_(std::make_shared<platform::video::Surface>(kWidth, kHeight, platform::video::kA8R8G8B8,
                                                           platform::video::caps::k3DDevice)),
        device_(target_),
        background_(MakeTexture(pictures.background, platform::video::kX8R8G8B8)),
        sprite_(MakeTexture(pictures.sprite, platform::video::kA8R8G8B8)) {
    using namespace platform::video;
    bool linear = sampling == Sampling::kBilinear;
    device_.SetRenderState(rs::kZEnable, 0);
    device_.SetRenderState(rs::kLighting, 0);
    device_.SetRenderState(rs::kCullMode, cull::kNone);
    device_.SetRenderState(rs::kAlphaBlendEnable, 1);
    device_.SetRenderState(rs::kAlphaTestEnable, 1);
    device_.SetRenderState(rs::kAlphaRef, 1);
    device_.SetRenderState(rs::kAlphaFunc, cmp::kGreaterEqual);
    device_.SetRenderState(rs::kSrcBlend, blend::kSrcAlpha);
    device_.SetTextureStageState(0, tss::kColorOp, top::kModulate);
    device_.SetTextureStageState(0, tss::kAlphaOp, top::kModulate);
    device_.SetTextureStageState(0, tss::kMagFilter, linear ? filter::kLinear : filter::kPoint);
    device_.SetTextureStageState(0, tss::kMinFilter, linear ? filter::kLinear : filter::kPoint);
    device_.SetTextureStageState(0, tss::kMipFilter, linear ? filter::kMipLinear : filter::kMipPoint);
    device_.SetTextureStageState(0, tss::kAddressU, address::kClamp);
    device_.SetTextureStageState(0, tss::kAddressV, address::kClamp);
    Matrix projection =
        OrthoOffCenterLH(-kTexelOffset, kWidth - kTexelOffset, kHeight - kTexelOffset, -kTexelOffset, 0.1f, 1000.0f);
    projection.m[2][2] = 1, projection.m[2][3] = 0, projection.m[3][2] = 0, projection.m[3][3] = 1;
    device_.SetTransform(transform::kProjection, projection);
  }

  void Draw(const FrameDraws& draws) override {
    using namespace platform::video;
    device_.BeginScene();
    Quad(background_, 0, 0, kWidth, kHeight, false);
    for (const SpriteDraw& s : draws.sprites) {
      float xs[4], ys[4];
      SpriteCorners(s, xs, ys);
      DrawFan(sprite_, xs, ys, 0xFFFFFFFF, s.additive);
    }
    for (const Fill& f : draws.fills) Quad(nullptr, f.x, f.y, f.x + f.width, f.y + 1, false, kFillColor);
    device_.EndScene();
    target_->TakeDirty();
  }

 private:
  void Quad(const std::shared_ptr<platform::video::Surface>& texture, float x0, float y0, float x1, float y1,
            bool additive, uint32_t color = 0xFFFFFFFF) {
    const float xs[4] = {x0, x1, x1, x0}, ys[4] = {y0, y0, y1, y1};
    DrawFan(texture, xs, ys, color, additive);
  }

  void DrawFan(const std::shared_ptr<platform::video::Surface>& texture, const float xs[4], const float ys[4],
               uint32_t color, bool additive) {
    using namespace platform::video;
    const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
    LVertex v[4];
    for (int k = 0; k < 4; ++k) v[k] = {xs[k], ys[k], 0.1f, 0, color, 0, us[k], vs[k]};
    device_.SetTexture(0, texture);
    device_.SetRenderState(rs::kDestBlend, additive ? blend::kOne : blend::kInvSrcAlpha);
    device_.DrawPrimitive(prim::kTriangleFan, fvf::kLVertex, v, 4);
  }

  std::shared_ptr<platform::video::Surface> target_;
  platform::video::Device device_;
  std::shared_ptr<platform::video::Surface> background_, sprite_;
};

}  // namespace

std::unique_ptr<FrameDrawer> MakeOurDrawer(const Pictures& pictures, Sampling sampling) {
  return std::make_unique<OurDrawer>(pictures, sampling);
}

}  // namespace bench
