// The bazaar's construction and class identity, its script functions and the purchase.
#include "game/modes/bazaar/bazaar.h"

#include <algorithm>
#include <string>

#include "engine/sound/sound.h"
#include "engine/ui/button.h"
#include "engine/ui/image.h"
#include "game/data/game_manager.h"
#include "game/data/saved_progress.h"
#include "game/modes/bazaar/addon.h"
#include "game/modes/bazaar/bazaar_layout.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/items/shelf.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/props/harp.h"
#include "game/shop/screen/saved_level.h"
#include "game/shop/screen/shop_layout.h"
#include "game/shop/session/game_session.h"
#include "game/shop/trophies/trophy_tracker.h"

namespace {

constexpr char kClickSound[] = "audio/sfx/buttonclick";
constexpr char kBuySound[] = "audio/sfx/buy_upgrade";

}  // namespace

TWindow* clsBazaar::Create() { return new clsBazaar; }

TClassId clsBazaar::ClassId() { return reinterpret_cast<TClassId>(&clsBazaar::Create); }

clsBazaar::clsBazaar() : icon_(std::make_unique<clsSprite>(this)) {
    functions_.Bind("onBtnDone", this, &clsBazaar::OnBtnDone);
    functions_.Bind("buyAddon", this, &clsBazaar::BuyAddon);
    functions_.Bind("cancelAddon", this, &clsBazaar::CancelAddon);
    functions_.Bind("okMessageWarning", this, &clsBazaar::OkMessageWarning);
}

// The add-ons and tags go before the shop's objects; the shop's destructor empties the release queue.
clsBazaar::~clsBazaar() {
    functions_.Unbind();
    GameProbe::Get().RemoveOwner(this);
    priceTags_.clear();
    addons_.clear();
    icon_.reset();
}

void clsBazaar::PreloadAssets(iGameAssets& assets) {
    PreloadAddonAnims(assets);
    const char* const kPictures[] = {
        "anim/bazaar/shop_price",     "gui/shop_gui",          "anim/bazaar/gui_cauldron_01",
        "anim/bazaar/gui_cauldron_02", "anim/bazaar/gui_cauldron_03", "anim/bazaar/gui_egg",
        "anim/bazaar/gui_key_01",     "anim/bazaar/gui_key_02", "anim/bazaar/gui_key_03",
        "anim/bazaar/gui_shoes_02",   "anim/bazaar/gui_shoes_03"};
    for (const char* picture : kPictures) assets.AddPreloadAnim(picture);
    assets.AddPreloadSound(kClickSound);
    assets.AddPreloadSound(kBuySound);
}

void clsBazaar::OnBtnDone() {
    if (GetMusic()) GetMusic()->Stop();
}

void clsBazaar::CancelAddon() {
    HideDescription();
    Deselect();
}

void clsBazaar::OkMessageWarning() {
    SetWindowVisible(warningPanel_, false);
    SetWindowVisible(doneButton_, true);
    Deselect();
    mode_ = kBrowsing;
}

int clsBazaar::BuyAddon() {
    if (!selected_) return 0;
    int cost = selected_->GetCost();
    LevelFlow& flow = GetLevelFlow();
    if (flow.playerMoney < cost) {
        ShowMoneyWarning();
        GetAssets().PlaySound(kClickSound, false);
        return 0;
    }
    GetAssets().PlaySound(kBuySound, false);
    SavedLevelRecord* saved = FindCurrentSavedLevel();
    if (!saved || !RecordPurchase(*saved, *selected_)) {
        Deselect();
        return 0;
    }
    if (!ApplyPurchase(selected_)) {
        selected_->SetSelectable(false);
        selected_->SetVisible(false);
    }
    selected_ = nullptr;
    HideDescription();
    for (auto& addon : addons_)
        if (addon->IsMarked()) addon->RemoveMark();
    flow.playerMoney -= cost;
    saved->startMoney -= cost;
    ShowScore();
    mode_ = kBrowsing;
    uint32_t gained = trophies_ ? trophies_->CountItemBought() : 0;
    if (trophies_) trophies_->SaveToProfile();
    if (GameManager* manager = GameManager::Get()) manager->SaveUserProgress();
    return static_cast<int>(gained);
}

// Writes the bought level into the saved level; false for a cauldron add-on of no cauldron place.
bool clsBazaar::RecordPurchase(SavedLevelRecord& saved, const clsAddon& addon) {
    int level = addon.GetLevel();
    switch (addon.GetKind()) {
        case clsAddon::kCauldron: {
            int index = CauldronIndexOf(&addon);
            if (index < 0) return false;
            saved.cauldronLevels[static_cast<size_t>(index)] = level;
            return true;
        }
        case clsAddon::kShoes: saved.shoesLevel = level; return true;
        case clsAddon::kPhoenix: saved.phoenixLevel = level; return true;
        case clsAddon::kHarp: saved.harpLevel = level; return true;
        case clsAddon::kDrawer: saved.drawerLevel = level; return true;
        default: return false;
    }
}

int clsBazaar::CauldronIndexOf(const clsAddon* addon) const {
    auto found = std::find(cauldronAddons_.begin(), cauldronAddons_.end(), addon);
    return found == cauldronAddons_.end() ? -1 : static_cast<int>(found - cauldronAddons_.begin());
}

BazaarPriceTag* clsBazaar::FindPriceTag(const clsAddon* addon) const {
    for (size_t i = priceTags_.size(); i-- > 0;)
        if (priceTags_[i]->GetAddon() == addon) return priceTags_[i].get();
    return nullptr;
}

// Offers the next level in place of the one bought, the upgraded object shown at its new grade;
// false when the add-on is sold out (its tag is gone then).
bool clsBazaar::ApplyPurchase(clsAddon* addon) {
    BazaarPriceTag* tag = FindPriceTag(addon);
    if (!addon->Upgrade(1)) {
        priceTags_.erase(std::remove_if(priceTags_.begin(), priceTags_.end(),
                                        [tag](const auto& each) { return each.get() == tag; }),
                         priceTags_.end());
        return false;
    }
    int level = addon->GetLevel();
    switch (addon->GetKind()) {
        case clsAddon::kCauldron: CreateCauldron(CauldronIndexOf(addon), level); break;
        case clsAddon::kHarp: CreateHarp(level); break;
        case clsAddon::kDrawer: MoveDrawerAddon(addon, level); break;
        default: break;
    }
    if (tag) tag->SetText(TString::Format("%d", addon->GetCost()));
    return true;
}

// The drawer add-on takes the place of the closed drawer on the next spot.
void clsBazaar::MoveDrawerAddon(clsAddon* addon, int level) {
    int spot = level - 1;
    if (spot < 1 || spot >= kDrawerSpots) return;
    if (clsAddon* placeholder = drawerAddons_[static_cast<size_t>(spot)]) {
        placeholder->SetSelectable(false);
        placeholder->SetVisible(false);
    }
    std::swap(drawerAddons_[static_cast<size_t>(spot - 1)], drawerAddons_[static_cast<size_t>(spot)]);
    addon->SetPosition(DrawerSpotPosition(spot));
    if (BazaarPriceTag* tag = FindPriceTag(addon)) tag->SetPosition(kDrawerTagPlaces[spot]);
}

// The headless runs' view: the mode, the player's money and the add-ons on offer as
// kind:level:state[:tag] (the tag's text when it has one), in creation order, and the saved level.
void clsBazaar::AddProbeFields() {
    GameProbe& probe = GameProbe::Get();
    probe.Add(this, "bazaar", [this] { return std::to_string(mode_); });
    probe.Add(this, "purse", [] { return std::to_string(GetLevelFlow().playerMoney); });
    probe.Add(this, "addons", [this] {
        std::string list;
        for (auto& addon : addons_) {
            if (!addon->IsSelectable()) continue;
            if (!list.empty()) list += ';';
            list += std::to_string(addon->GetKind()) + ":" + std::to_string(addon->GetLevel()) + ":" +
                    std::to_string(addon->GetState());
            if (BazaarPriceTag* tag = FindPriceTag(addon.get())) list += std::string(":") + tag->GetText().CStr();
        }
        return list.empty() ? std::string("none") : list;
    });
    AddSavedLevelProbeField();
}
