// A glyph outline read from FreeType: contours of lines and quadratic curves in the vector format's units
// (1/128 of a font unit, a font unit being a sixteenth of the em), y growing downward.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <vector>

struct OutlinePoint {
    int x = 0, y = 0;
};

struct OutlineSegment {
    bool curve = false;
    OutlinePoint control;  // curves only
    OutlinePoint end;
};

struct OutlineContour {
    OutlinePoint start;
    std::vector<OutlineSegment> segments;
};

struct GlyphOutline {
    uint32_t codepoint = 0;
    int advance = 0;
    std::vector<OutlineContour> contours;
};

// Loads one glyph unscaled and unhinted; false when the face has no glyph for the code point.
bool LoadGlyphOutline(FT_Face face, uint32_t codepoint, GlyphOutline& glyph);

// Groups the contours into fill paths: each outer contour with the holes it holds, so that overlapping outer
// contours become separate paths (the renderer fills each path even-odd and draws their union).
std::vector<std::vector<const OutlineContour*>> GroupIntoPaths(const GlyphOutline& glyph);
