#include "platform/video/device.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/video/raster.h"

namespace platform::video {

Matrix Matrix::Identity() {
  Matrix r;
  for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
  return r;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
  Matrix r;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[i][k] * b.m[k][j];
      r.m[i][j] = sum;
    }
  return r;
}

Matrix OrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf) {
  Matrix m = Matrix::Identity();
  m.m[0][0] = 2.0f / (r - l);
  m.m[1][1] = 2.0f / (t - b);
  m.m[2][2] = 1.0f / (zf - zn);
  m.m[3][0] = (l + r) / (l - r);
  m.m[3][1] = (t + b) / (b - t);
  m.m[3][2] = zn / (zn - zf);
  return m;
}

Matrix PerspectiveFovLH(float fovY, float aspect, float zn, float zf) {
  Matrix m;
  float yScale = 1.0f / std::tan(fovY / 2.0f);
  m.m[0][0] = yScale / aspect;
  m.m[1][1] = yScale;
  m.m[2][2] = zf / (zf - zn);
  m.m[2][3] = 1.0f;
  m.m[3][2] = -zn * zf / (zf - zn);
  return m;
}

namespace {

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
uint32_t PackColorValue(const ColorValue& c) {
  auto byte = [](float v) { return static_cast<uint32_t>(Clamp01(v) * 255.0f + 0.5f); };
  return byte(c.a) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

void SetColors(raster::ScreenVertex* s, uint32_t diffuse, uint32_t specular) {
  s->diffuse = diffuse;
  s->specular = specular;
  s->a = static_cast<float>(diffuse >> 24);
  s->r = static_cast<float>((diffuse >> 16) & 0xFF);
  s->g = static_cast<float>((diffuse >> 8) & 0xFF);
  s->b = static_cast<float>(diffuse & 0xFF);
  s->sr = static_cast<float>((specular >> 16) & 0xFF);
  s->sg = static_cast<float>((specular >> 8) & 0xFF);
  s->sb = static_cast<float>(specular & 0xFF);
}

}  // namespace

Device::Device(std::shared_ptr<Surface> target)
    : target_(std::move(target)),
      world_(Matrix::Identity()),
      view_(Matrix::Identity()),
      projection_(Matrix::Identity()),
      worldViewProjection_(Matrix::Identity()) {
  // The defaults of a fresh Direct3D 7 device.
  renderStates_[rs::kZEnable] = target_ && target_->ZBuffer() ? 1 : 0;
  renderStates_[rs::kZWriteEnable] = 1;
  renderStates_[rs::kShadeMode] = shade::kGouraud;
  renderStates_[rs::kSrcBlend] = blend::kOne;
  renderStates_[rs::kDestBlend] = blend::kZero;
  renderStates_[rs::kCullMode] = cull::kCounterClockwise;
  renderStates_[rs::kZFunc] = cmp::kLessEqual;
  renderStates_[rs::kAlphaFunc] = cmp::kAlways;
  renderStates_[rs::kTextureFactor] = 0xFFFFFFFF;
  renderStates_[rs::kClipping] = 1;
  renderStates_[rs::kLighting] = 1;
  renderStates_[rs::kColorVertex] = 1;
  renderStates_[rs::kDiffuseMaterialSource] = material_source::kColor1;
  renderStates_[rs::kSpecularMaterialSource] = material_source::kColor2;
  for (auto& stage : stageStates_) {
    stage[tss::kColorOp] = top::kDisable;
    stage[tss::kColorArg1] = ta::kTexture;
    stage[tss::kColorArg2] = ta::kCurrent;
    stage[tss::kAlphaOp] = top::kDisable;
    stage[tss::kAlphaArg1] = ta::kTexture;
    stage[tss::kAlphaArg2] = ta::kCurrent;
    stage[tss::kAddressU] = address::kWrap;
    stage[tss::kAddressV] = address::kWrap;
    stage[tss::kMagFilter] = filter::kPoint;
    stage[tss::kMinFilter] = filter::kPoint;
    stage[tss::kMipFilter] = filter::kMipNone;
  }
  stageStates_[0][tss::kColorOp] = top::kModulate;
  stageStates_[0][tss::kAlphaOp] = top::kSelectArg1;
  if (target_) viewport_ = {0, 0, target_->Width(), target_->Height(), 0.0f, 1.0f};
}

Result Device::BeginScene() {
  if (inScene_) return kSceneInScene;
  if (target_ && Failed(target_->IsLost())) return kSurfaceLost;
  inScene_ = true;
  return kOk;
}

Result Device::EndScene() {
  if (!inScene_) return kSceneNotInScene;
  inScene_ = false;
  return kOk;
}

Result Device::SetRenderState(uint32_t state, uint32_t value) {
  if (state >= rs::kCount) return kInvalidParams;
  renderStates_[state] = value;
  return kOk;
}

Result Device::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
  if (stage >= stageStates_.size() || type >= tss::kCount) return kInvalidParams;
  stageStates_[stage][type] = value;
  return kOk;
}

uint32_t Device::GetTextureStageState(uint32_t stage, uint32_t type) const {
  return stage < stageStates_.size() && type < tss::kCount ? stageStates_[stage][type] : 0;
}

Result Device::SetTexture(uint32_t stage, std::shared_ptr<Surface> texture) {
  if (stage != 0) return texture ? kInvalidParams : kOk;
  texture_ = std::move(texture);
  return kOk;
}

Result Device::SetTransform(uint32_t which, const Matrix& matrix) {
  switch (which) {
    case transform::kWorld: world_ = matrix; break;
    case transform::kView: view_ = matrix; break;
    case transform::kProjection: projection_ = matrix; break;
    default: return kInvalidParams;
  }
  worldViewProjection_ = Multiply(Multiply(world_, view_), projection_);
  return kOk;
}

Result Device::GetTransform(uint32_t which, Matrix* matrix) const {
  if (!matrix) return kInvalidParams;
  switch (which) {
    case transform::kWorld: *matrix = world_; return kOk;
    case transform::kView: *matrix = view_; return kOk;
    case transform::kProjection: *matrix = projection_; return kOk;
    default: return kInvalidParams;
  }
}

Result Device::SetMaterial(const Material& material) {
  material_ = material;
  return kOk;
}

Result Device::SetViewport(const Viewport& vp) {
  if (targetRefused_) return kCurrentlyNotAvailable;
  if (!target_ || vp.width <= 0 || vp.height <= 0 || vp.x < 0 || vp.y < 0 || vp.x + vp.width > target_->Width() ||
      vp.y + vp.height > target_->Height())
    return kInvalidParams;
  viewport_ = vp;
  return kOk;
}

Result Device::SetRenderTarget(std::shared_ptr<Surface> target) {
  if (!target) return kInvalidParams;
  if (!(target->Caps() & caps::k3DDevice)) return kInvalidParams;
  targetRefused_ = target->Format().HasAlpha() && target->Format().bits == refusedTargetBits_;
  if (targetRefused_) return kCurrentlyNotAvailable;
  target_ = std::move(target);
  viewport_ = {0, 0, target_->Width(), target_->Height(), 0.0f, 1.0f};
  return kOk;
}

namespace {

struct Transformer {
  Matrix combined;
  Viewport vp;
  bool usable = true;

  // False when the point lies behind the eye (no near-plane clipping is done).
  bool Project(float x, float y, float z, raster::ScreenVertex* out) const {
    const float(*m)[4] = combined.m;
    float cx = x * m[0][0] + y * m[1][0] + z * m[2][0] + m[3][0];
    float cy = x * m[0][1] + y * m[1][1] + z * m[2][1] + m[3][1];
    float cz = x * m[0][2] + y * m[1][2] + z * m[2][2] + m[3][2];
    float cw = x * m[0][3] + y * m[1][3] + z * m[2][3] + m[3][3];
    if (!(cw > 1.0e-6f)) return false;
    out->x = vp.x + (cx / cw + 1.0f) * vp.width * 0.5f;
    out->y = vp.y + (1.0f - cy / cw) * vp.height * 0.5f;
    out->z = vp.minZ + cz / cw * (vp.maxZ - vp.minZ);
    return true;
  }
};

}  // namespace

Result Device::DrawPrimitive(uint32_t type, uint32_t vertexFormat, const void* vertices, uint32_t count,
                             uint32_t flags) {
  if (!vertices && count > 0) return kInvalidParams;
  if (!target_) return kInvalidParams;
  if (failDraws_ > 0) {
    --failDraws_;
    return kOutOfVideoMemory;
  }
  if (Failed(target_->IsLost())) return kSurfaceLost;
  if (vertexFormat != fvf::kLVertex && vertexFormat != fvf::kTLVertex && vertexFormat != fvf::kVertex)
    return kInvalidParams;

  // Vertices to screen space; a vertex behind the eye drops the primitives that use it.
  Transformer tf{worldViewProjection_, viewport_};
  screen_.resize(count);
  visible_.assign(count, 1);
  std::vector<raster::ScreenVertex>& screen = screen_;
  std::vector<char>& visible = visible_;
  uint32_t litColor = 0xFFFFFFFF;
  if (vertexFormat == fvf::kVertex && renderStates_[rs::kLighting]) {
    // Lighting without lights: emissive plus ambient light times the material's ambient colour.
    uint32_t ambient = renderStates_[rs::kAmbient];
    ColorValue c;
    c.r = material_.emissive.r + ((ambient >> 16) & 0xFF) / 255.0f * material_.ambient.r;
    c.g = material_.emissive.g + ((ambient >> 8) & 0xFF) / 255.0f * material_.ambient.g;
    c.b = material_.emissive.b + (ambient & 0xFF) / 255.0f * material_.ambient.b;
    c.a = material_.diffuse.a;
    litColor = PackColorValue(c);
  }
  for (uint32_t i = 0; i < count; ++i) {
    raster::ScreenVertex& s = screen[i];
    if (vertexFormat == fvf::kTLVertex) {
      const TLVertex& v = static_cast<const TLVertex*>(vertices)[i];
      s.x = v.x, s.y = v.y, s.z = v.z, s.u = v.u, s.v = v.v;
      SetColors(&s, v.diffuse, v.specular);
    } else if (vertexFormat == fvf::kLVertex) {
      const LVertex& v = static_cast<const LVertex*>(vertices)[i];
      visible[i] = tf.Project(v.x, v.y, v.z, &s);
      s.u = v.u, s.v = v.v;
      SetColors(&s, v.diffuse, v.specular);
    } else {
      const Vertex& v = static_cast<const Vertex*>(vertices)[i];
      visible[i] = tf.Project(v.x, v.y, v.z, &s);
      s.u = v.u, s.v = v.v;
      SetColors(&s, litColor, 0);
    }
  }

  raster::Pipeline p;
  p.target = target_.get();
  auto depth = target_->ZBuffer();
  p.depth = renderStates_[rs::kZEnable] && depth ? depth.get() : nullptr;
  p.texture = texture_.get();
  const auto& stage = stageStates_[0];
  p.colorOp = stage[tss::kColorOp];
  p.colorArg1 = stage[tss::kColorArg1];
  p.colorArg2 = stage[tss::kColorArg2];
  p.alphaOp = stage[tss::kAlphaOp];
  p.alphaArg1 = stage[tss::kAlphaArg1];
  p.alphaArg2 = stage[tss::kAlphaArg2];
  p.textureFactor = renderStates_[rs::kTextureFactor];
  p.addressU = stage[tss::kAddressU];
  p.addressV = stage[tss::kAddressV];
  p.magFilter = stage[tss::kMagFilter];
  p.minFilter = stage[tss::kMinFilter];
  p.mipFilter = stage[tss::kMipFilter];
  p.alphaTest = renderStates_[rs::kAlphaTestEnable] != 0;
  p.alphaFunc = renderStates_[rs::kAlphaFunc];
  p.alphaRef = renderStates_[rs::kAlphaRef] & 0xFF;
  p.blend = renderStates_[rs::kAlphaBlendEnable] != 0;
  p.srcBlend = renderStates_[rs::kSrcBlend];
  p.destBlend = renderStates_[rs::kDestBlend];
  p.depthWrite = renderStates_[rs::kZWriteEnable] != 0;
  p.depthFunc = renderStates_[rs::kZFunc];
  p.specular = renderStates_[rs::kSpecularEnable] != 0;
  p.flat = renderStates_[rs::kShadeMode] == shade::kFlat;
  p.cullMode = renderStates_[rs::kCullMode];
  // Every primitive is scissored to the viewport, whatever CLIPPING says.
  p.scissor = Intersect(Rect{viewport_.x, viewport_.y, viewport_.x + viewport_.width, viewport_.y + viewport_.height},
                        target_->Bounds());

  Rect touched;
  auto triangle = [&](uint32_t a, uint32_t b, uint32_t c) {
    if (visible[a] && visible[b] && visible[c]) raster::DrawTriangle(p, screen[a], screen[b], screen[c], &touched);
  };
  auto same = [&](uint32_t a, uint32_t b) { return screen[a].x == screen[b].x && screen[a].y == screen[b].y; };
  // Two triangles sharing the diagonal (e, f) of an axis-aligned rectangle with corners a, b, c, d.
  auto quad = [&](uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e, uint32_t f) {
    if (!(visible[a] && visible[b] && visible[c] && visible[d])) return false;
    if (screen[e].x == screen[f].x || screen[e].y == screen[f].y) return false;
    raster::ScreenVertex corners[4] = {screen[a], screen[b], screen[c], screen[d]};
    return raster::DrawAxisAlignedQuad(p, corners, &touched);
  };

  switch (type) {
    case prim::kPointList:
      for (uint32_t i = 0; i < count; ++i)
        if (visible[i]) raster::DrawPoint(p, screen[i], &touched);
      break;
    case prim::kLineList:
      for (uint32_t i = 0; i + 1 < count; i += 2)
        if (visible[i] && visible[i + 1]) raster::DrawLine(p, screen[i], screen[i + 1], &touched);
      break;
    case prim::kLineStrip:
      for (uint32_t i = 0; i + 1 < count; ++i)
        if (visible[i] && visible[i + 1]) raster::DrawLine(p, screen[i], screen[i + 1], &touched);
      break;
    case prim::kTriangleList:
      if (count == 6 && ((same(3, 2) && same(4, 1) && quad(0, 1, 2, 5, 0, 5)) ||
                         (same(3, 0) && same(4, 2) && quad(0, 1, 2, 5, 1, 5))))
        break;
      for (uint32_t i = 0; i + 2 < count; i += 3) triangle(i, i + 1, i + 2);
      break;
    case prim::kTriangleStrip:
      if (count == 4 && quad(0, 1, 2, 3, 0, 3)) break;
      // Odd triangles of a strip are taken in reverse order so that all keep the winding of the first.
      for (uint32_t i = 0; i + 2 < count; ++i) (i % 2 == 0) ? triangle(i, i + 1, i + 2) : triangle(i + 1, i, i + 2);
      break;
    case prim::kTriangleFan:
      if (count == 4 && quad(0, 1, 2, 3, 0, 2)) break;
      for (uint32_t i = 1; i + 1 < count; ++i) triangle(0, i, i + 1);
      break;
    default:
      return kInvalidParams;
  }
  target_->AddDirty(touched);
  return kOk;
}

}  // namespace platform::video
