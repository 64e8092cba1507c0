// The main window and its input: a real backend on SDL2 and a headless one whose events are
// scripted by tests. Input arrives as native records numbered like the classic window messages,
// so that one translation (the application's message pump) serves both backends.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// Message numbers of the native records.
enum NativeMessage : uint32_t {
    kMsgSize = 5,            // code: 1 minimised, 0 restored
    kMsgPaint = 15,
    kMsgClose = 16,
    kMsgQuit = 18,
    kMsgActivateApp = 28,    // code: 1 active, 0 inactive
    kMsgMouseActivate = 33,  // a click that activates the window
    kMsgDisplayChange = 126,
    kMsgKeyDown = 256,       // code: virtual key
    kMsgKeyUp = 257,
    kMsgChar = 258,          // code: one UTF-16 unit
    kMsgSysKeyDown = 260,    // a key pressed with Alt held
    kMsgSysKeyUp = 261,
    kMsgMouseMove = 512,
    kMsgLeftDown = 513,
    kMsgLeftUp = 514,
    kMsgRightDown = 516,
    kMsgRightUp = 517,
    kMsgMiddleDown = 519,
    kMsgMiddleUp = 520,
    kMsgWheel = 522,         // wheelDelta: +120 a notch forward
    kMsgExtraDown = 523,     // code: 1 first extra button, 2 second
    kMsgCaptureChanged = 533,// code: 1 when the capture went to this window
    kMsgMouseLeave = 673,
};

// Virtual key codes the backends produce (letters and digits are their upper-case ASCII codes).
enum VirtualKey : uint32_t {
    kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10, kVkControl = 0x11, kVkMenu = 0x12,
    kVkPause = 0x13, kVkCapital = 0x14, kVkEscape = 0x1B, kVkSpace = 0x20,
    kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24,
    kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28,
    kVkSnapshot = 0x2C, kVkInsert = 0x2D, kVkDelete = 0x2E,
    kVkNumpad0 = 0x60, kVkMultiply = 0x6A, kVkAdd = 0x6B, kVkSeparator = 0x6C, kVkSubtract = 0x6D,
    kVkDecimal = 0x6E, kVkDivide = 0x6F, kVkF1 = 0x70, kVkNumLock = 0x90, kVkScroll = 0x91,
    kVkOem1 = 0xBA /* ; */, kVkOemPlus = 0xBB, kVkOemComma = 0xBC, kVkOemMinus = 0xBD, kVkOemPeriod = 0xBE,
    kVkOem2 = 0xBF /* / */, kVkOem3 = 0xC0 /* ` */, kVkOem4 = 0xDB /* [ */, kVkOem5 = 0xDC /* \ */,
    kVkOem6 = 0xDD /* ] */, kVkOem7 = 0xDE /* ' */,
};

struct NativeEvent {
    uint32_t message = 0;
    uint32_t code = 0;       // key, UTF-16 unit, extra button, state (see NativeMessage)
    int32_t x = 0;           // client position of mouse records
    int32_t y = 0;
    int32_t wheelDelta = 0;
    // Modifier state when the record was made, and the extended-key flag of key records.
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool extended = false;
};

struct WindowOptions {
    std::string title;
    int width = 800;
    int height = 600;
    bool fullScreen = false;
};

class Window {
public:
    virtual ~Window() = default;

    virtual bool Create(const WindowOptions& options) = 0;
    virtual bool IsCreated() const = 0;
    // True for the headless backend, which shows nothing.
    virtual bool IsHeadless() const { return false; }
    // A number that names the window (0 before it exists).
    virtual uint32_t Handle() const = 0;
    // The desktop's size in pixels; false when it is not known (no display).
    virtual bool DesktopSize(int& width, int& height) const = 0;
    virtual void GetClientSize(int& width, int& height) const = 0;
    // Takes one waiting record; false when none is waiting.
    virtual bool PollEvent(NativeEvent& event) = 0;
    // Waits up to timeoutMs for input.
    virtual void WaitForEvent(uint32_t timeoutMs) = 0;
    // Queues the quit record; QuitWaiting tells whether one is queued and not yet taken.
    virtual void PostQuit() = 0;
    virtual bool QuitWaiting() = 0;

    virtual void SetTitle(const std::string& utf8) = 0;
    virtual bool HasFocus() const = 0;
    virtual void Raise() = 0;
    virtual bool SetFullScreen(bool on) = 0;
    virtual void SetClientSize(int width, int height) = 0;
    // UTF-8 both ways; false / empty when there is no clipboard.
    virtual bool SetClipboardText(const std::string& utf8) = 0;
    virtual std::string GetClipboardText() = 0;

    virtual void ShowSystemCursor(bool on) = 0;
    // A cursor picture of ARGB pixels (rows top to bottom) with its hot spot.
    virtual void SetCursorImage(const uint32_t* argb, int width, int height, int hotX, int hotY) = 0;
    virtual void WarpMouse(int x, int y) = 0;
    virtual void GetMousePosition(int& x, int& y) = 0;
    virtual void CaptureMouse(bool on) = 0;
    // Shows a frame of X8R8G8B8 pixels; pitchBytes apart from row to row.
    virtual void PresentFrame(const uint32_t* pixels, int width, int height, int pitchBytes) = 0;
    // An error message the user must acknowledge.
    virtual void ShowMessageBox(const std::string& caption, const std::string& text) = 0;
};

// The headless backend: no window at all; tests script its input and read what it was told.
class HeadlessWindow : public Window {
public:
    bool Create(const WindowOptions& options) override;
    bool IsCreated() const override { return created; }
    bool IsHeadless() const override { return true; }
    uint32_t Handle() const override { return created ? 1 : 0; }
    bool DesktopSize(int& w, int& h) const override { return false; }
    void GetClientSize(int& w, int& h) const override { w = width; h = height; }
    bool PollEvent(NativeEvent& event) override;
    void WaitForEvent(uint32_t timeoutMs) override {}
    void PostQuit() override;
    bool QuitWaiting() override;
    void SetTitle(const std::string& utf8) override { title = utf8; }
    bool HasFocus() const override { return focused; }
    void Raise() override { ++raiseCount; }
    bool SetFullScreen(bool on) override;
    void SetClientSize(int width, int height) override;
    bool SetClipboardText(const std::string& utf8) override;
    std::string GetClipboardText() override { return clipboard; }
    void ShowSystemCursor(bool on) override { cursorVisible = on; }
    void SetCursorImage(const uint32_t* argb, int width, int height, int hotX, int hotY) override;
    void WarpMouse(int x, int y) override;
    void GetMousePosition(int& x, int& y) override;
    void CaptureMouse(bool on) override { mouseCaptured = on; }
    void PresentFrame(const uint32_t* pixels, int width, int height, int pitchBytes) override;
    void ShowMessageBox(const std::string& caption, const std::string& text) override { ++messageBoxes; }

    void Push(const NativeEvent& event) { queue.push_back(event); }

    std::deque<NativeEvent> queue;
    bool created = false;
    bool focused = true;
    bool fullScreen = false;
    bool cursorVisible = true;
    bool mouseCaptured = false;
    int raiseCount = 0;
    int width = 0;
    int height = 0;
    int mouseX = 0;
    int mouseY = 0;
    std::atomic<int> framesPresented{0};  // the present thread shows frames
    int cursorImagesSet = 0;
    int messageBoxes = 0;
    std::string title;
    std::string clipboard;
};

// Real: an SDL2 window. Headless: a HeadlessWindow.
enum class WindowBackend { Real, Headless };

// The backend CreateWindow uses from now on; Real until chosen otherwise.
void UseWindowBackend(WindowBackend backend);
WindowBackend GetWindowBackend();

// The real window lives in a library of its own (alembria_platform_window_sdl, SDL2 under it) that only
// programs opening a desktop window link; platform/backend installs its factory. Until then the Real
// backend makes HeadlessWindows.
void InstallRealWindow(std::unique_ptr<Window> (*create)());

// A window of the chosen backend, not yet created.
std::unique_ptr<Window> CreateWindow();

}  // namespace platform
