#include "game/shop/assistants/phoenix.h"

#include "game/data/game_tables.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/objects/game_scene.h"

namespace {

constexpr char kStandTexture[] = "anim/fenix/fenix_stand";
constexpr char kSleepTexture[] = "anim/fenix/fenix_sleep";
constexpr char kFlyingTexture[] = "anim/fenix/fenix_flying";
constexpr char kWorkSound[] = "audio/sfx/phoenix2";
constexpr int kPhoenixAddon = 2;  // the phoenix's record in the add-on table
const TVec2 kHourglassOffset{10.0f, -20.0f};

}  // namespace

clsFenix::clsFenix(iGameScene* owner, int level)
    : clsActor(owner),
      restSeconds_(GetGameTables().AddonParameter(kPhoenixAddon, KnownUpgradeLevel(level))),
      hourglass_(owner) {
    RefreshAnimation();
    hourglass_.GetSprite().AttachTo(GetBody(), kHourglassOffset.x, kHourglassOffset.y);
}

clsFenix::~clsFenix() {
    DestroyHeldIngredient();
}

void clsFenix::RefreshAnimation() {
    ShowAnimation(kStandTexture, "stand", kStanding);
}

void clsFenix::Activate() {
    PlaySound(kWorkSound);
    ShowAnimation(kStandTexture, "standAnimated", kWorking);
    mode_ = kResting;
    hourglass_.Start(restSeconds_);
}

void clsFenix::TakeHeldIngredient() {
    DestroyHeldIngredient();
    if (mode_ == kHolding) mode_ = kReady;
}

void clsFenix::DestroyHeldIngredient() {
    if (heldIngredient_) heldIngredient_->Destroy();
    heldIngredient_ = nullptr;
}

void clsFenix::OnMoveEnded() {
    if (GetState() == kFlying) {
        RefreshAnimation();
        productionCount_ = 0;
        mode_ = heldIngredient_ ? kHolding : kReady;
    } else if (GetState() == kWorking) {
        RefreshAnimation();
    }
}

void clsFenix::Update(float dt) {
    clsActor::Update(dt);
    if (heldIngredient_) heldIngredient_->Update(dt);
    hourglass_.Update(dt);
    const GameTables& tables = GetGameTables();
    if (mode_ == kResting) {
        restTimerSeconds_ += dt;
        if (restTimerSeconds_ < restSeconds_) return;
        restTimerSeconds_ = 0.0f;
        ProduceIngredient();
        if (productionCount_ >= tables.maxConsecutives) {
            ShowAnimation(kSleepTexture, "DoAnim", kSleeping);
            mode_ = kAsleep;
        } else {
            mode_ = kHolding;
        }
    } else if (mode_ == kAsleep) {
        sleepTimerSeconds_ += dt;
        if (sleepTimerSeconds_ < tables.restSecs) return;
        sleepTimerSeconds_ = 0.0f;
        ShowAnimation(kFlyingTexture, "DoAnim", kFlying);
    }
}

void clsFenix::ProduceIngredient() {
    DestroyHeldIngredient();
    heldIngredient_ = new clsIngredientGraph(GetOwner(), kIngredientId, clsIngredientGraph::kScroll);
    if (clsSprite* icon = heldIngredient_->GetIcon()) icon->SetPositionV(GetPosition() + kIngredientOffset);
    ++productionCount_;
}

void clsFenix::Draw() {
    clsActor::Draw();
    if (heldIngredient_) heldIngredient_->Draw();
    hourglass_.Draw();
}

void PreloadFenixAnims(iGameAssets& assets) {
    assets.AddPreloadAnim(kStandTexture);
    assets.AddPreloadAnim(kSleepTexture);
    assets.AddPreloadAnim(kFlyingTexture);
    assets.AddPreloadSound(kWorkSound);
}
