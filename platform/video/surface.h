// Memory surfaces: pixels with a pitch, locks, copies, stretch copies, colour fills, flip chains and loss.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/video/pixel_memory.h"
#include "platform/video/video.h"

namespace platform::video {

// Surface capability bits (DDSCAPS values).
namespace caps {
constexpr uint32_t kBackBuffer = 0x4;
constexpr uint32_t kComplex = 0x8;
constexpr uint32_t kFlip = 0x10;
constexpr uint32_t kOffscreenPlain = 0x40;
constexpr uint32_t kPrimarySurface = 0x200;
constexpr uint32_t kSystemMemory = 0x800;
constexpr uint32_t kTexture = 0x1000;
constexpr uint32_t k3DDevice = 0x2000;
constexpr uint32_t kVideoMemory = 0x4000;
constexpr uint32_t kZBuffer = 0x20000;
constexpr uint32_t kMipMap = 0x400000;
}  // namespace caps

class Surface {
 public:
  // A z-buffer (caps::kZBuffer) keeps one float depth per pixel whatever its format's bit count says.
  Surface(int width, int height, const PixelFormat& format, uint32_t capabilities);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Pitch() const { return pitch_; }
  const PixelFormat& Format() const { return format_; }
  uint32_t Caps() const { return caps_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }

  // Whole surface when rect is null. A lost surface answers kSurfaceLost.
  Result Lock(const Rect* rect, uint8_t** bits, int* pitch);
  Result Unlock();
  // Copies src (whole when srcRect is null) into dst (whole when dstRect is null); different sizes stretch with
  // nearest-neighbour sampling, different formats convert through 8-bit channels.
  Result Blt(const Rect* dstRect, Surface& src, const Rect* srcRect);
  Result ColorFill(const Rect* dstRect, uint32_t raw);
  // Shows the attached back buffer: its pixels are copied to this surface.
  Result Flip();
  Result GetFlipStatus();
  Result GetBltStatus();
  Result IsLost() const { return lost_ ? kSurfaceLost : kOk; }
  Result Restore();
  void MarkLost() { lost_ = true; }

  void AttachBackBuffer(std::shared_ptr<Surface> back) { backBuffer_ = std::move(back); }
  std::shared_ptr<Surface> BackBuffer() const { return backBuffer_; }
  void AttachZBuffer(std::shared_ptr<Surface> z) { zBuffer_ = std::move(z); }
  std::shared_ptr<Surface> ZBuffer() const { return zBuffer_; }
  void AttachMipLevel(std::shared_ptr<Surface> next) { nextMip_ = std::move(next); }
  std::shared_ptr<Surface> NextMipLevel() const { return nextMip_; }

  // Status queries answer kWasStillDrawing for the next polls calls (fault injection).
  void SetStillDrawing(int polls) { stillDrawingPolls_ = polls; }

  // The pixels are made when a row is first reached, so a surface never drawn to costs no memory; it reads as
  // zero until then (a z-buffer as depth 1).
  uint8_t* Row(int y) { return Pixels() + static_cast<size_t>(y) * pitch_; }
  const uint8_t* Row(int y) const { return Pixels() + static_cast<size_t>(y) * pitch_; }
  uint32_t RawPixel(int x, int y) const;
  void SetRawPixel(int x, int y, uint32_t raw);
  // 0xAARRGGBB of a pixel (alpha 255 in formats without alpha bits).
  uint32_t Pixel(int x, int y) const { return UnpackColor(format_, RawPixel(x, y)); }
  float* Depth(int y) { return reinterpret_cast<float*>(Row(y)); }

  // Bounding boxes of what was drawn into the surface since the list was last taken.
  void AddDirty(const Rect& rect);
  std::vector<Rect> TakeDirty();
  std::vector<Rect> Dirty() const;
  size_t DirtyCount() const;
  // Forgets the rectangles added after the first count.
  void TruncateDirty(size_t count);

 private:
  uint8_t* Pixels() const {
    if (pixels_.empty()) MakePixels();
    return pixels_.data();
  }
  void MakePixels() const;

  int width_, height_, pitch_;
  PixelFormat format_;
  uint32_t caps_;
  mutable std::vector<uint8_t, PixelAllocator<uint8_t>> pixels_;  // empty until made
  bool lost_ = false;
  bool locked_ = false;
  int stillDrawingPolls_ = 0;
  std::shared_ptr<Surface> backBuffer_, zBuffer_, nextMip_;
  mutable std::mutex dirtyMutex_;
  std::vector<Rect> dirty_;
};

}  // namespace platform::video
