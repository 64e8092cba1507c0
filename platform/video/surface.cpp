#include "platform/video/surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform::video {

namespace {

// Rows start on 32-byte boundaries, so a pitch is usually wider than width x bytes per pixel.
int PitchFor(int width, int bytesPerPixel) { return (width * bytesPerPixel + 31) & ~31; }

bool ResolveRect(const Rect* given, const Surface& s, Rect* out) {
  *out = given ? *given : s.Bounds();
  return !out->Empty() && out->left >= 0 && out->top >= 0 && out->right <= s.Width() && out->bottom <= s.Height();
}

}  // namespace

Surface::Surface(int width, int height, const PixelFormat& format, uint32_t capabilities)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      pitch_(PitchFor(width_, (capabilities & caps::kZBuffer) ? 4 : format.BytesPerPixel())),
      format_(format),
      caps_(capabilities) {}

void Surface::MakePixels() const {
  pixels_.resize(static_cast<size_t>(pitch_) * height_);
  if (caps_ & caps::kZBuffer) std::fill_n(reinterpret_cast<float*>(pixels_.data()), pixels_.size() / 4, 1.0f);
}

Result Surface::Lock(const Rect* rect, uint8_t** bits, int* pitch) {
  if (!bits || !pitch) return kInvalidParams;
  if (lost_) return kSurfaceLost;
  Rect r;
  if (!ResolveRect(rect, *this, &r)) return kInvalidParams;
  *bits = Row(r.top) + r.left * format_.BytesPerPixel();
  *pitch = pitch_;
  locked_ = true;
  return kOk;
}

Result Surface::Unlock() {
  locked_ = false;
  return kOk;
}

uint32_t Surface::RawPixel(int x, int y) const {
  const uint8_t* p = Row(y) + x * format_.BytesPerPixel();
  if (format_.bits == 32) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}

void Surface::SetRawPixel(int x, int y, uint32_t raw) {
  uint8_t* p = Row(y) + x * format_.BytesPerPixel();
  if (format_.bits == 32) {
    std::memcpy(p, &raw, 4);
  } else {
    uint16_t v = static_cast<uint16_t>(raw);
    std::memcpy(p, &v, 2);
  }
}

Result Surface::Blt(const Rect* dstRect, Surface& src, const Rect* srcRect) {
  if (lost_ || src.lost_) return kSurfaceLost;
  Rect d, s;
  if (!ResolveRect(dstRect, *this, &d) || !ResolveRect(srcRect, src, &s)) return kInvalidParams;
  bool sameFormat = src.format_ == format_;
  bool sameKind = sameFormat && (caps_ & caps::kZBuffer) == (src.caps_ & caps::kZBuffer);
  if (sameKind && pixels_.empty() && src.pixels_.empty()) {
    // Neither was drawn to, so both read the same and this one stays unmade: a display presenting before its first
    // frame touches no memory.
  } else if (sameFormat && d.Width() == s.Width() && d.Height() == s.Height()) {
    size_t rowBytes = static_cast<size_t>(d.Width()) * format_.BytesPerPixel();
    for (int y = 0; y < d.Height(); ++y) {
      std::memmove(Row(d.top + y) + d.left * format_.BytesPerPixel(),
                   src.Row(s.top + y) + s.left * format_.BytesPerPixel(), rowBytes);
    }
  } else {
    for (int y = 0; y < d.Height(); ++y) {
      int sy = s.top + static_cast<int>(static_cast<int64_t>(y) * s.Height() / d.Height());
      for (int x = 0; x < d.Width(); ++x) {
        int sx = s.left + static_cast<int>(static_cast<int64_t>(x) * s.Width() / d.Width());
        uint32_t raw = src.RawPixel(sx, sy);
        SetRawPixel(d.left + x, d.top + y, sameFormat ? raw : PackColor(format_, UnpackColor(src.format_, raw)));
      }
    }
  }
  AddDirty(d);
  return kOk;
}

Result Surface::ColorFill(const Rect* dstRect, uint32_t raw) {
  if (lost_) return kSurfaceLost;
  Rect d;
  if (!ResolveRect(dstRect, *this, &d)) return kInvalidParams;
  if (caps_ & caps::kZBuffer) {
    float depth;
    std::memcpy(&depth, &raw, 4);
    for (int y = d.top; y < d.bottom; ++y) std::fill(Depth(y) + d.left, Depth(y) + d.right, depth);
  } else if (format_.bits == 32) {
    for (int y = d.top; y < d.bottom; ++y) {
      uint32_t* row = reinterpret_cast<uint32_t*>(Row(y));
      std::fill(row + d.left, row + d.right, raw);
    }
  } else {
    for (int y = d.top; y < d.bottom; ++y) {
      uint16_t* row = reinterpret_cast<uint16_t*>(Row(y));
      std::fill(row + d.left, row + d.right, static_cast<uint16_t>(raw));
    }
  }
  AddDirty(d);
  return kOk;
}

Result Surface::Flip() {
  if (lost_) return kSurfaceLost;
  if (!backBuffer_) return kInvalidParams;
  if (stillDrawingPolls_ > 0) {
    --stillDrawingPolls_;
    return kWasStillDrawing;
  }
  // Memory has no page flip: the front takes the back buffer's picture and the back buffer keeps it, so a frame
  // that redraws only its changed parts still builds on the last one.
  if (backBuffer_->pitch_ != pitch_ || backBuffer_->height_ != height_) return kInvalidParams;
  pixels_ = backBuffer_->pixels_;  // a back buffer not yet made leaves this one unmade: both read as zero
  return kOk;
}

Result Surface::GetFlipStatus() {
  if (lost_) return kSurfaceLost;
  if (stillDrawingPolls_ > 0) {
    --stillDrawingPolls_;
    return kWasStillDrawing;
  }
  return kOk;
}

Result Surface::GetBltStatus() { return GetFlipStatus(); }

Result Surface::Restore() {
  if (!lost_) return kOk;
  lost_ = false;
  std::fill(Pixels(), Pixels() + pixels_.size(), 0);
  return kOk;
}

void Surface::AddDirty(const Rect& rect) {
  if (rect.Empty()) return;
  std::lock_guard lock(dirtyMutex_);
  if (!dirty_.empty() && Intersect(dirty_.back(), rect) == rect) return;
  dirty_.push_back(rect);
}

std::vector<Rect> Surface::TakeDirty() {
  std::lock_guard lock(dirtyMutex_);
  return std::exchange(dirty_, {});
}

size_t Surface::DirtyCount() const {
  std::lock_guard lock(dirtyMutex_);
  return dirty_.size();
}

void Surface::TruncateDirty(size_t count) {
  std::lock_guard lock(dirtyMutex_);
  if (count < dirty_.size()) dirty_.resize(count);
}

std::vector<Rect> Surface::Dirty() const {
  std::lock_guard lock(dirtyMutex_);
  return dirty_;
}

}  // namespace platform::video
