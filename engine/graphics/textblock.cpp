#include "engine/graphics/textblock.h"

#include "engine/core/base/config.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TTextBlock::TTextBlock() : unscaledVertical(GetConfig("textspriterender").ToInt() > 0) {}

TTextBlock* TTextBlock::Create(const TString& text, int width, int height, int flags, const TString& font, int size,
                               const float color[4]) {
    auto* block = new TTextBlock;
    block->flags = flags;
    block->SetFont(font);
    block->size = size;
    std::copy(color, color + 4, block->color);
    block->width = width;
    block->height = height;
    block->SetText(text);
    return block;
}

void TTextBlock::Destroy(TTextBlock* block) { delete block; }

void TTextBlock::SetText(const TString& newText) {
    if (newText == text) return;
    text = newText;
    Layout();
}

void TTextBlock::SetFont(const TString& name) {
    TString wanted = name.IsEmpty() ? TString("__DEFAULT") : name;
    if (wanted == fontName) return;
    fontName = wanted;
    Layout();
}

void TTextBlock::SetSize(int newSize) {
    if (newSize == size) return;
    size = newSize;
    Layout();
}

void TTextBlock::SetFlags(int newFlags) {
    if (newFlags == flags) return;
    flags = newFlags;
    Layout();
}

void TTextBlock::SetColor(const float newColor[4]) {
    if (std::equal(newColor, newColor + 4, color)) return;
    std::copy(newColor, newColor + 4, color);
    Layout();
}

void TTextBlock::SetRotation(float degrees, int x, int y) {
    float radians = degrees * std::numbers::pi_v<float> / 180.0f;
    rotCos = std::cos(radians);
    rotSin = std::sin(radians);
    if (std::fabs(rotCos - 1.0f) < 0.0001f && std::fabs(rotSin) < 0.0001f) {
        rotCos = 1.0f;
        rotSin = 0.0f;
    }
    pivotX = x;
    pivotY = y;
    Layout();
}

int TTextBlock::FindLineAt(float scale, float spacing) const {
    float sum = 0;
    for (int i = GetLineCount() - 1; i >= 0; --i) {
        sum += (lines[i]->height + spacing) * scale;
        if (sum > height) return i + 1;
    }
    return 0;
}

TString TTextBlock::GetLinkAtPoint(TVec2 point, float spacing) const {
    float top = boundsTop + verticalOffset;
    for (const auto& line : lines) {
        float bottom = top + line->height;
        if (point.y >= top && point.y < bottom) {
            for (const TTextRun& run : line->runs) {
                float left = run.startPx + line->x + line->xAdjust, right = run.endPx + line->x + line->xAdjust;
                if (point.x >= left && point.x < right) return run.link;
            }
            return TString();
        }
        top = bottom + spacing;
    }
    return TString();
}

bool TTextBlock::UpdateHoverLink(const std::optional<TVec2>& point, float spacing) {
    TString link = point ? GetLinkAtPoint(*point, spacing) : TString();
    if (link == hoverLink) return false;
    hoverLink = link;
    return true;
}

TRect TTextBlock::GetBounds(float scale) const {
    float left = 0, right = 0;
    bool any = false;
    for (const auto& line : lines) {
        for (const TTextRun& run : line->runs) {
            float start = line->x + scale * (line->xAdjust + run.startPx);
            float end = line->x + scale * (line->xAdjust + run.endPx);
            left = any ? std::min(left, start) : start;
            right = any ? std::max(right, end) : end;
            any = true;
        }
    }
    float top = boundsTop + verticalOffset * scale;
    return TRect(static_cast<int32_t>(std::floor(left)), static_cast<int32_t>(std::floor(top)),
                 static_cast<int32_t>(std::ceil(right)), static_cast<int32_t>(std::ceil(top + boundsHeight * scale)));
}
