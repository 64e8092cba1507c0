// What the application core asks of the display. The graphics code supplies the real display
// through SetDisplayFactory; until then (and in tests) a null display answers.
#pragma once

#include <memory>

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"

class TTexture;

class IDisplay {
public:
    virtual ~IDisplay() = default;

    // The device is set up and its surfaces are present.
    virtual bool IsUsable() const { return false; }
    virtual bool AreSurfacesLost() const { return false; }
    // Brings lost surfaces back; false when the device is still not ready.
    virtual bool Restore() { return true; }
    // The main window became inactive, or the desktop mode changed while it was inactive.
    virtual void OnDeactivated() {}
    virtual void OnDisplayChange() {}

    virtual bool IsFullScreen() const { return false; }
    // Switches between full screen and windowed; false when the switch failed.
    virtual bool SetFullScreen(bool on) { return false; }
    // Sets up a display mode for the main window's client area.
    virtual bool SetDisplayMode(int width, int height, int flags) { return false; }
    virtual bool IsFrameDone() const { return true; }
    virtual bool OutOfVideoMemory() const { return false; }
    virtual bool IsReady() const { return false; }
    virtual void SetVSync(bool on) {}
    // Whether the display lets the portal host's messages through right now.
    virtual bool AllowsHostTraffic() const { return true; }
    // The window client position in game coordinates (viewport scale applied).
    virtual TVec2 ClientToGame(int x, int y) const { return TVec2(static_cast<float>(x), static_cast<float>(y)); }

    // Cursor: whether the display draws the cursor itself; show or hide the system cursor;
    // the picture and hot spot of the drawn cursor; its position in game coordinates.
    virtual bool DrawsOwnCursor() const { return false; }
    virtual void ShowSystemCursor(bool on) {}
    virtual void SetMouseImage(const std::shared_ptr<TTexture>& picture, int hotX, int hotY, bool direct) {}
    // A picture file as a texture for the cursor; null when it does not load.
    virtual std::shared_ptr<TTexture> LoadCursorPicture(const TString& file) { return nullptr; }
    virtual void SetCursorPosition(float x, float y) {}
    virtual void HideCursor() {}
    // Alt+F1: the frame statistics overlay on or off.
    virtual void ToggleStatistics() {}

    // Whether the present thread may work now (the display exists and is not stopped).
    virtual bool IsPresentEnabled() const { return false; }
    // One pass of the present thread: copy the dirty rectangles to the front buffer;
    // true when anything was copied. Runs on the present thread.
    virtual bool PresentPass() { return false; }
    // Hands the window what the present thread has copied since the last frame was shown; a frame
    // drawn while the game then waits still reaches the screen. Runs on the main thread.
    virtual void ShowCopiedFrame() {}
};

using DisplayFactory = std::unique_ptr<IDisplay> (*)();

// The factory the application calls when it creates the display (its render context) at start-up.
// Null (the default) gives the null display.
void SetDisplayFactory(DisplayFactory factory);
std::unique_ptr<IDisplay> CreateDisplay();
