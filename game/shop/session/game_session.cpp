#include "game/shop/session/game_session.h"

#include "engine/core/app/application.h"
#include "engine/core/base/config.h"
#include "engine/core/base/log.h"
#include "engine/graphics/texture.h"
#include "engine/ui/window.h"
#include "engine/ui/window_manager.h"
#include "engine/ui/window_script.h"
#include "game/data/game_tables.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/scene/game_interface.h"
#include "game/shop/scene/scene_session.h"

namespace {

constexpr int kCollapseEvery = 3;  // levels

clsGameSession*& Singleton() {
    static clsGameSession* session = nullptr;
    return session;
}

TScript* WindowManagerScript() {
    TWindowManager* manager = TWindowManager::Get();
    return manager ? dynamic_cast<TWindowScript*>(manager->GetScript()) : nullptr;
}

}  // namespace

LevelFlow& GetLevelFlow() {
    static LevelFlow flow;
    return flow;
}

clsGameSession* clsGameSession::Instance() {
    if (!Singleton()) Singleton() = new clsGameSession(WindowManagerScript());
    return Singleton();
}

clsGameSession* clsGameSession::Existing() { return Singleton(); }

void clsGameSession::DeleteInstance() {
    delete Singleton();
    Singleton() = nullptr;
}

clsGameSession::clsGameSession(TScript* script) : script_(script) {
    SetConfig("texturememorymax", "384000000");
    arrowCursor_ = TTexture::Get("cursor/cursor_arrow.png");
    handCursor_ = TTexture::Get("cursor/cursor_hand.png");
    BindScriptFunctions();
    AddProbeFields();
    GetSceneSession().assets = this;
}

clsGameSession::~clsGameSession() {
    if (GetSceneSession().assets == this) GetSceneSession().assets = nullptr;
    GameProbe::Get().RemoveOwner(this);
}

clsGameInterface* clsGameSession::GetCurrentScene() const { return GetSceneSession().currentScene; }

void clsGameSession::AdvanceLevel(int levelMoney) {
    LevelFlow& flow = GetLevelFlow();
    if (++flow.currentLevel >= GetGameTables().levels.Count()) flow.currentLevel = 0;
    flow.playerMoney += levelMoney;
    if (flow.currentLevel > 0 && flow.currentLevel % kCollapseEvery == 0) collapseNext_ = true;
    ++levelsWon_;
}

void clsGameSession::Reset() {
    collapseNext_ = false;
    levelsLost_ = 0;
    levelsWon_ = 0;
    GetLevelFlow() = LevelFlow();
}

const LevelRecord* clsGameSession::GetCurrentLevelRecord() const {
    const LevelRecords& levels = GetGameTables().levels;
    int level = GetLevelFlow().currentLevel;
    if (level < 0 || level >= levels.Count()) {
        LogPrintf("[ERROR] There is no level %d: the game data has %d levels", level, levels.Count());
        return nullptr;
    }
    return &levels.At(level);
}

int clsGameSession::GetCurrentLevel() { return GetLevelFlow().currentLevel; }

void clsGameSession::SetCurrentLevel(int level) { GetLevelFlow().currentLevel = level; }

void clsGameSession::SetMoneyTotal(int money) { GetLevelFlow().playerMoney = money; }

void clsGameSession::ResetLevelCounters() {
    // The trophy tracker keeps the level's counters; it joins with the shop's statistics.
}

void clsGameSession::SetCursor(int kind, bool force) {
    if (!application_ || (kind == cursorKind_ && !force)) return;
    cursorKind_ = kind;
    if (kind == kArrowCursor) application_->SetCursor(arrowCursor_, 0, 0, true);
    if (kind == kHandCursor) application_->SetCursor(handCursor_, 0, 0, true);
}

void SetWindowVisible(TWindow* window, bool visible) {
    if (!window) return;
    uint32_t flags = window->GetFlags() & kWindowSettableFlags;
    window->SetFlags(visible ? flags | kWindowVisible : flags & ~kWindowVisible);
    if (!visible) window->OnMouseLeave();
}
