// The software display layer: result codes, pixel formats and rectangles shared by surfaces and the device.
// Values follow the Direct3D 7 / DirectDraw 7 numbering so that callers read like the display code they replace.
#pragma once

#include <cstdint>

namespace platform::video {

using Result = uint32_t;

constexpr Result kOk = 0;
constexpr Result kOutOfVideoMemory = 0x8876017C;       // DDERR_OUTOFVIDEOMEMORY
constexpr Result kSurfaceLost = 0x887601C2;            // DDERR_SURFACELOST
constexpr Result kWasStillDrawing = 0x8876021C;        // DDERR_WASSTILLDRAWING
constexpr Result kWrongMode = 0x8876024B;              // DDERR_WRONGMODE
constexpr Result kExclusiveModeAlreadySet = 0x88760245;  // DDERR_EXCLUSIVEMODEALREADYSET
constexpr Result kNoExclusiveMode = 0x887600E1;        // DDERR_NOEXCLUSIVEMODE
constexpr Result kCurrentlyNotAvailable = 0x88760028;  // DDERR_CURRENTLYNOTAVAIL
constexpr Result kInvalidParams = 0x88760057;          // DDERR_INVALIDPARAMS
constexpr Result kSceneEndFailed = 0x887602DD;         // D3DERR_SCENE_END_FAILED
constexpr Result kSceneInScene = 0x887602DA;           // D3DERR_SCENE_IN_SCENE
constexpr Result kSceneNotInScene = 0x887602DB;        // D3DERR_SCENE_NOT_IN_SCENE
constexpr Result kViewportHasNoDevice = 0x88760277;    // D3DERR_VIEWPORTHASNODEVICE (refused viewport)
constexpr Result kPointer = 0x80004003;                // E_POINTER
constexpr Result kInvalidArg = 0x80070057;             // E_INVALIDARG
constexpr Result kFail = 0x80004005;                   // E_FAIL

inline bool Failed(Result r) { return (r & 0x80000000u) != 0; }
inline bool Succeeded(Result r) { return !Failed(r); }
// The result's Direct3D / DirectDraw name, for log lines; "DDERR_GENERIC" for any other failure.
const char* ResultName(Result r);

// Half-open rectangle [left, right) x [top, bottom).
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect&) const = default;
};
Rect Intersect(const Rect& a, const Rect& b);
Rect Union(const Rect& a, const Rect& b);  // an empty side yields the other

// A pixel layout described by its bit count and channel masks; fills and conversions are computed from the masks.
struct PixelFormat {
  int bits = 32;
  uint32_t red = 0, green = 0, blue = 0, alpha = 0;
  bool operator==(const PixelFormat&) const = default;
  bool HasAlpha() const { return alpha != 0; }
  int BytesPerPixel() const { return bits / 8; }
};

extern const PixelFormat kA8R8G8B8;
extern const PixelFormat kX8R8G8B8;
extern const PixelFormat kR5G6B5;
extern const PixelFormat kA4R4G4B4;
extern const PixelFormat kX1R5G5B5;
extern const PixelFormat kA1R5G5B5;

// Raw pixel value of an 8-bit-per-channel colour 0xAARRGGBB: each channel truncated to its mask width.
uint32_t PackColor(const PixelFormat& format, uint32_t argb);
// 0xAARRGGBB of a raw value: channels shifted back left; a format without alpha bits reads alpha 255.
uint32_t UnpackColor(const PixelFormat& format, uint32_t raw);

}  // namespace platform::video
