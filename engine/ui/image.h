// TImage: a window showing one picture at its top-left corner, scaled, with an opacity, optional
// mirroring and an optional quarter turn. It takes the size of the scaled (and turned) picture.
#pragma once

#include <memory>

#include "engine/ui/window.h"

class TTexture;

class TImage : public TWindow {
public:
    enum TFlip : uint32_t { kFlipHorizontal = 1, kFlipVertical = 2 };

    TImage();
    ~TImage() override;

    static TWindow* Create();
    static TClassId ClassId();
    const char* GetClassName() const override { return "TImage"; }
    bool IsKindOf(TClassId id) const override { return id == ClassId() || TWindow::IsKindOf(id); }

    // "image", "mask", "scale", "alpha", "mipmap", "hflip", "vflip", "rotate"; the picture is set
    // before the placement, so that the placement keeps the picture's size.
    void Init(TWindowStyle& style) override;
    void Draw() override;
    // The flip bits of the style's "hflip" and "vflip".
    static uint32_t ReadFlip(const TWindowStyle& style);

    // Sizes the window to the scaled picture (unchanged without one).
    void SetTexture(const std::shared_ptr<TTexture>& texture, float scale);
    const std::shared_ptr<TTexture>& GetTexture() const { return texture_; }
    bool HasTexture() const { return texture_ != nullptr; }
    float GetScale() const { return scale_; }
    // The window covers what lies below only at full opacity with a picture without alpha.
    void SetAlpha(float alpha);
    float GetAlpha() const { return alpha_; }
    void SetFlip(uint32_t flip);
    uint32_t GetFlip() const { return flip_; }
    // A quarter turn clockwise; the window's width and height swap.
    void SetRotate(bool rotate);
    bool IsRotated() const { return rotate_; }

private:
    void FitToTexture();

    std::shared_ptr<TTexture> texture_;
    float scale_ = 1.0f;
    float alpha_ = 1.0f;
    uint32_t flip_ = 0;
    bool rotate_ = false;
};
