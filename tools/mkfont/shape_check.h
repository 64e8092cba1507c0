// Compares the glyph shapes of an "MVC4" block with FreeType's own rendering of the font they came from.
#pragma once

#include "tools/mkfont/mvec_block.h"

struct ShapeCheck {
    int glyphsChecked = 0;
    uint32_t worstCodepoint = 0;
    double worstMismatch = 0;  // clearly wrong pixels / pixels FreeType lights, for the worst glyph
};

// Samples every glyph of the block at pixel centres (each path filled even-odd, paths united) against
// FreeType's anti-aliased bitmap at the same pixel size; a pixel is clearly wrong when FreeType's coverage is
// below 3/8 and ours lit, or above 5/8 and ours not. Glyphs the face lacks are skipped.
ShapeCheck CheckAgainstFreeType(FT_Face face, const std::vector<uint8_t>& block, int pixelSize);
