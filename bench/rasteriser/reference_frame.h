// The reference frame every renderer of the benchmark draws: an 800 x 600 target, an opaque background picture,
// 80 alpha-blended sprites (every third enlarged and turned), 40 additive shrunk copies and 3,000 one-pixel-high
// opaque fills, all moving with the frame number.
#pragma once

#include <cstdint>
#include <vector>

namespace bench {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kSpriteSize = 128;

// Straight (not premultiplied) 0xAARRGGBB pixels, rows packed.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

struct Pictures {
  Picture background;  // opaque, kWidth x kHeight
  Picture sprite;      // an opaque disc of radius 60 with a half-transparent ring to 64
};
Pictures MakePictures();

// The sprite picture drawn size x size with its top-left corner at (x, y) before turning by angle degrees
// (clockwise on screen) about its centre.
struct SpriteDraw {
  float x, y, size, angle;
  bool additive;
};
struct Fill {
  int x, y, width;  // one pixel high
};
constexpr uint32_t kFillColor = 0xFF283038;

struct FrameDraws {
  std::vector<SpriteDraw> sprites;  // in drawing order, after the background
  std::vector<Fill> fills;          // drawn last
};
FrameDraws DrawsOfFrame(int frame);

// Corners of a sprite draw on screen in the order top-left, top-right, bottom-right, bottom-left of the picture.
void SpriteCorners(const SpriteDraw& s, float xs[4], float ys[4]);

}  // namespace bench
