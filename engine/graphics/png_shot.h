// Writes a drawn frame as a PNG picture (the shots of headless runs).
#pragma once

namespace platform::video {
class Surface;
}

// False when the file cannot be written.
bool WritePngShot(const platform::video::Surface& surface, const char* path);
