#include "engine/graphics/vecdraw.h"

#include "engine/graphics/font.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

// Collects the runs the renderer hands on.
class RunRecorder : public TQvMiniVecDraw::Output {
public:
    void DrawRuns(const TVecRun* runs, int count, float, float, float) override {
        this->runs.insert(this->runs.end(), runs, runs + count);
        ++batches;
    }
    std::vector<TVecRun> runs;
    int batches = 0;
};

void Put16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

// A square path from (x0, y0) to (x1, y1), coordinates in outline units (1/128).
void AddSquare(std::vector<uint8_t>& out, int x0, int y0, int x1, int y1) {
    out.push_back(4);
    Put16(out, x0);
    Put16(out, y0);
    for (auto [x, y] : {std::pair{x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}}) {
        out.push_back(5);
        Put16(out, x);
        Put16(out, y);
    }
}

std::vector<uint8_t> FilledSquare(int x0, int y0, int x1, int y1) {
    std::vector<uint8_t> shape{1, 2, 1};
    AddSquare(shape, x0, y0, x1, y1);
    shape.push_back(8);
    return shape;
}

// Coverage level (alpha) per pixel from a run list, for colour-free comparisons.
std::map<std::pair<int, int>, uint32_t> Pixels(const std::vector<TVecRun>& runs) {
    std::map<std::pair<int, int>, uint32_t> pixels;
    for (const TVecRun& run : runs)
        for (int x = run.x0; x < run.x1; ++x) pixels[{x, run.row}] = run.colour;
    return pixels;
}

}  // namespace

// Covered samples of a pixel, from the alpha of an opaque colour's ramp.
int Samples(uint32_t colour) {
    int alpha = colour >> 24;
    for (int n = 1; n <= 16; ++n)
        if ((255 * 16 * n) >> 8 == alpha) return n;
    return -1;
}

TEST(VecDraw, SquareCoverageCountsEverySample) {
    RunRecorder out;
    TQvMiniVecDraw draw(&out);
    draw.scaleX = draw.scaleY = 4;  // 128 outline units (one font unit) -> 4 quarter pixels = 1 px
    draw.SetColor(1, 1, 0, 0, 1);
    draw.Begin(10, 20);
    auto shape = FilledSquare(0, 0, 128 * 4, 128 * 2);  // 4 x 2 pixels
    draw.DrawShape(shape.data(), shape.size(), 0, 0);
    draw.End();
    // Samples lie on whole quarter pixels: x from 0 to 16 inclusive, y in (0, 8].
    int total = 0;
    for (auto& [where, colour] : Pixels(out.runs)) {
        EXPECT_EQ(colour & 0x00FFFFFF, 0xFF0000u);
        EXPECT_GE(where.first, 10);
        EXPECT_LE(where.first, 14);
        EXPECT_GE(where.second, 20);
        EXPECT_LE(where.second, 22);
        total += Samples(colour);
    }
    EXPECT_EQ(total, 17 * 8);
    EXPECT_EQ(Samples(Pixels(out.runs)[std::pair{11, 21}]), 16);
    EXPECT_GT(out.batches, 0);
}

TEST(VecDraw, SameParametersReplayWithCurrentColours) {
    RunRecorder out;
    TQvMiniVecDraw draw(&out);
    draw.scaleX = draw.scaleY = 4;
    auto shape = FilledSquare(0, 0, 300, 700);
    draw.SetColor(1, 0, 1, 0, 1);
    draw.Begin(0, 0);
    draw.DrawShape(shape.data(), shape.size(), 1, 2);
    draw.End();
    std::vector<TVecRun> first = out.runs;
    EXPECT_EQ(draw.CachedShapeCount(), 1u);

    out.runs.clear();
    draw.SetColor(1, 0, 0, 1, 1);
    draw.Begin(5, 7);  // whole pixels move, phases stay
    draw.DrawShape(shape.data(), shape.size(), 1, 2);
    draw.End();
    EXPECT_EQ(draw.CachedShapeCount(), 1u);
    ASSERT_EQ(out.runs.size(), first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(out.runs[i].x0, first[i].x0 + 5);
        EXPECT_EQ(out.runs[i].row, first[i].row + 7);
        EXPECT_EQ(out.runs[i].colour >> 24, first[i].colour >> 24);
        EXPECT_EQ(out.runs[i].colour & 0xFFFFFF, 0x0000FFu);
    }

    struct Change { const char* what; void (*apply)(TQvMiniVecDraw&); };
    const Change changes[] = {
        {"scale", [](TQvMiniVecDraw& d) { d.scaleY = 5; }},
        {"stroke", [](TQvMiniVecDraw& d) { d.halfWidth[0] = 1; }},
        {"slant", [](TQvMiniVecDraw& d) { d.slant = true; }},
        {"rotation", [](TQvMiniVecDraw& d) { d.sine = 0.5f; d.cosine = 0.8660254f; }},
    };
    for (const Change& change : changes) {
        size_t before = draw.CachedShapeCount();
        change.apply(draw);
        draw.Begin(0, 0);
        draw.DrawShape(shape.data(), shape.size(), 1, 2);
        draw.End();
        EXPECT_EQ(draw.CachedShapeCount(), before + 1) << change.what;
    }
    size_t before = draw.CachedShapeCount();
    draw.Begin(0.25f, 0);  // another quarter-pixel phase
    draw.DrawShape(shape.data(), shape.size(), 1, 2);
    draw.End();
    EXPECT_EQ(draw.CachedShapeCount(), before + 1);
}

TEST(VecDraw, OverlappingPathsUniteAndHolesStayEmpty) {
    RunRecorder out;
    TQvMiniVecDraw draw(&out);
    draw.scaleX = draw.scaleY = 4;
    draw.SetColor(1, 1, 1, 1, 1);
    // Path 1: a 10 px ring (outer square with a 4 px hole); path 2: a square overlapping the ring's right edge.
    std::vector<uint8_t> shape{1, 2, 1};
    AddSquare(shape, 0, 0, 1280, 1280);
    AddSquare(shape, 384, 384, 896, 896);
    shape.insert(shape.end(), {1, 2, 1});
    AddSquare(shape, 1152, 384, 1664, 896);
    shape.push_back(8);
    draw.Begin(0, 0);
    draw.DrawShape(shape.data(), shape.size(), 0, 0);
    draw.End();
    auto pixels = Pixels(out.runs);
    EXPECT_EQ(pixels.count({5, 5}), 0u);  // inside the hole
    auto alpha = [&](int x, int y) { return pixels[std::pair{x, y}] >> 24; };
    EXPECT_GE(alpha(1, 5), 240u);   // the ring
    EXPECT_GE(alpha(9, 5), 240u);   // the overlap: still fully covered
    EXPECT_GE(alpha(11, 5), 240u);  // the second path beyond the ring
}

TEST(VecDraw, BadOutlinesStopAtTheirEnd) {
    RunRecorder out;
    TQvMiniVecDraw draw(&out);
    draw.scaleX = draw.scaleY = 4;
    draw.Begin(0, 0);
    auto square = FilledSquare(0, 0, 512, 512);
    std::vector<uint8_t> noEnd(square.begin(), square.end() - 1);
    draw.DrawShape(noEnd.data(), noEnd.size(), 0, 0);  // no end command: the data's end ends the shape
    std::vector<uint8_t> unknown = square;
    unknown.insert(unknown.begin() + 3, 99);
    draw.DrawShape(unknown.data(), unknown.size(), 0, 0);
    std::vector<uint8_t> cut(square.begin(), square.begin() + 6);  // a move command cut short
    draw.DrawShape(cut.data(), cut.size(), 0, 0);
    draw.DrawShape(nullptr, 0, 0, 0);
    draw.End();
    SUCCEED();
}

TEST(VecDraw, HorizontalLinesAddNoCoverageAndStrokesDraw) {
    RunRecorder out;
    TQvMiniVecDraw draw(&out);
    draw.scaleX = draw.scaleY = 4;
    std::vector<uint8_t> line{1, 4};
    Put16(line, 0);
    Put16(line, 256);
    line.push_back(5);
    Put16(line, 1280);
    Put16(line, 256);
    line.push_back(8);
    draw.Begin(0, 0);
    draw.DrawShape(line.data(), line.size(), 0, 0);
    draw.End();
    EXPECT_TRUE(out.runs.empty());

    draw.SetColor(255, 1, 1, 0, 1);
    draw.halfWidth[0] = 1;  // a 2 px stroke along the line, in the stroke layer's colour
    draw.Begin(0, 0);
    draw.DrawShape(line.data(), line.size(), 0, 0);
    draw.End();
    ASSERT_FALSE(out.runs.empty());
    for (const TVecRun& run : out.runs) EXPECT_EQ(run.colour & 0xFFFFFF, 0xFFFF00u);
}

TEST(VecDraw, GlyphsOfTheBuiltinFontDrawIntoABoundTarget) {
    TVecFont* font = TFontCache::GetFont("__DEFAULT");
    int glyph = font->FindGlyph('O');
    ASSERT_GE(glyph, 0);
    std::vector<uint8_t> pixels(64 * 64 * 4, 0);
    TVecTarget target{pixels.data(), 64, 64, 64 * 4, true, false};
    TQvMiniVecDraw draw(nullptr);
    draw.scaleX = draw.scaleY = 32 * 4 / 16.0f / 1.0f;  // 32 px em: 16 font units of 1/128
    draw.SetColor(1, 1, 1, 1, 1);
    draw.Begin(8, 40, &target);
    draw.DrawShape(font->GetOutline(glyph), font->GetOutlineLimit(glyph), 0, 0);
    draw.End();
    int lit = 0;
    for (size_t i = 3; i < pixels.size(); i += 4) lit += pixels[i] > 128;
    EXPECT_GT(lit, 60);
    EXPECT_EQ(pixels[(28 * 64 + 20) * 4 + 3], 0);  // the counter of the O stays empty
}
