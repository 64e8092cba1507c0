#include "engine/graphics/font.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct GlyphSpec {
    uint32_t code;
    int16_t left, right, top, bottom, advance;
};

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// A block whose glyphs all share one outline (a lone end command) behind the records.
std::vector<uint8_t> MakeBlock(const std::vector<GlyphSpec>& glyphs, uint32_t outlineOffset = 0) {
    std::vector<uint8_t> block{'M', 'V', 'C', '4'};
    Put(block, static_cast<uint32_t>(glyphs.size()), 2);
    block.resize(12, 0);
    uint32_t outline = outlineOffset ? outlineOffset : static_cast<uint32_t>(12 + 18 * glyphs.size());
    for (const GlyphSpec& g : glyphs) {
        Put(block, g.code, 4);
        for (int16_t v : {g.left, g.right, g.top, g.bottom, g.advance}) Put(block, static_cast<uint16_t>(v), 2);
        Put(block, outline, 4);
    }
    block.push_back(8);
    return block;
}

}  // namespace

TEST(VecFont, BuiltinFontMeasuresItsLine) {
    TVecFont* font = TFontCache::GetFont("__DEFAULT");
    ASSERT_NE(font, nullptr);
    EXPECT_GT(font->GlyphCount(), 200);
    EXPECT_GT(font->ascent, 0.0f);
    EXPECT_GT(font->descent, 0.0f);
    EXPECT_EQ(font->FindGlyph(0x1F), -1);
    EXPECT_EQ(font->FindGlyph(0x10FFFF), -1);
    int a = font->FindGlyph('A');
    ASSERT_GE(a, 0);
    EXPECT_NE(font->GetOutline(a), nullptr);
    EXPECT_GT(font->GetAdvance(a), 0.0f);
    int space = font->FindGlyph(' ');
    EXPECT_EQ(font->GetLeft(space), 0.0f);
    EXPECT_EQ(font->GetRight(space), font->GetAdvance(space));
    EXPECT_EQ(font->GetOutline(-1), nullptr);
    EXPECT_EQ(font->GetFitScale(font->GlyphCount()), 1.0f);
    EXPECT_EQ(TFontCache::GetFont("__DEFAULT"), font);  // cached
}

TEST(VecFont, TallGlyphsShrinkToTheLineBox) {
    // 'W' rises 8 units, '_' descends far but does not count, 'y' descends 2.
    TVecFont font(MakeBlock({{'W', 0, 1280, -1024, 0, 1280},
                             {'_', 0, 1280, 0, 1024, 1280},
                             {'y', 0, 1280, 0, 256, 1280},
                             {0xC9, 0, 1280, -2048, 0, 1280}}));
    EXPECT_FLOAT_EQ(font.ascent, 8.0f);
    EXPECT_FLOAT_EQ(font.descent, 2.0f);
    EXPECT_FLOAT_EQ(font.GetFitScale(font.FindGlyph('W')), 1.0f);
    float above = 8.0f + 0.15f * 10.0f / 0.8f;
    EXPECT_FLOAT_EQ(font.GetFitScale(font.FindGlyph(0xC9)), above / 16.0f);
    EXPECT_LT(font.GetFitScale(font.FindGlyph('_')), 1.0f);
}

TEST(VecFont, DamagedBlocksGiveFewerGlyphsNeverACrash) {
    std::vector<uint8_t> wrongMagic = MakeBlock({{'W', 0, 10, -10, 0, 10}});
    wrongMagic[0] = 'X';
    EXPECT_EQ(TVecFont(wrongMagic).GlyphCount(), 0);

    std::vector<uint8_t> overstated = MakeBlock({{'W', 0, 10, -10, 0, 10}});
    overstated[4] = 200;  // claims 200 records
    EXPECT_LE(TVecFont(overstated).GlyphCount(), 1);

    TVecFont outside(MakeBlock({{'A', 0, 10, -10, 0, 10}, {'W', 0, 10, -10, 0, 10}}, 5000));
    EXPECT_EQ(outside.GlyphCount(), 0);

    EXPECT_EQ(TVecFont({'M', 'V'}).GlyphCount(), 0);

    // No 'W': the tallest glyph gives the ascent. Zero height: nothing divides by zero.
    TVecFont noW(MakeBlock({{'a', 0, 10, -512, 0, 10}, {'b', 0, 10, -768, 0, 10}}));
    EXPECT_FLOAT_EQ(noW.ascent, 6.0f);
    TVecFont flat(MakeBlock({{'W', 0, 10, 0, 0, 10}}));
    EXPECT_FLOAT_EQ(flat.GetFitScale(0), 1.0f);
}

TEST(FontCache, MissingFilesFallBackAndAreCachedByName) {
    TVecFont* font = TFontCache::GetFont("fonts/no-such-font.mvec");
    ASSERT_NE(font, nullptr);
    EXPECT_GT(font->GlyphCount(), 0);
    EXPECT_EQ(TFontCache::GetFont("fonts/no-such-font.mvec"), font);
    TFontCache::Clear();
    EXPECT_NE(TFontCache::GetFont("__DEFAULT"), nullptr);
    TFontCache::Clear();
}
