// The shop screen's construction and destruction, its class identity and its script function.
#include "game/shop/screen/shop_game.h"

#include "engine/core/base/log.h"
#include "engine/graphics/sprite.h"
#include "engine/scripthost/script.h"
#include "engine/scripthost/script_binding.h"
#include "engine/sound/sound.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"
#include "game/data/game_tables.h"
#include "game/shop/assistants/phoenix.h"
#include "game/shop/assistants/radaduvoz.h"
#include "game/shop/cauldron/cauldron.h"
#include "game/shop/customers/customer.h"
#include "game/shop/heroine/player.h"
#include "game/shop/hud/control_number.h"
#include "game/shop/hud/score_panel.h"
#include "game/shop/items/shelf.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/props/bucket.h"
#include "game/shop/props/harp.h"
#include "game/shop/props/magic_book_paper.h"
#include "game/shop/props/magic_box.h"
#include "game/shop/props/plant.h"
#include "game/shop/scene/cell_grid.h"
#include "game/shop/screen/shop_layout.h"
#include "game/shop/session/game_session.h"
#include "game/shop/trophies/trophy_tracker.h"

namespace {

constexpr int kMusicGroup = 1001;
constexpr int kPanelLayer = 1;

}  // namespace

void ActorRelease::operator()(clsActor* actor) const { actor->Release(); }

TWindow* clsShopGame::Create() { return new clsShopGame; }

TClassId clsShopGame::ClassId() { return reinterpret_cast<TClassId>(&clsShopGame::Create); }

clsShopGame::clsShopGame() {
    SetClassFlags(kWindowFocusable, true);
    levelIndex_ = GetLevelFlow().currentLevel;
    level_ = clsGameSession::Instance()->GetCurrentLevelRecord();
    openingDelaySeconds_ = GetGameTables().initDelay;
    CreatePlaces();
    if (level_) {
        StartMusic();
        roster_ = std::make_unique<clsCustomerRoster>(this, *this, *level_, levelIndex_);
        CreateScorePanel();
    }
    CreateGrid();
    hoverSprite_ = TSprite::Create(0, nullptr);
    CreateMoneySparks();
    CreateFireworks();
    BindScriptFunctions();
}

clsShopGame::~clsShopGame() {
    DestroyLevel();
    GameProbe::Get().RemoveOwner(this);
}

void clsShopGame::StartMusic() {
    const char* name = MusicForLevel(levelIndex_);
    std::shared_ptr<TSound> music = TSound::Get(name, false, kMusicGroup);
    if (!music) {
        LogPrintf("[WARN] The shop plays without music: %s is missing", name);
        return;
    }
    SetMusic(music);
    music->Play(true);
}

void clsShopGame::CreatePlaces() {
    for (int i = 0; i < kPlaceCount; ++i) {
        places_[i].customerSpot = kCustomerPlaces[i].customerSpot;
        places_[i].serviceSpot = kCustomerPlaces[i].serviceSpot;
    }
}

void clsShopGame::CreateScorePanel() {
    scorePanel_ = std::make_unique<clsGuiScoreGoalTime>(this, static_cast<float>(level_->time), kPanelLayer);
    scorePanel_->SetPosition(0.0f, 0.0f);
    scorePanel_->SetGoal(level_->goal);
    scorePanel_->SetScore(GetMoney());
    scorePanel_->SetDay(levelIndex_ + 1);
}

void clsShopGame::BindScriptFunctions() {
    TWindowManager* manager = TWindowManager::Get();
    auto* script = manager ? dynamic_cast<TScript*>(manager->GetScript()) : nullptr;
    if (script) BindMember(script->GetState(), "onPotionSelected", this, &clsShopGame::OnPotionSelected);
}

void clsShopGame::OnPotionSelected(int n) {
    if (!magicBook_) return;
    magicBook_->PrepareStars();
    magicBook_->SelectPotion(n);
    magicBook_->SetOpen(true);
}

void clsShopGame::RegisterObject(clsBasicObject* object) {
    if (object) sceneObjects_.push_back(object);
}

// Everything the screen built, in the order that lets each object hand its parts to the release
// queue before the queue is emptied.
void clsShopGame::DestroyLevel() {
    magicBoxes_.clear();
    cauldrons_.clear();
    for (clsBasicObject* object : sceneObjects_) object->Destroy();
    sceneObjects_.clear();
    heroine_.reset();
    bucket_.reset();
    harp_.reset();
    plant_.reset();
    phoenix_.reset();
    radaduvoz_.reset();
    if (grid_) grid_->Clear();
    grid_.reset();
    magicBook_.reset();
    scorePanel_.reset();
    shelf_.reset();
    sign_.reset();
    moneyNumbers_.clear();
    for (PickupRecord& pickup : pickups_) {
        pickup.potion->Destroy();
        pickup.stars->Destroy();
    }
    pickups_.clear();
    for (auto& [fire, cauldron] : cauldronFires_) fire->Destroy();
    cauldronFires_.clear();
    for (CheckMark& mark : checkMarks_) mark.sprite->Destroy();
    checkMarks_.clear();
    for (CustomerPlace& place : places_) {
        if (place.customer) place.customer->Release();
        if (place.moneyItem && !place.moneyItem->IsReleased()) place.moneyItem->Destroy();
        place = CustomerPlace();
    }
    orders_.clear();
    table_.reset();
    perch_.reset();
    goalMessage_.reset();
    expertMessage_.reset();
    charm_.reset();
    charmSparkle_.reset();
    for (auto& spark : moneySparks_) spark.reset();
    for (auto& firework : fireworks_) firework.reset();
    roster_.reset();
    hoverObject_ = nullptr;
    DeleteReleasedObjects();
    signText_.reset();
}
