// CDisplay: opens a display adapter for the game window and creates the front and back buffers, full
// screen with an exclusive mode and a flip chain, or windowed; shows the back buffer and makes off-screen
// surfaces.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/video/profile.h"

namespace platform {
class Window;
}

// Mode request flag bits (the high half holds the adapter index to start from).
constexpr uint32_t kDisplayEmbedded = 2;    // the window lives in a host window and keeps its style
constexpr uint32_t kDisplayFrontAlpha = 4;  // ask the front buffer for an alpha channel

class CDisplay {
public:
    virtual ~CDisplay();

    gfx::Result CreateFullScreenDisplay(platform::Window* window, int width, int height, int bitsPerPixel,
                                        uint32_t flags, bool quiet = false);
    gfx::Result CreateWindowedDisplay(platform::Window* window, int width, int height, uint32_t flags);
    gfx::Result DestroyObjects();
    // Windowed: copies the whole back buffer to the front; full screen: flips.
    gfx::Result Present();
    void UpdateBounds();
    // The window's client origin on the screen.
    gfx::Rect GetScreenRect() const { return screen_; }
    gfx::Result CreateSurface(std::shared_ptr<gfx::Surface>* out, int width, int height,
                              const gfx::PixelFormat* format = nullptr, uint32_t caps = 0);
    void RestoreDisplayMode();

    gfx::DisplayObject* GetDirectDraw() const { return directDraw_.get(); }
    const std::shared_ptr<gfx::Surface>& GetFrontBuffer() const { return front_; }
    const std::shared_ptr<gfx::Surface>& GetBackBuffer() const { return back_; }
    bool IsWindowed() const { return windowed_; }

private:
    gfx::Result CreateFlipChain(uint32_t flags);

    std::shared_ptr<gfx::DisplayObject> directDraw_;
    std::shared_ptr<gfx::Surface> front_, back_;
    platform::Window* window_ = nullptr;
    gfx::Rect screen_;
    bool windowed_ = false;
};

// "DX Error: %s (0x%x), File %s, Line %d" for a failed call, with the result's name.
void LogDxErrorLine(gfx::Result result, const char* source, int line);
// The same line; out of video memory first runs the application's low-video-memory handler
// (installed by the display handler).
void LogDxError(gfx::Result result, const char* source, int line);
void SetOutOfVideoMemoryHandler(void (*handler)());
