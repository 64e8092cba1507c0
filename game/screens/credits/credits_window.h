// clsCreditsWnd: the scrolling credits (the scripts' "CreditsWindow"). It reads the credits file named
// by its style, lays the converted text out once, followed by a window height of empty lines, and
// rises at a constant speed: it starts at y = "slotheight", rises by "slotheight" every "time" ms
// and starts again from there after rising by its own height.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"
#include "engine/ui/window.h"

class TTextBlock;

class clsCreditsWnd : public TWindow {
public:
    clsCreditsWnd();
    ~clsCreditsWnd() override;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "clsCreditsWnd"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // "time", "columngap", "columnwidth", "slotheight", "font", "fontsize", "fontcolor",
    // "headercolor", "headersize", "sectioncolor", "sectionsize", "file".
    void Init(TWindowStyle& style) override;
    // The text at the draw rectangle; the children are not drawn.
    void Draw() override;
    // Moves the window to where the time since the start puts it.
    bool OnAnimate() override;

    // How far above its starting place the window stands after elapsedMs: trunc(elapsed × speed)
    // modulo the window's height, less the slot height (0 for a window of no height).
    int ScrollOffsetAt(uint32_t elapsedMs) const;
    const TString& GetText() const { return text_; }

private:
    struct BlockDeleter {
        void operator()(TTextBlock* block) const;
    };

    // The attribute, at least 1 (a warning names what was given otherwise).
    static int PositiveInt(TWindowStyle& style, const char* name, int fallback);
    // The credits file's text converted, or nothing (a warning) when it cannot be read.
    TString ReadCredits(const TString& path, TWindowStyle& style);

    std::unique_ptr<TTextBlock, BlockDeleter> block_;
    TString text_;
    int slotHeight_ = 0;
    float speed_ = 0.0f;  // pixels per ms
    uint32_t startMs_ = 0;
    TRect drawRect_;
};
