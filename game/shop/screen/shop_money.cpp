// How a shop day earns and ends: customers are seated and leave their money on the counter, picked-up
// money counts when its spark lands, the goals show their messages, closing time shuts the door, and
// the heroine's joy or disappointment leads to the end of the level, its saved progress and the
// result pop-up.
#include "engine/core/base/log.h"
#include "engine/graphics/text_sprite.h"
#include "engine/scripthost/script.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"
#include "game/data/game_manager.h"
#include "game/data/game_tables.h"
#include "game/shop/customers/customer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/score_panel.h"
#include "game/shop/hud/shop_texts.h"
#include "game/shop/items/artifact.h"
#include "game/shop/items/potion_graph.h"
#include "game/shop/items/shelf.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/screen/saved_level.h"
#include "game/shop/screen/shop_game.h"
#include "game/shop/screen/shop_layout.h"
#include "game/shop/session/game_session.h"
#include "game/shop/trophies/trophy_tracker.h"

namespace {

constexpr char kMoneyTexture[] = "items/item_money";
constexpr char kSignChanges[] = "gui/open_closed_changes";
constexpr char kGoalTexture[] = "anim/goal_reached";
constexpr char kExpertTexture[] = "anim/expert_goal_reached";
constexpr char kMessageStart[] = "startMsg";
// The bazaar's trophy shows in the bazaar, not in the shop.
constexpr unsigned kBazaarTrophy = clsTrophyTracker::kUpgradeFreak;
enum PopupArgument { kNewestLevel = 0, kReplayedLevel = 1 };

std::unique_ptr<clsAnimatedSprite> ShowMessage(clsShopGame* scene, const char* texture) {
    auto message = std::make_unique<clsAnimatedSprite>(scene);
    message->SetTexture(message->GetSceneTexture(texture));
    message->SetPositionV(kGoalMessagePosition);
    message->Play(kMessageStart);
    return message;
}

}  // namespace

void clsShopGame::AddCustomer(clsClient* customer) {
    if (!customer) return;
    for (CustomerPlace& place : places_) {
        if (place.IsBusy()) continue;
        place.customer = customer;
        customer->SetPositionV(place.customerSpot);
        customer->PlayAppear();
        return;
    }
}

int clsShopGame::CountCustomersRequestingPotion(int potionId) {
    int count = 0;
    for (const CustomerPlace& place : places_) {
        if (!place.customer) continue;
        for (int i = 0; i < place.customer->GetNumRequestedItems(); ++i) {
            clsPotionGraph* potion = place.customer->GetRequest(i)->AsPotionGraph();
            if (potion && potion->GetPotionId() == potionId) ++count;
        }
    }
    return count;
}

int clsShopGame::CountCustomersRequestingArtifact(int artifactId) {
    int count = 0;
    for (const CustomerPlace& place : places_) {
        if (!place.customer) continue;
        for (int i = 0; i < place.customer->GetNumRequestedItems(); ++i) {
            clsArtifact* artifact = place.customer->GetRequest(i)->AsArtifact();
            if (artifact && artifact->GetArtifactId() == artifactId) ++count;
        }
    }
    return count;
}

int clsShopGame::CountBusyPlaces() const {
    int busy = 0;
    for (const CustomerPlace& place : places_) busy += place.IsBusy() ? 1 : 0;
    return busy;
}

int clsShopGame::FindShelfSlotOf(int itemId) const {
    for (int slot = shelf_->GetSlotCount() - 1; slot >= 0; --slot) {
        clsObjectRequired* item = shelf_->GetSlotItem(slot);
        clsArtifact* artifact = item ? item->AsArtifact() : nullptr;
        if (artifact && artifact->GetArtifactId() == itemId) return slot;
    }
    return -1;
}

int clsShopGame::FindArtifactSlot(int artifactId) { return FindShelfSlotOf(artifactId); }

TVec2 clsShopGame::GetArtifactSlotPosition(int slot) {
    TRect rect = shelf_->GetSlotRect(slot);
    return TVec2(static_cast<float>(rect.left), static_cast<float>(rect.top));
}

void clsShopGame::ResetArtifact(int slot) {
    clsObjectRequired* item = shelf_->GetSlotItem(slot);
    if (clsArtifact* artifact = item ? item->AsArtifact() : nullptr) artifact->SetState(clsArtifact::kReady);
}

clsShopGame::CustomerPlace* clsShopGame::FindPlaceOf(const clsClient* customer) {
    for (CustomerPlace& place : places_)
        if (customer && place.customer == customer) return &place;
    return nullptr;
}

void clsShopGame::DropMoney(int potionMoney, int fruitMoney, int artifactMoney, int tipMoney,
                            clsAnimatedSprite* body) {
    CustomerPlace* place = body ? FindPlaceOf(dynamic_cast<clsClient*>(body->GetUserPointer())) : nullptr;
    if (!place) return;
    if (place->moneyItem) place->moneyItem->Destroy();
    place->moneyItem = new clsAnimatedSprite(this);
    place->moneyItem->SetTexture(place->moneyItem->GetSceneTexture(kMoneyTexture));
    place->moneyItem->SetPositionV(place->serviceSpot);
    place->moneyItem->Update(0.0f);
    place->potionMoney = potionMoney;
    place->fruitMoney = fruitMoney;
    place->artifactMoney = artifactMoney;
    place->tips = tipMoney;
    place->moneyTotal = potionMoney + fruitMoney + artifactMoney + tipMoney;
}

// The oldest amount in flight reaches the money.
void clsShopGame::LandMoneySpark() {
    int amount = 0;
    if (!pendingMoney_.empty()) {
        amount = pendingMoney_.front();
        pendingMoney_.pop_front();
    }
    --sparksInFlight_;
    AddMoney(amount);
}

void clsShopGame::OnMoneyChanged() {
    if (!level_) return;
    scorePanel_->SetScore(GetMoney());
    if (!goalMessage_ && GetMoney() >= level_->goal) ShowGoalMessage();
    if (!expertMessage_ && GetMoney() >= level_->expertGoal) ShowExpertMessage();
}

// The goal is reached: the message, and the panel now shows the expert goal.
void clsShopGame::ShowGoalMessage() {
    messageSeconds_ = 0.0f;
    goalMessage_ = ShowMessage(this, kGoalTexture);
    scorePanel_->SetGoalCaption(LabelText("lblGuiExpert"));
    scorePanel_->SetGoal(level_->expertGoal);
}

void clsShopGame::ShowExpertMessage() {
    if (goalMessage_) goalMessage_->SetVisible(false);
    messageSeconds_ = 0.0f;
    expertMessage_ = ShowMessage(this, kExpertTexture);
    trophies_->MarkExpert();
    expertGoalReached_ = true;
}

void clsShopGame::Hook36() {
    if (!charmSparkle_) return;
    charmSparkle_->SetVisible(true);
    charmSparkle_->Play("DoAnim");
    charmSparkleSeconds_ = 0.0f;
}

void clsShopGame::OnCustomerLost(clsClient*) {
    ++lostCount_;
    trophies_->CountLostCustomer();
}

void clsShopGame::OnCustomerServed() { ++servedCount_; }

void clsShopGame::CloseShop() {
    roster_->ClearArrivals();
    state_ = kClosing;
    static_cast<TTextSprite&>(*signText_).SetText(TString());
    sign_->SetTexture(sign_->GetSceneTexture(kSignChanges));
    sign_->Play("DoAnim");
}

// The day is over and the last coin has landed: the heroine celebrates under fireworks, or hangs her
// head; the end of her animation ends the level.
void clsShopGame::ShowLevelResult() {
    heroine_->GetBody()->SetVelocity(TVec2());
    bool won = GetMoney() >= level_->goal;
    if (won) {
        LaunchFirework();
        fireworks_[fireworkIndex_]->Play();
        heroine_->RefreshAnimation();
    } else {
        heroine_->PlayLose();
    }
    trophies_->LevelEnded(levelIndex_, won);
    trophies_->SaveToProfile();
    clsGameSession::Instance()->SetCursor(clsGameSession::kArrowCursor, false);
}

void clsShopGame::EndLevel(bool won) {
    clsGameInterface::EndLevel(won);
    state_ = kResultShown;
    result_ = won ? kWon : kLost;
    clsGameSession* session = clsGameSession::Instance();
    TString script = "loadYouLosePopup()";
    if (won) {
        session->AdvanceLevel(GetMoney());
        int popupArgument = kNewestLevel;
        SaveWonLevel(popupArgument);
        script = TString::Format("loadYouWinPopup(%d)", popupArgument);
    } else {
        session->CountLoss();
    }
    RunScript(script);
    session->SetCursor(clsGameSession::kArrowCursor, false);
}

// The won level's best money, its expert mark and the shelf's potions go into the saved level; a
// newest level opens the next one. The progress is written when something changed; a day opened
// is a change even when the day earned nothing new.
void clsShopGame::SaveWonLevel(int& popupArgument) {
    GameManager* manager = GameManager::Get();
    SavedLevelRecord* saved = FindCurrentSavedLevel();
    if (!manager || !saved) return;
    bool changed = false;
    if (GetMoney() > saved->earnedMoney) {
        saved->earnedMoney = GetMoney();
        changed = true;
    }
    if (expertGoalReached_ && !saved->expert) {
        saved->expert = true;
        changed = true;
    }
    for (int spot = static_cast<int>(saved->storedPotions.size()) - 1; spot >= 0; --spot) {
        clsObjectRequired* item = shelf_->GetSpotItem(spot);
        clsPotionGraph* potion = item ? item->AsPotionGraph() : nullptr;
        int id = potion ? potion->GetPotionId() : clsPotionGraph::kNoPotion;
        if (saved->storedPotions[static_cast<size_t>(spot)] == id) continue;
        saved->storedPotions[static_cast<size_t>(spot)] = id;
        changed = true;
    }
    UserRecord* record = manager->GetUserRecord();
    bool newest = record->selectedLevel == static_cast<int>(record->savedLevels.size()) - 1;
    if (newest) {
        record->AdvanceLevel();
        changed = true;
        if (clsGameSession::Instance()->IsNextLevelCollapse()) manager->GetCurrentSavedLevel().collapseDue = true;
    }
    popupArgument = newest ? kNewestLevel : kReplayedLevel;
    if (changed) manager->SaveUserProgress();
}

void clsShopGame::OnTrophyGained(clsTrophyTracker*, unsigned bit) {
    if (bit == kBazaarTrophy) return;
    TString script = TString::Format("showGainTrophy(%d)", static_cast<int>(bit));
    LogPrintf("Trophy Gain: %s", clsTrophyTracker::TrophyName(bit).CStr());
    LogPrintf("Lua function: %s", script.CStr());
    if (TWindowManager* manager = TWindowManager::Get()) manager->DoScriptForWindow(this, script);
}

void clsShopGame::RunScript(const TString& text) {
    TWindowManager* manager = TWindowManager::Get();
    auto* script = manager ? dynamic_cast<TScript*>(manager->GetScript()) : nullptr;
    if (script) script->DoLuaString(text);
}

void clsShopGame::ResetBookTab(clsBasicObject* object) {
    if (!object) return;
    RunScript("playAnimationBook('reset', 'DisableTab')");
    magicBook_->SendToTarget(dynamic_cast<clsObjectGraph*>(object));
}

const char* clsShopGame::GetResultName() const {
    switch (result_) {
        case kWon:
            return "win";
        case kLost:
            return "lose";
        default:
            return "none";
    }
}
