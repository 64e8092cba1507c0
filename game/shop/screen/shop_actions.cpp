// The heroine's errands and the finished potions waiting for her.
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/screen/shop_game.h"

namespace {

constexpr char kStarsTexture[] = "effects/stars_stand";

}  // namespace

void clsShopGame::PerformAction(clsPlayerOrder* order) {
    if (order) order->phase = clsPlayerOrder::kDone;
}

// A cauldron has finished a potion: it waits there under stars, the only one of that cauldron.
void clsShopGame::ShowStars(int potionId, clsAnimatedSprite* sprite, clsCauldron* cauldron) {
    if (!sprite) return;
    for (size_t i = pickups_.size(); i-- > 0;) {
        if (pickups_[i].cauldron != cauldron) continue;
        pickups_[i].potion->Destroy();
        pickups_[i].stars->Destroy();
        pickups_.erase(pickups_.begin() + static_cast<long>(i));
    }
    auto* stars = new clsAnimatedSprite(this);
    stars->SetTexture(stars->GetSceneTexture(kStarsTexture));
    stars->SetPositionV(sprite->GetPosition());
    stars->Play("DoAnim");
    pickups_.push_back({potionId, sprite, cauldron, stars});
}
