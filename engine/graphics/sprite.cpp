#include "engine/graphics/sprite.h"

#include <algorithm>
#include <cmath>

#include "engine/core/base/config.h"
#include "engine/graphics/graphics_state.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"

namespace {

void PublishSpriteCount() {
    SetConfig("current_sprite_count", TString::Format("%d", GetGraphicsState().liveSprites));
}

// Halves round up, so that a moved sprite keeps its size.
int Round(float v) {
    return static_cast<int>(std::floor(v + 0.5f));
}

}  // namespace

TSprite::TSprite(int layer) : layer_(layer) {
    ++GetGraphicsState().liveSprites;
    PublishSpriteCount();
}

TSprite::~TSprite() {
    for (const std::shared_ptr<TSprite>& child : children_) child->parent_ = nullptr;
    children_.clear();
    GraphicsState& state = GetGraphicsState();
    if (--state.liveSprites == 0) state.hitTarget.reset();
    PublishSpriteCount();
}

int TSprite::LiveCount() {
    return GetGraphicsState().liveSprites;
}

std::shared_ptr<TSprite> TSprite::Create(int layer, const std::shared_ptr<TTexture>& texture) {
    std::shared_ptr<TSprite> sprite(new TSprite(layer));
    if (texture) sprite->SetTexture(texture);
    return sprite;
}

void TSprite::SetTexture(const std::shared_ptr<TTexture>& texture) {
    texture_ = texture;
}

void TSprite::SetLayer(int layer) {
    if (layer == layer_) return;
    layer_ = layer;
    if (parent_) parent_->SortChildren();
}

void TSprite::SortChildren() {
    children_.sort([](const std::shared_ptr<TSprite>& a, const std::shared_ptr<TSprite>& b) {
        return a->layer_ < b->layer_;
    });
}

void TSprite::AddChild(const std::shared_ptr<TSprite>& child) {
    if (!child || child.get() == this) return;
    std::shared_ptr<TSprite> keep = child;  // the old parent's list may hold the last reference
    if (child->parent_) child->parent_->RemoveChild(child);
    auto after = std::find_if(children_.begin(), children_.end(),
                              [&](const std::shared_ptr<TSprite>& c) { return c->layer_ > child->layer_; });
    children_.insert(after, child);
    child->parent_ = this;
}

bool TSprite::RemoveChild(const std::shared_ptr<TSprite>& child) {
    auto found = std::find(children_.begin(), children_.end(), child);
    if (found == children_.end()) return false;
    std::shared_ptr<TSprite> removed = std::move(*found);
    children_.erase(found);
    removed->parent_ = nullptr;
    return true;
}

void TSprite::Draw(const TSpriteState& parent, int depth) {
    if (!visible_) return;
    TSpriteState s = TSpriteState::Compose(state_, parent);
    auto front = children_.begin();
    if (depth != 0)
        for (; front != children_.end() && (*front)->layer_ < 0; ++front) (*front)->Draw(s, depth - 1);
    DrawSelf(s);
    if (depth != 0)
        for (auto it = front; it != children_.end(); ++it) (*it)->Draw(s, depth - 1);
}

void TSprite::DrawSelf(const TSpriteState& composed) {
    if (texture_) texture_->Draw(composed);
}

TRect TSprite::GetRect(const TSpriteState& parent, int depth) {
    TSpriteState s = TSpriteState::Compose(state_, parent);
    TRect rect = OwnRect(s);
    if (depth != 0)
        for (const std::shared_ptr<TSprite>& child : children_)
            rect = TRect::Union(rect, child->GetRect(s, depth - 1));
    return rect;
}

TRect TSprite::OwnRect(const TSpriteState& composed) {
    if (!texture_) return TRect(10000000, 10000000, -10000000, -10000000);
    return PlaceBox(composed, static_cast<float>(texture_->GetWidth()), static_cast<float>(texture_->GetHeight()));
}

TRect TSprite::PlaceBox(const TSpriteState& s, float w, float h) {
    if (s.flags & TSpriteState::kUseSourceRect) {
        w = static_cast<float>(s.sourceRect.Width());
        h = static_cast<float>(s.sourceRect.Height());
    }
    TVec2 o = (s.flags & TSpriteState::kUseAnchor) ? -s.anchor : TVec2(-w * 0.5f, -h * 0.5f);
    const TVec2 corners[4] = {o, o + TVec2(w, 0), o + TVec2(0, h), o + TVec2(w, h)};
    TVec2 first = s.transform.Transform(corners[0]);
    float left = first.x, top = first.y, right = first.x, bottom = first.y;
    for (const TVec2& corner : corners) {
        TVec2 p = s.transform.Transform(corner);
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    return TRect(Round(left), Round(top), Round(right), Round(bottom));
}

bool TSprite::HitTest(const TPoint& point, const TSpriteState& parent, int threshold, int depth) {
    if (!texture_ && !IsEnabled("hittestchildren")) return false;
    if (!visible_) return false;
    if (!GetRect(parent, depth).Contains(point.x, point.y)) return false;
    if (threshold < 0) return true;
    return PixelHit(point, parent, threshold, depth);
}

// Draws the subtree so that the point lands on pixel (1, 1) of a coverage pass and reads its alpha.
bool TSprite::PixelHit(const TPoint& point, const TSpriteState& parent, int threshold, int depth) {
    std::shared_ptr<TTexture>& hitTarget = GetGraphicsState().hitTarget;
    if (!hitTarget) hitTarget = TTexture::CreateRenderTarget(4, 4, true);
    TRenderer* renderer = TRenderer::Get();
    if (!hitTarget || !renderer->BeginRenderTarget(hitTarget, 4)) return false;
    const float transparent[4] = {0, 0, 0, 0};
    renderer->FillRect(TRect(1, 1, 2, 2), transparent);
    bool began = renderer->Begin2d();
    TSpriteState shifted = parent;
    shifted.transform.m[6] -= static_cast<float>(point.x - 1);
    shifted.transform.m[7] -= static_cast<float>(point.y - 1);
    Draw(shifted, depth);
    if (began) renderer->End2d();
    renderer->EndDraw();

    // The pass may have ended the last other sprite's life; keep the target until it is read.
    std::shared_ptr<TTexture> target = hitTarget;
    uint32_t* pixels;
    int pitch;
    if (!target || !target->Lock(&pixels, &pitch)) return false;
    if (renderer->GetOption("16bitmode").ToInt() != 0 && threshold > 240) threshold &= ~15;
    int alpha = static_cast<int>(pixels[pitch + 1] >> 24);
    target->Unlock();
    return alpha >= threshold;
}
