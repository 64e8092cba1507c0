#include "game/shop/props/magic_book_paper.h"

#include <cmath>

#include "engine/graphics/animated_sprite.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/props/additive_draw.h"

namespace {

constexpr char kStarsTexture[] = "effects/stars_stand";
constexpr char kPaperTexture[] = "gui/magicbook/anim_gui_paper";
const TVec2 kPaperStart{610.0f, -1.0f};
// Where the paper lands, from the target's position.
const TVec2 kPaperLanding{-70.0f, -150.0f};
const TVec2 kPotionOffset{49.0f, 109.5f};
// The hit rectangle from the panel's position.
constexpr int kHitLeft = 55, kHitTop = 5, kHitWidth = 108, kHitHeight = 130;
// The paper's frame at which the chosen potion leaves the panel.
constexpr int kPotionLeavesFrame = 3;

}  // namespace

clsMagicBookPaper::clsMagicBookPaper(iGameScene* owner, float x, float y)
    : stars_(std::make_unique<clsAnimatedSprite>(owner)),
      potion_(new clsPotionGraph(owner, clsPotionGraph::kNoPotion, false)),
      paper_(std::make_unique<clsAnimatedSprite>(owner)) {
    stars_->SetTexture(stars_->GetSceneTexture(kStarsTexture));
    stars_->SetVisible(false);
    paper_->SetTexture(paper_->GetSceneTexture(kPaperTexture));
    paper_->SetPositionV(kPaperStart);
    paper_->SetVisible(false);
    if (clsAnimatedSprite* sprite = potion_->GetSprite()) sprite->SetVisible(false);  // nothing chosen yet
    SetPosition(x, y);
    int32_t left = static_cast<int32_t>(std::trunc(x)) + kHitLeft, top = static_cast<int32_t>(std::trunc(y)) + kHitTop;
    hitRect_ = TRect(left, top, left + kHitWidth, top + kHitHeight);
}

clsMagicBookPaper::~clsMagicBookPaper() {
    potion_->Destroy();
}

void clsMagicBookPaper::SetPosition(float x, float y) {
    position_ = TVec2(x, y);
    if (clsAnimatedSprite* sprite = potion_->GetSprite()) sprite->SetPositionV(position_ + kPotionOffset);
}

bool clsMagicBookPaper::HitTest(TPoint point) const {
    return hitRect_.Contains(point);
}

void clsMagicBookPaper::PrepareStars() {
    if (starsState_ == kStarsDelivered) starsState_ = kStarsHidden;
}

void clsMagicBookPaper::HideStars() {
    stars_->GetAnimation().StopScript();
    stars_->SetVisible(false);
    starsState_ = kStarsHidden;
}

void clsMagicBookPaper::SelectPotion(int n) {
    if (n < 0) return;
    if (starsState_ == kStarsShown) HideStars();
    clsAnimatedSprite* sprite = potion_->GetSprite();
    if (potion_->GetPotionId() == n) {
        if (sprite) sprite->SetVisible(true);
        return;
    }
    bool shown = potion_->SetPotionIfChanged(n);
    if (sprite) sprite->SetVisible(shown);
}

void clsMagicBookPaper::SetOpen(bool open) {
    if (open && starsState_ == kStarsHidden) {
        if (clsAnimatedSprite* sprite = potion_->GetSprite()) stars_->AttachTo(sprite, 0.0f, 0.0f);
        stars_->Play("DoAnim");
        stars_->SetVisible(true);
        starsState_ = kStarsShown;
    } else if (!open && starsState_ == kStarsShown) {
        HideStars();
    }
}

void clsMagicBookPaper::SendToTarget(clsObjectGraph* target) {
    clsAnimatedSprite* sprite = potion_->GetSprite();
    if (!target || target->IsReleased() || !sprite || !sprite->IsVisible()) return;
    paper_->SetPositionV(kPaperStart);
    paper_->SetVisible(true);
    paper_->Play("DoAnim");
    target_ = target;
    orderedPotion_ = potion_->GetPotionId();
}

bool clsMagicBookPaper::OnAnimationEnded(clsAnimatedSprite* sprite) {
    if (sprite != paper_.get()) return false;
    paper_->MoveToObject(target_, kPaperSpeed, kPaperLanding.x, kPaperLanding.y);
    target_ = nullptr;
    return true;
}

void clsMagicBookPaper::HidePaper(clsObjectGraph* sprite) {
    if (sprite == paper_.get()) paper_->SetVisible(false);
}

void clsMagicBookPaper::Update(float dt) {
    stars_->Update(dt);
    potion_->Update(dt);
    paper_->Update(dt);
    TAnimatedSprite& paper = paper_->GetAnimation();
    if (!target_ || !paper.IsPlaying(-1) || paper.GetCurrentFrame() != kPotionLeavesFrame) return;
    if (starsState_ == kStarsShown) HideStars();
    starsState_ = kStarsDelivered;
    if (clsAnimatedSprite* potionSprite = potion_->GetSprite()) potionSprite->SetVisible(false);
}

void clsMagicBookPaper::Draw() {
    paper_->Draw();
    DrawAdditive(*stars_);
    potion_->Draw();
}

void PreloadMagicBookAnims(iGameAssets& assets) {
    assets.AddPreloadAnim(kPaperTexture);
}
