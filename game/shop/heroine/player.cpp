#include "game/shop/heroine/player.h"

#include <algorithm>

#include "engine/core/base/log.h"
#include "engine/graphics/renderer.h"
#include "engine/graphics/sprite.h"
#include "game/data/game_manager.h"
#include "game/data/game_tables.h"
#include "game/shop/items/artifact.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/particles/particle_fx.h"
#include "game/shop/scene/game_random.h"

namespace {

const char kStand[] = "anim/tessa/tessa_stand";
const char kStandCarrying[] = "anim/tessa/tessa_stand_item";
const char* const kIdleVariations[] = {"anim/tessa/tessa_stand_02", "anim/tessa/tessa_stand_03"};
// By Facing.
const char* const kWalks[] = {"anim/tessa/tessa_walk_right", "anim/tessa/tessa_walk_front",
                              "anim/tessa/tessa_walk_left", "anim/tessa/tessa_walk_back"};
const char* const kCarryingWalks[] = {"anim/tessa/tessa_bringitem_right", "anim/tessa/tessa_bringitem_front",
                                      "anim/tessa/tessa_bringitem_left", "anim/tessa/tessa_bringitem_back"};
const char kTakeItem[] = "anim/tessa/tessa_take_item";
const char kThrow[] = "anim/tessa/tessa_throw";
const char kFire[] = "anim/tessa/tessa_fire";
const char* const kWins[] = {"anim/tessa/tessa_win_01", "anim/tessa/tessa_win_02"};
const char* const kLosses[] = {"anim/tessa/tessa_lose_01", "anim/tessa/tessa_lose_02"};
const char kActivated[] = "anim/tessa/tessa_activated";

// Where the first carried item sits on her body, by Facing, and while she stands.
const TVec2 kCarryAnchors[] = {{-5, -25}, {-25, -25}, {-25, -45}, {35, -45}};
const TVec2 kStandingCarryAnchor{-25, -25};
const TVec2 kShadowOffset{0, 60};
constexpr float kShadowScale = 0.7f;

constexpr int kShoesAddon = 1;  // the add-on record whose parameter is the speed factor
constexpr int kIdleDelayMinSeconds = 5;
constexpr int kIdleDelaySpreadSeconds = 11;  // 5 to 15 whole seconds

// One of two pictures with equal chance.
const char* EitherOf(const char* const (&pictures)[2]) {
    return pictures[GameRandom() % 2];
}

float DrawIdleDelay() {
    return static_cast<float>(kIdleDelayMinSeconds + static_cast<int>(GameRandom() % kIdleDelaySpreadSeconds));
}

// The shoes level of the player's current saved level; 1 without a player.
int CurrentShoesLevel() {
    GameManager* manager = GameManager::Get();
    UserRecord* record = manager ? manager->GetUserRecord() : nullptr;
    if (!record || record->selectedLevel < 0 || record->selectedLevel >= static_cast<int>(record->savedLevels.size()))
        return 1;
    return record->savedLevels[static_cast<size_t>(record->selectedLevel)].shoesLevel;
}

// The shoes' speed factor times the configured speed; levels below 2 count as 1.
float WalkingSpeed(int shoesLevel) {
    const GameTables& tables = GetGameTables();
    size_t index = static_cast<size_t>(std::max(shoesLevel, 1) - 1);
    if (tables.addons.size() <= kShoesAddon || tables.addons[kShoesAddon].paramPerLevel.size() <= index) {
        LogPrintf("[WARN] No speed factor for shoes level %d: she walks at the plain speed", shoesLevel);
        return tables.playerSpeed;
    }
    return tables.addons[kShoesAddon].paramPerLevel[index] * tables.playerSpeed;
}

}  // namespace

clsPlayer::clsPlayer(iGameScene* owner) : clsPlayer(owner, CurrentShoesLevel()) {}

clsPlayer::clsPlayer(iGameScene* owner, int shoesLevel)
    : clsActor(owner), idleDelaySeconds_(DrawIdleDelay()), carryAnchor_(kStandingCarryAnchor) {
    SetSpeed(WalkingSpeed(shoesLevel));
    AddShadow(kShadowOffset.x, kShadowOffset.y, kShadowScale);
    CreateInvocationEffect();
    CreateShoesEffect(shoesLevel);
}

clsPlayer::~clsPlayer() {
    ClearCarried();
    GetOwner()->GetAssets().StopSound(kArtifactSound);
}

void clsPlayer::PlayOnBody(const char* texture, const char* action) {
    GetBody()->SetTexture(GetBody()->GetSceneTexture(texture));
    GetBody()->Play(action);
}

bool clsPlayer::WalkTo(TVec2 point) {
    TVec2 from = GetPosition();
    if (!clsActor::WalkTo(point)) return false;
    PlayWalk(WalkAngle(from, point));
    return true;
}

void clsPlayer::PlayWalk(float degrees) {
    Facing facing = FacingOfAngle(degrees);
    int way = static_cast<int>(facing);
    const char* walk = carried_.empty() ? kWalks[way] : kCarryingWalks[way];
    SetCarryAnchor(kCarryAnchors[way]);
    std::shared_ptr<TTexture> texture = GetBody()->GetSceneTexture(walk);
    if (texture != GetBody()->GetFrameworkSprite()->GetTexture()) {
        GetBody()->SetTexture(texture);
        GetBody()->Play("DoAnim");
    }
    SetState(kWalking);
    SetShoesEmitting(true);
}

void clsPlayer::RefreshAnimation() {
    PlayOnBody(carried_.empty() ? kStand : kStandCarrying, "DoAnim");
    SetState(kStanding);
    SetCarryAnchor(kStandingCarryAnchor);
    SetShoesEmitting(false);
}

void clsPlayer::SetCarryAnchor(const TVec2& anchor) {
    if (anchor == carryAnchor_) return;
    carryAnchor_ = anchor;
    if (!carried_.empty()) LayOutCarried();
}

void clsPlayer::OnMoveEnded() {
    switch (GetState()) {
        case kStanding:
            if (!idleVariationPlaying_) return;
            RefreshAnimation();
            idleVariationPlaying_ = false;
            return;
        case kActivationStart:
            GetBody()->Play("Loop");
            SetState(kActivationLoop);
            activationSecondsLeft_ = GetGameTables().timeActivateArtifact;
            return;
        case kActivationEnd:
            invocationEffect_->SetVisible(false);
            GetOwner()->GetAssets().StopSound(kArtifactSound);
            artifactSoundPlaying_ = false;
            if (clsArtifact* artifact = actionTarget_ ? actionTarget_->AsArtifact() : nullptr)
                artifact->SetGlowVisible(false);
            return;
        default:
            return;
    }
}

void clsPlayer::Update(float dt) {
    clsActor::Update(dt);
    for (auto item = carried_.rbegin(); item != carried_.rend(); ++item) item->item->Update(dt);
    for (auto effect = takeEffects_.rbegin(); effect != takeEffects_.rend(); ++effect) (*effect)->Update(dt);
    UpdateIdle(dt);
    UpdateActivation(dt);
    int ms = static_cast<int>(dt * 1000.0f);
    invocationEffect_->Update(ms);
    if (shoesEffect_) {
        if (GetState() == kWalking) PlaceShoesEffect();
        shoesEffect_->Update(ms);
    }
}

// While she stands a random idle animation plays now and then; any other state holds the timer.
void clsPlayer::UpdateIdle(float dt) {
    if (GetState() != kStanding) {
        idleSeconds_ = 0.0f;
        return;
    }
    idleSeconds_ += dt;
    if (idleSeconds_ < idleDelaySeconds_) return;
    PlayIdleVariation();
    idleSeconds_ = 0.0f;
    idleDelaySeconds_ = DrawIdleDelay();
}

void clsPlayer::PlayIdleVariation() {
    if (!idleVariationsEnabled_ || !carried_.empty()) return;
    PlayOnBody(EitherOf(kIdleVariations), "DoAnim");
    idleVariationPlaying_ = true;
}

void clsPlayer::UpdateActivation(float dt) {
    if (GetState() != kActivationLoop) return;
    activationSecondsLeft_ -= dt;
    if (activationSecondsLeft_ > 0.0f) return;
    GetBody()->Play("End");
    activationSecondsLeft_ = 0.0f;
    SetState(kActivationEnd);
}

void clsPlayer::Draw() {
    if (shoesEffect_) shoesEffect_->Draw();
    clsActor::Draw();
    TRenderer* renderer = TRenderer::Get();
    renderer->SetBlendMode(BlendAdditive);
    for (auto effect = takeEffects_.rbegin(); effect != takeEffects_.rend(); ++effect) (*effect)->Draw();
    renderer->SetBlendMode(BlendAlpha);
    for (auto item = carried_.rbegin(); item != carried_.rend(); ++item) item->item->Draw();
    invocationEffect_->Draw();
}

void clsPlayer::PlayTakeItem() {
    PlayOnBody(kTakeItem, "DoAnim");
    SetState(kTakingItem);
}

void clsPlayer::PlayThrow(clsBasicObject* cauldron) {
    PlayOnBody(kThrow, "ThrowObject");
    actionTarget_ = cauldron;
    SetState(kThrowing);
}

void clsPlayer::PlayThrowEnd() {
    PlayOnBody(kThrow, "ThrowObject2");
    SetState(kThrowingEnd);
}

void clsPlayer::PlayFireStart(clsBasicObject* cauldron) {
    PlayOnBody(kFire, "FireStart");
    actionTarget_ = cauldron;
    SetState(kFiring);
}

void clsPlayer::PlayFireEnd() {
    PlayOnBody(kFire, "FireEnd");
    SetState(kFiringEnd);
}

void clsPlayer::PlayWin() {
    PlayOnBody(EitherOf(kWins), "DoAnim");
    SetState(kWinning);
}

void clsPlayer::PlayLose() {
    PlayOnBody(EitherOf(kLosses), "DoAnim");
    SetState(kLosing);
}

void clsPlayer::PlayActivated(clsArtifact* artifact) {
    PlayOnBody(kActivated, "Start");
    actionTarget_ = artifact;
    SetState(kActivationStart);
    StartInvocationEffect();
    if (artifact) artifact->SetGlowVisible(true);
    SetShoesEmitting(false);
}

void clsPlayer::PauseArtifactSound(bool pause) {
    if (artifactSoundPlaying_) GetOwner()->GetAssets().PauseSound(kArtifactSound, pause);
}

void PreloadPlayerAnims(iGameAssets& assets) {
    const char* const pictures[] = {kStand, kIdleVariations[0], kIdleVariations[1], kStandCarrying,
                                    kWalks[0], kWalks[1], kWalks[2], kWalks[3], kWins[0], kWins[1], kLosses[0],
                                    kLosses[1], kCarryingWalks[0], kCarryingWalks[1], kCarryingWalks[2],
                                    kCarryingWalks[3], kFire, kActivated, kTakeItem, kThrow, clsPlayer::kTakeEffectTexture};
    for (const char* picture : pictures) assets.AddPreloadAnim(picture);
    assets.AddPreloadSound(clsPlayer::kArtifactSound);
}
