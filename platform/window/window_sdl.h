// The SDL2 backend's factory, for the backend choice.
#pragma once

#include <memory>

#include "platform/window/window.h"

namespace platform {

std::unique_ptr<Window> CreateSdlWindow();

}  // namespace platform
