// Vector fonts: an "MVC4" block of glyph records and outlines, and the process-wide cache of fonts by name.
#pragma once

#include "engine/core/base/tstring.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TVecFont {
public:
    // Takes the block; one with a wrong magic gives a font without glyphs. Records and outline offsets that
    // lie outside the block are left out.
    explicit TVecFont(std::vector<uint8_t> block);

    int GlyphCount() const { return static_cast<int>(codes_.size()); }
    // Index of the glyph for a code point, or -1.
    int FindGlyph(uint32_t codepoint) const;

    // Outline data of a glyph and the bytes left in the block behind it; null/0 outside 0..count-1.
    const uint8_t* GetOutline(int index) const;
    size_t GetOutlineLimit(int index) const;
    // Extents and advance in font units (stored value / 128); 0.0 outside the range.
    float GetLeft(int index) const;
    float GetRight(int index) const;
    float GetTop(int index) const;
    float GetBottom(int index) const;
    float GetAdvance(int index) const;
    // Shrinks a glyph taller than the line box to fit it; 1.0 outside the range.
    float GetFitScale(int index) const;

    float ascent = 0;
    float descent = 0;
    uint8_t flag = 0;
    float scale = 1.0f;

    // Room above and below ascent and descent: the line is ascent + descent over 80 %.
    float TopMargin() const { return 0.15f * (ascent + descent) / 0.8f; }
    float BottomMargin() const { return 0.05f * (ascent + descent) / 0.8f; }

private:
    struct Glyph {
        int16_t left, right, top, bottom, advance;
        uint32_t outlineOffset;
    };

    void ReadGlyphs();
    void MeasureLine();
    const Glyph* At(int index) const;

    std::vector<uint8_t> data_;
    std::vector<uint32_t> codes_;
    std::vector<Glyph> glyphs_;
    std::vector<float> fitScale_;
};

// Fonts by name, built on first use and kept until Clear. "__DEFAULT" is the font built into the program;
// any other name is a file, falling back to "fonts/default.mvec" and then to the built-in font.
class TFontCache {
public:
    static TVecFont* GetFont(const TString& name);
    static void Clear();
};
