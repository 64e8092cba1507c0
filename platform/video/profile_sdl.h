// The real backend's desktop reader, for the backend choice (platform/backend).
#pragma once

#include "platform/video/profile.h"

namespace platform::video {

// Fills the active profile's desktop and modes from SDL video; false when it has none.
bool DetectSdlProfile();

}  // namespace platform::video
