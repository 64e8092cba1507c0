// Reads the real desktop through SDL video into the active hardware profile.
#include <SDL.h>

#include "platform/video/profile_sdl.h"

namespace platform::video {

bool DetectSdlProfile() {
  bool started = SDL_WasInit(SDL_INIT_VIDEO) != 0;
  if (!started && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
  SDL_DisplayMode desktop;
  bool ok = SDL_GetDesktopDisplayMode(0, &desktop) == 0;
  if (ok) {
    HardwareProfile profile = HardwareProfile::Standard(desktop.w, desktop.h);
    profile.refresh = desktop.refresh_rate > 0 ? desktop.refresh_rate : 60;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
      profile.workArea = {usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
    std::vector<DisplayMode> reported;
    for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i) {
      SDL_DisplayMode m;
      if (SDL_GetDisplayMode(0, i, &m) == 0) reported.push_back({m.w, m.h, 32, m.refresh_rate});
    }
    profile.adapters.front().modes = DesktopModes(desktop.w, desktop.h, profile.refresh, reported);
    profile.faults = ActiveProfile().faults;
    SetActiveProfile(profile);
  }
  if (!started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return ok;
}

}  // namespace platform::video
