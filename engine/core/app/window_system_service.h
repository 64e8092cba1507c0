// What the application core asks of the window manager and its window script. The window system
// supplies the real manager through SetWindowSystemFactory; until then a do-nothing one answers.
#pragma once

#include <memory>

class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    // Start-up: create the window script and attach it to the manager.
    virtual void CreateWindowScript() {}
    virtual bool HasWindowScript() const { return false; }
    // The whole window tree is drawn again on the next frame (also the answer to a repaint).
    virtual void Invalidate() {}
    // The main window is asked to close: stop a playing movie, then tell the window script.
    virtual void AbortMovie() {}
    virtual void NotifyClose() {}
    // While set, nothing is presented (a movie holds the screen).
    virtual bool IsPresentHeld() const { return false; }
    // While set, the message pump swallows mouse-button input.
    virtual bool IsInputBlocked() const { return false; }
    // Tells the window script whether a string table is loaded; answers the previous value.
    virtual bool SetStringTableMode(bool on) { return false; }
    // Display modes: the root screen, made and sized to the viewport when there is none yet.
    virtual bool HasRootScreen() const { return false; }
    virtual void CreateRootScreen(int width, int height) {}
};

using WindowSystemFactory = std::unique_ptr<IWindowSystem> (*)();

void SetWindowSystemFactory(WindowSystemFactory factory);
// The installed manager, or the do-nothing one when none is installed.
std::unique_ptr<IWindowSystem> CreateWindowSystem();
