// TTextBlock: a laid-out piece of marked-up UTF-8 text. Every change of text, font, size, colour, flags or
// rotation lays the text out again into lines of style runs; drawing, measuring and hit tests only read them.
// Layout positions are quarter pixels: a pen position p stands for p / 4 pixels.
#pragma once

#include "engine/core/base/maths.h"
#include "engine/core/base/tstring.h"

#include <memory>
#include <optional>
#include <vector>

class TVecFont;
class TQvMiniVecDraw;

struct TFontStyle {
    TString face;
    int size = 0;
    float color[4] = {0, 0, 0, 0};
};

// The markup state while a text is laid out.
struct TTextStyleState {
    static constexpr int kLevels = 32;

    void Reset();
    const TFontStyle& Font() const { return fonts[fontDepth < kLevels ? fontDepth : kLevels - 1]; }
    int Align() const { return align[alignDepth < kLevels ? alignDepth : kLevels - 1]; }

    TFontStyle fonts[kLevels];
    int fontDepth = 0;
    bool bold = false, italic = false, underline = false;
    int align[kLevels] = {-1};
    int alignDepth = 0;
    TString link;
    float linkColor[4] = {0, 0, 0, 0};
    float outlineWidth = 0;
    float outlineColor[4] = {0, 0, 0, 0};
};

struct TTextRun {
    TVecFont* font = nullptr;
    float scale = 0;  // quarter pixels per font unit
    int size = 0;
    int ascentQ = 0;
    TVecFont* styleFont = nullptr;  // the style's own font while the run uses the fall-back font
    float color[4] = {0, 0, 0, 0};
    bool bold = false, italic = false, underline = false, cursor = false;
    int first = 0, last = -2;  // byte indices of the first and last character; -2 while open
    int startPx = 0, endPx = 0;
    TString link;
    float linkColor[4] = {0, 0, 0, 0};
    float outlineWidth = 0;
    float outlineColor[4] = {0, 0, 0, 0};
    int tabPos = 0;  // quarter pixels the pen jumps to behind the run; 0 for none

    bool HasCharacters() const { return last >= first; }
};

struct TTextLine {
    int height = 0;    // pixels
    int baseline = 0;  // quarter pixels from the line's top
    int x = 0;         // pixels, after alignment
    float xAdjust = 0;
    std::vector<TTextRun> runs;
};

class TTextBlock {
public:
    // Alignment flags.
    enum : int { kCenter = 1, kRight = 2, kMiddle = 4, kBottom = 8 };

    static TTextBlock* Create(const TString& text, int width, int height, int flags, const TString& font, int size,
                              const float color[4]);
    static void Destroy(TTextBlock* block);

    void SetText(const TString& text);
    void SetFont(const TString& name);
    void SetSize(int size);
    void SetFlags(int flags);
    void SetColor(const float color[4]);
    void SetRotation(float degrees, int pivotX, int pivotY);

    const TString& GetText() const { return text; }
    const TString& GetFontName() const { return fontName; }
    int GetLineCount() const { return static_cast<int>(lines.size()); }

    // The first line from which the rest of the text fits the box height.
    int FindLineAt(float scale, float spacing) const;
    TString GetLinkAtPoint(TVec2 point, float spacing) const;
    // Stores the link under the point ("" without one); true when it changed.
    bool UpdateHoverLink(const std::optional<TVec2>& point, float spacing);
    TRect GetBounds(float scale) const;

    // Draws the lines whose bottom lies between 0 and bottom below the start, at (x, y) moved by the
    // renderer's viewport unless absolute; opacity multiplies every colour's alpha; hold is kept alive
    // while drawing.
    void Draw(float x, float y, float bottom, float scale, float spacing, bool absolute, float opacity = 1.0f,
              std::shared_ptr<void> hold = nullptr) const;
    // Draws at the rectangle's top-left with its height as the bottom limit.
    void DrawInRect(const TRect& rect, float scale, float opacity = 1.0f) const;

    TString text;
    std::unique_ptr<TTextStyleState> style = std::make_unique<TTextStyleState>();
    int boundsLeft = 0, boundsTop = 0, boundsRight = 0, boundsHeight = 0;
    int width = 0, height = 0;
    float rotCos = 1, rotSin = 0;
    int pivotX = 0, pivotY = 0;
    uint8_t rendererFlags[2] = {0, 0};
    std::vector<std::shared_ptr<TTextLine>> lines;
    TString fontName = "__DEFAULT";
    int size = 0;
    float color[4] = {0, 0, 0, 0};
    float scroll = 0;
    float verticalOffset = 0;
    TString hoverLink;
    int flags = 0;
    bool unscaledVertical = false;

    TTextBlock();
    void Layout();
};
