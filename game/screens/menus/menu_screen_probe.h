// MenuScreenProbe: tells headless runs' probe which menu screen is the newest open: the field
// "screen" shows its class name ("TMainMenu", "guiLevelSelect") while any menu screen is open.
// A menu screen holds one for its life.
#pragma once

class TWindow;

class MenuScreenProbe {
public:
    explicit MenuScreenProbe(const TWindow* screen);
    ~MenuScreenProbe();
    MenuScreenProbe(const MenuScreenProbe&) = delete;
    MenuScreenProbe& operator=(const MenuScreenProbe&) = delete;

private:
    const TWindow* screen_;
};
