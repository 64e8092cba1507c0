#include "game/modes/collapse/collapse_item.h"

#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/renderer.h"

namespace {

constexpr const char* kColorAnimations[kCollapseColors] = {"animBottleGreen", "animBottleRed", "animBottleBlue",
                                                           "animBottleYellow"};
constexpr const char* kColorFlashes[kCollapseColors] = {"fx/collapse/pieces/green", "fx/collapse/pieces/red",
                                                        "fx/collapse/pieces/purple", "fx/collapse/pieces/yellow"};
// The trail's tint by colour (the purple's last byte is 0 as the effect was always tinted).
constexpr uint8_t kTrailTints[kCollapseColors][4] = {
    {0, 255, 0, 255}, {255, 96, 64, 255}, {64, 64, 255, 0}, {255, 255, 0, 255}};
// An arrow's colours, each followed by the next: green, purple, yellow, red, green.
constexpr int kNextArrowColor[kCollapseColors] = {kPurple, kGreen, kYellow, kRed};

constexpr int kTrailSegments = 1;
constexpr int kTrailLifetimeMs = 700;
constexpr float kTrailDepth = 0.2f;

// Where the two arrows of each kind sit on the piece.
const TVec2 kRowArrowOffsets[2] = {{-7.0f, -8.0f}, {8.0f, -8.0f}};
const TVec2 kColumnArrowOffsets[2] = {{0.0f, -14.0f}, {0.0f, 14.0f}};

bool IsColor(int color) { return color >= 0 && color < kCollapseColors; }

}  // namespace

clsCollapseItem::clsCollapseItem(iGameScene* owner, int kind, int color, float x, float y)
    : clsItem(owner), flash_(std::make_unique<clsAnimatedSprite>(owner)) {
    SetTypeCode(kTypeCode);
    SetTexture(GetSceneTexture(kSheet));
    SetPosition(x, y);
    flash_->AttachTo(this, 0.0f, 0.0f);
    flash_->SetVisible(false);
    SetKind(kind, color);
    state_ = kOnBoard;
    trail_ = std::make_unique<clsParticleFx>(this, kTrailEffect, kTrailSegments, TRenderer::Get());
    trail_->SetSegmentDuration(kTrailLifetimeMs);
    trail_->SetHandlers(clsParticleFx::kEnd);
    trail_->SetVisible(false);
    trail_->SetStopped(true);
    if (IsColor(GetColor())) {
        const uint8_t* tint = kTrailTints[GetColor()];
        trail_->SetColor(tint[0], tint[1], tint[2], tint[3]);
    }
}

clsCollapseItem::~clsCollapseItem() = default;

void clsCollapseItem::SetKind(int kind, int color) {
    if (kind == kind_ && color == GetColor()) return;
    animationName_ = "animBottleBlack";
    kind_ = kind;
    switch (kind) {
        case kPlain:
            SetColor(color);
            RemoveArrows();
            break;
        case kBomb:
            animationName_ = "animBottleBomb";
            break;
        case kRowArrow:
            SetColor(kRed);
            BuildArrows("toLeft", kRowArrowOffsets[0], kRowArrowOffsets[1], true, false);
            break;
        case kColumnArrow:
            SetColor(kRed);
            BuildArrows("toUp", kColumnArrowOffsets[0], kColumnArrowOffsets[1], false, true);
            break;
        default:
            break;
    }
    state_ = kKindSet;
    ShowColor();
}

void clsCollapseItem::CycleColor() {
    if (!IsColor(GetColor())) return;
    SetColor(kNextArrowColor[GetColor()]);
    ShowColor();
}

void clsCollapseItem::ShowColor() {
    if (IsColor(GetColor())) {
        animationName_ = kColorAnimations[GetColor()];
        flash_->SetTexture(GetSceneTexture(kColorFlashes[GetColor()]));
    }
    Play(animationName_);
}

void clsCollapseItem::BuildArrows(const char* action, const TVec2& first, const TVec2& second, bool flipH,
                                  bool flipV) {
    RemoveArrows();
    const TVec2 offsets[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        arrows_[i] = std::make_unique<clsAnimatedSprite>(GetOwner());
        arrows_[i]->SetTexture(GetSceneTexture(kArrowSheet));
        arrows_[i]->AttachToPoint(this, offsets[i]);
        arrows_[i]->Play(action);
    }
    arrows_[1]->SetSpriteFlags(flipH, flipV);
}

void clsCollapseItem::RemoveArrows() {
    for (auto& arrow : arrows_) arrow.reset();
}

void clsCollapseItem::Vanish(const TVec2& target) {
    state_ = kVanishing;
    Play("Vanish");
    RemoveArrows();
    flash_->Play("DoAnim");
    flash_->SetVisible(true);
    if (target.x == 0.0f && target.y == 0.0f) return;
    const TVec2& at = GetPosition();
    const float spline[12] = {at.x,           at.y,        kTrailDepth, at.x - 75.0f, at.y + 40.0f, kTrailDepth,
                              target.x + 500, at.y,        kTrailDepth, target.x,     target.y,     kTrailDepth};
    trail_->GetPath().Clear();
    trail_->AddSegment(spline);
    trail_->SetStopped(false);
    trail_->SetVisible(true);
    trail_->Play();
}

void clsCollapseItem::Update(float dt) {
    if (IsReleased()) return;
    clsItem::Update(dt);
    if (IsArrow() && selectable_) {
        arrowSeconds_ += dt;
        if (arrowSeconds_ >= kArrowCycleSeconds) {
            arrowSeconds_ = 0.0f;
            CycleColor();
        }
    }
    for (auto& arrow : arrows_)
        if (arrow) arrow->Update(dt);
    flash_->Update(dt);
    if (state_ == kVanishing && !flash_->GetAnimation().IsPlaying(-1)) state_ = kFinished;
    trail_->Update(static_cast<int>(dt * 1000.0f));
}

void clsCollapseItem::Draw() {
    clsItem::Draw();
    for (auto& arrow : arrows_)
        if (arrow) arrow->Draw();
    flash_->Draw();
    if (trail_->IsVisible()) trail_->Draw();
}

void clsCollapseItem::OnFxEnd(clsParticleFx* effect) {
    effect->SetStopped(true);
}
