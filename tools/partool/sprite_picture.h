// Soft white sprites for particle emitters, written as PNG files; the particles' colours tint them.
#pragma once

#include <string>

// shape: glow (a soft dot), star (a dot with four rays), flake (six rays), ring. False when the
// file cannot be written.
bool WriteSpritePicture(const std::string& path, const std::string& shape, int size);
