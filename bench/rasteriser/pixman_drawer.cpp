// pixman compositing the frame: the background copied, sprites OVER the target through an affine transform that
// maps target pixels back into the picture, additive copies with ADD, the fills as one batch of SRC rectangles.
// pixman works on premultiplied pixels, so the pictures are premultiplied once here.
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "bench/rasteriser/drawers.h"

namespace bench {
namespace {

std::vector<uint32_t> Premultiplied(const Picture& picture) {
  std::vector<uint32_t> out(picture.pixels.size());
  std::transform(picture.pixels.begin(), picture.pixels.end(), out.begin(), [](uint32_t c) {
    uint32_t a = c >> 24;
    auto channel = [a](uint32_t v) { return (v * a + 127) / 255; };
    return a << 24 | channel(c >> 16 & 0xFF) << 16 | channel(c >> 8 & 0xFF) << 8 | channel(c & 0xFF);
  });
  return out;
}

class PixmanDrawer : public FrameDrawer {
 public:
  PixmanDrawer(const Pictures& pictures, Sampling sampling)
      : targetPixels_(static_cast<size_t>(kWidth) * kHeight),
        backgroundPixels_(Premultiplied(pictures.background)),
        spritePixels_(Premultiplied(pictures.sprite)) {
    target_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, targetPixels_.data(), kWidth * 4);
    background_ = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, backgroundPixels_.data(), kWidth * 4);
    sprite_ =
        pixman_image_create_bits(PIXMAN_a8r8g8b8, kSpriteSize, kSpriteSize, spritePixels_.data(), kSpriteSize * 4);
    pixman_image_set_filter(sprite_, sampling == Sampling::kBilinear ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST,
                            nullptr, 0);
  }
  ~PixmanDrawer() override {
    for (pixman_image_t* image : {target_, background_, sprite_}) pixman_image_unref(image);
  }

  void Draw(const FrameDraws& draws) override {
    pixman_image_composite32(PIXMAN_OP_SRC, background_, nullptr, target_, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    for (const SpriteDraw& s : draws.sprites) DrawSprite(s);
    rects_.clear();
    for (const Fill& f : draws.fills)
      rects_.push_back({static_cast<int16_t>(f.x), static_cast<int16_t>(f.y), static_cast<uint16_t>(f.width), 1});
    pixman_color_t color = {(kFillColor >> 16 & 0xFF) * 0x101, (kFillColor >> 8 & 0xFF) * 0x101,
                            (kFillColor & 0xFF) * 0x101, 0xFFFF};
    pixman_image_fill_rectangles(PIXMAN_OP_SRC, target_, &color, static_cast<int>(rects_.size()), rects_.data());
  }

 private:
  // Target pixel centres map to picture coordinates: unturn about the centre, then unscale.
  void DrawSprite(const SpriteDraw& s) {
    double radians = s.angle * M_PI / 180.0, c = std::cos(radians), sn = std::sin(radians);
    double scale = kSpriteSize / static_cast<double>(s.size), half = s.size / 2.0;
    double cx = s.x + half, cy = s.y + half;
    pixman_f_transform_t f;
    pixman_f_transform_init_translate(&f, -cx, -cy);
    pixman_f_transform_rotate(&f, nullptr, c, -sn);
    pixman_f_transform_scale(&f, nullptr, scale, scale);
    pixman_f_transform_translate(&f, nullptr, kSpriteSize / 2.0, kSpriteSize / 2.0);
    pixman_transform_t t;
    pixman_transform_from_pixman_f_transform(&t, &f);
    pixman_image_set_transform(sprite_, &t);
    double extent = half * (std::fabs(c) + std::fabs(sn));
    int x0 = static_cast<int>(std::floor(cx - extent)), y0 = static_cast<int>(std::floor(cy - extent));
    int x1 = static_cast<int>(std::ceil(cx + extent)), y1 = static_cast<int>(std::ceil(cy + extent));
    pixman_image_composite32(s.additive ? PIXMAN_OP_ADD : PIXMAN_OP_OVER, sprite_, nullptr, target_, x0, y0, 0, 0, x0,
                             y0, x1 - x0, y1 - y0);
  }

  std::vector<uint32_t> targetPixels_, backgroundPixels_, spritePixels_;
  pixman_image_t *target_, *background_, *sprite_;
  std::vector<pixman_rectangle16_t> rects_;
};

}  // namespace

std::unique_ptr<FrameDrawer> MakePixmanDrawer(const Pictures& pictures, Sampling sampling) {
  return std::make_unique<PixmanDrawer>(pictures, sampling);
}

}  // namespace bench
