#include "engine/graphics/text_sprite.h"

#include <cmath>

namespace {

const TRect kEmptyRect(10000000, 10000000, -10000000, -10000000);

}  // namespace

TTextSprite::TTextSprite(int width, int height, int layer) : TSprite(layer), width_(width), height_(height) {
    const float black[4] = {0, 0, 0, 1.0f};
    block_ = TTextBlock::Create("", width, height, 0, "", 10, black);
    block_->unscaledVertical = true;
}

TTextSprite::~TTextSprite() {
    TTextBlock::Destroy(block_);
}

std::shared_ptr<TSprite> TTextSprite::Create(int width, int height, int flags, const char* font, int size,
                                             const float color[4], int layer) {
    auto sprite = std::make_shared<TTextSprite>(width, height, layer);
    sprite->SetColor(color);
    if (flags != 0) sprite->SetFlags(flags);
    if (font && *font) sprite->SetFont(font);
    sprite->SetSize(size);
    return sprite;
}

void TTextSprite::SetFlags(int flags) {
    block_->SetFlags(flags);
    float w = static_cast<float>(width_), h = static_cast<float>(height_);
    anchor_.x = (flags & TTextBlock::kCenter) ? w * 0.5f : (flags & TTextBlock::kRight) ? w : 0.0f;
    anchor_.y = (flags & TTextBlock::kMiddle) ? h * 0.5f : (flags & TTextBlock::kBottom) ? h : 0.0f;
}

void TTextSprite::DrawSelf(const TSpriteState& s) {
    const TMat3& m = s.transform;
    float scale = std::sqrt(m.m[0] * m.m[0] + m.m[1] * m.m[1]);
    float degrees = std::atan2(m.m[1], m.m[0]) / 6.2831855f * 360.0f;
    // The anchor is the point of the box that stands on the sprite's position: a right-aligned label
    // ends there, a centred one is centred on it. The block turns its lines about a pivot measured
    // from where it is drawn, so it turns about the anchor and is drawn so that the anchor lands on
    // the position.
    int pivotX = static_cast<int>(std::lround(anchor_.x * scale));
    int pivotY = static_cast<int>(std::lround(anchor_.y * scale));
    TVec2 position = m.Transform(TVec2(0.0f, 0.0f));
    block_->SetRotation(degrees, pivotX, pivotY);
    block_->Draw(position.x - static_cast<float>(pivotX), position.y - static_cast<float>(pivotY),
                 static_cast<float>(height_), scale, static_cast<float>(lineSpacing_), false, s.alpha);
}

TRect TTextSprite::GetRect(const TSpriteState& parent, int depth) {
    return IsVisible() ? TSprite::GetRect(parent, depth) : kEmptyRect;
}

TRect TTextSprite::OwnRect(const TSpriteState& composed) {
    return PlaceBox(composed, static_cast<float>(width_), static_cast<float>(height_));
}

bool TTextSprite::HitTest(const TPoint& point, const TSpriteState& parent, int, int depth) {
    return GetRect(parent, depth).Contains(point.x, point.y);
}
