// TDXContext: the display surfaces and the drawing device of one display mode. Finds a device good enough
// for the game, logs what the hardware is, copies the changed parts of the back buffer to the front buffer
// for the present thread, shows the front buffer in the window and keeps the mouse cursor.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "engine/graphics/display_surfaces.h"
#include "platform/video/device.h"
#include "platform/video/profile.h"

class TTexture;

// Creation flags of TDXContext::Create.
constexpr uint32_t kContextDefault = 1;
constexpr uint32_t kContextEmbedded = 2;
constexpr uint32_t kContextAntialias = 4;

class TDXContext {
public:
    TDXContext();
    virtual ~TDXContext();

    bool Create(platform::Window* window, bool fullScreen, int width, int height, int bitsPerPixel, uint32_t flags);
    void Release();

    // Copies the queued dirty rectangles of the back buffer to the front buffer (present thread). The first
    // member is -1 when nothing was copied.
    std::pair<int, int> Present(int a, int b, int flag);
    // The end of a frame: full screen flips; windowed queues the frame's dirty rectangles for Present.
    platform::video::Result UpdateFrame();
    // Shows the front buffer in the window when it changed since the last call (main thread).
    void ShowFrontBuffer();

    // Desktop facts the display handler reads (RefreshDesktopMode writes them).
    void SetDesktop(int width, int height, int colorCount);
    int DesktopColorCount() const { return desktopColors_; }
    bool HasSixteenColorsOrFewer() const { return desktopColors_ != -1 && desktopColors_ <= 16; }
    // The video memory cannot hold a window of this size beside the desktop.
    bool TooLittleVideoMemoryForWindow(int width, int height) const;

    platform::video::DisplayObject* GetDirectDraw() const { return display_.GetDirectDraw(); }
    const std::shared_ptr<platform::video::Surface>& GetBackSurface() const { return display_.GetBackBuffer(); }
    const std::shared_ptr<platform::video::Surface>& GetFrontSurface() const { return display_.GetFrontBuffer(); }
    platform::video::Device* GetDevice() const { return device_.get(); }
    const platform::video::DeviceDescription& GetDeviceDescription() const { return description_; }
    bool IsWindowed() const { return display_.IsWindowed(); }
    platform::Window* GetWindow() const { return window_; }
    bool StretchBlits() const { return stretchBlits_; }

    bool IsDeviceLost() const { return deviceLost_; }
    void SetDeviceLost(bool lost) { deviceLost_ = lost; }
    void SetViewScale(float scale) { viewScale_ = scale; }
    void SetVSync(bool on) { vsync_ = on; }
    // Marks the whole back buffer for the next present (after a rebuild or restore).
    void InvalidateAll();

    // The display mutex: held by presents, cursor operations and display rebuilds.
    std::recursive_timed_mutex& Mutex() { return mutex_; }

    // Cursor as a 32 x 32 picture with a hot spot; false when the picture cannot be read.
    bool SetMouseImage(const std::shared_ptr<TTexture>& texture, int hotX, int hotY);
    void ShowCursor(bool visible);

private:
    bool CreateDevice(uint32_t flags);
    void CoalesceQueue();

    std::recursive_timed_mutex mutex_;
    CDisplay display_;
    std::unique_ptr<platform::video::Device> device_;
    std::shared_ptr<platform::video::Surface> depth_;
    platform::video::DeviceDescription description_;
    platform::Window* window_ = nullptr;
    std::vector<platform::video::Rect> presentQueue_;
    bool frontChanged_ = false;
    bool deviceLost_ = false;
    bool stretchBlits_ = true;
    bool vsync_ = false;
    float viewScale_ = 1.0f;
    int desktopWidth_ = 0, desktopHeight_ = 0, desktopColors_ = -1;
    std::shared_ptr<TTexture> cursorTexture_;
    std::vector<uint32_t> frameStaging_;
};

// "DDCAPS: " / "D3DDESC: " dumps: two upper-case hexadecimal digits per byte, no separators.
std::string HexDump(const uint8_t* bytes, size_t count);
