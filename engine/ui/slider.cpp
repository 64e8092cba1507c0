#include "engine/ui/slider.h"

#include <algorithm>
#include <cstdlib>

#include "engine/graphics/renderer.h"
#include "engine/graphics/texture.h"
#include "engine/ui/image.h"
#include "engine/ui/message.h"
#include "engine/ui/vertex_batch.h"
#include "engine/ui/widget_style.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_style.h"

namespace {

int32_t Scaled(int texels, float scale) {
    return static_cast<int32_t>(texels * scale);
}

}  // namespace

TSlider::TSlider() : thumb_(new TImage()) {}

TSlider::~TSlider() {
    if (thumb_->GetParent() != this) delete thumb_;
}

TWindow* TSlider::Create() {
    return new TSlider();
}

TClassId TSlider::ClassId() {
    return reinterpret_cast<TClassId>(&TSlider::Create);
}

void TSlider::Init(TWindowStyle& style) {
    TWindow::Init(style);
    if (initialised_) return;
    initialised_ = true;

    // A present "hslider" decides (as a boolean); without it the longer side does.
    bool hasOrientation = style.GetNumber("hslider", -1) >= 0;
    horizontal_ = hasOrientation ? style.GetBool("hslider", false) : style.GetNumber("w", 0) > style.GetNumber("h", 0);
    std::shared_ptr<TTexture> rail[kRailPieces];
    const char* const railKeys[kRailPieces] = {"railtop", "railmid", "railbot"};
    TString thumbName = style.GetString("sliderimage", TString());
    TString rollOverName = style.GetString("sliderrollimage", TString());
    SetName(style.GetString("name", TString()).CStr());
    scale_ = ReadScale(style);
    crossOffset_ = style.GetInt("yoffset", 0);
    SetValue(static_cast<float>(style.GetNumber("value", 0)), true);

    for (int piece = 0; piece < kRailPieces; ++piece) {
        TString name = style.GetString(railKeys[piece], TString());
        if (!name.IsEmpty()) rail[piece] = TTexture::Get(name);
    }
    SetRailTextures(rail);
    SetThumbTextures(thumbName.IsEmpty() ? nullptr : TTexture::Get(thumbName),
                     rollOverName.IsEmpty() ? nullptr : TTexture::Get(rollOverName));
    PlaceThumb();
}

void TSlider::SetRailTextures(const std::shared_ptr<TTexture> rail[kRailPieces]) {
    std::copy(rail, rail + kRailPieces, railTextures_);
    UpdateSize();
}

void TSlider::SetThumbTextures(const std::shared_ptr<TTexture>& normal, const std::shared_ptr<TTexture>& rollOver) {
    thumbTextures_[0] = normal;
    thumbTextures_[1] = rollOver;
    thumb_->SetTexture(normal, scale_);
    if (thumb_->GetParent() != this) AddChild(thumb_, true);
    UpdateSize();
}

void TSlider::UpdateSize() {
    int32_t thickness = 0;
    for (const auto& texture : railTextures_) {
        if (texture) thickness = std::max(thickness, Scaled(texture->GetWidth(), scale_));
    }
    int32_t thumbAcross = horizontal_ ? thumb_->GetHeight() : thumb_->GetWidth();
    thickness_ = std::max(thickness, std::abs(crossOffset_) + thumbAcross);
    if (horizontal_) {
        SetSize(GetWidth(), thickness_);
    } else {
        SetSize(thickness_, GetHeight());
    }
}

void TSlider::PlaceThumb() {
    if (horizontal_) {
        thumb_->MoveTo(static_cast<int32_t>((GetWidth() - thumb_->GetWidth()) * value_), crossOffset_);
    } else {
        thumb_->MoveTo(crossOffset_, static_cast<int32_t>((GetHeight() - thumb_->GetHeight()) * value_));
    }
}

void TSlider::SetValue(float value, bool silent) {
    // Written so that NaN also ends at 0.
    value_ = value > 1.0f ? 1.0f : (value >= 0.0f ? value : 0.0f);
    PlaceThumb();
    if (!silent) TellParent(kSliderValChanged);
}

void TSlider::TellParent(int messageType) {
    if (TWindow* parent = GetParent()) parent->SendMessage(new TMessage(messageType, GetName()));
}

void TSlider::SetCapture(bool on) {
    TWindowManager* manager = TWindowManager::Get();
    if (!manager) return;
    if (on) {
        manager->CaptureMouse(this);
    } else {
        manager->ReleaseMouse(this);
    }
}

bool TSlider::IsOnThumb(TPoint point) const {
    return thumb_->GetRect().Contains(point.x, point.y);
}

void TSlider::ShowThumb(bool rollOver) {
    const std::shared_ptr<TTexture>& wanted = rollOver && thumbTextures_[1] ? thumbTextures_[1] : thumbTextures_[0];
    if (thumb_->GetTexture() != wanted) thumb_->SetTexture(wanted, scale_);
}

bool TSlider::OnMouseDown(TPoint point) {
    if (IsOnThumb(point)) {
        dragging_ = true;
        SetCapture(true);
        return true;
    }
    const TRect& thumb = thumb_->GetRect();
    bool beforeThumb = horizontal_ ? point.x < thumb.left : point.y < thumb.top;
    TellParent(beforeThumb ? kSliderPageUp : kSliderPageDown);
    return true;
}

bool TSlider::OnMouseMove(TPoint point) {
    ShowThumb(IsOnThumb(point) || dragging_);
    bool outside = !GetClientRect().Contains(point.x, point.y);
    if (outside && !dragging_) {
        SetCapture(false);
        ShowThumb(false);
    } else {
        SetCapture(true);
    }
    if (!dragging_) return false;
    // A slider without length has no position to take the value from.
    int32_t length = horizontal_ ? GetWidth() : GetHeight();
    if (length <= 0) return true;
    float along = static_cast<float>(horizontal_ ? point.x : point.y);
    SetValue(along / static_cast<float>(length), false);
    return true;
}

bool TSlider::OnMouseUp(TPoint point) {
    if (!dragging_) return false;
    dragging_ = false;
    ShowThumb(IsOnThumb(point));
    if (!GetClientRect().Contains(point.x, point.y)) {
        SetCapture(false);
        ShowThumb(false);
    }
    TellParent(kSliderMouseUp);
    return true;
}

bool TSlider::OnMouseLeave() {
    if (dragging_) return true;
    ShowThumb(false);
    SetCapture(false);
    return true;
}

void TSlider::Draw() {
    TRenderer* renderer = TRenderer::Get();
    bool entered = renderer->Begin2d();
    renderer->SetBlendMode(BlendAlpha);
    renderer->SetCullMode(CullNone);
    const auto& top = railTextures_[kRailTop];
    const auto& middle = railTextures_[kRailMiddle];
    const auto& bottom = railTextures_[kRailBottom];
    int32_t length = horizontal_ ? GetWidth() : GetHeight();
    int32_t topLength = top ? Scaled(top->GetHeight(), scale_) : 0;
    int32_t bottomLength = bottom ? Scaled(bottom->GetHeight(), scale_) : 0;
    int32_t middleLength = std::max(0, length - topLength - bottomLength);
    if (top) DrawRailPiece(top, 0, topLength);
    if (middle) DrawRailPiece(middle, topLength, middleLength);
    if (bottom) DrawRailPiece(bottom, topLength + middleLength, bottomLength);
    if (entered) renderer->End2d();
}

// One piece as two triangles; the texture's width runs across the slider, its height along it.
void TSlider::DrawRailPiece(const std::shared_ptr<TTexture>& texture, int along, int length) {
    const TTextureData& data = texture->GetTextureData();
    if (data.width == 0 || data.height == 0 || length <= 0) return;
    int32_t width = Scaled(texture->GetWidth(), scale_);
    float across0 = static_cast<float>((thickness_ - width) / 2);
    float across1 = across0 + static_cast<float>(width);
    float along0 = static_cast<float>(along);
    float along1 = along0 + static_cast<float>(length);
    // Corners in the order of the texture's (left, top), (right, top), (right, bottom), (left, bottom).
    TVec2 corners[4];
    if (horizontal_) {
        corners[0] = TVec2(along0, across0), corners[1] = TVec2(along0, across1);
        corners[2] = TVec2(along1, across1), corners[3] = TVec2(along1, across0);
    } else {
        corners[0] = TVec2(across0, along0), corners[1] = TVec2(across1, along0);
        corners[2] = TVec2(across1, along1), corners[3] = TVec2(across0, along1);
    }
    TQuadUv uv;
    uv.right = static_cast<float>(data.imageWidth) / static_cast<float>(data.width);
    uv.bottom = static_cast<float>(data.imageHeight) / static_cast<float>(data.height);
    const float white[3] = {1, 1, 1};
    // 2-D coordinates count from the viewport, which stays the screen's: draw at the global place.
    TRect global = GetGlobalRect();
    TVertex quad[4];
    BuildQuadVertices(TVec2(static_cast<float>(global.left), static_cast<float>(global.top)), quad, corners, uv,
                      TMat3(), railOpacity_, white);
    TVertex triangles[6] = {quad[0], quad[1], quad[3], quad[1], quad[2], quad[3]};
    VertexBatch::Holder batch;
    VertexBatch::MakeKind2(batch, triangles, 6);
    TRenderer::Get()->SetTexture(texture);
    TRenderer::Get()->DrawVertices(PrimitiveTriangleList, batch->AsSet());
}
