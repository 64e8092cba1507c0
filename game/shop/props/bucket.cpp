#include "game/shop/props/bucket.h"

#include "game/shop/objects/game_scene.h"

namespace {

constexpr char kStandTexture[] = "anim/bucket/bucket_stand";
constexpr char kEatTexture[] = "anim/bucket/bucket_eat";
constexpr char kEatSound[] = "audio/sfx/piranha_trash";
const TVec2 kShadowOffset{13.0f, -13.0f};
constexpr float kShadowScale = 0.7f;

}  // namespace

clsBucket::clsBucket(iGameScene* owner) : clsActor(owner) {
    AddShadow(kShadowOffset.x, kShadowOffset.y, kShadowScale);
    RefreshAnimation();
}

void clsBucket::RefreshAnimation() {
    ShowAnimation(kStandTexture, "DoAnim", kStanding);
}

void clsBucket::OnMoveEnded() {
    if (GetState() == kEating) RefreshAnimation();
}

void clsBucket::PlayEat() {
    PlaySound(kEatSound);
    ShowAnimation(kEatTexture, "DoAnim", kEating);
}

void PreloadBucketAnims(iGameAssets& assets) {
    clsActor::PreloadShadow(assets);
    assets.AddPreloadAnim(kStandTexture);
    assets.AddPreloadAnim(kEatTexture);
    assets.AddPreloadSound(kEatSound);
}
