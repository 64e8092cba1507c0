#include "game/modes/bazaar/price_tag.h"

#include "engine/graphics/sprite_state.h"
#include "engine/graphics/text_sprite.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/objects/scene_sprite.h"

namespace {

constexpr char kTagPicture[] = "anim/bazaar/shop_price";
constexpr int kTextWidth = 60, kTextHeight = 50;
constexpr int kTextFlags = 0x14;
constexpr int kTextSize = 20;
constexpr float kTextColor[4] = {0.278f, 0.012f, 0.059f, 1.0f};
// Where the text box's anchor (its left edge, half way down) stands from the tag's centre: the cost
// stands right of the tag's "$", in the middle of its height.
const TVec2 kTextOffset{-8.0f, 0.0f};

}  // namespace

BazaarPriceTag::BazaarPriceTag(iGameScene* owner, const TVec2& position, clsAddon* addon)
    : label_(TTextSprite::Create(kTextWidth, kTextHeight, kTextFlags, ScriptTextFont().CStr(), kTextSize, kTextColor,
                                 0)),
      background_(std::make_unique<clsSprite>(owner)),
      addon_(addon) {
    background_->SetTexture(background_->GetSceneTexture(kTagPicture));
    SetPosition(position);
}

BazaarPriceTag::~BazaarPriceTag() = default;

void BazaarPriceTag::SetPosition(const TVec2& position) {
    position_ = position;
    background_->SetPositionV(position);
    background_->Update(0.0f);
    TSpriteState& state = label_->GetState();
    state.transform = TMat3();
    state.transform.m[6] = position.x + kTextOffset.x;
    state.transform.m[7] = position.y + kTextOffset.y;
}

void BazaarPriceTag::SetText(const TString& text) {
    text_ = text;
    static_cast<TTextSprite&>(*label_).SetText(text);
}

void BazaarPriceTag::Draw() {
    background_->Draw();
    label_->Draw(TSpriteState(), -1);
}
