#include "game/modes/bazaar/addon.h"

#include <algorithm>
#include <array>

#include "engine/core/base/log.h"
#include "game/data/game_tables.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/objects/game_scene.h"
#include "game/shop/objects/scene_sprite.h"

namespace {

constexpr int kKindCount = 5;
// By kind; a "%d" takes the level (1 for any level below 1).
constexpr std::array<const char*, kKindCount> kPictureBases = {
    "anim/bazaar/cauldron_0%d_", "anim/bazaar/tessa_shoe_", "anim/bazaar/fenix_", "anim/bazaar/harp0%d_",
    "anim/bazaar/drawer_"};
// By state, from normal on.
constexpr std::array<const char*, 5> kStateSuffixes = {"normal", "over", "selected", "sold", "disabled"};

// The kind's costs, level 1 first; empty for a kind the game data does not describe.
const std::vector<int>& Costs(int kind) {
    static const std::vector<int> none;
    const std::vector<AddonRecord>& addons = GetGameTables().addons;
    return kind >= 0 && kind < static_cast<int>(addons.size()) ? addons[static_cast<size_t>(kind)].costPerLevel
                                                                : none;
}

}  // namespace

clsAddon::clsAddon(iGameScene* owner, int kind, int level)
    : clsBasicObject(owner), kind_(kind), sprite_(std::make_unique<clsSprite>(owner)) {
    SetLevel(std::min(level, LevelCount(kind)));
    SetState(kNormal, true);
}

clsAddon::~clsAddon() = default;

void clsAddon::Update(float dt) { sprite_->Update(dt); }

void clsAddon::Draw() { sprite_->Draw(); }

int clsAddon::LevelCount(int kind) { return static_cast<int>(Costs(kind).size()); }

void clsAddon::SetLevel(int level) {
    const std::vector<int>& costs = Costs(kind_);
    if (level < 1 || level > static_cast<int>(costs.size())) level = 0;
    level_ = level;
    if (costs.empty()) {
        LogPrintf("[WARN] The bazaar's add-on %d has no costs in the game data: it is offered for 0", kind_);
        cost_ = 0;
    } else {
        cost_ = costs[static_cast<size_t>(std::max(level, 1) - 1)];
    }
    int shown = std::max(level, 1);
    name_ = LabelText(TString::Format("addonName%d_%d", kind_ + 1, shown));
    description_ = LabelText(TString::Format("addonDescription%d_%d", kind_ + 1, shown));
}

TString clsAddon::PictureName(int kind, int level, int state) {
    if (kind < 0 || kind >= kKindCount || state < kNormal || state > kDisabled) return TString();
    TString base = TString::Format(kPictureBases[static_cast<size_t>(kind)], std::max(level, 1));
    return base + kStateSuffixes[static_cast<size_t>(state - kNormal)];
}

void clsAddon::SetState(int state, bool force) {
    if (state == state_ && !force) return;
    state_ = state;
    TString picture = PictureName(kind_, level_, state);
    if (!picture.IsEmpty()) sprite_->SetTexture(GetSceneTexture(picture));
}

bool clsAddon::Upgrade(int delta) {
    int level = level_ + delta;
    if (level > LevelCount(kind_)) return false;
    SetLevel(level);
    SetState(kNormal, true);
    return true;
}

void clsAddon::SetPosition(const TVec2& position) {
    sprite_->SetPositionV(position);
    sprite_->Update(0.0f);
}

const TRect& clsAddon::GetWorldRect() const { return sprite_->GetWorldRect(); }

void clsAddon::SetVisible(bool visible) {
    sprite_->SetVisible(visible);
    sprite_->Update(0.0f);
}

void PreloadAddonAnims(iGameAssets& assets) {
    const char* const kLevelled[] = {"anim/bazaar/cauldron_0%d_", "anim/bazaar/harp0%d_"};
    const char* const kThreeStates[] = {"normal", "over", "selected"};
    const char* const kFourStates[] = {"normal", "over", "disabled", "selected"};
    for (const char* state : kThreeStates) assets.AddPreloadAnim(TString("anim/bazaar/tessa_shoe_") + state);
    for (int level = 1; level <= kMaxUpgradeLevel; ++level)
        for (const char* state : kThreeStates) assets.AddPreloadAnim(TString::Format(kLevelled[0], level) + state);
    for (const char* state : kFourStates) assets.AddPreloadAnim(TString("anim/bazaar/fenix_") + state);
    for (int level = 1; level <= kMaxUpgradeLevel; ++level)
        for (const char* state : kThreeStates) assets.AddPreloadAnim(TString::Format(kLevelled[1], level) + state);
    for (const char* state : kFourStates) assets.AddPreloadAnim(TString("anim/bazaar/drawer_") + state);
}
