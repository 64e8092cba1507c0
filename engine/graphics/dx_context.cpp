#include "engine/graphics/dx_context.h"

#include <algorithm>
#include <string>

#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/graphics/texture.h"
#include "platform/window/window.h"

namespace {

constexpr char kSource[] = "directx";

uint32_t DepthBit(int bits) {
    switch (bits) {
        case 8:
            return platform::video::devcaps::kDepth8;
        case 16:
            return platform::video::devcaps::kDepth16;
        case 24:
            return platform::video::devcaps::kDepth24;
        default:
            return platform::video::devcaps::kDepth32;
    }
}

// The device enumeration: hardware devices that render at the display's depth with Gouraud colour; a
// device with hardware transform and lighting ends the search.
const platform::video::DeviceDescription* ChooseDevice(const std::vector<platform::video::DeviceDescription>& devices,
                                                       int bits) {
    const platform::video::DeviceDescription* chosen = nullptr;
    for (const platform::video::DeviceDescription& d : devices) {
        if (!(d.renderDepths & DepthBit(bits)) || !(d.triangleShadeCaps & platform::video::devcaps::kColorGouraudRgb))
            continue;
        if (!(d.deviceCaps & platform::video::devcaps::kHwRasterization)) continue;
        chosen = &d;
        if (d.deviceCaps & platform::video::devcaps::kHwTransformAndLight) break;
    }
    return chosen;
}

bool IsBrokenIndexedVertexChip(const std::string& description) {
    return description.find("Intel") != std::string::npos &&
           (description.find("82810E") != std::string::npos || description.find("82845") != std::string::npos ||
            description.find(" 965 ") != std::string::npos);
}

void LogIdentifier(const platform::video::AdapterIdentifier& id) {
    LogPrintf(
        "Device identifier:  \n  Driver: '%s'\n  Description: '%s'\n  Version: %x:%x\n  Vendor ID: %x (%d)\n"
        "  Device ID: %x (%d)\n  SubSys:  : %x (%d)\n  Revision:  %x (%d)\n  GUID:      %x:%x:%x:%x\n",
        id.driver.c_str(), id.description.c_str(), id.versionHigh, id.versionLow, id.vendorId, id.vendorId,
        id.deviceId, id.deviceId, id.subSysId, id.subSysId, id.revision, id.revision, id.guid[0], id.guid[1],
        id.guid[2], id.guid[3]);
}

// Moves each edge of dest outside clip onto it; false when they do not overlap.
bool ClipRect(platform::video::Rect* dest, const platform::video::Rect& clip) {
    *dest = platform::video::Intersect(*dest, clip);
    return !dest->Empty();
}

}  // namespace

std::string HexDump(const uint8_t* bytes, size_t count) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(count * 2);
    for (size_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

TDXContext::TDXContext() = default;

TDXContext::~TDXContext() {
    Release();
}

bool TDXContext::Create(platform::Window* window, bool fullScreen, int width, int height, int bitsPerPixel,
                        uint32_t flags) {
    std::lock_guard lock(mutex_);
    Release();
    window_ = window;
    uint32_t displayFlags = (flags & kContextEmbedded) ? kDisplayEmbedded : 0;
    platform::video::Result r =
        fullScreen ? display_.CreateFullScreenDisplay(window, width, height, bitsPerPixel, displayFlags)
                   : display_.CreateWindowedDisplay(window, width, height, displayFlags);
    if (platform::video::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        Release();
        return false;
    }
    if (!CreateDevice(flags)) {
        Release();
        return false;
    }
    platform::video::DisplayObject* dd = display_.GetDirectDraw();
    std::vector<uint8_t> caps = dd->CapsRecord();
    stretchBlits_ = (caps[4] | caps[5] << 8) & platform::video::kCapsBltStretch;
    LogIdentifier(dd->GetDeviceIdentifier());
    if (IsBrokenIndexedVertexChip(dd->GetDeviceIdentifier().description)) SetConfig("brokenindexedverts", "1");
    std::vector<uint8_t> desc = description_.Record();
    LogPrintf("DDCAPS: %s\n", HexDump(caps.data(), caps.size()).c_str());
    LogPrintf("D3DDESC: %s\n", HexDump(desc.data(), desc.size()).c_str());
    deviceLost_ = false;
    InvalidateAll();
    return true;
}

bool TDXContext::CreateDevice(uint32_t flags) {
    platform::video::DisplayObject* dd = display_.GetDirectDraw();
    int bits = dd->GetDisplayMode().bits;
    if (display_.IsWindowed()) bits = display_.GetBackBuffer()->Format().bits;
    const platform::video::DeviceDescription* device = ChooseDevice(dd->GetAdapter().devices, bits);
    if (!device) {
        LogPrintf("TDXContext::Create failed! Could not find a hardware renderer.");
        return false;
    }
    description_ = *device;
    auto depthBits = std::find_if(device->zBufferDepths.begin(), device->zBufferDepths.end(),
                                  [](int b) { return b >= 16; });
    const std::shared_ptr<platform::video::Surface>& back = display_.GetBackBuffer();
    if (depthBits != device->zBufferDepths.end()) {
        platform::video::PixelFormat depthFormat{*depthBits, 0, 0, 0, 0};
        platform::video::Result r =
            display_.CreateSurface(&depth_, back->Width(), back->Height(), &depthFormat,
                                   platform::video::caps::kZBuffer | platform::video::caps::kVideoMemory);
        if (platform::video::Failed(r)) {
            LogDxError(r, kSource, __LINE__);
            return false;
        }
        back->AttachZBuffer(depth_);
    }
    platform::video::Result r = dd->CreateDevice(*device, back, (flags & kContextAntialias) != 0, &device_);
    if (platform::video::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        return false;
    }
    if (device->maxTextureWidth < 1024 || device->maxTextureHeight < 1024) {
        LogPrintf("TDXContext::Create - context does not support 1024x1024 textures! Failing!");
        return false;
    }
    return true;
}

void TDXContext::Release() {
    std::lock_guard lock(mutex_);
    device_.reset();
    if (const auto& back = display_.GetBackBuffer()) back->AttachZBuffer(nullptr);
    depth_.reset();
    display_.DestroyObjects();
    presentQueue_.clear();
}

void TDXContext::SetDesktop(int width, int height, int colorCount) {
    desktopWidth_ = width;
    desktopHeight_ = height;
    desktopColors_ = colorCount;
}

bool TDXContext::TooLittleVideoMemoryForWindow(int width, int height) const {
    const platform::video::HardwareProfile& profile = platform::video::ActiveProfile();
    if (profile.adapters.empty()) return true;
    // The desktop's own screen plus a back buffer and a depth buffer of the window.
    uint64_t needed = static_cast<uint64_t>(profile.desktopWidth) * profile.desktopHeight * 4 +
                      static_cast<uint64_t>(width) * height * 8;
    return profile.adapters[0].videoMemory < needed;
}

void TDXContext::InvalidateAll() {
    if (const auto& back = display_.GetBackBuffer()) back->AddDirty(back->Bounds());
}

platform::video::Result TDXContext::UpdateFrame() {
    std::lock_guard lock(mutex_);
    const auto& back = display_.GetBackBuffer();
    if (!back) return platform::video::kPointer;
    if (!display_.IsWindowed()) {
        back->TakeDirty();
        platform::video::Result r = display_.Present();
        if (platform::video::Succeeded(r)) frontChanged_ = true;
        return r;
    }
    std::vector<platform::video::Rect> dirty = back->TakeDirty();
    presentQueue_.insert(presentQueue_.end(), dirty.begin(), dirty.end());
    CoalesceQueue();
    return back->IsLost();
}

// Rectangles that together cover more than their bounding box are copied as that box: overlapping copies
// would cost more than the few pixels the box adds.
void TDXContext::CoalesceQueue() {
    platform::video::Rect box;
    int64_t area = 0;
    for (const platform::video::Rect& r : presentQueue_) {
        box = platform::video::Union(box, r);
        area += static_cast<int64_t>(r.Width()) * r.Height();
    }
    if (presentQueue_.size() > 1 && area >= static_cast<int64_t>(box.Width()) * box.Height()) presentQueue_ = {box};
}

std::pair<int, int> TDXContext::Present(int a, int b, int flag) {
    std::lock_guard lock(mutex_);
    const auto& back = display_.GetBackBuffer();
    const auto& front = display_.GetFrontBuffer();
    if (deviceLost_ || !back || !front || presentQueue_.empty()) return {-1, 0};
    std::vector<platform::video::Rect> queue = std::exchange(presentQueue_, {});
    int copied = 0;
    for (platform::video::Rect source : queue) {
        if (!ClipRect(&source, back->Bounds())) continue;
        // Destination in the window: the source scaled by the view scale (buffer to window adds 0.5).
        platform::video::Rect dest{
            static_cast<int>(source.left * viewScale_ + 0.5f), static_cast<int>(source.top * viewScale_ + 0.5f),
            static_cast<int>(source.right * viewScale_ + 0.5f), static_cast<int>(source.bottom * viewScale_ + 0.5f)};
        if (!ClipRect(&dest, front->Bounds())) continue;
        platform::video::Result r = front->Blt(&dest, *back, &source);
        if (r == platform::video::kSurfaceLost) {
            deviceLost_ = true;
            break;
        }
        if (platform::video::Failed(r)) {
            LogDxError(r, kSource, __LINE__);
            continue;
        }
        ++copied;
    }
    front->TakeDirty();
    if (copied == 0) return {-1, 0};
    frontChanged_ = true;
    return {copied, 0};
}

void TDXContext::ShowFrontBuffer() {
    std::lock_guard lock(mutex_);
    const auto& front = display_.GetFrontBuffer();
    if (!frontChanged_ || !front || !window_ || front->IsLost() != platform::video::kOk) return;
    frontChanged_ = false;
    if (front->Format().bits == 32) {
        window_->PresentFrame(reinterpret_cast<const uint32_t*>(front->Row(0)), front->Width(), front->Height(),
                              front->Pitch());
        return;
    }
    frameStaging_.resize(static_cast<size_t>(front->Width()) * front->Height());
    for (int y = 0; y < front->Height(); ++y)
        for (int x = 0; x < front->Width(); ++x) frameStaging_[static_cast<size_t>(y) * front->Width() + x] = front->Pixel(x, y);
    window_->PresentFrame(frameStaging_.data(), front->Width(), front->Height(), front->Width() * 4);
}

bool TDXContext::SetMouseImage(const std::shared_ptr<TTexture>& texture, int hotX, int hotY) {
    std::lock_guard lock(mutex_);
    cursorTexture_ = texture;
    if (!texture || !window_) return false;
    uint32_t* pixels = nullptr;
    int pitch = 0;
    if (!texture->Lock(&pixels, &pitch)) return false;
    // A 32 x 32 picture; whatever the texture lacks stays transparent.
    std::vector<uint32_t> image(32 * 32, 0);
    int w = std::min(32, texture->GetWidth()), h = std::min(32, texture->GetHeight());
    for (int y = 0; y < h; ++y) std::copy_n(pixels + static_cast<size_t>(y) * pitch, w, image.begin() + y * 32);
    texture->Unlock();
    window_->SetCursorImage(image.data(), 32, 32, hotX, hotY);
    return true;
}

void TDXContext::ShowCursor(bool visible) {
    std::lock_guard lock(mutex_);
    if (window_) window_->ShowSystemCursor(visible && window_->HasFocus());
}
