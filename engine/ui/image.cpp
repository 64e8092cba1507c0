#include "engine/ui/image.h"

#include <cmath>

#include "engine/graphics/renderer.h"
#include "engine/graphics/sprite_state.h"
#include "engine/graphics/texture.h"
#include "engine/ui/widget_style.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_style.h"

namespace {

constexpr float kQuarterTurn = 1.5707964f;

void Invalidate() {
    if (TWindowManager* manager = TWindowManager::Get()) manager->Invalidate();
}

int32_t ScaledExtent(int texels, float scale) {
    return static_cast<int32_t>(texels * scale + 0.5f);
}

}  // namespace

TImage::TImage() {
    SetClassFlags(kWindowInTargetPass, true);
    SetFlags(GetFlags() | kWindowCovers);
}

TImage::~TImage() = default;

TWindow* TImage::Create() {
    return new TImage();
}

TClassId TImage::ClassId() {
    return reinterpret_cast<TClassId>(&TImage::Create);
}

void TImage::Init(TWindowStyle& style) {
    TString image = style.GetString("image", TString());
    TString mask = style.GetString("mask", TString());
    float scale = ReadScale(style);
    bool alpha = style.GetBool("alpha", false);
    bool mipmap = style.GetBool("mipmap", false);
    flip_ = ReadFlip(style);
    rotate_ = style.GetBool("rotate", false);

    int options = (alpha ? TTexture::kAlphaOn : 0) | (mipmap ? TTexture::kMipmap : 0);
    if (alpha) SetFlags(GetFlags() & ~kWindowCovers);
    std::shared_ptr<TTexture> texture;
    if (!image.IsEmpty() && !mask.IsEmpty()) {
        texture = TTexture::GetWithOptions(image, mask, options);
    } else if (!image.IsEmpty()) {
        texture = TTexture::Get(image, options);
    }
    SetTexture(texture, scale);
    TWindow::Init(style);
}

uint32_t TImage::ReadFlip(const TWindowStyle& style) {
    uint32_t flip = style.GetBool("hflip", false) ? kFlipHorizontal : 0u;
    return flip | (style.GetBool("vflip", false) ? kFlipVertical : 0u);
}

void TImage::SetTexture(const std::shared_ptr<TTexture>& texture, float scale) {
    texture_ = texture;
    scale_ = scale;
    FitToTexture();
    Invalidate();
}

void TImage::FitToTexture() {
    if (!texture_) return;
    int32_t width = ScaledExtent(texture_->GetWidth(), scale_);
    int32_t height = ScaledExtent(texture_->GetHeight(), scale_);
    if (rotate_) std::swap(width, height);
    SetSize(width, height);
}

void TImage::SetAlpha(float alpha) {
    alpha_ = alpha;
    bool covers = alpha == 1.0f && texture_ && !texture_->HasAlpha();
    SetFlags(covers ? (GetFlags() | kWindowCovers) : (GetFlags() & ~kWindowCovers));
    Invalidate();
}

void TImage::SetFlip(uint32_t flip) {
    flip_ = flip;
    Invalidate();
}

void TImage::SetRotate(bool rotate) {
    if (rotate == rotate_) return;
    rotate_ = rotate;
    FitToTexture();
    Invalidate();
}

void TImage::Draw() {
    if (!texture_) return;
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer->Begin2d();
    // 2-D coordinates count from the viewport, which stays the screen's: draw at the global place.
    TRect global = GetGlobalRect();
    TSpriteState state(TVec2(static_cast<float>(global.left), static_cast<float>(global.top)), alpha_, scale_,
                       flip_ | TSpriteState::kUseAnchor);
    if (rotate_) {
        // Turned clockwise the picture's left edge becomes its top: move it right by its height.
        state.transform.m[6] += static_cast<float>(GetWidth());
        state.transform.Rotate(kQuarterTurn);
    }
    texture_->Draw(state);
    if (entered) renderer->End2d();
}
