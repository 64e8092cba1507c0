#include "game/modes/collapse/bottle_item.h"

#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/text_sprite.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/hud/shop_texts.h"

namespace {

constexpr const char* kPotionAnimations[kCollapseColors] = {
    "anim/collapse/anim_potion_green", "anim/collapse/anim_potion_red", "anim/collapse/anim_potion_purple",
    "anim/collapse/anim_potion_yellow"};
constexpr const char* kBottleFlashes[kCollapseColors] = {"fx/collapse/bottle/green", "fx/collapse/bottle/red",
                                                         "fx/collapse/bottle/purple", "fx/collapse/bottle/yellow"};

const TVec2 kFullOffset{0.0f, 5.0f};
const TVec2 kFlashOffset{8.0f, 10.0f};
const TVec2 kCountOffset{20.0f, 36.0f};
constexpr int kCountBoxWidth = 400;
constexpr int kCountBoxHeight = 300;
constexpr int kCountTextSize = 15;
const float kCountColor[4] = {0.31f, 0.0f, 0.07f, 1.0f};

}  // namespace

clsBottleItem::clsBottleItem(iGameScene* owner, int color, int quota, int charmIndex)
    : clsItem(owner),
      quota_(quota),
      remaining_(quota),
      charmIndex_(charmIndex),
      full_(std::make_unique<clsAnimatedSprite>(owner)),
      flash_(std::make_unique<clsAnimatedSprite>(owner)) {
    SetTypeCode(kTypeCode);
    SetColor(color);
    SetTexture(GetSceneTexture(kPotionAnimations[color]));
    GetAnimation().SetCurrentFrame(0);
    piecesPerFrame_ = quota / GetAnimation().GetFrameCount() + 1;
    full_->SetTexture(GetSceneTexture(kFullTexture));
    full_->AttachToPoint(this, kFullOffset);
    full_->SetVisible(false);
    flash_->SetTexture(GetSceneTexture(kBottleFlashes[color]));
    flash_->AttachToPoint(this, kFlashOffset);
    flash_->SetVisible(false);
    count_ = std::static_pointer_cast<TTextSprite>(TTextSprite::Create(
        kCountBoxWidth, kCountBoxHeight, 0, ScriptTextFont().CStr(), kCountTextSize, kCountColor, 0));
    count_->SetText(TString::Format("%d", quota));
}

clsBottleItem::~clsBottleItem() = default;

void clsBottleItem::AddPiece() {
    if (remaining_ == 0) return;
    if (--remaining_ == 0) {
        if (GetOwner()) GetOwner()->GetAssets().PlaySound(kCompleteSound, false);
        full_->SetVisible(true);
        full_->Play("DoAnim");
    }
    if (++pieceCounter_ == piecesPerFrame_) {
        pieceCounter_ = 0;
        GetAnimation().SetCurrentFrame(GetAnimation().GetCurrentFrame() + 1);
    }
    count_->SetText(TString::Format("%d", remaining_));
    flash_->Play("DoAnim");
    flash_->SetVisible(true);
}

void clsBottleItem::Update(float dt) {
    clsItem::Update(dt);
    full_->Update(dt);
    flash_->Update(dt);
}

void clsBottleItem::Draw() {
    clsItem::Draw();
    full_->Draw();
    flash_->Draw();
    count_->Draw(TSpriteState(), -1);
}

void clsBottleItem::SetPosition(float x, float y) {
    clsItem::SetPosition(x, y);
    count_->GetState().transform.m[6] = x + kCountOffset.x;
    count_->GetState().transform.m[7] = y + kCountOffset.y;
}

TString clsBottleItem::GetCountText() const {
    return count_->GetBlock().GetText();
}
