// The fields the shop shows the test probe of headless runs: what the set-up built, how the day goes
// and how the player plays it.
#include <string>

#include "engine/core/base/tstring.h"
#include "game/data/saved_progress.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer.h"
#include "game/shop/customers/roster.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/score_panel.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/props/plant.h"
#include "game/shop/screen/saved_level.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/screen/shop_layout.h"

namespace {

std::string Point(const TVec2& point) { return TString::Format("%g,%g", point.x, point.y).CStr(); }

template <class Actor>
std::string ActorPoint(const Actor* actor) {
    return actor ? Point(actor->GetPosition()) : "none";
}

}  // namespace

void clsShopGame::AddProbeFields() {
    GameProbe& probe = GameProbe::Get();
    probe.Add(this, "heroine", [this] { return ActorPoint(heroine_.get()); });
    probe.Add(this, "boxes", [this] {
        std::string boxes;
        for (auto& box : magicBoxes_) {
            int id = box->GetIngredientId();
            if (!boxes.empty()) boxes += ';';
            boxes += std::to_string(id) + ":" + Point(TVec2(kMagicBoxColumns[id / 5], kMagicBoxRows[id % 5]));
        }
        return boxes.empty() ? std::string("none") : boxes;
    });
    probe.Add(this, "cauldrons", [this] {
        std::string cauldrons;
        for (auto& cauldron : cauldrons_) {
            if (!cauldrons.empty()) cauldrons += ';';
            cauldrons += Point(cauldron->GetBody()->GetPosition());
        }
        return cauldrons.empty() ? std::string("none") : cauldrons;
    });
    probe.Add(this, "harp", [this] { return ActorPoint(harp_.get()); });
    probe.Add(this, "plant", [this] { return ActorPoint(plant_.get()); });
    probe.Add(this, "phoenix", [this] { return ActorPoint(phoenix_.get()); });
    probe.Add(this, "table", [this] {
        return std::to_string(levelIndex_ / kLevelsPerShop + 1) + ":" + Point(table_->GetPosition());
    });
    probe.Add(this, "stored", [this] {
        std::string stored;
        for (int spot = 0; spot < clsShelf::kSpots; ++spot) {
            clsObjectRequired* item = shelf_->GetSpotItem(spot);
            clsPotionGraph* potion = item ? item->AsPotionGraph() : nullptr;
            if (spot > 0) stored += ';';
            stored += potion ? std::to_string(potion->GetPotionId()) : "-";
        }
        return stored;
    });
    probe.Add(this, "spots", [this] {
        int open = 0;
        for (int spot = 0; spot < clsShelf::kSpots; ++spot) open += shelf_->IsSpotEnabled(spot) ? 1 : 0;
        return std::to_string(open);
    });
    probe.Add(this, "music", [this] { return std::string(GetMusic() ? MusicForLevel(levelIndex_) : "none"); });
    probe.Add(this, "state", [this] { return std::to_string(state_); });
    probe.Add(this, "customers", [this] {
        int seated = 0;
        for (const CustomerPlace& place : places_) seated += place.customer ? 1 : 0;
        return std::to_string(seated);
    });
    probe.Add(this, "earnings", [this] {
        return std::to_string(GetEarnings(kPotionEarnings)) + "," + std::to_string(GetEarnings(kArtifactEarnings)) +
               "," + std::to_string(GetEarnings(kFruitEarnings)) + "," + std::to_string(GetEarnings(kTipEarnings));
    });
    probe.Add(this, "sparks", [this] { return std::to_string(sparksInFlight_); });
    probe.Add(this, "result", [this] { return std::string(GetResultName()); });
    probe.Add(this, "clock", [this] { return std::to_string(static_cast<int>(scorePanel_->GetElapsedSeconds())); });
    AddPlayProbeFields();
    AddSavedLevelProbeField();
}

// The record the player's level starts from, as the profile keeps it; "none" without one.
void clsShopGame::AddSavedLevelProbeField() {
    GameProbe::Get().Add(this, "saved", [] {
        const SavedLevelRecord* saved = FindCurrentSavedLevel();
        return saved ? std::string(saved->Format().CStr()) : std::string("none");
    });
}

namespace {

constexpr const char* kOrderNames[clsPlayerOrder::kNoAction + 1] = {
    "Walk",        "ServeCustomer", "CollectMoney", "TakeIngredient",    "FillCauldron",   "LightFire",
    "EmptyCauldron", "TakeFinishedPotion", "DiscardItem", "PlayHarp", "TendPlant", "UseArtifact",
    "CallPhoenix", "TakePhoenixItem", "StorePotion", "TakeStoredPotion", "NoAction"};
constexpr const char* kPhaseNames[] = {"queued", "started", "cancelled", "animating", "done"};

// "ServeCustomer:started"; "none" without an order.
std::string OrderText(const clsPlayerOrder* order) {
    if (!order) return "none";
    bool known = order->kind >= 0 && order->kind <= clsPlayerOrder::kNoAction && order->phase >= 0 &&
                 order->phase <= clsPlayerOrder::kDone;
    if (!known) return std::to_string(order->kind) + ":" + std::to_string(order->phase);
    return std::string(kOrderNames[order->kind]) + ":" + kPhaseNames[order->phase];
}

// "ingredient0", "potion3", "fruit" or "artifact1".
std::string ItemText(clsBasicObject* item) {
    if (clsIngredientGraph* ingredient = item->AsIngredientGraph())
        return "ingredient" + std::to_string(ingredient->GetIngredientId());
    if (clsPotionGraph* potion = item->AsPotionGraph()) {
        if (potion->GetPotionId() == clsPotionGraph::kFruitPotion) return "fruit";
        return "potion" + std::to_string(potion->GetPotionId());
    }
    if (clsArtifact* artifact = item->AsArtifact()) return "artifact" + std::to_string(artifact->GetArtifactId());
    return "item";
}

// What she carries from the bottom of the stack, "none" for nothing.
std::string CarriedText(const clsPlayer& heroine) {
    std::string carried;
    for (int i = 0; i < heroine.GetNumCarriedItems(); ++i) {
        if (!carried.empty()) carried += ',';
        carried += ItemText(heroine.GetCarriedItem(i));
    }
    return carried.empty() ? "none" : carried;
}

std::string CauldronText(const clsCauldron& cauldron) {
    switch (cauldron.GetState()) {
        case clsCauldron::kRequesting:
            return "requesting";
        case clsCauldron::kIdle:
            return "idle";
        case clsCauldron::kReadyForFire:
            return "ready";
        case clsCauldron::kBoiling:
            return "boiling";
        default:
            return std::to_string(cauldron.GetState());
    }
}

// "Alchemist:4" for a customer in that service state, "none" for no customer; "+money" while its
// money lies on the counter.
std::string PlaceText(const clsShopGame::CustomerPlace& place) {
    std::string text = "none";
    if (place.customer)
        text = std::string(place.customer->GetLook().kindId) + ":" + std::to_string(place.customer->GetServiceState());
    return place.moneyItem ? text + "+money" : text;
}

// What the customer at the place asks for, once its bubble shows it: "potion0" or "potion2,potion0";
// "none" without a customer or before the customer has said.
std::string WantedText(const clsShopGame::CustomerPlace& place) {
    const clsClient* customer = place.customer;
    if (!customer || customer->GetServiceState() != clsClient::kWaitingForItems) return "none";
    std::string wanted;
    for (int i = 0; i < customer->GetNumRequestedItems(); ++i) {
        if (!wanted.empty()) wanted += ',';
        wanted += ItemText(customer->GetRequest(i));
    }
    return wanted.empty() ? "none" : wanted;
}

// The customers on their way: the milliseconds until each comes and what it asks for first
// ("350:2"), separated by ';'; "none" for none.
std::string ArrivalsText(const clsCustomerRoster& roster) {
    std::string text;
    for (const clsCustomerRoster::PendingArrival& arrival : roster.GetArrivals()) {
        if (!text.empty()) text += ';';
        text += std::to_string(static_cast<int>(arrival.dueMs)) + ":" + std::to_string(arrival.requestKind);
    }
    return text.empty() ? "none" : text;
}

}  // namespace

// The errands, what she carries, the cauldrons, the counter places, what their customers ask for and
// the finished potions.
void clsShopGame::AddPlayProbeFields() {
    GameProbe& probe = GameProbe::Get();
    probe.Add(this, "order", [this] { return OrderText(CurrentOrder()); });
    probe.Add(this, "carry", [this] { return CarriedText(*heroine_); });
    for (size_t i = 0; i < cauldrons_.size(); ++i)
        probe.Add(this, "cauldron" + std::to_string(i), [this, i] { return CauldronText(*cauldrons_[i]); });
    for (size_t i = 0; i < places_.size(); ++i)
        probe.Add(this, "place" + std::to_string(i), [this, i] { return PlaceText(places_[i]); });
    for (size_t i = 0; i < places_.size(); ++i)
        probe.Add(this, "wants" + std::to_string(i), [this, i] { return WantedText(places_[i]); });
    probe.Add(this, "pickups", [this] { return std::to_string(pickups_.size()); });
    probe.Add(this, "arrivals", [this] { return ArrivalsText(*roster_); });
}
