#include "game/shop/cauldron/cauldron.h"

#include <algorithm>

#include "engine/core/base/log.h"
#include "engine/graphics/animated_sprite.h"
#include "engine/graphics/renderer.h"
#include "game/data/game_tables.h"
#include "game/shop/cauldron/combo_display.h"
#include "game/shop/hud/status_bar.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/objects/scene_sprite.h"

namespace {

const char kFireEffectTexture[] = "effects/fx_cauldrun_fire";
const char kBrewingOverlayTexture[] = "anim/cauldron/boil_stand";
const char kFireIconTexture[] = "anim/cauldron/anim_fire_icon";
const char kBalloonTexture[] = "anim/ballon";
const char kIngredientEffectTexture[] = "effects/fx_ingredient";
const char kBarFrameTexture[] = "anim/stats/cauldron_bar_%02d";
const char kNumbersTexture[] = "anim/numbers";
const char kLoopSound[] = "audio/sfx/cauldron_loop%d";
const char kPotionReadySound[] = "audio/sfx/cauldron_potion";
// The body's looks, after the level's prefix.
const char kStandLook[] = "stand";
const char kBoilLook[] = "boil";
const char kRequestLook[] = "request";

constexpr int kBarFrames = 11;
constexpr int kLevels = 3;
constexpr int kCauldronAddon = 0;  // the add-on record whose parameter is the boiling time
constexpr float kOverlayScale = 0.8f;
constexpr float kIngredientEffectScale = 2.0f;
constexpr float kComboStep = 0.1f;  // each combo step boils this much of the time less
constexpr float kShortestBoil = 0.1f;  // a boil never takes less than this much of the time

// From the cauldron's position.
const TVec2 kFireEffectOffset{0, 30};
const TVec2 kBrewingOverlayOffset{0, -25};
const TVec2 kBarOffset{0, 50};
const TVec2 kComboDisplayOffset{0, 83};
const TVec2 kIngredientEffectOffset{0, -20};
const TVec2 kFinishedPotionOffset{0, -60};
// From the body, and from the balloon.
const TVec2 kBalloonOffset{20, -50};
const TVec2 kFireIconOffset{0, -5};
// The bottom of the mouth (and top of the fire zone) below the position, by level: bigger pots
// reach lower.
constexpr float kMouthBottoms[kLevels] = {19, 24, 33};
// The icons in the balloon, by how many show.
const TVec2 kIconOffsets[4][4] = {
    {{0, -5}},
    {{-18, -4}, {19, -4}},
    {{-20, -18}, {26, -18}, {4, 13}},
    {{-20, -24}, {23, -24}, {-20, 13}, {23, 13}},
};

int ValidLevel(int level) {
    return level >= 1 && level <= kLevels ? level : 1;
}

// The level's boiling time in seconds from the cauldron add-on.
float BoilingSeconds(int level) {
    const std::vector<AddonRecord>& addons = GetGameTables().addons;
    size_t index = static_cast<size_t>(level - 1);
    if (addons.size() <= kCauldronAddon || addons[kCauldronAddon].paramPerLevel.size() <= index) {
        LogPrintf("[WARN] No boiling time for cauldron level %d: it boils at once", level);
        return 0.0f;
    }
    return addons[kCauldronAddon].paramPerLevel[index];
}

// The part of the boiling time a brew at that combo takes.
float BoilFactor(int comboCount) {
    return std::max(1.0f - kComboStep * static_cast<float>(comboCount), kShortestBoil);
}

const PotionRecord* FindPotionRecord(int potionId) {
    const std::vector<PotionRecord>& potions = GetGameTables().potions;
    return potionId >= 0 && potionId < static_cast<int>(potions.size()) ? &potions[static_cast<size_t>(potionId)]
                                                                        : nullptr;
}

// Truncated toward zero.
TRect Zone(float left, float top, float right, float bottom) {
    return TRect(static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                 static_cast<int32_t>(bottom));
}

}  // namespace

clsCauldron::clsCauldron(int level, iGameScene* owner, const TVec2& position)
    : clsBasicObject(owner), level_(ValidLevel(level)) {
    SetTypeCode(kCauldron);
    body_ = std::make_unique<clsAnimatedSprite>(owner);
    body_->SetHolder(this);
    fireEffect_ = std::make_unique<clsAnimatedSprite>(owner);
    fireEffect_->SetTexture(GetSceneTexture(kFireEffectTexture));
    fireEffect_->SetVisible(false);
    brewingOverlay_ = std::make_unique<clsAnimatedSprite>(owner);
    brewingOverlay_->SetTexture(GetSceneTexture(kBrewingOverlayTexture));
    brewingOverlay_->SetScale(kOverlayScale);
    brewingOverlay_->Play("DoAnim");
    brewingOverlay_->SetVisible(false);
    progressBar_ = std::make_unique<clsStatusBar>(owner, BoilingSeconds(level_));
    for (int frame = 1; frame <= kBarFrames; ++frame)
        progressBar_->AddFrame(GetSceneTexture(TString::Format(kBarFrameTexture, frame)));
    balloon_ = std::make_unique<clsAnimatedSprite>(owner);
    balloon_->SetTexture(GetSceneTexture(kBalloonTexture));
    balloon_->AttachToPoint(body_.get(), kBalloonOffset);
    balloon_->SetVisible(false);
    fireIcon_ = std::make_unique<clsAnimatedSprite>(owner);
    fireIcon_->SetTexture(GetSceneTexture(kFireIconTexture));
    fireIcon_->AttachToPoint(balloon_.get(), kFireIconOffset);
    fireIcon_->SetVisible(false);
    comboDisplay_ = std::make_unique<clsComboDisplay>(owner, position + kComboDisplayOffset);
    comboDisplay_->SetVisible(false);
    animationPrefix_ = TString::Format("anim/cauldron/cauldron_0%d_", level_);
    SetPositionV(position);
    PlayStand();
    SetLoopSound(0);
}

clsCauldron::~clsCauldron() {
    GetOwner()->GetAssets().StopSound(loopSoundName_);
    loopPlaying_ = false;
}

void clsCauldron::SetPosition(float x, float y) {
    SetPositionV(TVec2(x, y));
}

void clsCauldron::SetPositionV(const TVec2& p) {
    body_->SetPositionV(p);
    fireEffect_->SetPositionV(p + kFireEffectOffset);
    brewingOverlay_->SetPositionV(p + kBrewingOverlayOffset);
    progressBar_->GetSprite()->SetPositionV(p + kBarOffset);
    float mouthBottom = p.y + kMouthBottoms[level_ - 1];
    mouthZone_ = Zone(p.x - 40, p.y - 40, p.x + 40, mouthBottom);
    emptyZone_ = Zone(p.x + 48, p.y - 45, p.x + 60, p.y - 15);
    fireZone_ = Zone(p.x - 45, mouthBottom, p.x + 45, p.y + 70);
}

void clsCauldron::PlayOnBody(const TString& look) {
    body_->SetTexture(GetSceneTexture(animationPrefix_ + look));
    body_->Play("DoAnim");
}

void clsCauldron::PlayStand() {
    if (state_ == kIdle) return;
    PlayOnBody(kStandLook);
    state_ = kIdle;
}

void clsCauldron::PlayRequest() {
    PlayOnBody(kRequestLook);
}

void clsCauldron::StartPotion(int potionId) {
    if (state_ != kIdle) return;
    auto* effect = new clsAnimatedSprite(GetOwner());
    effect->SetTexture(GetSceneTexture(kIngredientEffectTexture));
    effect->SetPositionV(body_->GetPosition() + kIngredientEffectOffset);
    effect->SetScale(kIngredientEffectScale);
    effect->Play("DoAnim");
    GetOwner()->RegisterObject(effect);

    if (potion_)
        potion_->SetPotion(potionId);
    else
        potion_ = std::make_unique<clsPotionGraph>(GetOwner(), potionId, true);
    potion_->GetSprite()->SetVisible(false);
    potion_->GetSprite()->SetPositionV(brewingOverlay_->GetPosition());

    CountCombo(potionId);
    lastPotion_ = potionId;
    busy_ = false;
    balloon_->SetVisible(true);
    FillIngredients();
    PlayRequest();
    state_ = kRequesting;
}

// The same potion as last time counts one more up to the limit; any other starts again at 0.
void clsCauldron::CountCombo(int potionId) {
    if (potionId != lastPotion_) {
        comboCount_ = 0;
        comboDisplay_->SetVisible(false);
        return;
    }
    int limit = GetGameTables().cauldronMaxCombo;
    comboCount_ = std::min(comboCount_ + 1, limit);
    comboDisplay_->ShowCount(comboCount_, comboCount_ == limit);
    if (!comboDisplay_->IsVisible()) {
        comboDisplay_->SetVisible(true);
        comboDisplay_->SetPotion(potionId);
    }
}

// One scroll icon per ingredient of the recipe, in recipe order.
void clsCauldron::FillIngredients() {
    const PotionRecord* recipe = potion_ ? FindPotionRecord(potion_->GetPotionId()) : nullptr;
    if (recipe)
        for (int ingredient : recipe->ingredients)
            icons_.push_back(std::make_unique<clsIngredientGraph>(GetOwner(), ingredient, clsIngredientGraph::kScroll));
    ArrangeIcons();
}

// The icons still showing, placed in the balloon by their number.
void clsCauldron::ArrangeIcons() {
    std::vector<clsSprite*> showing;
    for (auto& icon : icons_)
        if (icon->GetIcon() && icon->GetIcon()->IsVisible()) showing.push_back(icon->GetIcon());
    if (showing.empty() || showing.size() > std::size(kIconOffsets)) return;
    for (size_t k = 0; k < showing.size(); ++k) {
        showing[k]->AttachToPoint(balloon_.get(), kIconOffsets[showing.size() - 1][k]);
    }
}

void clsCauldron::AddIngredient(int ingredientId, bool) {
    if (state_ != kRequesting) return;
    for (auto icon = icons_.rbegin(); icon != icons_.rend(); ++icon)
        if ((*icon)->GetIngredientId() == ingredientId && !(*icon)->IsMarked()) {
            (*icon)->AddMark();
            (*icon)->SetVisible(false);
            ArrangeIcons();
            break;
        }
    CheckAllDelivered();
}

void clsCauldron::CheckAllDelivered() {
    if (!std::all_of(icons_.begin(), icons_.end(), [](const auto& icon) { return icon->IsMarked(); })) return;
    for (auto& icon : icons_) icon->SetVisible(false);
    fireIcon_->SetVisible(true);
    fireIcon_->Play("DoAnim");
    state_ = kReadyForFire;
}

int clsCauldron::GetIngredientId(int index) const {
    if (index < 0 || index >= GetIngredientCount()) return -1;
    const clsIngredientGraph& icon = *icons_[static_cast<size_t>(index)];
    return icon.IsMarked() ? -1 : icon.GetIngredientId();
}

clsIngredientGraph* clsCauldron::FindIngredient(int ingredientId) const {
    for (auto icon = icons_.rbegin(); icon != icons_.rend(); ++icon)
        if ((*icon)->GetIngredientId() == ingredientId) return icon->get();
    return nullptr;
}

void clsCauldron::HideBalloon() {
    balloon_->SetVisible(false);
    fireIcon_->SetVisible(false);
    fireIcon_->GetAnimation().StopScript();
}

void clsCauldron::Ignite() {
    StartBoiling();
    GetOwner()->GetAssets().PlaySound(loopSoundName_, true);
    loopPlaying_ = true;
    fireEffect_->Play("DoAnim");
    fireEffect_->SetVisible(true);
}

void clsCauldron::StartBoiling() {
    if (state_ == kBoiling) return;
    PlayOnBody(kBoilLook);
    progressBar_->Start(0.0f, BoilFactor(comboCount_));
    HideBalloon();
    state_ = kBoiling;
}

void clsCauldron::Update(float dt) {
    body_->Update(dt);
    fireEffect_->Update(dt);
    brewingOverlay_->Update(dt);
    if (potion_) potion_->Update(dt);
    balloon_->Update(dt);
    fireIcon_->Update(dt);
    for (auto icon = icons_.rbegin(); icon != icons_.rend(); ++icon) (*icon)->Update(dt);
    comboDisplay_->Update(dt);
    progressBar_->Update(dt);
    if (progressBar_->GetState() == clsStatusBar::kFinished) FinishBrew();
}

void clsCauldron::FinishBrew() {
    PlayStand();
    GetOwner()->GetAssets().StopSound(loopSoundName_);
    loopPlaying_ = false;
    fireEffect_->GetAnimation().StopScript();
    fireEffect_->SetVisible(false);
    if (potion_) HandOverPotion();
    brewingOverlay_->SetVisible(false);
    icons_.clear();
    progressBar_->Reset();
}

// The finished potion's sprite stands above the cauldron and belongs to the scene from now on.
void clsCauldron::HandOverPotion() {
    GetOwner()->GetAssets().PlaySound(kPotionReadySound, false);
    int potionId = potion_->GetPotionId();
    clsAnimatedSprite* sprite = potion_->DetachSprite();
    potion_.reset();
    sprite->SetPositionV(body_->GetPosition() + kFinishedPotionOffset);
    sprite->SetVisible(true);
    GetOwner()->ShowStars(potionId, sprite, this);
}

void clsCauldron::Draw() {
    body_->Draw();
    TRenderer* renderer = TRenderer::Get();
    renderer->SetBlendMode(BlendAdditive);
    fireEffect_->Draw();
    brewingOverlay_->Draw();
    if (potion_) potion_->Draw();
    renderer->SetBlendMode(BlendAlpha);
    if (state_ == kBoiling) progressBar_->Draw();
    balloon_->Draw();
    for (auto icon = icons_.rbegin(); icon != icons_.rend(); ++icon) (*icon)->Draw();
    fireIcon_->Draw();
    comboDisplay_->Draw();
}

void clsCauldron::Empty() {
    if (busy_ || state_ == kBoiling) return;
    icons_.clear();
    HideBalloon();
    PlayStand();
    busy_ = true;
    comboCount_ = 0;
    comboDisplay_->SetVisible(false);
    lastPotion_ = -1;
}

void clsCauldron::SetHighlight(bool on) {
    bool show = on && state_ == kBoiling;
    brewingOverlay_->SetVisible(show);
    if (potion_) potion_->GetSprite()->SetVisible(show);
}

void clsCauldron::SetLoopSound(int index) {
    loopSoundName_ = TString::Format(kLoopSound, index % 3);
}

void clsCauldron::PauseLoopSound(bool pause) {
    if (loopPlaying_) GetOwner()->GetAssets().PauseSound(loopSoundName_, pause);
}

void PreloadCauldronAnims(iGameAssets& assets) {
    for (int level = 1; level <= kLevels; ++level)
        for (const char* look : {kStandLook, kBoilLook, kRequestLook})
            assets.AddPreloadAnim(TString::Format("anim/cauldron/cauldron_0%d_%s", level, look));
    assets.AddPreloadAnim(kBrewingOverlayTexture);
    assets.AddPreloadAnim(kFireIconTexture);
    for (int frame = 1; frame <= kBarFrames; ++frame) assets.AddPreloadAnim(TString::Format(kBarFrameTexture, frame));
    assets.AddPreloadAnim(kBalloonTexture);
    assets.AddPreloadAnim(clsComboDisplay::kBackgroundTexture);
    assets.AddPreloadAnim(kFireEffectTexture);
    assets.AddPreloadAnim(kIngredientEffectTexture);
    for (int index = 0; index < 3; ++index) assets.AddPreloadSound(TString::Format(kLoopSound, index));
    assets.AddPreloadSound(kPotionReadySound);
}

void PreloadNumberAnims(iGameAssets& assets) {
    assets.AddPreloadAnim(kNumbersTexture);
}
