#include "game/shop/probe/screen_probe.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/ui/window.h"
#include "game/shop/probe/game_probe.h"

namespace {

// The menu screens open now, oldest first.
std::vector<const TWindow*>& OpenScreens() {
    static std::vector<const TWindow*> screens;
    return screens;
}

std::string NewestScreen() { return OpenScreens().back()->GetClassName(); }

}  // namespace

ScreenProbe::ScreenProbe(const TWindow* screen) : screen_(screen) {
    std::vector<const TWindow*>& screens = OpenScreens();
    if (screens.empty()) GameProbe::Get().Add(&screens, "screen", &NewestScreen);
    screens.push_back(screen);
}

ScreenProbe::~ScreenProbe() {
    std::vector<const TWindow*>& screens = OpenScreens();
    screens.erase(std::remove(screens.begin(), screens.end(), screen_), screens.end());
    if (screens.empty()) GameProbe::Get().RemoveOwner(&screens);
}
