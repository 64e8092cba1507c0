#include "bench/rasteriser/reference_frame.h"

#include <cmath>

namespace bench {

Pictures MakePictures() {
  Pictures p;
  p.background = {kWidth, kHeight, std::vector<uint32_t>(static_cast<size_t>(kWidth) * kHeight)};
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      p.background.pixels[static_cast<size_t>(y) * kWidth + x] =
          0xFF000000 | (x * 7 & 0xFF) << 16 | (y * 5 & 0xFF) << 8 | ((x ^ y) & 0xFF);
  p.sprite = {kSpriteSize, kSpriteSize, std::vector<uint32_t>(kSpriteSize * kSpriteSize)};
  for (int y = 0; y < kSpriteSize; ++y)
    for (int x = 0; x < kSpriteSize; ++x) {
      float d = std::hypot(x + 0.5f - kSpriteSize / 2, y + 0.5f - kSpriteSize / 2);
      uint32_t alpha = d < 60 ? 0xFF : d < 64 ? 0x80 : 0;
      uint32_t rgb = (x * 2) << 16 | (y * 2) << 8 | (0xFF - x - y / 2);
      p.sprite.pixels[y * kSpriteSize + x] = alpha << 24 | rgb;
    }
  return p;
}

FrameDraws DrawsOfFrame(int f) {
  FrameDraws d;
  for (int i = 0; i < 80; ++i) {
    bool turned = i % 3 == 0;
    d.sprites.push_back({static_cast<float>((i * 97 + f) % 700), static_cast<float>(i * 53 % 500),
                         turned ? 160.0f : 128.0f, turned ? static_cast<float>((i * 7 + f) % 360) : 0.0f, false});
  }
  for (int i = 0; i < 40; ++i)
    d.sprites.push_back({static_cast<float>((i * 37 + f) % 760), static_cast<float>(i * 71 % 560), 40, 0, true});
  for (int i = 0; i < 3000; ++i) d.fills.push_back({i * 13 % 780, i * 7 % 590, 1 + i % 9});
  return d;
}

void SpriteCorners(const SpriteDraw& s, float xs[4], float ys[4]) {
  const float dx[4] = {-1, 1, 1, -1}, dy[4] = {-1, -1, 1, 1};
  double radians = s.angle * M_PI / 180.0;
  double c = std::cos(radians), sn = std::sin(radians), half = s.size / 2.0;
  for (int k = 0; k < 4; ++k) {
    double x = dx[k] * half, y = dy[k] * half;
    xs[k] = static_cast<float>(s.x + half + x * c - y * sn);
    ys[k] = static_cast<float>(s.y + half + x * sn + y * c);
  }
}

}  // namespace bench
