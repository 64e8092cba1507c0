// TDxTextureData: surface creation, format choice, release and restore.
#include "engine/graphics/texture_data.h"

#include <algorithm>

#include "engine/core/files/file.h"
#include "engine/core/base/log.h"
#include "engine/graphics/display_surfaces.h"
#include "engine/graphics/texture.h"
#include "engine/graphics/texture_display.h"

namespace {

int BitCount(uint32_t mask) { return __builtin_popcount(mask); }

// Texture failures tell the texture display about a lack of video memory, not the display's handler.
void LogDxError(platform::video::Result result, int line) {
    if (result == platform::video::kOutOfVideoMemory) GetTextureDisplay().OnOutOfVideoMemory();
    LogDxErrorLine(result, "dxtexturedata", line);
}

// The alpha texture format: among the device's formats at the screen's depth that have alpha,
// the first, replaced by a later one only with more alpha bits and at least 3 blue bits.
platform::video::PixelFormat AlphaFormat(const platform::video::DeviceDescription* device, int screenBits) {
    const platform::video::PixelFormat* chosen = nullptr;
    if (device) {
        for (const platform::video::PixelFormat& format : device->textureFormats) {
            if (format.bits != screenBits || !format.HasAlpha()) continue;
            if (!chosen || (BitCount(format.alpha) > BitCount(chosen->alpha) && BitCount(format.blue) >= 3))
                chosen = &format;
        }
    }
    if (chosen) return *chosen;
    return screenBits == 16 ? platform::video::kA4R4G4B4 : platform::video::kA8R8G8B8;
}

// Textures without alpha take a format without alpha bits, so they sample alpha 255.
platform::video::PixelFormat OpaqueFormat(int screenBits) {
    return screenBits == 16 ? platform::video::kR5G6B5 : platform::video::kX8R8G8B8;
}

uint64_t SurfaceBytes(const platform::video::Surface& surface) {
    return static_cast<uint64_t>(surface.Height()) * surface.Pitch();
}

}  // namespace

uint32_t TexturePow2(uint32_t size) {
    uint32_t side = 2;
    while (side < size) side <<= 1;
    return side;
}

std::unique_ptr<TTextureData> CreateTextureData() { return std::make_unique<TDxTextureData>(); }

TDxTextureData::~TDxTextureData() { Release(); }

void TDxTextureData::Release() {
    lockBuffer_.reset();
    locked_ = false;
    if (!surface_) return;
    surface_->AttachZBuffer(nullptr);
    GetTextureDisplay().AddTextureMemory(-countedBytes_);
    countedBytes_ = 0;
    surface_.reset();
}

bool TDxTextureData::Create(int w, int h, bool clear) {
    ITextureDisplay& display = GetTextureDisplay();
    if (!(flags & kTextureSimple) && display.RequiresSquareTextures() && w != h) {
        int side = static_cast<int>(std::max(TexturePow2(w), TexturePow2(h)));
        borderX = (side - w) / 2;
        borderY = (side - h) / 2;
        w = h = side;
    }
    if (!display.GetDisplayObject() || !display.GetDeviceDescription()) {
        width = TexturePow2(w);
        height = TexturePow2(h);
        return (flags & kTextureMadeAsTarget) != 0;
    }
    Release();
    bool made = (flags & kTextureMipmap) ? CreateMipmapped(w, h) : CreateSurface(w, h);
    if (!made) return false;
    width = static_cast<uint32_t>(surface_->Width());
    height = static_cast<uint32_t>(surface_->Height());
    if (clear) Clear();
    if (flags & kTextureRenderTarget) AttachDepthBuffer();
    countedBytes_ = static_cast<int64_t>(SurfaceBytes(*surface_));
    display.AddTextureMemory(countedBytes_);
    return true;
}

bool TDxTextureData::CreateSurface(int w, int h) {
    ITextureDisplay& display = GetTextureDisplay();
    platform::video::DisplayObject& object = *display.GetDisplayObject();
    bool alpha = flags & kTextureAlpha;
    bool alphaTarget = alpha && (flags & kTextureRenderTarget);
    int bits = alphaTarget && display.AlphaTargetsAt32Bits() ? 32 : display.GetScreenBits();
    platform::video::PixelFormat format =
        alpha ? AlphaFormat(display.GetDeviceDescription(), bits) : OpaqueFormat(bits);
    platform::video::SurfaceRequest request;
    request.width = w;
    request.height = h;
    request.format = &format;
    request.caps = (flags & kTextureSimple) ? platform::video::caps::kOffscreenPlain : platform::video::caps::kTexture;
    if (flags & kTextureRenderTarget) request.caps |= platform::video::caps::k3DDevice;
    bool systemMemory = !display.GetDeviceDescription()->hardware ||
                        ((flags & kTextureSimple) && (flags & kTextureSlow));
    request.caps |= systemMemory ? platform::video::caps::kSystemMemory : platform::video::caps::kVideoMemory;

    platform::video::Result result = object.CreateSurface(request, &surface_);
    if (platform::video::Failed(result)) {
        LogDxError(result, __LINE__);
        request.caps = (request.caps & ~platform::video::caps::kSystemMemory) | platform::video::caps::kVideoMemory;
        result = object.CreateSurface(request, &surface_);
    }
    if (platform::video::Failed(result)) {
        LogDxError(result, __LINE__);
        if ((flags & kTextureRenderTarget) && alpha) {
            flags &= ~kTextureRenderTarget;
            return CreateSurface(w, h);
        }
        request.caps = platform::video::caps::kTexture | (request.caps & platform::video::caps::kVideoMemory);
        result = object.CreateSurface(request, &surface_);
        if (platform::video::Failed(result)) {
            LogDxError(result, __LINE__);
            return false;
        }
    }
    if (alpha && !surface_->Format().HasAlpha()) LogPrintf("SURFACE request FAILED to get DDPF_ALPHAPIXELS.");
    if (alpha && (flags & kTextureRenderTarget)) display.TryRenderTarget(surface_);
    return true;
}

// A mipmapped texture: the requested format by screen depth and alpha, falling back to the 16-bit
// one when the device does not offer it, and a chain of levels down to 1 x 1.
bool TDxTextureData::CreateMipmapped(int w, int h) {
    ITextureDisplay& display = GetTextureDisplay();
    bool alpha = flags & kTextureAlpha;
    bool sixteen = display.GetScreenBits() == 16;
    platform::video::PixelFormat format = alpha ? (sixteen ? platform::video::kA4R4G4B4 : platform::video::kA8R8G8B8)
                                                : (sixteen ? platform::video::kR5G6B5 : platform::video::kX8R8G8B8);
    const auto& offered = display.GetDeviceDescription()->textureFormats;
    if (std::find(offered.begin(), offered.end(), format) == offered.end() && !sixteen) {
        format = alpha ? platform::video::kA4R4G4B4 : platform::video::kR5G6B5;
        LogPrintf("D3DXCreateTexture::CreateSurface: Created a 16 bit texture when requesting 32 bits. "
                  "Switching to 16 bit mode");
        display.SwitchTo16BitTextures();
    }
    platform::video::SurfaceRequest request;
    request.format = &format;
    request.caps = platform::video::caps::kTexture | platform::video::caps::kMipMap;
    std::shared_ptr<platform::video::Surface> level;
    std::shared_ptr<platform::video::Surface> top;
    for (int lw = w, lh = h;; lw = std::max(lw / 2, 1), lh = std::max(lh / 2, 1)) {
        request.width = lw;
        request.height = lh;
        std::shared_ptr<platform::video::Surface> next;
        platform::video::Result result = display.GetDisplayObject()->CreateSurface(request, &next);
        if (platform::video::Failed(result)) {
            LogDxError(result, __LINE__);
            return false;
        }
        if (level) level->AttachMipLevel(next);
        else top = next;
        level = next;
        if (lw == 1 && lh == 1) break;
    }
    surface_ = top;
    mipCount_ = -1;
    madeByUtility_ = true;
    borderX = (top->Width() - w) / 2;
    borderY = (top->Height() - h) / 2;
    return true;
}

void TDxTextureData::AttachDepthBuffer() {
    ITextureDisplay& display = GetTextureDisplay();
    platform::video::SurfaceRequest request;
    request.caps = platform::video::caps::kZBuffer;
    request.width = surface_->Width();
    request.height = surface_->Height();
    platform::video::Surface* backDepth = display.GetDepthBuffer();
    if (backDepth) request.format = &backDepth->Format();
    std::shared_ptr<platform::video::Surface> depth;
    if (platform::video::Failed(display.GetDisplayObject()->CreateSurface(request, &depth))) {
        LogPrintf("FAILED to create z-buffer for render surface!");
        return;
    }
    surface_->AttachZBuffer(std::move(depth));
}

void TDxTextureData::Clear() {
    if (!surface_) return;
    if (surface_->ColorFill(nullptr, 0) == platform::video::kSurfaceLost) {
        surface_->Restore();
        surface_->ColorFill(nullptr, 0);
    }
}

bool TDxTextureData::Blit(TTextureData& source, const TRect& sourceRect, int x, int y) {
    auto* from = dynamic_cast<TDxTextureData*>(&source);
    if (!surface_ || !from || !from->surface_) return false;
    platform::video::Rect src{sourceRect.left, sourceRect.top, sourceRect.right, sourceRect.bottom};
    platform::video::Rect dst{x, y, x + src.Width(), y + src.Height()};
    platform::video::Result result = surface_->Blt(&dst, *from->surface_, &src);
    if (platform::video::Failed(result)) LogDxError(result, __LINE__);
    return !platform::video::Failed(result);
}

void TDxTextureData::Restore() {
    Release();
    if (fileName.IsEmpty()) {
        if (!Create(static_cast<int>(width), static_cast<int>(height), true)) {
            LogPrintf("TDxTextureData::Restore: Failed to restore %dx%d texture (%d,%d)", width, height, imageWidth,
                      imageHeight);
            GetTextureDisplay().OnRestoreFailed();
        }
        return;
    }
    RestoreFromFiles();
}

void TDxTextureData::RestoreFromFiles() {
    // The loader rewrites the names; keep them for the messages and the retry test.
    TString image = fileName, mask = maskName;
    if (LoadTextureData(this, image, mask) && surface_) return;
    if (mask.IsEmpty())
        LogPrintf("TDxTextureData::Restore: Failed to restore from file %s.", image.CStr());
    else
        LogPrintf("TDxTextureData::Restore: Failed to restore from file %s and %s.", image.CStr(), mask.CStr());
    int question = image.FindChar('?');
    TString bare = question < 0 ? image : image.Mid(0, question);
    if (FileExists(bare) || FileExists(bare + ".png") || FileExists(bare + ".jpg")) GetTextureDisplay().OnRestoreFailed();
}
