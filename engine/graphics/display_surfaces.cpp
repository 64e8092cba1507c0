#include "engine/graphics/display_surfaces.h"

#include "engine/core/base/log.h"
#include "engine/graphics/display_host.h"
#include "engine/graphics/graphics_state.h"
#include "platform/window/window.h"

namespace {

constexpr char kSource[] = "ddutil";

}  // namespace

void SetOutOfVideoMemoryHandler(void (*handler)()) {
    GetGraphicsState().outOfVideoMemoryHandler = handler;
}

void LogDxErrorLine(platform::video::Result result, const char* source, int line) {
    LogPrintf("DX Error: %s (0x%x), File %s, Line %d", platform::video::ResultName(result), result, source, line);
}

void LogDxError(platform::video::Result result, const char* source, int line) {
    auto handler = GetGraphicsState().outOfVideoMemoryHandler;
    if (result == platform::video::kOutOfVideoMemory && handler) handler();
    LogDxErrorLine(result, source, line);
}

CDisplay::~CDisplay() {
    DestroyObjects();
}

platform::video::Result CDisplay::CreateFullScreenDisplay(platform::Window* window, int width, int height,
                                                          int bitsPerPixel, uint32_t flags, bool quiet) {
    DestroyObjects();
    window_ = window;
    windowed_ = false;
    for (int adapter = static_cast<int>(flags >> 16);; ++adapter) {
        if (platform::video::Failed(platform::video::DisplayObject::Create(adapter, &directDraw_))) {
            if (adapter >= static_cast<int>(platform::video::ActiveProfile().adapters.size())) {
                LogPrintf("Failed to create a DirectDraw device after trying all GUIDs");
                if (!quiet)
                    GetDisplayHost().MessageBox(
                        "Error",
                        "Sorry, but this product isn't compatible with your display. Try using a different display "
                        "(for instance, the main display in your laptop), if you have the option.");
                return platform::video::kFail;
            }
            continue;
        }
        directDraw_->SetCooperativeLevel(platform::video::cooperative::kExclusive |
                                         platform::video::cooperative::kFullScreen);

        int depth = bitsPerPixel;
        if (directDraw_->TotalVideoMemory() < 0x1000000 && bitsPerPixel > 16) depth = 16;
        // The first mode of the size at 15 bits or more; the asked depth wins at once, 16 replaces another.
        int chosen = 0;
        for (const platform::video::DisplayMode& mode : directDraw_->EnumDisplayModes()) {
            if (mode.width != width || mode.height != height || mode.bits < 15) continue;
            if (mode.bits == depth) {
                chosen = depth;
                break;
            }
            if (chosen == 0 || mode.bits == 16) chosen = mode.bits;
        }
        if (chosen != 0) depth = chosen;
        if (platform::video::Failed(directDraw_->SetDisplayMode(width, height, depth))) {
            LogPrintf("Failed to create screen at %d bpp.", depth);
            directDraw_.reset();
            continue;
        }
        LogPrintf("Created screen at %d bpp.", depth);
        platform::video::Result r = CreateFlipChain(flags);
        if (platform::video::Failed(r)) {
            LogDxError(r, kSource, __LINE__);
            directDraw_.reset();
            return r;
        }
        UpdateBounds();
        return platform::video::kOk;
    }
}

platform::video::Result CDisplay::CreateFlipChain(uint32_t flags) {
    platform::video::SurfaceRequest request;
    request.caps = platform::video::caps::kPrimarySurface | platform::video::caps::kFlip |
                   platform::video::caps::kComplex | platform::video::caps::k3DDevice;
    request.backBuffers = 1;
    request.alphaChannel = (flags & kDisplayFrontAlpha) != 0;
    platform::video::Result r = directDraw_->CreateSurface(request, &front_);
    if (platform::video::Failed(r) && request.alphaChannel) {
        LogPrintf("FAILED to create front buffer with DDSCAPS2_ENABLEALPHACHANNEL");
        request.alphaChannel = false;
        r = directDraw_->CreateSurface(request, &front_);
    }
    if (platform::video::Failed(r)) return r;
    back_ = front_->BackBuffer();
    front_->ColorFill(nullptr, 0);
    back_->ColorFill(nullptr, 0);
    back_->TakeDirty();
    return platform::video::kOk;
}

platform::video::Result CDisplay::CreateWindowedDisplay(platform::Window* window, int width, int height,
                                                        uint32_t flags) {
    DestroyObjects();
    window_ = window;
    windowed_ = true;
    platform::video::Result r = platform::video::DisplayObject::Create(0, &directDraw_);
    if (platform::video::Succeeded(r)) r = directDraw_->SetCooperativeLevel(platform::video::cooperative::kNormal);
    // The window keeps its style when embedded; otherwise its client area takes the size.
    if (platform::video::Succeeded(r) && window_ && !(flags & kDisplayEmbedded)) window_->SetClientSize(width, height);
    if (platform::video::Succeeded(r)) {
        platform::video::SurfaceRequest request;
        request.caps = platform::video::caps::kPrimarySurface;
        request.width = width;
        request.height = height;
        request.alphaChannel = (flags & kDisplayFrontAlpha) != 0;
        r = directDraw_->CreateSurface(request, &front_);
    }
    if (platform::video::Succeeded(r)) {
        platform::video::SurfaceRequest request;
        request.caps = platform::video::caps::kOffscreenPlain | platform::video::caps::k3DDevice |
                       platform::video::caps::kVideoMemory;
        request.width = width;
        request.height = height;
        request.format = &front_->Format();
        r = directDraw_->CreateSurface(request, &back_);
    }
    if (platform::video::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        DestroyObjects();
        windowed_ = true;
        return r;
    }
    UpdateBounds();
    return platform::video::kOk;
}

platform::video::Result CDisplay::DestroyObjects() {
    back_.reset();
    front_.reset();
    if (directDraw_) {
        directDraw_->SetCooperativeLevel(platform::video::cooperative::kNormal);
        directDraw_.reset();
    }
    return platform::video::kOk;
}

platform::video::Result CDisplay::Present() {
    if (!front_ || !back_) return platform::video::kPointer;
    platform::video::Result r;
    do {
        r = windowed_ ? front_->Blt(nullptr, *back_, nullptr) : front_->Flip();
    } while (r == platform::video::kWasStillDrawing);
    if (r == platform::video::kSurfaceLost) {
        front_->Restore();
        back_->Restore();
    }
    return r;
}

void CDisplay::UpdateBounds() {
    // The SDL window shows the front buffer at the client origin; full screen covers the mode.
    screen_ = front_ ? front_->Bounds() : platform::video::Rect{};
}

platform::video::Result CDisplay::CreateSurface(std::shared_ptr<platform::video::Surface>* out, int width, int height,
                                                const platform::video::PixelFormat* format, uint32_t caps) {
    if (!directDraw_) return platform::video::kPointer;
    if (!out) return platform::video::kInvalidArg;
    platform::video::SurfaceRequest request;
    request.caps = caps ? caps : platform::video::caps::kOffscreenPlain;
    request.width = width;
    request.height = height;
    request.format = format;
    return directDraw_->CreateSurface(request, out);
}

void CDisplay::RestoreDisplayMode() {
    if (directDraw_) directDraw_->RestoreDisplayMode();
}
