#include "platform/video/profile.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

namespace platform::video {

namespace {

struct VideoState {
  std::atomic<VideoBackend> backend{VideoBackend::Real};
  std::atomic<bool (*)()> detectReal{nullptr};
  std::mutex profileLock;
  HardwareProfile profile = HardwareProfile::Standard();
};

VideoState& GetVideoState() {
  static VideoState state;
  return state;
}

void PutWord(std::vector<uint8_t>* record, size_t offset, uint32_t value) {
  if (offset + 4 <= record->size()) std::memcpy(record->data() + offset, &value, 4);
}

// A fault counter that is consumed when positive.
bool Take(int* counter) {
  if (*counter <= 0) return false;
  --*counter;
  return true;
}

uint64_t SurfaceBytes(const Surface& s) { return static_cast<uint64_t>(s.Pitch()) * s.Height(); }

constexpr int kUsualSizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};

bool HasSize(const std::vector<DisplayMode>& modes, int width, int height) {
  return std::any_of(modes.begin(), modes.end(),
                     [&](const DisplayMode& m) { return m.width == width && m.height == height; });
}

}  // namespace

std::vector<DisplayMode> DesktopModes(int desktopWidth, int desktopHeight, int refresh,
                                      const std::vector<DisplayMode>& reported) {
  std::vector<DisplayMode> modes;
  auto add = [&](int width, int height, int rate) {
    if (HasSize(modes, width, height)) return;
    for (int bits : {16, 32}) modes.push_back({width, height, bits, rate});
  };
  for (const DisplayMode& mode : reported) add(mode.width, mode.height, mode.refresh);
  for (auto& size : kUsualSizes)
    if (size[0] <= desktopWidth && size[1] <= desktopHeight) add(size[0], size[1], refresh);
  add(desktopWidth, desktopHeight, refresh);
  return modes;
}

HardwareProfile HardwareProfile::Standard(int desktopWidth, int desktopHeight) {
  HardwareProfile p;
  p.desktopWidth = desktopWidth;
  p.desktopHeight = desktopHeight;
  p.workArea = {0, 0, desktopWidth, desktopHeight};
  Adapter adapter;
  for (auto& size : kUsualSizes)
    for (int bits : {16, 32}) adapter.modes.push_back({size[0], size[1], bits, 60});
  if (std::none_of(adapter.modes.begin(), adapter.modes.end(),
                   [&](const DisplayMode& m) { return m.width == desktopWidth && m.height == desktopHeight; })) {
    adapter.modes.push_back({desktopWidth, desktopHeight, 16, 60});
    adapter.modes.push_back({desktopWidth, desktopHeight, 32, 60});
  }
  p.adapters.push_back(adapter);
  return p;
}

void UseVideoBackend(VideoBackend backend) { GetVideoState().backend = backend; }

VideoBackend GetVideoBackend() { return GetVideoState().backend; }

void InstallRealProfileReader(bool (*detect)()) { GetVideoState().detectReal = detect; }

bool DetectProfile() {
  VideoState& state = GetVideoState();
  auto detectReal = state.detectReal.load();
  return state.backend == VideoBackend::Real && detectReal && detectReal();
}

HardwareProfile& ActiveProfile() { return GetVideoState().profile; }

void SetActiveProfile(const HardwareProfile& profile) {
  VideoState& state = GetVideoState();
  std::lock_guard lock(state.profileLock);
  state.profile = profile;
}

std::vector<uint8_t> DeviceDescription::Record() const {
  // D3DDEVICEDESC7: dwDevCaps 0, triangle caps from 40 (shade caps at +12), render depths 140,
  // max texture width/height 152/156, max aspect ratio 168.
  std::vector<uint8_t> record(236, 0);
  PutWord(&record, 0, deviceCaps);
  PutWord(&record, 40, 56);
  PutWord(&record, 52, triangleShadeCaps);
  PutWord(&record, 72, textureCaps);
  PutWord(&record, 140, renderDepths);
  PutWord(&record, 152, static_cast<uint32_t>(maxTextureWidth));
  PutWord(&record, 156, static_cast<uint32_t>(maxTextureHeight));
  PutWord(&record, 168, static_cast<uint32_t>(maxTextureAspectRatio));
  return record;
}

Result DisplayObject::Create(int adapterIndex, std::shared_ptr<DisplayObject>* out) {
  if (!out) return kPointer;
  out->reset();
  const HardwareProfile& profile = ActiveProfile();
  if (adapterIndex < 0 || adapterIndex >= static_cast<int>(profile.adapters.size())) return kFail;
  const Adapter& adapter = profile.adapters[adapterIndex];
  if (adapter.refuseCreate) return kFail;
  out->reset(new DisplayObject(adapter));
  return kOk;
}

DisplayObject::~DisplayObject() = default;

Result DisplayObject::SetCooperativeLevel(uint32_t flags) {
  cooperativeLevel_ = flags;
  return kOk;
}

Result DisplayObject::SetDisplayMode(int width, int height, int bits) {
  if (adapter_.refuseModes) return kFail;
  auto match = std::find_if(adapter_.modes.begin(), adapter_.modes.end(), [&](const DisplayMode& m) {
    return m.width == width && m.height == height && m.bits == bits;
  });
  if (match == adapter_.modes.end()) return kInvalidParams;
  mode_ = *match;
  modeSet_ = true;
  return kOk;
}

Result DisplayObject::RestoreDisplayMode() {
  modeSet_ = false;
  return kOk;
}

DisplayMode DisplayObject::GetDisplayMode() const {
  if (modeSet_) return mode_;
  const HardwareProfile& p = ActiveProfile();
  return {p.desktopWidth, p.desktopHeight, p.desktopBits, p.refresh};
}

uint64_t DisplayObject::AvailableVideoMemory() const {
  uint64_t used = 0;
  for (const auto& weak : surfaces_)
    if (auto s = weak.lock(); s && (s->Caps() & caps::kVideoMemory)) used += SurfaceBytes(*s);
  return used >= adapter_.videoMemory ? 0 : adapter_.videoMemory - used;
}

std::vector<uint8_t> DisplayObject::CapsRecord() const {
  // DDCAPS: dwSize 0, dwCaps 4, dwVidMemTotal 60, dwVidMemFree 64.
  std::vector<uint8_t> record(380, 0);
  PutWord(&record, 0, 380);
  PutWord(&record, 4, adapter_.stretchBlits ? kCapsBltStretch : 0);
  PutWord(&record, 60, static_cast<uint32_t>(std::min<uint64_t>(adapter_.videoMemory, 0xFFFFFFFFu)));
  PutWord(&record, 64, static_cast<uint32_t>(std::min<uint64_t>(AvailableVideoMemory(), 0xFFFFFFFFu)));
  return record;
}

Result DisplayObject::CreateSurface(const SurfaceRequest& request, std::shared_ptr<Surface>* out) {
  if (!out) return kInvalidArg;
  out->reset();
  Faults& faults = ActiveProfile().faults;
  if (Take(&faults.refuseSurfaces)) return kFail;
  if (Take(&faults.outOfVideoMemorySurfaces)) return kOutOfVideoMemory;
  if (request.alphaChannel && Take(&faults.refuseAlphaFrontBuffers)) return kFail;

  bool primary = request.caps & caps::kPrimarySurface;
  DisplayMode mode = GetDisplayMode();
  // A primary surface without a size covers the screen.
  bool screenSized = primary && request.width <= 0;
  int width = screenSized ? (modeSet_ ? mode.width : ActiveProfile().desktopWidth) : request.width;
  int height = screenSized ? (modeSet_ ? mode.height : ActiveProfile().desktopHeight) : request.height;
  if (width <= 0 || height <= 0) return kInvalidParams;
  PixelFormat format = request.format ? *request.format : (mode.bits == 16 ? kR5G6B5 : kA8R8G8B8);
  if (request.caps & caps::kZBuffer) format = PixelFormat{32, 0, 0, 0, 0};

  uint32_t placedCaps = request.caps;
  if (!(placedCaps & caps::kSystemMemory)) placedCaps |= caps::kVideoMemory;
  auto surface = std::make_shared<Surface>(width, height, format, placedCaps);
  uint64_t bytes = SurfaceBytes(*surface) * (1 + std::max(request.backBuffers, 0));
  if ((placedCaps & caps::kVideoMemory) && bytes > AvailableVideoMemory()) return kOutOfVideoMemory;
  surfaces_.push_back(surface);
  for (int i = 0; i < request.backBuffers; ++i) {
    auto back = std::make_shared<Surface>(width, height, format, placedCaps | caps::kBackBuffer | caps::k3DDevice);
    surfaces_.push_back(back);
    surface->AttachBackBuffer(back);
  }
  std::erase_if(surfaces_, [](const std::weak_ptr<Surface>& w) { return w.expired(); });
  *out = std::move(surface);
  return kOk;
}

Result DisplayObject::CreateDevice(const DeviceDescription& description, std::shared_ptr<Surface> target,
                                   bool antialias, std::unique_ptr<Device>* out) {
  if (!out || !target) return kInvalidParams;
  Faults& faults = ActiveProfile().faults;
  if (Take(&faults.refuseDevices) || (antialias && faults.refuseAntialiasDevices)) return kFail;
  if (!(target->Caps() & caps::k3DDevice)) return kInvalidParams;
  *out = std::make_unique<Device>(std::move(target));
  return kOk;
}

Result DisplayObject::TestCooperativeLevel() {
  auto& answers = ActiveProfile().faults.cooperativeLevel;
  if (answers.empty()) return kOk;
  Result r = answers.front();
  answers.pop_front();
  return r;
}

Result DisplayObject::RestoreAllSurfaces() {
  auto& answers = ActiveProfile().faults.restoreAll;
  if (!answers.empty()) {
    Result r = answers.front();
    answers.pop_front();
    if (Failed(r)) return r;
  }
  for (const auto& weak : surfaces_)
    if (auto s = weak.lock()) s->Restore();
  return kOk;
}

void DisplayObject::LoseSurfaces() {
  for (const auto& weak : surfaces_)
    if (auto s = weak.lock()) s->MarkLost();
}

}  // namespace platform::video
