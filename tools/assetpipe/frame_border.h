// Whether a rendered frame's drawing reaches the frame's border, where the frame would cut it.
#pragma once

#include <cairo.h>

#include <string>

namespace assetpipe {

// Sides of a frame, as bits.
enum FrameSide : unsigned { kSideTop = 1, kSideBottom = 2, kSideLeft = 4, kSideRight = 8, kAllSides = 15 };

// A border pixel counts as drawn from this alpha (of 255) on: faint glow and anti-aliasing fringes
// stay below it.
constexpr int kBorderAlpha = 24;

// The sides of the ARGB32 image whose outermost row or column holds a drawn pixel.
unsigned TouchedSides(cairo_surface_t* image);

// The side named "top", "bottom", "left" or "right"; 0 for any other word.
unsigned SideNamed(const std::string& name);

// "top left": the names of the sides in sides, as a bleed line lists them.
std::string SideNames(unsigned sides);

}  // namespace assetpipe
