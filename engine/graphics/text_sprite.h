// TTextSprite: a sprite that draws a text block in place of a texture, so that text is placed,
// rotated, faded and layered in the sprite tree like any picture.
#pragma once

#include <memory>

#include "engine/graphics/sprite.h"
#include "engine/graphics/textblock.h"

class TTextSprite : public TSprite {
    ALEMBRIA_SPRITE_CLASS(TTextSprite, TSprite)

public:
    // An empty text in a width x height box: default font, size 10, black, flags 0.
    TTextSprite(int width, int height, int layer);
    ~TTextSprite() override;

    // flags 0 and a null or empty font name keep the defaults.
    static std::shared_ptr<TSprite> Create(int width, int height, int flags, const char* font, int size,
                                           const float color[4], int layer);

    void SetText(const TString& text) { block_->SetText(text); }
    void SetColor(const float color[4]) { block_->SetColor(color); }
    void SetFont(const TString& name) { block_->SetFont(name); }
    void SetSize(int size) { block_->SetSize(size); }
    // The alignment flags of the block; they also choose the anchor, the box point that stands on the
    // sprite's position and that the text turns about.
    void SetFlags(int flags);
    void SetLineSpacing(int spacing) { lineSpacing_ = spacing; }

    const TTextBlock& GetBlock() const { return *block_; }
    TVec2 GetAnchor() const { return anchor_; }

    TRect GetRect(const TSpriteState& parent, int depth) override;
    // Inside the half-open bounds; the text's pixels are not looked at.
    bool HitTest(const TPoint& point, const TSpriteState& parent, int threshold, int depth) override;

protected:
    void DrawSelf(const TSpriteState& composed) override;
    TRect OwnRect(const TSpriteState& composed) override;

private:
    int width_;
    int height_;
    int lineSpacing_ = 0;
    TVec2 anchor_;
    TTextBlock* block_;
};
