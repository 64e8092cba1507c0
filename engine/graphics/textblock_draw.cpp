// Drawing a laid-out text block through the vector-art renderer.
#include "engine/graphics/textblock.h"

#include "engine/core/app/application.h"
#include "engine/core/app/application_data.h"
#include "engine/graphics/font.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/text_markup.h"
#include "engine/graphics/vecdraw_renderer.h"

#include <cmath>

namespace {

constexpr float kBoldStroke = 0.0125f;
constexpr float kUnderlineThickness = 0.06f;  // of the font size
constexpr float kCursorWidth = 1.0f;          // pixels

// A filled square of one font unit, scaled into the cursor and underline bars.
const uint8_t kUnitSquare[] = {1, 2, 1, 4, 0, 0, 0, 0, 5, 128, 0, 0, 0, 5, 128, 0, 128, 0,
                               5, 0,  0, 128, 0, 5, 0, 0, 0, 0, 8};

float ViewportFactor() {
    TApplication* app = TApplication::Instance();
    return app ? app->Data()->viewportScaleX : 1.0f;
}

class BlockPainter {
public:
    BlockPainter(const TTextBlock& block, float scale, float opacity)
        : block_(block), scale_(scale), opacity_(opacity), draw_(GetVectorRenderer()) {}

    void DrawLine(const TTextLine& line, TVec2 origin, float top, float strokeFactor);

private:
    void Colors(const TTextRun& run, float strokeFactor);
    void Shape(const uint8_t* outline, size_t limit, float along, float across);
    void Bar(float along, float across, float length, float thickness);

    const TTextBlock& block_;
    float scale_, opacity_;
    TQvMiniVecDraw& draw_;
};

void BlockPainter::Colors(const TTextRun& run, float strokeFactor) {
    const float* fill = !run.link.IsEmpty() && run.link == block_.hoverLink ? run.linkColor : run.color;
    float bold = run.bold || (run.font && run.font->flag)
                     ? run.size * scale_ * kBoldStroke * (run.font ? run.font->scale : 1.0f) * strokeFactor
                     : 0.0f;
    float outline = run.outlineWidth * strokeFactor;
    draw_.SetColor(1, fill[0], fill[1], fill[2], fill[3], opacity_);
    draw_.halfWidth[0] = draw_.halfWidth[1] = 0;
    if (outline != 0) {
        draw_.SetColor(255, run.outlineColor[0], run.outlineColor[1], run.outlineColor[2], run.outlineColor[3], opacity_);
        draw_.halfWidth[0] = outline + bold;  // the outline reaches round the bold stroke
        if (bold != 0) {
            draw_.SetColor(254, fill[0], fill[1], fill[2], fill[3], opacity_);
            draw_.halfWidth[1] = bold;
        }
    } else if (bold != 0) {
        draw_.SetColor(255, fill[0], fill[1], fill[2], fill[3], opacity_);
        draw_.halfWidth[0] = bold;
    }
}

// Draws a shape at a point given along and across the text direction, in quarter pixels.
void BlockPainter::Shape(const uint8_t* outline, size_t limit, float along, float across) {
    float x = along * block_.rotCos - across * block_.rotSin, y = along * block_.rotSin + across * block_.rotCos;
    draw_.DrawShape(outline, limit, static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

void BlockPainter::Bar(float along, float across, float length, float thickness) {
    draw_.slant = false;
    draw_.halfWidth[0] = draw_.halfWidth[1] = 0;
    draw_.scaleX = length;
    draw_.scaleY = thickness;
    Shape(kUnitSquare, sizeof kUnitSquare, along, across);
}

void BlockPainter::DrawLine(const TTextLine& line, TVec2 origin, float top, float strokeFactor) {
    TVec2 start(line.x + scale_ * line.xAdjust, (line.baseline * 0.25f + top) * scale_);
    if (block_.rotSin != 0) {
        TVec2 d(start.x - block_.pivotX, start.y - block_.pivotY);
        start = TVec2(block_.pivotX + d.x * block_.rotCos - d.y * block_.rotSin,
                      block_.pivotY + d.x * block_.rotSin + d.y * block_.rotCos);
    }
    start = TVec2(start.x + origin.x, start.y + origin.y);
    float pen = 0;
    bool italic = false;
    for (const TTextRun& run : line.runs) {
        if (!draw_.Begin(start.x, start.y)) continue;
        TVecFont* font = run.font;
        float unit = run.scale * scale_;  // quarter pixels per font unit
        if (font && run.italic != italic) pen += unit / 3 * (run.italic ? font->descent : font->ascent);
        italic = run.italic;
        Colors(run, strokeFactor);
        draw_.cosine = block_.rotCos;
        draw_.sine = block_.rotSin;
        float runStart = pen;
        for (int i = run.first; font && i <= run.last && i < static_cast<int>(block_.text.Length());) {
            TCodePoint cp = DecodeTextCharAt(block_.text, i);
            i = cp.next;
            int glyph = font->FindGlyph(cp.value);
            if (glyph < 0) continue;
            draw_.slant = run.italic;
            draw_.scaleX = draw_.scaleY = unit * font->GetFitScale(glyph);
            Shape(font->GetOutline(glyph), font->GetOutlineLimit(glyph), pen, 0);
            pen += font->GetAdvance(glyph) * unit;
        }
        if (run.underline && pen > runStart) Bar(runStart, 0, pen - runStart, run.size * scale_ * 4 * kUnderlineThickness);
        if (run.cursor && font) {
            float above = (font->ascent + font->TopMargin()) * unit;
            Bar(4 * std::round(pen / 4), -above, 4 * kCursorWidth * scale_, run.size * scale_ * 4);
        }
        if (run.tabPos != 0) pen = run.tabPos * scale_;
    }
}

}  // namespace

void TTextBlock::Draw(float x, float y, float bottom, float scale, float spacing, bool absolute, float opacity,
                      std::shared_ptr<void> hold) const {
    if (scale < 0) return;
    float strokeFactor = 1.0f;
    if (!absolute) {
        TRenderer* renderer = TRenderer::Get();
        TRect viewport = renderer ? renderer->GetViewport() : TRect();
        x += viewport.left;
        y += viewport.top;
        float factor = ViewportFactor();
        if (factor != 1.0f) {
            x *= factor;
            y *= factor;
            strokeFactor = factor;
        }
    }
    float start = unscaledVertical ? boundsTop / (scale != 0 ? scale : 1.0f) + verticalOffset
                                   : verticalOffset * scale + boundsTop;
    float whole = std::floor(scroll);
    start -= size * (scroll - whole) * scale;

    BlockPainter painter(*this, scale, opacity);
    float position = start;
    for (size_t i = static_cast<size_t>(std::max(whole, 0.0f)); i < lines.size(); ++i) {
        const TTextLine& line = *lines[i];
        float lineBottom = unscaledVertical ? (size + position) * scale : line.height * scale + position;
        if (lineBottom >= 0 && lineBottom <= bottom) painter.DrawLine(line, TVec2(x, y), position, strokeFactor);
        position += line.height + spacing;
    }
    GetVectorRenderer().End();
    GetVectorRenderer().halfWidth[0] = GetVectorRenderer().halfWidth[1] = 0;
    GetVectorRenderer().cosine = 1;
    GetVectorRenderer().sine = 0;
}

void TTextBlock::DrawInRect(const TRect& rect, float scale, float opacity) const {
    Draw(static_cast<float>(rect.left), static_cast<float>(rect.top), static_cast<float>(rect.Height()), scale, 0,
         false, opacity);
}
