// The display hardware: a profile describing adapters, modes, capabilities and video memory (with injectable
// faults), and the display object that opens an adapter, sets modes and creates surfaces and devices.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/video/device.h"
#include "platform/video/surface.h"
#include "platform/video/video.h"

namespace platform::video {

namespace devcaps {  // device and texture capability bits
constexpr uint32_t kDepth8 = 0x800;  // DDBD_8
constexpr uint32_t kDepth16 = 0x400;
constexpr uint32_t kDepth24 = 0x200;
constexpr uint32_t kDepth32 = 0x100;
constexpr uint32_t kColorGouraudRgb = 0x8;        // triangle shade caps
constexpr uint32_t kSpecularGouraudRgb = 0x200;   // triangle shade caps
constexpr uint32_t kHwTransformAndLight = 0x10000;
constexpr uint32_t kSeparateTextureMemories = 0x4000;
constexpr uint32_t kHwRasterization = 0x80000;
constexpr uint32_t kSquareOnly = 0x20;            // texture caps
}  // namespace devcaps

namespace cooperative {
constexpr uint32_t kFullScreen = 0x1;
constexpr uint32_t kNormal = 0x8;
constexpr uint32_t kExclusive = 0x10;
constexpr uint32_t kFpuPreserve = 0x1000;
}  // namespace cooperative

constexpr uint32_t kCapsBltStretch = 0x200;  // DDCAPS dwCaps

struct DisplayMode {
  int width = 0, height = 0, bits = 0, refresh = 60;
};

struct DeviceDescription {
  std::string name = "Software Rasteriser";
  bool hardware = true;
  uint32_t renderDepths = devcaps::kDepth16 | devcaps::kDepth32;
  uint32_t triangleShadeCaps = devcaps::kColorGouraudRgb | devcaps::kSpecularGouraudRgb;
  uint32_t deviceCaps = devcaps::kHwRasterization | devcaps::kHwTransformAndLight;
  uint32_t textureCaps = 0;
  int maxTextureWidth = 4096, maxTextureHeight = 4096, maxTextureAspectRatio = 4096;
  std::vector<PixelFormat> textureFormats = {kA8R8G8B8, kX8R8G8B8, kA4R4G4B4, kR5G6B5, kA1R5G5B5, kX1R5G5B5};
  std::vector<int> zBufferDepths = {16, 24, 32};
  // The description as its 236-byte record (capability words at their record offsets).
  std::vector<uint8_t> Record() const;
};

struct AdapterIdentifier {
  std::string driver = "alembria-soft", description = "Alembria software display";
  uint32_t versionHigh = 0x00040000, versionLow = 0x00000001;
  uint32_t vendorId = 0, deviceId = 0, subSysId = 0, revision = 0;
  uint32_t guid[4] = {0x414C4D42, 0x52494100, 0x536F6674, 0x00000001};
};

struct Adapter {
  bool hasGuid = true;
  AdapterIdentifier identifier;
  std::vector<DisplayMode> modes;
  // The software display keeps its surfaces in system memory: room for all of the game's pictures.
  uint64_t videoMemory = 1ull << 30;
  bool stretchBlits = true;
  std::vector<DeviceDescription> devices = {DeviceDescription()};
  bool refuseCreate = false;   // the display object cannot be opened
  bool refuseModes = false;    // SetDisplayMode fails
};

// Faults that the next operations meet; counters run down as they are used.
struct Faults {
  int refuseSurfaces = 0;          // surface creates answering kFail
  int outOfVideoMemorySurfaces = 0;  // surface creates answering kOutOfVideoMemory
  int refuseAlphaFrontBuffers = 0;   // front buffers asked with an alpha channel answering kFail
  int refuseDevices = 0;             // device creates answering kFail
  bool refuseAntialiasDevices = false;  // device creates that ask for antialiasing fail
  std::deque<Result> cooperativeLevel;  // answers of TestCooperativeLevel before it answers kOk
  std::deque<Result> restoreAll;        // answers of RestoreAllSurfaces before it answers kOk
};

struct HardwareProfile {
  std::vector<Adapter> adapters;
  int desktopWidth = 1280, desktopHeight = 1024, desktopBits = 32;
  int desktopColors = -1;  // -1 on desktops deeper than 8 bits
  int refresh = 60;
  // Window decoration sizes in pixels (frame, edge, caption).
  int frameWidth = 4, frameHeight = 4, edgeWidth = 2, edgeHeight = 2, captionHeight = 19;
  Rect workArea{0, 0, 1280, 1024};
  Faults faults;

  // One adapter with the usual modes at 16 and 32 bits, desktop width x height.
  static HardwareProfile Standard(int desktopWidth = 1280, int desktopHeight = 1024);
};

// The modes a desktop offers the software display at 16 and 32 bits: the sizes it reports, its own, and every
// usual size that fits on it, since a full-screen window covers the desktop and stretches the frame over it.
std::vector<DisplayMode> DesktopModes(int desktopWidth, int desktopHeight, int refresh,
                                      const std::vector<DisplayMode>& reported);

// Real: DetectProfile reads the machine's desktop through SDL video. Headless: the profile stays as tests set
// it, the standard one unless they replaced it.
enum class VideoBackend { Real, Headless };

// The backend DetectProfile uses from now on; Real until chosen otherwise.
void UseVideoBackend(VideoBackend backend);
VideoBackend GetVideoBackend();

// The desktop reader lives in a library of its own (alembria_platform_video_sdl, SDL2 under it) that only programs
// opening a desktop window link; platform/backend installs it. Until then the Real backend reads nothing.
void InstallRealProfileReader(bool (*detect)());

// The profile every display object reads; tests replace it, the real backend fills it from the desktop.
HardwareProfile& ActiveProfile();
void SetActiveProfile(const HardwareProfile& profile);
// Under the real backend, fills the active profile's desktop and modes from the machine; false when no video is
// available (or no reader installed). The headless backend leaves the profile alone and answers false.
bool DetectProfile();

struct SurfaceRequest {
  uint32_t caps = caps::kOffscreenPlain;
  int width = 0, height = 0;
  const PixelFormat* format = nullptr;  // null: the display's format
  int backBuffers = 0;
  bool alphaChannel = false;  // front buffer with an alpha channel
};

class DisplayObject {
 public:
  // Opens the adapter at index; kFail when it does not exist or refuses.
  static Result Create(int adapterIndex, std::shared_ptr<DisplayObject>* out);
  ~DisplayObject();

  const Adapter& GetAdapter() const { return adapter_; }
  Result SetCooperativeLevel(uint32_t flags);
  uint32_t CooperativeLevel() const { return cooperativeLevel_; }
  std::vector<DisplayMode> EnumDisplayModes() const { return adapter_.modes; }
  Result SetDisplayMode(int width, int height, int bits);
  Result RestoreDisplayMode();
  DisplayMode GetDisplayMode() const;
  uint64_t TotalVideoMemory() const { return adapter_.videoMemory; }
  uint64_t AvailableVideoMemory() const;
  // The 380-byte capability record (size, caps word, video memory at their record offsets).
  std::vector<uint8_t> CapsRecord() const;
  const AdapterIdentifier& GetDeviceIdentifier() const { return adapter_.identifier; }

  Result CreateSurface(const SurfaceRequest& request, std::shared_ptr<Surface>* out);
  Result CreateDevice(const DeviceDescription& description, std::shared_ptr<Surface> target, bool antialias,
                      std::unique_ptr<Device>* out);
  Result TestCooperativeLevel();
  Result RestoreAllSurfaces();
  Result FlipToGDISurface() { return kOk; }
  // Marks every surface made by this object lost (device loss).
  void LoseSurfaces();

 private:
  explicit DisplayObject(const Adapter& adapter) : adapter_(adapter) {}
  Adapter adapter_;
  uint32_t cooperativeLevel_ = 0;
  DisplayMode mode_;
  bool modeSet_ = false;
  std::vector<std::weak_ptr<Surface>> surfaces_;
};

}  // namespace platform::video
