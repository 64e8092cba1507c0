// The heroine's errands about the shop: she plays the harp for the waiting customers, tends the plant
// and picks its fruit, invokes an artifact or has Radaduvoz bring a spent one back, sends the phoenix
// off and takes what it brings, and stores potions in the shelf's drawer or takes them out again.
#include "engine/core/base/log.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/assistants/radaduvoz.h"
#include "game/shop/customers/customer.h"
#include "game/shop/customers/roster.h"
#include "game/shop/heroine/player.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/plant.h"
#include "game/shop/screen/shop_game.h"

namespace {

constexpr char kIngredientSound[] = "audio/sfx/mainchar-pick";
constexpr char kPotionSound[] = "audio/sfx/mainchar-pickpot";

// The chance, in percent, that a new customer asks for the fruit, by the plant's stage (1 to 4).
constexpr int kFruitChanceByStage[] = {0, 0, 0, 30, 60};
// Right after a harvest; the plant's stage sets the chance again at once.
constexpr int kFruitChanceAfterHarvest = 14;

// The item a shelf sprite shows, if any.
clsObjectRequired* ItemShownBy(clsBasicObject* sprite) {
    auto* shown = dynamic_cast<clsObjectGraph*>(sprite);
    return shown ? dynamic_cast<clsObjectRequired*>(shown->GetHolder()) : nullptr;
}

}  // namespace

clsArtifact* clsShopGame::FindArtifactOf(clsBasicObject* sprite) const {
    clsObjectRequired* item = ItemShownBy(sprite);
    return item ? item->AsArtifact() : nullptr;
}

// Every seated customer, the back of the counter first, gets the harp's patience.
void clsShopGame::PlayHarp(clsPlayerOrder&) {
    if (!harp_ || !harp_->Play()) return;
    for (size_t i = places_.size(); i-- > 0;)
        if (places_[i].customer) places_[i].customer->AddPatience(harp_->GetEffectValue());
}

// She gives the plant the ingredients it asks for, or picks its ripe fruit; the fruit's appeal to the
// customers follows the plant's stage.
void clsShopGame::TendPlant(clsPlayerOrder&) {
    if (!plant_) return;
    if (plant_->HasRequests() && heroine_->CountCarriedIngredients() > 0) {
        for (int i = plant_->GetRequestCount() - 1; i >= 0; --i) {
            int id = plant_->GetRequestId(i);
            if (heroine_->RemoveCarriedIngredient(id)) plant_->FulfilRequest(id);
        }
    } else if (plant_->IsRipe()) {
        HarvestFruit();
    }
    int stage = plant_->GetStage();
    if (stage >= 1 && stage <= clsPlant::kRipeStage) roster_->SetFruitChance(kFruitChanceByStage[stage]);
}

void clsShopGame::HarvestFruit() {
    if (HandsFull()) {
        Refuse();
        return;
    }
    PlayEffectSound(kIngredientSound);
    heroine_->TakePotion(clsPotionGraph::kFruitPotion);
    plant_->Restart();
    roster_->SetFruitChance(kFruitChanceAfterHarvest);
}

// A spent artifact goes back to Radaduvoz, who prepares it again; a ready one she invokes, and takes
// when her invocation ends.
void clsShopGame::UseArtifact(clsPlayerOrder& order) {
    clsArtifact* artifact = FindArtifactOf(order.target);
    if (!artifact || order.phase != clsPlayerOrder::kStarted) return;
    if (artifact->GetState() == clsArtifact::kSpent && radaduvoz_->GetMode() == clsRadaduvoz::kIdle) {
        radaduvoz_->StartDelivery(artifact->GetArtifactId());
        artifact->StartClock(radaduvoz_->GetDeliveryTime());
        artifact->SetState(clsArtifact::kRecharging);
    } else if (artifact->GetState() == clsArtifact::kReady) {
        if (HandsFull()) {
            Refuse();
            LogPrintf("Refuse sound message");
            return;
        }
        heroine_->PlayActivated(artifact);
        order.phase = clsPlayerOrder::kAwaitingAnimation;
    }
}

void clsShopGame::CallPhoenix(clsPlayerOrder&) {
    if (phoenix_ && phoenix_->IsReady()) phoenix_->Activate();
}

void clsShopGame::TakePhoenixItem(clsPlayerOrder&) {
    clsIngredientGraph* held = phoenix_ ? phoenix_->GetHeldIngredient() : nullptr;
    if (!held) return;
    if (HandsFull()) {
        Refuse();
        return;
    }
    PlayEffectSound(kIngredientSound);
    heroine_->TakeIngredient(held->GetIngredientId());
    phoenix_->TakeHeldIngredient();
}

// A potion she carries goes into an empty place of the drawer; the fruit loses its sparkle there.
void clsShopGame::StorePotion(clsPlayerOrder& order) {
    if (heroine_->CountCarriedPotions() < 1) return;
    int spot = shelf_->FindSpotBySprite(dynamic_cast<clsObjectGraph*>(order.target));
    if (spot < 0 || !shelf_->IsSpotEmpty(spot)) return;
    shelf_->PlaceItem(heroine_->TakeOutPotion(), spot);
    clsObjectRequired* stored = shelf_->GetSpotItem(spot);
    clsPotionGraph* potion = stored ? stored->AsPotionGraph() : nullptr;
    if (potion && potion->GetPotionId() == clsPotionGraph::kFruitPotion) potion->SetSparkleVisible(false);
}

void clsShopGame::TakeStoredPotion(clsPlayerOrder& order) {
    if (HandsFull()) {
        Refuse();
        return;
    }
    clsObjectRequired* item = ItemShownBy(order.target);
    clsPotionGraph* potion = item ? item->AsPotionGraph() : nullptr;
    if (!potion) return;
    int potionId = potion->GetPotionId();
    if (!shelf_->RemoveItem(potion)) return;
    heroine_->TakePotion(potionId);
    PlayEffectSound(kPotionSound);
}

// Her invocation has ended: she holds the artifact, now spent, and her errand is done.
void clsShopGame::FinishInvocation() {
    if (auto* artifact = dynamic_cast<clsArtifact*>(heroine_->GetActionTarget())) {
        heroine_->TakeArtifact(artifact->GetArtifactId());
        PlayEffectSound(kPotionSound);
        artifact->SetState(clsArtifact::kSpent);
    }
    if (clsPlayerOrder* order = CurrentOrder()) order->phase = clsPlayerOrder::kDone;
}
