// One choice of backends for every platform facility, and the one place that links the real ones: the SDL2
// window, desktop reader and audio device, with the desktop's libraries under them, come with this library
// alone, so a tool that never opens a desktop window starts without loading them. Each facility with more
// than one backend declares them the same way in its own header, and its calls follow the choice:
//
//     enum class <Facility>Backend { Real, ... };
//     void Use<Facility>Backend(<Facility>Backend backend);   // Real until chosen otherwise
//     <Facility>Backend Get<Facility>Backend();
//
// The application and the tests choose through UseBackends; a test that drives one facility itself (the test
// clock, a test network address) chooses that facility's backend afterwards and gives it back with UseBackends.
#pragma once

namespace platform {

enum class Backends { Real, Headless };

// Real when a window can be shown (IsDisplayAvailable: a display server answers and SDL_VIDEODRIVER names no
// driver that shows nothing, such as "dummy"); Headless otherwise.
Backends DetectBackends();

// Chooses every facility's backend:
//                Real                      Headless
//   window       SDL2 window               HeadlessWindow
//   video        desktop read through SDL  the standard profile (or the one a test set)
//   audio        SDL2 audio device         device timed by the clock, keeping what it mixed
//   clock        monotonic clock           monotonic clock
//   sysinfo      network adapters          network adapters
void UseBackends(Backends backends);

}  // namespace platform
