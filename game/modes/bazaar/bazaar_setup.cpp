// The bazaar's shop, built from the player's saved level when the window is initialised: the shop's
// furniture at the bazaar's places, each upgradable object at the grade on offer, then an add-on
// with its price tag for every upgrade still for sale.
#include <algorithm>

#include "engine/graphics/animated_sprite.h"
#include "game/data/game_tables.h"
#include "game/data/saved_progress.h"
#include "game/modes/bazaar/addon.h"
#include "game/modes/bazaar/bazaar.h"
#include "game/modes/bazaar/bazaar_layout.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/screen/saved_level.h"
#include "game/shop/screen/shop_layout.h"
#include "game/shop/trophies/trophy_tracker.h"

namespace {

constexpr int kMissingPotion = -1000;  // a stored entry the shelf keeps a place for

// The grade the bazaar shows for a stored upgrade level: the level on offer, or the last one.
int OfferedGrade(int stored) { return stored < kMaxUpgradeLevel ? stored + 1 : stored; }

// Stands the object's body still on its first frame.
void StandStill(clsAnimatedSprite* body) {
    if (!body) return;
    body->GetAnimation().StopScript();
    body->GetAnimation().SetCurrentFrame(0);
}

}  // namespace

void clsBazaar::Init(TWindowStyle& style) {
    clsGameInterface::Init(style);
    lastFrameMs_ = GetStartTimeMs();
    SetUpBazaar();
}

void clsBazaar::SetUpBazaar() {
    const SavedLevelRecord& saved = CurrentSavedLevel();
    CreateMagicBoxes();
    CreateHeroine();
    for (int i = 0; i < 3; ++i) CreateCauldron(i, OfferedGrade(saved.cauldronLevels[i]));
    CreateHarp(OfferedGrade(saved.harpLevel));
    if (GetLevelIndex() >= GetGameTables().levelOfPhoenix) CreatePhoenix(OfferedGrade(saved.phoenixLevel));
    CreatePerch();
    CreateShelf(saved);
    CreateTable();
    CreateArtifacts(ShelfSlot().get());
    ShelfSlot()->Update(0.0f);
    CreateAddons(saved);
    allSold_ = std::none_of(addons_.begin(), addons_.end(), [](const auto& addon) { return addon->IsSelectable(); });
    StartTrophyTracker();
    AddProbeFields();
}

void clsBazaar::CreateMagicBoxes() {
    if (!GetLevel()) return;
    for (int id : CollectIngredients()) {
        if (id < 0 || id >= kMagicBoxCount) continue;
        auto box = std::make_unique<clsMagicBox>(this, id, kMagicBoxParameter);
        box->SetPosition(kMagicBoxColumns[id / 5], kMagicBoxRows[id % 5]);
        if (clsSprite* icon = box->GetIngredient()->GetIcon()) icon->SetBounds(kMagicBoxBounds);
        box->Update(0.0f);
        MagicBoxList().push_back(std::move(box));
    }
}

void clsBazaar::CreateHeroine() {
    HeroineSlot().reset(new clsPlayer(this));
    HeroineSlot()->RefreshAnimation();
    HeroineSlot()->SetPositionV(kHeroineStart);
    HeroineSlot()->SetIdleVariations(false);
}

void clsBazaar::CreateCauldron(int index, int level) {
    auto cauldron = std::make_unique<clsCauldron>(level, this, kCauldronPlaces[index]);
    StandStill(cauldron->GetBody());
    cauldron->Update(0.0f);
    cauldron->SetLoopSound(index);
    auto& cauldrons = CauldronList();
    if (index < static_cast<int>(cauldrons.size()))
        cauldrons[static_cast<size_t>(index)] = std::move(cauldron);
    else
        cauldrons.push_back(std::move(cauldron));
}

void clsBazaar::CreateHarp(int level) {
    HarpSlot().reset(new clsHarp(this, level));
    HarpSlot()->SetPositionV(kHarpPosition);
    StandStill(HarpSlot()->GetBody());
    HarpSlot()->Update(0.0f);
}

void clsBazaar::CreatePhoenix(int level) {
    PhoenixSlot().reset(new clsFenix(this, level));
    PhoenixSlot()->SetPositionV(kPhoenixPosition);
    PhoenixSlot()->GetBody()->SetSpriteFlags(true, false);
    PhoenixSlot()->Update(0.0f);
}

void clsBazaar::CreatePerch() {
    PerchSlot() = std::make_unique<clsSprite>(this);
    PerchSlot()->SetTexture(PerchSlot()->GetSceneTexture(kPerchTexture));
    PerchSlot()->SetPositionV(kPerchPosition);
    PerchSlot()->Update(0.0f);
}

// All three potion spots are open; the stored potions stand on them hidden when the record has one
// entry a spot.
void clsBazaar::CreateShelf(const SavedLevelRecord& saved) {
    auto shelf = std::make_unique<clsShelf>(this, kShelfBox.left, kShelfBox.top, kShelfBox.right, kShelfBox.bottom);
    shelf->BuildSlots(kShelfSlots.offsetX, kShelfSlots.offsetY, kShelfSlots.rows, kShelfSlots.columns,
                      kShelfSlots.cellWidth, kShelfSlots.cellHeight, kShelfSlots.gapY, kShelfSlots.gapX);
    shelf->SetSpotCount(kDrawerSpots);
    if (saved.storedPotions.size() == static_cast<size_t>(kDrawerSpots)) {
        for (int spot = 0; spot < kDrawerSpots; ++spot) {
            int id = saved.storedPotions[static_cast<size_t>(spot)];
            if (id < 0 && id != kMissingPotion) continue;
            auto* potion = new clsPotionGraph(this, id, true);
            potion->GetSprite()->SetVisible(false);
            potion->SetSparkleVisible(false);
            shelf->PlaceItem(potion, spot);
        }
    }
    ShelfSlot() = std::move(shelf);
}

// Tables past the last position stand where the last one does.
void clsBazaar::CreateTable() {
    int shop = GetLevelIndex() / kLevelsPerShop + 1;
    int position = std::clamp(shop, 1, kTablePositionCount) - 1;
    TableSlot() = std::make_unique<clsSprite>(this);
    TableSlot()->SetTexture(TableSlot()->GetSceneTexture(TString::Format("backgrounds/shop_%d/bg_table_0%d", shop, shop)));
    TableSlot()->SetPositionV(kTablePositions[position]);
    TableSlot()->Update(0.0f);
}

void clsBazaar::CreateAddons(const SavedLevelRecord& saved) {
    if (saved.shoesLevel < kMaxUpgradeLevel) {
        TVec2 place = kHeroineStart + kShoesAddonOffset;
        AddPriceTag(AddAddon(clsAddon::kShoes, saved.shoesLevel + 1, place), place + kShoesTagOffset);
    }
    for (int i = 0; i < 3; ++i) {
        if (saved.cauldronLevels[i] >= kMaxUpgradeLevel) continue;
        cauldronAddons_[i] = AddAddon(clsAddon::kCauldron, saved.cauldronLevels[i] + 1, kCauldronAddonPlaces[i]);
        AddPriceTag(cauldronAddons_[i], kCauldronTagPlaces[i]);
    }
    if (saved.harpLevel < kMaxUpgradeLevel)
        AddPriceTag(AddAddon(clsAddon::kHarp, saved.harpLevel + 1, kHarpPosition + kHarpAddonOffset), kHarpTagPlace);
    if (GetLevelIndex() < GetGameTables().levelOfPhoenix)
        AddPlaceholder(clsAddon::kPhoenix, 1, kPhoenixPosition);
    else if (saved.phoenixLevel < kMaxUpgradeLevel)
        AddPriceTag(AddAddon(clsAddon::kPhoenix, saved.phoenixLevel + 1, kPhoenixPosition), kPhoenixTagPlace);
    CreateDrawerAddons(saved.drawerLevel);
}

// The drawer add-on stands on the first closed spot; the spots after it show closed drawers.
void clsBazaar::CreateDrawerAddons(int drawerLevel) {
    if (drawerLevel < 0 || drawerLevel >= kDrawerSpots) return;
    drawerAddons_[drawerLevel] = AddAddon(clsAddon::kDrawer, drawerLevel + 1, DrawerSpotPosition(drawerLevel));
    AddPriceTag(drawerAddons_[drawerLevel], kDrawerTagPlaces[drawerLevel]);
    for (int spot = drawerLevel + 1; spot < kDrawerSpots; ++spot)
        drawerAddons_[spot] = AddPlaceholder(clsAddon::kDrawer, spot, DrawerSpotPosition(spot));
}

clsAddon* clsBazaar::AddAddon(int kind, int level, const TVec2& position) {
    addons_.push_back(std::make_unique<clsAddon>(this, kind, level));
    addons_.back()->SetPosition(position);
    return addons_.back().get();
}

void clsBazaar::AddPriceTag(clsAddon* addon, const TVec2& position) {
    priceTags_.push_back(std::make_unique<BazaarPriceTag>(this, position, addon));
    priceTags_.back()->SetText(TString::Format("%d", addon->GetCost()));
}

// An upgrade not for sale yet: shown disabled, never hovered, without a tag.
clsAddon* clsBazaar::AddPlaceholder(int kind, int level, const TVec2& position) {
    clsAddon* addon = AddAddon(kind, level, position);
    addon->SetSelectable(false);
    addon->SetState(clsAddon::kDisabled, true);
    return addon;
}

TVec2 clsBazaar::DrawerSpotPosition(int spot) {
    clsSprite* marker = ShelfSlot() ? ShelfSlot()->GetSpotSprite(spot) : nullptr;
    return marker ? marker->GetPosition() : TVec2();
}

void clsBazaar::StartTrophyTracker() {
    trophies_ = clsTrophyTracker::GetInstance();
    trophies_->SetListener(this);
    if (!trophies_->LoadFromProfile()) trophies_->SaveToProfile();
}
