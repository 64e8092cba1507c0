// SDL2's software renderer with nearest sampling: copies, turned copies about the centre, additive copies and one
// batch of filled rectangles.
#include <SDL.h>

#include <cstdio>
#include <vector>

#include "bench/rasteriser/drawers.h"

namespace bench {
namespace {

class SdlDrawer : public FrameDrawer {
 public:
  SdlDrawer(SDL_Surface* surface, SDL_Renderer* renderer, const Pictures& pictures)
      : surface_(surface), renderer_(renderer) {
    background_ = MakeTexture(pictures.background, SDL_PIXELFORMAT_RGB888, SDL_BLENDMODE_NONE);
    sprite_ = MakeTexture(pictures.sprite, SDL_PIXELFORMAT_ARGB8888, SDL_BLENDMODE_BLEND);
    additive_ = MakeTexture(pictures.sprite, SDL_PIXELFORMAT_ARGB8888, SDL_BLENDMODE_ADD);
  }
  ~SdlDrawer() override {
    for (SDL_Texture* t : {background_, sprite_, additive_}) SDL_DestroyTexture(t);
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
  }

  void Draw(const FrameDraws& draws) override {
    SDL_RenderCopy(renderer_, background_, nullptr, nullptr);
    for (const SpriteDraw& s : draws.sprites) {
      SDL_FRect to{s.x, s.y, s.size, s.size};
      SDL_RenderCopyExF(renderer_, s.additive ? additive_ : sprite_, nullptr, &to, s.angle, nullptr, SDL_FLIP_NONE);
    }
    rects_.clear();
    for (const Fill& f : draws.fills) rects_.push_back({f.x, f.y, f.width, 1});
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer_, kFillColor >> 16 & 0xFF, kFillColor >> 8 & 0xFF, kFillColor & 0xFF, 0xFF);
    SDL_RenderFillRects(renderer_, rects_.data(), static_cast<int>(rects_.size()));
    SDL_RenderFlush(renderer_);
  }

 private:
  SDL_Texture* MakeTexture(const Picture& picture, Uint32 format, SDL_BlendMode mode) {
    SDL_Texture* t = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STATIC, picture.width, picture.height);
    SDL_UpdateTexture(t, nullptr, picture.pixels.data(), picture.width * 4);
    SDL_SetTextureBlendMode(t, mode);
    SDL_SetTextureScaleMode(t, SDL_ScaleModeNearest);
    return t;
  }

  SDL_Surface* surface_;
  SDL_Renderer* renderer_;
  SDL_Texture *background_, *sprite_, *additive_;
  std::vector<SDL_Rect> rects_;
};

}  // namespace

std::unique_ptr<FrameDrawer> MakeSdlDrawer(const Pictures& pictures) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
  if (!renderer) {
    std::printf("SDL2 software renderer unavailable: %s\n", SDL_GetError());
    if (surface) SDL_FreeSurface(surface);
    return nullptr;
  }
  return std::make_unique<SdlDrawer>(surface, renderer, pictures);
}

}  // namespace bench
