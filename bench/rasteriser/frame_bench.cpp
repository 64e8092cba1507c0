// One shop-like frame drawn by our rasteriser and by SDL2's software renderer from the same inputs:
// an 800x600 opaque background, 80 alpha-blended 128x128 sprites (a third scaled or rotated), 40 additive
// particles and 3,000 one-pixel-high text runs. Prints the median frame time of each and their ratio.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/video/device.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

struct Quad {
  float cx, cy, halfW, halfH, angle;
  float u0, v0, u1, v1;
  uint32_t color;
  int texture;  // 0 background, 1 sprite, 2 particle
  bool additive;
};

struct Run {
  int x0, x1, y;
  uint32_t color;
};

struct Scene {
  std::vector<Quad> quads;
  std::vector<Run> runs;
  std::vector<uint32_t> pixels[3];
  int sizes[3][2] = {{1024, 1024}, {128, 128}, {32, 32}};
};

Scene MakeScene() {
  Scene s;
  std::mt19937 rng(7);
  auto uniform = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
  for (int t = 0; t < 3; ++t) {
    int w = s.sizes[t][0], h = s.sizes[t][1];
    s.pixels[t].resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t rgb = (x * 7 & 0xFF) << 16 | (y * 5 & 0xFF) << 8 | ((x ^ y) & 0xFF);
        uint32_t a = 255;
        if (t == 1) {  // a round sprite with a soft edge and transparent corners
          float d = std::hypot(x - 63.5f, y - 63.5f);
          a = d < 56 ? 255 : d < 64 ? static_cast<uint32_t>((64 - d) * 32) : 0;
        } else if (t == 2) {
          float d = std::hypot(x - 15.5f, y - 15.5f);
          a = d < 16 ? static_cast<uint32_t>(255 * (1 - d / 16)) : 0;
        }
        s.pixels[t][static_cast<size_t>(y) * w + x] = a << 24 | rgb;
      }
  }
  // Texel-exact background.
  s.quads.push_back({400, 300, 400, 300, 0, 0, 0, 800 / 1024.0f, 600 / 1024.0f, 0xFFFFFFFF, 0, false});
  for (int i = 0; i < 80; ++i) {
    float cx = std::floor(uniform(64, kWidth - 64)), cy = std::floor(uniform(64, kHeight - 64));
    float scale = 1, angle = 0;
    // Every third sprite is transformed: alternately scaled and rotated.
    if (i % 6 == 1) scale = uniform(0.6f, 1.4f);
    if (i % 6 == 4) angle = uniform(0.1f, 6.0f);
    s.quads.push_back({cx, cy, 64 * scale, 64 * scale, angle, 0, 0, 1, 1, 0xFFFFFFFF, 1, false});
  }
  for (int i = 0; i < 40; ++i) {
    float cx = uniform(16, kWidth - 16), cy = uniform(16, kHeight - 16);
    s.quads.push_back({cx, cy, 16, 16, 0, 0, 0, 1, 1, 0xC0FFC080, 2, true});
  }
  for (int i = 0; i < 3000; ++i) {
    int x0 = static_cast<int>(uniform(0, kWidth - 40)), len = static_cast<int>(uniform(1, 24));
    s.runs.push_back({x0, x0 + len, static_cast<int>(uniform(0, kHeight)), 0xFF202020});
  }
  return s;
}

// Corners of a quad in fan order, positions in pixels with the half-texel offset of the display.
void Corners(const Quad& q, float xs[4], float ys[4]) {
  const float dx[4] = {-1, 1, 1, -1}, dy[4] = {-1, -1, 1, 1};
  float c = std::cos(q.angle), s = std::sin(q.angle);
  for (int k = 0; k < 4; ++k) {
    float x = dx[k] * q.halfW, y = dy[k] * q.halfH;
    xs[k] = q.cx + x * c - y * s - 0.5f;
    ys[k] = q.cy + x * s + y * c - 0.5f;
  }
}

double MedianMs(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <typename Draw>
double Time(int frames, Draw draw) {
  std::vector<double> ms;
  for (int i = 0; i < frames; ++i) {
    auto start = std::chrono::steady_clock::now();
    draw();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return MedianMs(ms);
}

double TimeOurs(const Scene& scene, int frames) {
  using namespace gfx;
  auto target = std::make_shared<Surface>(kWidth, kHeight, kA8R8G8B8, caps::k3DDevice);
  Device device(target);
  std::shared_ptr<Surface> textures[3];
  for (int t = 0; t < 3; ++t) {
    textures[t] = std::make_shared<Surface>(scene.sizes[t][0], scene.sizes[t][1], t == 0 ? kX8R8G8B8 : kA8R8G8B8,
                                            caps::kTexture);
    for (int y = 0; y < scene.sizes[t][1]; ++y)
      std::copy_n(&scene.pixels[t][static_cast<size_t>(y) * scene.sizes[t][0]], scene.sizes[t][0],
                  reinterpret_cast<uint32_t*>(textures[t]->Row(y)));
  }
  // The display's 2-D state.
  device.SetRenderState(rs::kCullMode, cull::kNone);
  device.SetRenderState(rs::kAlphaBlendEnable, 1);
  device.SetRenderState(rs::kAlphaTestEnable, 1);
  device.SetRenderState(rs::kAlphaRef, 1);
  device.SetRenderState(rs::kAlphaFunc, cmp::kGreaterEqual);
  device.SetTextureStageState(0, tss::kAlphaOp, top::kModulate);
  device.SetTextureStageState(0, tss::kMagFilter, filter::kLinear);
  device.SetTextureStageState(0, tss::kMinFilter, filter::kLinear);
  device.SetTextureStageState(0, tss::kAddressU, address::kClamp);
  device.SetTextureStageState(0, tss::kAddressV, address::kClamp);
  std::vector<TLVertex> lines;
  for (const Run& r : scene.runs) {
    lines.push_back({r.x0 - 0.75f, r.y + 0.25f, 0.1f, 0.5f, r.color, 0, 0, 0});
    lines.push_back({r.x1 - 0.75f, r.y + 0.25f, 0.1f, 0.5f, r.color, 0, 0, 0});
  }
  return Time(frames, [&] {
    for (const Quad& q : scene.quads) {
      float xs[4], ys[4];
      Corners(q, xs, ys);
      const float us[4] = {q.u0, q.u1, q.u1, q.u0}, vs[4] = {q.v0, q.v0, q.v1, q.v1};
      TLVertex v[4];
      for (int k = 0; k < 4; ++k) v[k] = {xs[k], ys[k], 0.1f, 0.5f, q.color, 0, us[k], vs[k]};
      device.SetTexture(0, textures[q.texture]);
      device.SetRenderState(rs::kSrcBlend, blend::kSrcAlpha);
      device.SetRenderState(rs::kDestBlend, q.additive ? blend::kOne : blend::kInvSrcAlpha);
      device.DrawPrimitive(prim::kTriangleFan, fvf::kTLVertex, v, 4);
    }
    device.SetTexture(0, nullptr);
    device.SetRenderState(rs::kDestBlend, blend::kInvSrcAlpha);
    // Text arrives in batches of 256 runs.
    for (size_t i = 0; i < lines.size(); i += 512)
      device.DrawPrimitive(prim::kLineList, fvf::kTLVertex, &lines[i],
                           static_cast<uint32_t>(std::min<size_t>(512, lines.size() - i)));
    target->TakeDirty();
  });
}

double TimeSdl(const Scene& scene, int frames) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  if (!renderer) {
    std::printf("SDL software renderer unavailable: %s\n", SDL_GetError());
    return -1;
  }
  SDL_Texture* textures[3];
  for (int t = 0; t < 3; ++t) {
    textures[t] = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, scene.sizes[t][0],
                                    scene.sizes[t][1]);
    SDL_UpdateTexture(textures[t], nullptr, scene.pixels[t].data(), scene.sizes[t][0] * 4);
    SDL_SetTextureBlendMode(textures[t], t == 0 ? SDL_BLENDMODE_NONE : t == 2 ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(textures[t], SDL_ScaleModeLinear);
  }
  auto color = [](uint32_t argb) {
    return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8), static_cast<Uint8>(argb),
                     static_cast<Uint8>(argb >> 24)};
  };
  const int indices[6] = {0, 1, 2, 0, 2, 3};
  std::vector<SDL_Vertex> text;
  std::vector<int> textIndices;
  for (const Run& r : scene.runs) {
    int base = static_cast<int>(text.size());
    SDL_Color c = color(r.color);
    float x0 = static_cast<float>(r.x0), x1 = static_cast<float>(r.x1), y0 = static_cast<float>(r.y);
    text.push_back({{x0, y0}, c, {0, 0}});
    text.push_back({{x1, y0}, c, {0, 0}});
    text.push_back({{x1, y0 + 1}, c, {0, 0}});
    text.push_back({{x0, y0 + 1}, c, {0, 0}});
    for (int k : indices) textIndices.push_back(base + k);
  }
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  double ms = Time(frames, [&] {
    for (const Quad& q : scene.quads) {
      float xs[4], ys[4];
      Corners(q, xs, ys);
      const float us[4] = {q.u0, q.u1, q.u1, q.u0}, vs[4] = {q.v0, q.v0, q.v1, q.v1};
      SDL_Vertex v[4];
      for (int k = 0; k < 4; ++k) v[k] = {{xs[k] + 0.5f, ys[k] + 0.5f}, color(q.color), {us[k], vs[k]}};
      SDL_RenderGeometry(renderer, textures[q.texture], v, 4, indices, 6);
    }
    SDL_RenderGeometry(renderer, nullptr, text.data(), static_cast<int>(text.size()), textIndices.data(),
                       static_cast<int>(textIndices.size()));
    SDL_RenderFlush(renderer);
  });
  for (SDL_Texture* t : textures) SDL_DestroyTexture(t);
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  Scene scene = MakeScene();
  double ours = TimeOurs(scene, frames);
  double sdl = TimeSdl(scene, frames);
  std::printf("frame (median of %d): ours %.2f ms, SDL2 software %.2f ms, ratio ours/SDL %.2f\n", frames, ours, sdl,
              sdl > 0 ? ours / sdl : 0.0);
  return 0;
}
