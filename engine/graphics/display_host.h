// What the display handler needs of the application around it: activity and hosting state, the asset
// passes, the window tree, message boxes and process exit. The application installs the real host; tests
// install one that records what happened.
#pragma once

#include <cstdint>

namespace platform {
class Window;
}

class TDisplayHost {
public:
    virtual ~TDisplayHost() = default;

    // The application and its data exist.
    virtual bool Exists() { return true; }
    // Lost activation while in full screen.
    virtual bool IsSuspended() { return false; }
    virtual bool IsActive() { return true; }
    virtual bool IsForeground() { return true; }
    virtual bool HasFocus() { return true; }
    virtual bool IsHosted() { return false; }
    virtual bool IsZylomHost() { return false; }
    // A host window the game lives in ("-wnd="); embedding is not available with SDL windows.
    virtual bool HasParentWindow() { return false; }
    virtual float ViewScale() { return 1.0f; }
    virtual void SetViewScale(float scale) {}
    virtual platform::Window* Window() { return nullptr; }

    virtual bool AssetsAlive() { return false; }
    virtual void ReleaseAssets() {}
    virtual void RestoreAssets() {}
    virtual void RunTasks() {}
    virtual bool WindowManagerExists() { return false; }
    virtual bool WindowManagerSuspended() { return false; }
    virtual void InvalidateWindows() {}
    // The application's cursor (number 2), applied once after the first display.
    virtual void ApplyCursor() {}

    virtual void MessageBox(const char* caption, const char* text);
    // Ends the process; a test host may return instead.
    virtual void Exit(int code);
    virtual void PostQuit() {}
    virtual void Sleep(uint32_t ms);
    virtual uint32_t Now();
};

// The installed host, or a default that answers as above; never null.
TDisplayHost& GetDisplayHost();
void SetDisplayHost(TDisplayHost* host);
