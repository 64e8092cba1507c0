// Writes a drawn frame as a PNG picture.
#pragma once

namespace gfx {
class Surface;
}

// False when the file cannot be written.
bool WritePngShot(const gfx::Surface& surface, const char* path);
