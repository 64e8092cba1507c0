#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/window/window_sdl.h"
#include "platform/window/window_sdl_input.h"

namespace platform {
namespace {

// Starts SDL's video. A display server that is busy with other clients now and then refuses one
// connection, so a failed start is tried again a few times.
bool StartVideo() {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        SDL_Delay(20);
    }
    return false;
}

// SDL's video as the display probe leaves it: started, for the first window to take over (main thread only).
struct DisplayProbeState {
    bool videoHeld = false;
};

DisplayProbeState& GetDisplayProbeState() {
    static DisplayProbeState state;
    return state;
}

// Takes over the probe's start of SDL video, or starts it.
bool TakeOrStartVideo() {
    DisplayProbeState& probe = GetDisplayProbeState();
    if (!probe.videoHeld) return StartVideo();
    probe.videoHeld = false;
    return true;
}

// A frame handed over by any thread; shown by the main thread when it next polls or waits.
struct PendingFrame {
    std::mutex lock;
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    bool fresh = false;
};

class SdlWindow : public Window {
public:
    ~SdlWindow() override;

    bool Create(const WindowOptions& options) override;
    bool IsCreated() const override { return window_ != nullptr; }
    uint32_t Handle() const override { return window_ ? SDL_GetWindowID(window_) : 0; }
    bool DesktopSize(int& width, int& height) const override;
    void GetClientSize(int& width, int& height) const override;
    bool PollEvent(NativeEvent& event) override;
    void WaitForEvent(uint32_t timeoutMs) override;
    void PostQuit() override;
    bool QuitWaiting() override;
    void SetTitle(const std::string& utf8) override;
    void ShowMessageBox(const std::string& caption, const std::string& text) override;
    bool HasFocus() const override;
    void Raise() override;
    bool SetFullScreen(bool on) override;
    void SetClientSize(int width, int height) override;
    bool SetClipboardText(const std::string& utf8) override;
    std::string GetClipboardText() override;
    void ShowSystemCursor(bool on) override;
    void SetCursorImage(const uint32_t* argb, int width, int height, int hotX, int hotY) override;
    void WarpMouse(int x, int y) override;
    void GetMousePosition(int& x, int& y) override;
    void CaptureMouse(bool on) override;
    void PresentFrame(const uint32_t* pixels, int width, int height, int pitchBytes) override;

private:
    SdlInputState InputState() const;
    void ShowPendingFrame();
    void DrawFrame(SDL_Surface* screen);  // with frame_.lock held

    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Cursor* cursor_ = nullptr;
    uint32_t quitEventType_ = 0;
    bool redraw_ = false;  // the window was uncovered: show the last frame again
    bool frameShown_ = false;
    std::deque<NativeEvent> records_;
    PendingFrame frame_;
};

SdlWindow::~SdlWindow() {
    if (cursor_) SDL_FreeCursor(cursor_);
    if (window_) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool SdlWindow::Create(const WindowOptions& options) {
    if (window_) return true;
    // Closing the window is a request the game answers, not an automatic quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Frames arrive drawn already, so they go straight to the window's own surface. Without this hint SDL
    // would back that surface with an OpenGL renderer, whose driver ends the process on an X error.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!videoStarted_) {
        if (!TakeOrStartVideo()) return false;
        videoStarted_ = true;
        quitEventType_ = SDL_RegisterEvents(1);
    }
    uint32_t flags = SDL_WINDOW_SHOWN | (options.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    window_ = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               options.width, options.height, flags);
    if (!window_) return false;
    SDL_StartTextInput();
    redraw_ = true;  // black until the first frame arrives
    ShowPendingFrame();
    return true;
}

bool SdlWindow::DesktopSize(int& width, int& height) const {
    SDL_DisplayMode mode;
    int display = window_ ? SDL_GetWindowDisplayIndex(window_) : 0;
    if (!videoStarted_ || SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return false;
    width = mode.w;
    height = mode.h;
    return true;
}

void SdlWindow::GetClientSize(int& width, int& height) const {
    width = height = 0;
    if (window_) SDL_GetWindowSize(window_, &width, &height);
}

SdlInputState SdlWindow::InputState() const {
    SdlInputState state;
    state.modifiers = static_cast<uint16_t>(SDL_GetModState());
    state.buttonHeld = SDL_GetMouseState(&state.mouseX, &state.mouseY) != 0;
    state.quitEventType = quitEventType_;
    return state;
}

bool SdlWindow::PollEvent(NativeEvent& event) {
    ShowPendingFrame();
    SDL_Event sdlEvent;
    while (records_.empty() && videoStarted_ && SDL_PollEvent(&sdlEvent)) {
        if (sdlEvent.type == SDL_WINDOWEVENT && sdlEvent.window.event == SDL_WINDOWEVENT_EXPOSED) redraw_ = true;
        std::vector<NativeEvent> records;
        TranslateSdlEvent(sdlEvent, InputState(), records);
        records_.insert(records_.end(), records.begin(), records.end());
    }
    if (records_.empty()) return false;
    event = records_.front();
    records_.pop_front();
    return true;
}

void SdlWindow::WaitForEvent(uint32_t timeoutMs) {
    ShowPendingFrame();
    if (records_.empty() && videoStarted_) SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs));
}

void SdlWindow::PostQuit() {
    if (!videoStarted_) return;
    SDL_Event quit{};
    quit.type = quitEventType_;
    SDL_PushEvent(&quit);
}

bool SdlWindow::QuitWaiting() {
    for (const NativeEvent& record : records_) {
        if (record.message == kMsgQuit) return true;
    }
    if (!videoStarted_) return false;
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, quitEventType_, quitEventType_) > 0;
}

void SdlWindow::SetTitle(const std::string& utf8) {
    if (window_) SDL_SetWindowTitle(window_, utf8.c_str());
}

void SdlWindow::ShowMessageBox(const std::string& caption, const std::string& text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), window_);
}

bool SdlWindow::HasFocus() const {
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void SdlWindow::Raise() {
    if (!window_) return;
    if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(window_);
    SDL_RaiseWindow(window_);
}

bool SdlWindow::SetFullScreen(bool on) {
    return window_ && SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

void SdlWindow::SetClientSize(int width, int height) {
    if (window_) SDL_SetWindowSize(window_, width, height);
}

bool SdlWindow::SetClipboardText(const std::string& utf8) {
    return videoStarted_ && SDL_SetClipboardText(utf8.c_str()) == 0;
}

std::string SdlWindow::GetClipboardText() {
    if (!videoStarted_ || !SDL_HasClipboardText()) return "";
    char* text = SDL_GetClipboardText();
    std::string copy = text ? text : "";
    SDL_free(text);
    return copy;
}

void SdlWindow::ShowSystemCursor(bool on) {
    if (videoStarted_) SDL_ShowCursor(on ? SDL_ENABLE : SDL_DISABLE);
}

void SdlWindow::SetCursorImage(const uint32_t* argb, int width, int height, int hotX, int hotY) {
    if (!videoStarted_ || !argb || width <= 0 || height <= 0) return;
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!picture) return;
    SDL_Cursor* cursor = SDL_CreateColorCursor(picture, hotX, hotY);
    SDL_FreeSurface(picture);
    if (!cursor) return;
    SDL_SetCursor(cursor);
    if (cursor_) SDL_FreeCursor(cursor_);
    cursor_ = cursor;
}

void SdlWindow::WarpMouse(int x, int y) {
    if (window_) SDL_WarpMouseInWindow(window_, x, y);
}

void SdlWindow::GetMousePosition(int& x, int& y) {
    x = y = 0;
    if (videoStarted_) SDL_GetMouseState(&x, &y);
}

void SdlWindow::CaptureMouse(bool on) {
    if (videoStarted_) SDL_CaptureMouse(on ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::PresentFrame(const uint32_t* pixels, int width, int height, int pitchBytes) {
    if (!pixels || width <= 0 || height <= 0 || pitchBytes < width * 4) return;
    std::lock_guard guard(frame_.lock);
    frame_.pixels.resize(static_cast<size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        const auto* source = reinterpret_cast<const uint8_t*>(pixels) + static_cast<size_t>(row) * pitchBytes;
        std::memcpy(&frame_.pixels[static_cast<size_t>(row) * width], source, static_cast<size_t>(width) * 4);
    }
    frame_.width = width;
    frame_.height = height;
    frame_.fresh = true;
}

void SdlWindow::ShowPendingFrame() {
    if (!window_) return;
    std::lock_guard guard(frame_.lock);
    if (!frame_.fresh && !redraw_) return;
    // Fetched for every frame: a resize replaces the window's surface.
    SDL_Surface* screen = SDL_GetWindowSurface(window_);
    if (!screen) return;
    DrawFrame(screen);
    bool shown = SDL_UpdateWindowSurface(window_) == 0 && !frame_.pixels.empty();
    frame_.fresh = false;
    redraw_ = false;
    if (shown && !frameShown_) {
        frameShown_ = true;
        // The one line the game writes to its standard output: start-up can be timed from outside.
        std::fputs("first frame shown\n", stdout);
        std::fflush(stdout);
    }
}

// Stretches the frame over the whole window; black until the first frame arrives.
void SdlWindow::DrawFrame(SDL_Surface* screen) {
    SDL_Surface* picture =
        frame_.pixels.empty() ? nullptr
                              : SDL_CreateRGBSurfaceWithFormatFrom(frame_.pixels.data(), frame_.width, frame_.height,
                                                                   32, frame_.width * 4, SDL_PIXELFORMAT_RGB888);
    if (!picture) {
        SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
        return;
    }
    SDL_SetSurfaceBlendMode(picture, SDL_BLENDMODE_NONE);
    SDL_BlitScaled(picture, nullptr, screen, nullptr);
    SDL_FreeSurface(picture);
}

// True when the video driver is one that shows nothing.
bool IsInvisibleDriver(const char* driver) {
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

}  // namespace

bool IsDisplayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((!x11 || !*x11) && (!wayland || !*wayland)) return false;
    if (IsInvisibleDriver(std::getenv("SDL_VIDEODRIVER"))) return false;
    DisplayProbeState& probe = GetDisplayProbeState();
    if (probe.videoHeld) return true;
    if (!StartVideo()) return false;
    bool visible = !IsInvisibleDriver(SDL_GetCurrentVideoDriver());
    if (visible) {
        probe.videoHeld = true;  // the window opens on this connection instead of making a second one
    } else {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return visible;
}

std::unique_ptr<Window> CreateSdlWindow() {
    return std::make_unique<SdlWindow>();
}

}  // namespace platform
