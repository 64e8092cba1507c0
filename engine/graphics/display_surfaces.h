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

    platform::video::Result CreateFullScreenDisplay(platform::Window* window, int width, int height, int bitsPerPixel,
                                                    uint32_t flags, bool quiet = false);
    platform::video::Result CreateWindowedDisplay(platform::Window* window, int width, int height, uint32_t flags);
    platform::video::Result DestroyObjects();
    // Windowed: copies the whole back buffer to the front; full screen: flips.
    platform::video::Result Present();
    void UpdateBounds();
    // The window's client origin on the screen.
    platform::video::Rect GetScreenRect() const { return screen_; }
    platform::video::Result CreateSurface(std::shared_ptr<platform::video::Surface>* out, int width, int height,
                                          const platform::video::PixelFormat* format = nullptr, uint32_t caps = 0);
    void RestoreDisplayMode();

    platform::video::DisplayObject* GetDirectDraw() const { return directDraw_.get(); }
    const std::shared_ptr<platform::video::Surface>& GetFrontBuffer() const { return front_; }
    const std::shared_ptr<platform::video::Surface>& GetBackBuffer() const { return back_; }
    bool IsWindowed() const { return windowed_; }

private:
    platform::video::Result CreateFlipChain(uint32_t flags);

    std::shared_ptr<platform::video::DisplayObject> directDraw_;
    std::shared_ptr<platform::video::Surface> front_, back_;
    platform::Window* window_ = nullptr;
    platform::video::Rect screen_;
    bool windowed_ = false;
};

// "DX Error: %s (0x%x), File %s, Line %d" for a failed call, with the result's name.
void LogDxErrorLine(platform::video::Result result, const char* source, int line);
// The same line; out of video memory first runs the application's low-video-memory handler
// (installed by the display handler).
void LogDxError(platform::video::Result result, const char* source, int line);
void SetOutOfVideoMemoryHandler(void (*handler)());
