// The SDL2 backend, for the backend choice (platform/backend).
#pragma once

#include <memory>

#include "platform/window/window.h"

namespace platform {

std::unique_ptr<Window> CreateSdlWindow();

// Whether a real window can be shown: a display server answers and SDL's video driver is not
// one that shows nothing ("dummy", "offscreen"). When one can, SDL's video stays started for the
// first window to take over, so the game connects to the display once.
bool IsDisplayAvailable();

}  // namespace platform
