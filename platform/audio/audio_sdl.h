// The SDL2 audio device, for the backend choice (platform/backend).
#pragma once

#include <cstdint>
#include <memory>

#include "platform/audio/audio.h"

namespace platform {

std::unique_ptr<AudioDevice> OpenSdlAudioDevice(uint32_t* result);

}  // namespace platform
