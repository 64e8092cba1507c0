// TText: a static text window. It owns one laid-out text block showing its label in a vector font,
// with the block's mark-up, alignment flags, padding and an optional rotation. Labels come from the
// string table unless they are marked literal; a click on a link presses the button of the link's
// id in the same dialog.
#pragma once

#include <memory>

#include "engine/core/base/tstring.h"
#include "engine/ui/window.h"

class TStringTable;
class TTextBlock;

class TText : public TWindow {
public:
    TText();
    ~TText() override;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TText"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // "font", "label", "defflags", "flags", "padding", "rotation", "rotationOriginX",
    // "rotationOriginY", "rotationAlign". A window of no size gets no text block.
    void Init(TWindowStyle& style) override;
    void Draw() override;
    bool OnMouseDown(TPoint point) override;
    bool OnMouseUp(TPoint point) override;
    bool OnMouseMove(TPoint point) override;
    bool OnMouseLeave() override;

    // Nothing without a text block.
    virtual void SetText(const TString& text);
    virtual TString GetText();

    void SetAlpha(float alpha) { alpha_ = alpha; }
    float GetAlpha() const { return alpha_; }
    // Degrees, about a point in window coordinates.
    void SetRotation(float degrees, int originX, int originY);
    // Scrolls so that the given fraction of the text that can scroll out lies above the window.
    void ScrollToFraction(float fraction);
    int GetPadding() const { return padding_; }
    TTextBlock* GetTextBlock() const { return block_.get(); }

    // The text a label shows: with a loaded string table, "#text" is text itself, digits and points
    // stay as they are and anything else is a string-table label; without one (null) the label.
    static TString LocaliseLabel(const TString& label, const TStringTable* table);

private:
    struct BlockDeleter {
        void operator()(TTextBlock* block) const;
    };

    void ApplyRotation(const TWindowStyle& style, float degrees);
    void PressLinkedButton(const TString& name);

    std::unique_ptr<TTextBlock, BlockDeleter> block_;
    float scale_ = 1.0f;
    float alpha_ = 1.0f;
    int padding_ = 0;
    float lineOffset_ = 0.5f;
    TString pressedLink_;
};
