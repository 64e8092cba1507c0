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

void LogDxErrorLine(gfx::Result result, const char* source, int line) {
    LogPrintf("DX Error: %s (0x%x), File %s, Line %d", gfx::ResultName(result), result, source, line);
}

void LogDxError(gfx::Result result, const char* source, int line) {
    auto handler = GetGraphicsState().outOfVideoMemoryHandler;
    if (result == gfx::kOutOfVideoMemory && handler) handler();
    LogDxErrorLine(result, source, line);
}

CDisplay::~CDisplay() {
    DestroyObjects();
}

gfx::Result CDisplay::CreateFullScreenDisplay(platform::Window* window, int width, int height, int bitsPerPixel,
                                              uint32_t flags, bool quiet) {
    DestroyObjects();
    window_ = window;
    windowed_ = false;
    for (int adapter = static_cast<int>(flags >> 16);; ++adapter) {
        if (gfx::Failed(gfx::DisplayObject::Create(adapter, &directDraw_))) {
            if (adapter >= static_cast<int>(gfx::ActiveProfile().adapters.size())) {
                LogPrintf("Failed to create a DirectDraw device after trying all GUIDs");
                if (!quiet)
                    GetDisplayHost().MessageBox(
                        "Error",
                        "Sorry, but this product isn't compatible with your display. Try using a different display "
                        "(for instance, the main display in your laptop), if you have the option.");
                return gfx::kFail;
            }
            continue;
        }
        directDraw_->SetCooperativeLevel(gfx::cooperative::kExclusive | gfx::cooperative::kFullScreen);

        int depth = bitsPerPixel;
        if (directDraw_->TotalVideoMemory() < 0x1000000 && bitsPerPixel > 16) depth = 16;
        // The first mode of the size at 15 bits or more; the asked depth wins at once, 16 replaces another.
        int chosen = 0;
        for (const gfx::DisplayMode& mode : directDraw_->EnumDisplayModes()) {
            if (mode.width != width || mode.height != height || mode.bits < 15) continue;
            if (mode.bits == depth) {
                chosen = depth;
                break;
            }
            if (chosen == 0 || mode.bits == 16) chosen = mode.bits;
        }
        if (chosen != 0) depth = chosen;
        if (gfx::Failed(directDraw_->SetDisplayMode(width, height, depth))) {
            LogPrintf("Failed to create screen at %d bpp.", depth);
            directDraw_.reset();
            continue;
        }
        LogPrintf("Created screen at %d bpp.", depth);
        gfx::Result r = CreateFlipChain(flags);
        if (gfx::Failed(r)) {
            LogDxError(r, kSource, __LINE__);
            directDraw_.reset();
            return r;
        }
        UpdateBounds();
        return gfx::kOk;
    }
}

gfx::Result CDisplay::CreateFlipChain(uint32_t flags) {
    gfx::SurfaceRequest request;
    request.caps = gfx::caps::kPrimarySurface | gfx::caps::kFlip | gfx::caps::kComplex | gfx::caps::k3DDevice;
    request.backBuffers = 1;
    request.alphaChannel = (flags & kDisplayFrontAlpha) != 0;
    gfx::Result r = directDraw_->CreateSurface(request, &front_);
    if (gfx::Failed(r) && request.alphaChannel) {
        LogPrintf("FAILED to create front buffer with DDSCAPS2_ENABLEALPHACHANNEL");
        request.alphaChannel = false;
        r = directDraw_->CreateSurface(request, &front_);
    }
    if (gfx::Failed(r)) return r;
    back_ = front_->BackBuffer();
    front_->ColorFill(nullptr, 0);
    back_->ColorFill(nullptr, 0);
    back_->TakeDirty();
    return gfx::kOk;
}

gfx::Result CDisplay::CreateWindowedDisplay(platform::Window* window, int width, int height, uint32_t flags) {
    DestroyObjects();
    window_ = window;
    windowed_ = true;
    gfx::Result r = gfx::DisplayObject::Create(0, &directDraw_);
    if (gfx::Succeeded(r)) r = directDraw_->SetCooperativeLevel(gfx::cooperative::kNormal);
    // The window keeps its style when embedded; otherwise its client area takes the size.
    if (gfx::Succeeded(r) && window_ && !(flags & kDisplayEmbedded)) window_->SetClientSize(width, height);
    if (gfx::Succeeded(r)) {
        gfx::SurfaceRequest request;
        request.caps = gfx::caps::kPrimarySurface;
        request.width = width;
        request.height = height;
        request.alphaChannel = (flags & kDisplayFrontAlpha) != 0;
        r = directDraw_->CreateSurface(request, &front_);
    }
    if (gfx::Succeeded(r)) {
        gfx::SurfaceRequest request;
        request.caps = gfx::caps::kOffscreenPlain | gfx::caps::k3DDevice | gfx::caps::kVideoMemory;
        request.width = width;
        request.height = height;
        request.format = &front_->Format();
        r = directDraw_->CreateSurface(request, &back_);
    }
    if (gfx::Failed(r)) {
        LogDxError(r, kSource, __LINE__);
        DestroyObjects();
        windowed_ = true;
        return r;
    }
    UpdateBounds();
    return gfx::kOk;
}

gfx::Result CDisplay::DestroyObjects() {
    back_.reset();
    front_.reset();
    if (directDraw_) {
        directDraw_->SetCooperativeLevel(gfx::cooperative::kNormal);
        directDraw_.reset();
    }
    return gfx::kOk;
}

gfx::Result CDisplay::Present() {
    if (!front_ || !back_) return gfx::kPointer;
    gfx::Result r;
    do {
        r = windowed_ ? front_->Blt(nullptr, *back_, nullptr) : front_->Flip();
    } while (r == gfx::kWasStillDrawing);
    if (r == gfx::kSurfaceLost) {
        front_->Restore();
        back_->Restore();
    }
    return r;
}

void CDisplay::UpdateBounds() {
    // The SDL window shows the front buffer at the client origin; full screen covers the mode.
    screen_ = front_ ? front_->Bounds() : gfx::Rect{};
}

gfx::Result CDisplay::CreateSurface(std::shared_ptr<gfx::Surface>* out, int width, int height,
                                    const gfx::PixelFormat* format, uint32_t caps) {
    if (!directDraw_) return gfx::kPointer;
    if (!out) return gfx::kInvalidArg;
    gfx::SurfaceRequest request;
    request.caps = caps ? caps : gfx::caps::kOffscreenPlain;
    request.width = width;
    request.height = height;
    request.format = format;
    return directDraw_->CreateSurface(request, out);
}

void CDisplay::RestoreDisplayMode() {
    if (directDraw_) directDraw_->RestoreDisplayMode();
}
