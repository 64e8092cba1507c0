#include "game/shop/cauldron/combo_display.h"

#include "engine/graphics/text_sprite.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/items/potion_graph.h"

namespace {

const float kTextColor[4] = {0.278f, 0.012f, 0.059f, 1.0f};
constexpr int kTextBoxSize = 30;
constexpr int kCentredVertically = 4;
constexpr int kCentred = 5;
constexpr int kLabelTextSize = 16;
constexpr int kCountTextSize = 28;

// Where the parts stand from the display's position.
const TVec2 kLabelOffset{11, 2};
const TVec2 kCountOffset{25, 0};
const TVec2 kPotionOffset{-17, 0};

std::shared_ptr<TTextSprite> MakeText(int flags, int size, const TString& font, const TVec2& at) {
    auto text = std::static_pointer_cast<TTextSprite>(
        TTextSprite::Create(kTextBoxSize, kTextBoxSize, flags, font.CStr(), size, kTextColor, 0));
    text->GetState().transform.m[6] = at.x;
    text->GetState().transform.m[7] = at.y;
    return text;
}

}  // namespace

clsComboDisplay::clsComboDisplay(iGameScene* owner, const TVec2& position)
    : owner_(owner), background_(std::make_unique<clsSprite>(owner)), position_(position) {
    background_->SetTexture(background_->GetSceneTexture(kBackgroundTexture));
    background_->SetPositionV(position);
    TString font = ScriptTextFont();
    label_ = MakeText(kCentredVertically, kLabelTextSize, font, position + kLabelOffset);
    count_ = MakeText(kCentred, kCountTextSize, font, position + kCountOffset);
    label_->SetText("x");
    count_->SetText("5");
}

clsComboDisplay::~clsComboDisplay() = default;

void clsComboDisplay::ShowCount(int count, bool atLimit) {
    label_->SetText(atLimit ? "max" : "x");
    count_->SetText(atLimit ? TString() : TString::Format("%d", count));
}

void clsComboDisplay::SetPotion(int potionId) {
    potion_ = std::make_unique<clsPotionGraph>(owner_, potionId, true);
    potion_->GetSprite()->SetPositionV(position_ + kPotionOffset);
}

void clsComboDisplay::Update(float dt) {
    background_->Update(dt);
    if (potion_) potion_->Update(dt);
}

void clsComboDisplay::Draw() {
    if (!visible_) return;
    background_->Draw();
    if (potion_) potion_->Draw();
    label_->Draw(TSpriteState(), -1);
    count_->Draw(TSpriteState(), -1);
}

TString clsComboDisplay::GetLabelText() const {
    return label_->GetBlock().GetText();
}

TString clsComboDisplay::GetCountText() const {
    return count_->GetBlock().GetText();
}
