// ScreenProbe: tells headless runs' probe which full screen is the newest open: the field "screen"
// shows its class name ("TMainMenu", "guiLevelSelect", "clsContinueWnd") while any such screen is
// open. A screen holds one for its life.
#pragma once

class TWindow;

class ScreenProbe {
public:
    explicit ScreenProbe(const TWindow* screen);
    ~ScreenProbe();
    ScreenProbe(const ScreenProbe&) = delete;
    ScreenProbe& operator=(const ScreenProbe&) = delete;

private:
    const TWindow* screen_;
};
