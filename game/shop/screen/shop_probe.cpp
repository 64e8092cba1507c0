// The fields the shop shows the test probe of headless runs: what the set-up built and how the day
// goes.
#include <string>

#include "engine/core/base/tstring.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/props/plant.h"
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
}
