#include "platform/video/video.h"

#include <algorithm>
#include <bit>

namespace platform::video {

const PixelFormat kA8R8G8B8{32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
const PixelFormat kX8R8G8B8{32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0};
const PixelFormat kR5G6B5{16, 0xF800, 0x07E0, 0x001F, 0};
const PixelFormat kA4R4G4B4{16, 0x0F00, 0x00F0, 0x000F, 0xF000};
const PixelFormat kX1R5G5B5{16, 0x7C00, 0x03E0, 0x001F, 0};
const PixelFormat kA1R5G5B5{16, 0x7C00, 0x03E0, 0x001F, 0x8000};

Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

Rect Union(const Rect& a, const Rect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

namespace {

// Places the top bits of an 8-bit channel into mask (truncation to the mask width).
uint32_t PackChannel(uint32_t value8, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  int width = std::popcount(mask);
  uint32_t v = width >= 8 ? value8 << (width - 8) : value8 >> (8 - width);
  return (v << shift) & mask;
}

// Reads a channel back as 8 bits by shifting left (a 4-bit 0xF reads 0xF0).
uint32_t UnpackChannel(uint32_t raw, uint32_t mask) {
  int shift = std::countr_zero(mask);
  int width = std::popcount(mask);
  uint32_t v = (raw & mask) >> shift;
  return width >= 8 ? v >> (width - 8) : v << (8 - width);
}

}  // namespace

uint32_t PackColor(const PixelFormat& f, uint32_t argb) {
  if (f == kA8R8G8B8) return argb;
  if (f == kX8R8G8B8) return argb & 0x00FFFFFF;
  return PackChannel(argb >> 24, f.alpha) | PackChannel((argb >> 16) & 0xFF, f.red) |
         PackChannel((argb >> 8) & 0xFF, f.green) | PackChannel(argb & 0xFF, f.blue);
}

uint32_t UnpackColor(const PixelFormat& f, uint32_t raw) {
  if (f == kA8R8G8B8) return raw;
  if (f == kX8R8G8B8) return raw | 0xFF000000;
  uint32_t a = f.alpha ? UnpackChannel(raw, f.alpha) : 255;
  return a << 24 | UnpackChannel(raw, f.red) << 16 | UnpackChannel(raw, f.green) << 8 | UnpackChannel(raw, f.blue);
}

const char* ResultName(Result r) {
  switch (r) {
    case kOk: return "DD_OK";
    case kOutOfVideoMemory: return "DDERR_OUTOFVIDEOMEMORY";
    case kSurfaceLost: return "DDERR_SURFACELOST";
    case kWasStillDrawing: return "DDERR_WASSTILLDRAWING";
    case kWrongMode: return "DDERR_WRONGMODE";
    case kExclusiveModeAlreadySet: return "DDERR_EXCLUSIVEMODEALREADYSET";
    case kNoExclusiveMode: return "DDERR_NOEXCLUSIVEMODE";
    case kCurrentlyNotAvailable: return "DDERR_CURRENTLYNOTAVAIL";
    case kInvalidParams: return "DDERR_INVALIDPARAMS";
    case kSceneEndFailed: return "D3DERR_SCENE_END_FAILED";
    case kSceneInScene: return "D3DERR_SCENE_IN_SCENE";
    case kSceneNotInScene: return "D3DERR_SCENE_NOT_IN_SCENE";
    case kViewportHasNoDevice: return "D3DERR_VIEWPORTHASNODEVICE";
    case kPointer: return "E_POINTER";
    case kInvalidArg: return "E_INVALIDARG";
    case kFail: return "E_FAIL";
    default: return "DDERR_GENERIC";
  }
}

}  // namespace platform::video
