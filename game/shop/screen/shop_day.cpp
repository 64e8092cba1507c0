// The shop's frame: every object moves on by the frame's time, in a fixed order, and the day runs
// through its states: the opening delay, the open shop that lets customers in, closing time, and
// the end once every customer has gone and every coin has landed.
#include <algorithm>

#include "engine/core/base/clock.h"
#include "engine/graphics/animated_sprite.h"
#include "engine/ui/window_manager.h"
#include "game/data/game_tables.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/assistants/radaduvoz.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/control_number.h"
#include "game/shop/hud/score_panel.h"
#include "game/shop/items/shelf.h"
#include "game/shop/props/bucket.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/props/plant.h"
#include "game/shop/scene/cell_grid.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/session/game_session.h"

namespace {

constexpr float kCharmSparkleSeconds = 1.0f;
constexpr float kMessageSeconds = 2.0f;
constexpr char kMessageEnd[] = "endMsg";
// A spilt-item errand stands her a little right of and above the bucket.
const TVec2 kDiscardOffset{40.0f, -80.0f};

// Updates the objects of a list from the last to the first. An object's update may take it out of
// the list (an animation that ends); the walk goes on with the one before it.
template <class List>
void UpdateLastToFirst(const List& list, float dt) {
    for (size_t i = list.size(); i-- > 0;)
        if (i < list.size()) list[i]->Update(dt);
}

void SetArrowCursor() { clsGameSession::Instance()->SetCursor(clsGameSession::kArrowCursor, false); }

}  // namespace

bool clsShopGame::OnAnimate() {
    if (state_ == kConstructed) return true;
    clsGameInterface::OnAnimate();
    TWindowManager* manager = TWindowManager::Get();
    if (manager && manager->GetFocus() != this) manager->SetFocus(this);
    float dt = TakeFrameSeconds(true);
    UpdateCharmSparkle(dt);
    UpdateScenery(dt, MovingParts());
    UpdateByState(dt);
    UpdateAllEffects(static_cast<int>(dt * 1000.0f));
    UpdateMessages(dt);
    if (state_ != kFinishing && state_ != kResultShown) UpdateObjects(dt);
    return true;
}

// Seconds since the last frame on the scene's clock; the millisecond counter may wrap between two
// frames.
float clsShopGame::TakeFrameSeconds(bool capped) {
    const TClock* clock = GetClock();
    uint32_t now = clock ? clock->GetTime() : lastFrameMs_;
    uint32_t elapsedMs = now - lastFrameMs_;
    lastFrameMs_ = now;
    float seconds = static_cast<float>(elapsedMs) / 1000.0f;
    return capped ? std::min(seconds, GetGameTables().maxSecsElapsed) : seconds;
}

void clsShopGame::UpdateCharmSparkle(float dt) {
    if (!charmSparkle_) return;
    charmSparkle_->Update(dt);
    if (!charmSparkle_->IsVisible()) return;
    charmSparkleSeconds_ += dt;
    if (charmSparkleSeconds_ < kCharmSparkleSeconds) return;
    charmSparkleSeconds_ = 0.0f;
    charmSparkle_->SetVisible(false);
    charmSparkle_->GetAnimation().StopScript();
}

// What moves whatever the shop's state.
void clsShopGame::UpdateScenery(float dt, MovingParts parts) {
    if (phoenix_ && parts.phoenix) phoenix_->Update(dt);
    shelf_->Update(dt);
    bucket_->Update(dt);
    if (harp_ && parts.harp) harp_->Update(dt);
    if (plant_ && parts.plant) plant_->Update(dt);
    UpdateLastToFirst(sceneObjects_, dt);
    heroine_->Update(dt);
    sign_->Update(dt);
    for (size_t i = moneyNumbers_.size(); i-- > 0;) {
        moneyNumbers_[i]->Update(dt);
        if (moneyNumbers_[i]->GetState() == clsControlNumber::kFinished) moneyNumbers_.erase(moneyNumbers_.begin() + i);
    }
}

void clsShopGame::UpdateByState(float dt) {
    switch (state_) {
        case kOpening:
            openingDelaySeconds_ -= dt;
            if (openingDelaySeconds_ <= 0.0f) EnterOpen();
            break;
        case kOpen:
            while (CountBusyPlaces() + roster_->GetPendingArrivalCount() < level_->customersAtTime)
                roster_->AddArrival(level_->customerIntervalMin, level_->customerIntervalMax,
                                    clsCustomerRoster::kFromPlan);
            break;
        case kClosing:
            if (CountBusyPlaces() == 0) EnterFinishing();
            break;
        default:
            break;
    }
}

void clsShopGame::EnterOpen() { state_ = kOpen; }

// The places are empty: the result starts now, or when the last spark in flight lands.
void clsShopGame::EnterFinishing() {
    state_ = kFinishing;
    if (sparksInFlight_ == 0) ShowLevelResult();
}

// A goal message shows for two seconds, then plays its ending.
void clsShopGame::UpdateMessages(float dt) {
    for (clsAnimatedSprite* message : {goalMessage_.get(), expertMessage_.get()}) {
        if (!message) continue;
        message->Update(dt);
        if (message->GetLastAction() == kMessageEnd) continue;
        messageSeconds_ += dt;
        if (messageSeconds_ >= kMessageSeconds) message->Play(kMessageEnd);
    }
}

// The objects of the open shop; they stand still while the result plays.
void clsShopGame::UpdateObjects(float dt) {
    UpdateBrewing(dt);
    radaduvoz_->Update(dt);
    roster_->Update(dt);
    UpdateCounter(dt, dt);
}

void clsShopGame::UpdateBrewing(float dt) {
    UpdateLastToFirst(magicBoxes_, dt);
    magicBook_->Update(dt);
    UpdateLastToFirst(cauldrons_, dt);
}

void clsShopGame::UpdateCounter(float dt, float clockSeconds) {
    UpdatePlaces(dt);
    ServeOrders();
    if (orders_.empty() && heroine_->GetState() != clsPlayer::kStanding) heroine_->RefreshAnimation();
    UpdatePickups(dt);
    scorePanel_->UpdateClock(clockSeconds);
    UpdateCheckMarks(dt);
    ForgetReleasedHover();
    DeleteReleasedObjects();
}

void clsShopGame::UpdatePlaces(float dt) {
    for (CustomerPlace& place : places_) {
        if (clsClient* customer = place.customer) {
            customer->Update(dt);
            if (customer->GetServiceState() == clsClient::kDone && hoverObject_ == customer->GetBody()) {
                hoverObject_ = nullptr;
                SetArrowCursor();
            }
            if (customer->GetState() == clsClient::kGone) {
                customer->Release();
                place.customer = nullptr;
            }
        }
        if (clsAnimatedSprite* money = place.moneyItem) {
            money->Update(dt);
            if (money->IsReleased()) {
                place.moneyItem = nullptr;
            } else if (!money->IsVisible()) {
                money->Destroy();
                place.moneyItem = nullptr;
            }
        }
    }
}

// Done errands leave the queue; the next queued ones start, skipping those whose target is gone.
void clsShopGame::ServeOrders() {
    for (auto& order : orders_)
        if (order->target && order->target->IsReleased()) order->target = nullptr;
    while (!orders_.empty() && orders_.front()->phase == clsPlayerOrder::kDone) orders_.erase(orders_.begin());
    currentOrder_ = 0;
    for (size_t i = 0; i < orders_.size(); ++i) {
        clsPlayerOrder* order = orders_[i].get();
        if (order->phase != clsPlayerOrder::kQueued) break;
        currentOrder_ = static_cast<int>(i);
        StartAction(order);
        if (order->phase != clsPlayerOrder::kDone) break;
    }
}

void clsShopGame::StartAction(clsPlayerOrder* order) {
    if (!order) return;
    TVec2 destination;
    if (order->kind == clsPlayerOrder::kWalk) {
        destination = order->position;
    } else if (order->kind < clsPlayerOrder::kWalk || order->kind >= clsPlayerOrder::kNoAction || !order->target) {
        order->phase = clsPlayerOrder::kDone;
        return;
    } else {
        auto* target = dynamic_cast<clsObjectGraph*>(order->target);
        TVec2 point = target ? target->GetPosition() : TVec2();
        if (order->kind == clsPlayerOrder::kDiscardItem) point = point + kDiscardOffset;
        destination = grid_->FindNearestCell(point);
    }
    order->phase = clsPlayerOrder::kStarted;
    if (!heroine_->WalkTo(destination)) Hook32(heroine_->GetBody());
}

void clsShopGame::Hook32(clsObjectGraph* object) {
    if (!object) return;
    if (clsActor* actor = object->GetUserPointer()) {
        if (actor == heroine_.get()) {
            if (!orders_.empty() && currentOrder_ >= 0 && currentOrder_ < static_cast<int>(orders_.size()))
                PerformAction(orders_[static_cast<size_t>(currentOrder_)].get());
        } else {
            actor->PlayAction();
        }
        return;
    }
    if (object != &magicBook_->GetPaper()) return;
    clsObjectGraph* target = object->GetMoveTarget();
    magicBook_->HidePaper(object);
    for (auto& cauldron : cauldrons_)
        if (target && target == cauldron->GetBody()) cauldron->StartPotion(magicBook_->GetOrderedPotion());
}

void clsShopGame::UpdatePickups(float dt) {
    for (size_t i = pickups_.size(); i-- > 0;) {
        PickupRecord& pickup = pickups_[i];
        pickup.potion->Update(dt);
        pickup.stars->Update(dt);
        if (!pickup.potion->IsReleased()) continue;
        pickup.stars->Destroy();
        pickups_.erase(pickups_.begin() + static_cast<long>(i));
    }
}

void clsShopGame::UpdateCheckMarks(float dt) {
    for (size_t i = checkMarks_.size(); i-- > 0;) {
        CheckMark& mark = checkMarks_[i];
        if (!mark.target->IsMarked() || mark.target->IsReleased()) {
            mark.sprite->Destroy();
            checkMarks_.erase(checkMarks_.begin() + static_cast<long>(i));
        } else {
            mark.sprite->Update(dt);
        }
    }
}

void clsShopGame::ForgetReleasedHover() {
    if (!hoverObject_ || !hoverObject_->IsReleased()) return;
    ClearHover();
    pressed_ = false;
}

void clsShopGame::ClearHover() {
    SetArrowCursor();
    hoverObject_ = nullptr;
    hoverKind_ = kHoverNothing;
}
