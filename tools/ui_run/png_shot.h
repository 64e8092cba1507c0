// Writes a drawn frame as a PNG picture.
#pragma once

namespace platform::video {
class Surface;
}

// False when the file cannot be written.
bool WritePngShot(const platform::video::Surface& surface, const char* path);
