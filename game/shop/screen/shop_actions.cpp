// The heroine's errands at the counter and the cauldrons: she serves customers, picks up their money,
// takes ingredients, throws them into a cauldron, lights its fire or empties it, takes finished
// potions and feeds what she carries to the bucket. Errands that play one of her animations finish
// when it ends; the rest finish on arrival. The errands at the harp, plant, phoenix and shelf are in
// shop_prop_actions.cpp.
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/control_number.h"
#include "game/shop/items/ingredient_graph.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/objects/scene_sprite.h"
#include "game/shop/props/bucket.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/trophies/trophy_tracker.h"

namespace {

constexpr char kStarsTexture[] = "effects/stars_stand";
constexpr char kIngredientEffect[] = "effects/fx_ingredient";
constexpr char kFireEffect[] = "effects/fx_fire";
const TVec2 kIngredientEffectOffset{0.0f, 50.0f};
const TVec2 kFireEffectOffset{-20.0f, -10.0f};
constexpr float kEffectScale = 2.0f;
constexpr char kMoneySound[] = "audio/sfx/mainchar-pickmoney";
constexpr char kIngredientSound[] = "audio/sfx/mainchar-pick";
constexpr char kPotionSound[] = "audio/sfx/mainchar-pickpot";
constexpr char kFireSound[] = "audio/sfx/fire_ignite";
constexpr char kDropSound[] = "audio/sfx/mainchar-drop";
constexpr char kRefuseSound[] = "audio/sfx/messages-refuse";
// She holds at most two items.
constexpr int kMostCarried = 2;

// The errands, by order kind.
using Errand = void (clsShopGame::*)(clsPlayerOrder&);

}  // namespace

// On arrival: the target's mark comes off; an errand whose target has gone ends there, as does one
// called off on the way (only emptying a cauldron still does its part then).
void clsShopGame::PerformAction(clsPlayerOrder* order) {
    static constexpr Errand kErrands[clsPlayerOrder::kNoAction] = {
        &clsShopGame::Walk,          &clsShopGame::ServeCustomer,   &clsShopGame::PickUpMoney,
        &clsShopGame::TakeIngredient, &clsShopGame::FillCauldron,   &clsShopGame::LightFire,
        &clsShopGame::EmptyCauldron, &clsShopGame::TakeFinishedPotion, &clsShopGame::DiscardItem,
        &clsShopGame::PlayHarp,      &clsShopGame::TendPlant,       &clsShopGame::UseArtifact,
        &clsShopGame::CallPhoenix,   &clsShopGame::TakePhoenixItem, &clsShopGame::StorePotion,
        &clsShopGame::TakeStoredPotion,
    };
    if (!order) return;
    RemoveCheckMark(MarkKindOf(order->kind), order->target);
    bool targetGone = order->kind != clsPlayerOrder::kWalk && (!order->target || order->target->IsReleased());
    bool underWay = order->phase == clsPlayerOrder::kStarted || order->kind == clsPlayerOrder::kEmptyCauldron;
    if (!targetGone && underWay && order->kind >= 0 && order->kind < clsPlayerOrder::kNoAction) {
        Errand errand = kErrands[order->kind];
        (this->*errand)(*order);
    }
    // An errand may use its target up (a potion she takes): the order forgets it before it is deleted.
    if (order->target && order->target->IsReleased()) order->target = nullptr;
    if (order->phase != clsPlayerOrder::kAwaitingAnimation) order->phase = clsPlayerOrder::kDone;
}

clsPlayerOrder* clsShopGame::CurrentOrder() const {
    if (currentOrder_ < 0 || currentOrder_ >= static_cast<int>(orders_.size())) return nullptr;
    return orders_[static_cast<size_t>(currentOrder_)].get();
}

bool clsShopGame::HandsFull() const { return heroine_->GetNumCarriedItems() >= kMostCarried; }

void clsShopGame::Refuse() { GetAssets().PlaySound(kRefuseSound, false); }

void clsShopGame::PlayEffectSound(const char* name) { GetAssets().PlaySound(name, false); }

clsCauldron* clsShopGame::FindCauldronOf(const clsBasicObject* body) const {
    for (auto& cauldron : cauldrons_)
        if (body && cauldron->GetBody() == body) return cauldron.get();
    return nullptr;
}

void clsShopGame::Walk(clsPlayerOrder&) {}

// A customer waiting for items gets those she carries; any other is attended (and says what it
// wants). Whether it wanted one item and what its first item was are taken before the hand-over,
// which removes what it was given.
void clsShopGame::ServeCustomer(clsPlayerOrder& order) {
    auto* body = dynamic_cast<clsObjectGraph*>(order.target);
    auto* customer = body ? dynamic_cast<clsClient*>(body->GetUserPointer()) : nullptr;
    if (!customer) return;
    if (customer->GetServiceState() != clsClient::kWaitingForItems) {
        customer->Attend(nullptr);
        return;
    }
    bool wantedOne = customer->GetNumRequestedItems() == 1;
    clsObjectRequired* first = customer->GetNumRequestedItems() > 0 ? customer->GetRequest(0) : nullptr;
    clsPotionGraph* firstPotion = first ? first->AsPotionGraph() : nullptr;
    bool firstIsArtifact = first && first->AsArtifact();
    int firstPotionId = firstPotion ? firstPotion->GetPotionId() : clsPotionGraph::kNoPotion;
    bool handedOver = false;
    for (int i = customer->GetNumRequestedItems() - 1; i >= 0; --i) {
        clsObjectRequired* item = customer->GetRequest(i);
        if (!heroine_->RemoveCarriedObject(item, true)) continue;
        customer->Attend(item);
        handedOver = true;
    }
    if (!handedOver) {
        customer->Attend(nullptr);
        return;
    }
    if (wantedOne) OnMouseMove(GetMousePosition());
    if (firstPotion && firstPotionId == clsPotionGraph::kFruitPotion) {
        trophies_->CountFruit();
    } else if (firstPotion) {
        trophies_->CountPotion();
    } else if (firstIsArtifact) {
        trophies_->CountArtifact();
    }
}

void clsShopGame::PickUpMoney(clsPlayerOrder& order) {
    for (int place = 0; place < kPlaceCount; ++place) {
        if (!places_[place].moneyItem || places_[place].moneyItem != order.target) continue;
        CollectMoney(place);
        order.phase = clsPlayerOrder::kAwaitingAnimation;
        return;
    }
}

// The place's money goes on a spark to the score, booked by kind; its tips float up where she stands.
void clsShopGame::CollectMoney(int place) {
    CustomerPlace& counter = places_.at(static_cast<size_t>(place));
    PlayEffectSound(kMoneySound);
    auto tips = std::make_unique<clsControlNumber>(this);
    tips->SetValue(counter.tips, counter.serviceSpot);
    moneyNumbers_.push_back(std::move(tips));
    counter.moneyItem->SetVisible(false);
    AddEarnings(kPotionEarnings, counter.potionMoney);
    AddEarnings(kArtifactEarnings, counter.artifactMoney);
    AddEarnings(kFruitEarnings, counter.fruitMoney);
    AddEarnings(kTipEarnings, counter.tips);
    TVec2 from = counter.moneyItem->GetPosition();
    LaunchMoneySpark(from.x, from.y, counter.moneyTotal);
    heroine_->PlayTakeItem();
}

void clsShopGame::TakeIngredient(clsPlayerOrder& order) {
    if (HandsFull()) {
        Refuse();
        return;
    }
    for (auto& box : magicBoxes_) {
        if (box->GetIngredient()->GetIcon() != order.target) continue;
        PlayEffectSound(kIngredientSound);
        heroine_->TakeIngredient(box->GetIngredientId());
        return;
    }
}

// She throws the first ingredient the cauldron still wants that she carries (its last wish first);
// the ingredients go in when the first half of the throw ends.
void clsShopGame::FillCauldron(clsPlayerOrder& order) {
    clsCauldron* cauldron = FindCauldronOf(order.target);
    if (!cauldron || order.phase != clsPlayerOrder::kStarted || heroine_->CountCarriedIngredients() < 1 ||
        cauldron->IsBusy())
        return;
    for (int i = cauldron->GetIngredientCount() - 1; i >= 0; --i) {
        int id = cauldron->GetIngredientId(i);
        if (id == -1 || !heroine_->IsCarryingIngredient(id)) continue;
        heroine_->PlayThrow(cauldron);
        order.phase = clsPlayerOrder::kAwaitingAnimation;
        return;
    }
}

void clsShopGame::LightFire(clsPlayerOrder& order) {
    clsCauldron* cauldron = FindCauldronOf(order.target);
    if (!cauldron || order.phase != clsPlayerOrder::kStarted || cauldron->GetState() != clsCauldron::kReadyForFire ||
        cauldron->IsBusy())
        return;
    PlayEffectSound(kFireSound);
    heroine_->PlayFireStart(cauldron);
    order.phase = clsPlayerOrder::kAwaitingAnimation;
    cauldron->SetBusy();
}

// Also when nothing could be emptied, the potions served this level and later stop counting.
void clsShopGame::EmptyCauldron(clsPlayerOrder& order) {
    clsCauldron* cauldron = FindCauldronOf(order.target);
    if (!cauldron) return;
    if (order.phase == clsPlayerOrder::kStarted && !cauldron->IsBusy()) cauldron->Empty();
    trophies_->ClearPotionsFromCurrentLevel();
}

void clsShopGame::TakeFinishedPotion(clsPlayerOrder& order) {
    if (HandsFull()) {
        Refuse();
        return;
    }
    for (size_t i = pickups_.size(); i-- > 0;) {
        if (pickups_[i].potion != order.target) continue;
        heroine_->TakePotion(pickups_[i].potionId);
        PlayEffectSound(kPotionSound);
        pickups_[i].potion->Destroy();
        pickups_[i].stars->Destroy();
        pickups_.erase(pickups_.begin() + static_cast<long>(i));
        return;
    }
}

void clsShopGame::DiscardItem(clsPlayerOrder&) {
    if (heroine_->GetNumCarriedItems() < 1) return;
    heroine_->RemoveLastCarried();
    bucket_->PlayEat();
}

// A cauldron has finished a potion: it waits there under stars, the only one of that cauldron.
void clsShopGame::ShowStars(int potionId, clsAnimatedSprite* sprite, clsCauldron* cauldron) {
    if (!sprite) return;
    for (size_t i = pickups_.size(); i-- > 0;) {
        if (pickups_[i].cauldron != cauldron) continue;
        pickups_[i].potion->Destroy();
        pickups_[i].stars->Destroy();
        pickups_.erase(pickups_.begin() + static_cast<long>(i));
    }
    auto* stars = new clsAnimatedSprite(this);
    stars->SetTexture(stars->GetSceneTexture(kStarsTexture));
    stars->SetPositionV(sprite->GetPosition());
    stars->Play("DoAnim");
    pickups_.push_back({potionId, sprite, cauldron, stars});
}

// The throw's first half has ended: what she carries of the cauldron's wishes goes in (the phoenix's
// feathers among them count), with a puff where she stands.
void clsShopGame::FinishThrow() {
    heroine_->PlayThrowEnd();
    auto* cauldron = dynamic_cast<clsCauldron*>(heroine_->GetActionTarget());
    if (!cauldron) return;
    bool thrown = false;
    for (int i = cauldron->GetIngredientCount() - 1; i >= 0; --i) {
        int id = cauldron->GetIngredientId(i);
        if (id != -1 && heroine_->RemoveCarriedIngredient(id)) {
            cauldron->AddIngredient(id, true);
            thrown = true;
        }
        if (thrown && id == clsIngredientGraph::kPhoenixIngredient && cauldron->FindIngredient(id))
            trophies_->CountFeather();
    }
    PlayEffectSound(kDropSound);
    StartEffect(kIngredientEffect, heroine_->GetPosition() + kIngredientEffectOffset);
}

// The fire's first half has ended: the flame takes over the cauldron, which starts boiling when the
// flame's animation ends.
void clsShopGame::FinishFireStart() {
    heroine_->PlayFireEnd();
    if (orders_.empty()) return;
    auto* cauldron = dynamic_cast<clsCauldron*>(heroine_->GetActionTarget());
    clsAnimatedSprite* fire = StartEffect(kFireEffect, heroine_->GetPosition() + kFireEffectOffset);
    heroine_->ClearActionTarget();
    if (!cauldron) return;
    cauldron->HideBalloon();
    cauldronFires_.emplace_back(fire, cauldron);
}

// A one-shot effect among the scene objects, which remove it when it has played.
clsAnimatedSprite* clsShopGame::StartEffect(const char* texture, const TVec2& position) {
    auto* effect = new clsAnimatedSprite(this);
    effect->SetTexture(effect->GetSceneTexture(texture));
    effect->SetPositionV(position);
    effect->SetScale(kEffectScale);
    effect->Play("DoAnim");
    RegisterObject(effect);
    return effect;
}
