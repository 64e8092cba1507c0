// Writes and reads the "MVC4" vector font block: header, glyph records sorted by code point, outline data.
#pragma once

#include "tools/mkfont/glyph_outline.h"

#include <cstdint>
#include <vector>

struct MvecGlyphRecord {
    uint32_t codepoint;
    int16_t left, right, top, bottom, advance;
    uint32_t outlineOffset;
};

constexpr size_t kMvecHeaderSize = 12;
constexpr size_t kMvecRecordSize = 18;

// Glyphs must be sorted by code point. Each glyph's outline fills every path with colour 1.
std::vector<uint8_t> BuildMvecBlock(const std::vector<GlyphOutline>& glyphs);

// The glyph records of a block; empty when the magic is wrong or the records run past the block.
std::vector<MvecGlyphRecord> ReadMvecRecords(const std::vector<uint8_t>& block);
