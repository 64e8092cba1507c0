// Damaged font blocks and outlines: every mutation must load, lay out and draw without touching memory
// outside the block (the sanitizers watch).
#include "engine/core/files/file.h"
#include "engine/graphics/builtin_font.h"
#include "engine/graphics/font.h"
#include "engine/graphics/textblock.h"
#include "engine/graphics/vecdraw.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

int Rounds() {
    const char* rounds = std::getenv("ALEMBRIA_FUZZ_ROUNDS");
    return rounds ? std::atoi(rounds) : 300;
}

void DrawAllGlyphs(TVecFont& font, TQvMiniVecDraw& draw) {
    draw.Begin(10, 40);
    for (int i = 0; i < font.GlyphCount(); ++i) draw.DrawShape(font.GetOutline(i), font.GetOutlineLimit(i), 0, 0);
    draw.End();
}

}  // namespace

TEST(FontFuzz, MutatedBlocksLoadLayOutAndDraw) {
    std::vector<uint8_t> original(kBuiltinFontData, kBuiltinFontData + kBuiltinFontSize);
    std::mt19937 random(1234);
    std::vector<uint8_t> pixels(128 * 64 * 4);
    TVecTarget target{pixels.data(), 128, 64, 128 * 4, false, true};
    TQvMiniVecDraw draw(nullptr);
    draw.scaleX = draw.scaleY = 3;
    draw.halfWidth[0] = 1;
    const float black[4] = {0, 0, 0, 1};
    for (int round = 0; round < Rounds(); ++round) {
        std::vector<uint8_t> block = original;
        int flips = 1 + static_cast<int>(random() % 16);
        for (int i = 0; i < flips; ++i) block[random() % block.size()] = static_cast<uint8_t>(random());
        if (random() % 4 == 0) block.resize(random() % block.size());
        TVecFont font(block);
        draw.Begin(10, 40, &target);
        for (int i = 0; i < 16 && font.GlyphCount() > 0; ++i) {
            int glyph = static_cast<int>(random() % static_cast<unsigned>(font.GlyphCount()));
            draw.DrawShape(font.GetOutline(glyph), font.GetOutlineLimit(glyph), 0, 0);
        }
        draw.End();

        RegisterMemoryFile("fonts/fuzz.mvec", block.data(), block.size());
        TFontCache::Clear();
        TTextBlock* text = TTextBlock::Create("Fuzz <b>W</b>\xC3\xA9\xE2\x80\xA6 <i>ok</i>", 60, 40, 0,
                                              "fonts/fuzz.mvec", 12, black);
        TTextBlock::Destroy(text);
    }
    RegisterMemoryFile("fonts/fuzz.mvec", nullptr, 0);
    TFontCache::Clear();
    DrawAllGlyphs(*TFontCache::GetFont("__DEFAULT"), draw);
    SUCCEED();
}
