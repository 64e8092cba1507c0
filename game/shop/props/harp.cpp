#include "game/shop/props/harp.h"

#include "game/data/game_tables.h"
#include "game/shop/objects/game_scene.h"

namespace {

constexpr const char* kStandTextures[] = {"anim/harp/harp_stand01", "anim/harp/harp_stand02",
                                          "anim/harp/harp_stand03"};
constexpr const char* kDanceTextures[] = {"anim/harp/harp_dance01", "anim/harp/harp_dance02",
                                          "anim/harp/harp_dance03"};
constexpr char kTuneSound[] = "audio/sfx/magic_harp";
const TVec2 kShadowOffset{0.0f, 31.0f};
constexpr float kShadowScale = 0.7f;
const TVec2 kClockOffset{3.0f, 5.0f};
constexpr float kIdleAfterSeconds = clsHarp::kTuneSeconds + clsHarp::kRestSeconds;

}  // namespace

clsHarp::clsHarp(iGameScene* owner, int level) : clsActor(owner), level_(KnownUpgradeLevel(level)), clock_(owner) {
    AddShadow(kShadowOffset.x, kShadowOffset.y, kShadowScale);
    RefreshAnimation();
    clock_.GetSprite().AttachTo(GetBody(), kClockOffset.x, kClockOffset.y);
}

void clsHarp::RefreshAnimation() {
    if (tunePlaying_ && GetOwner()) GetOwner()->GetAssets().StopSound(kTuneSound);
    tunePlaying_ = false;
    ShowAnimation(kStandTextures[level_ - 1], "DoAnim", kStanding);
}

bool clsHarp::Play() {
    if (playing_ || !IsIdle()) return false;
    PlaySound(kTuneSound);
    tunePlaying_ = true;
    ShowAnimation(kDanceTextures[level_ - 1], "DoAnim", kDancing);
    playSeconds_ = 0.0f;
    playing_ = true;
    return true;
}

void clsHarp::Update(float dt) {
    clsActor::Update(dt);
    clock_.Update(dt);
    if (playSeconds_ >= 0.0f) playSeconds_ += dt;
    if (playSeconds_ >= kTuneSeconds && playing_) {
        RefreshAnimation();
        playing_ = false;
        clock_.Start(kRestSeconds);
    }
    if (playSeconds_ >= kIdleAfterSeconds) playSeconds_ = -1.0f;
}

void clsHarp::Draw() {
    clsActor::Draw();
    clock_.Draw();
}

float clsHarp::GetEffectValue() const {
    return GetGameTables().AddonParameter(kHarpAddon, level_);
}

void clsHarp::PauseTune(bool pause) {
    if (tunePlaying_ && GetOwner()) GetOwner()->GetAssets().PauseSound(kTuneSound, pause);
}

void PreloadHarpAnims(iGameAssets& assets) {
    clsActor::PreloadShadow(assets);
    for (const char* name : kStandTextures) assets.AddPreloadAnim(name);
    for (const char* name : kDanceTextures) assets.AddPreloadAnim(name);
    assets.AddPreloadSound(kTuneSound);
}
