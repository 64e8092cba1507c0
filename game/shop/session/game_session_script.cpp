// The session's script functions and the fields it shows the test probe.
#include <string>

#include "engine/scripthost/script.h"
#include "engine/scripthost/script_binding.h"
#include "engine/ui/window.h"
#include "game/shop/probe/game_probe.h"
#include "game/shop/session/game_session.h"
#include "game/shop/scene/game_interface.h"

void clsGameSession::BindScriptFunctions() {
    if (!script_) return;
    lua_State* L = script_->GetState();
    BindMember(L, "setCurrentLevel", this, &clsGameSession::StartNextGame);
    BindMember(L, "getCurrentLevel", this, &clsGameSession::GetCurrentLevel);
    BindMember(L, "isNextLevelCollapse", this, &clsGameSession::IsNextLevelCollapse);
}

void clsGameSession::StartNextGame() {
    if (!script_) return;
    script_->DoLuaString(collapseNext_ ? TString("playCollapseGame()")
                                       : TString::Format("playShopGame(%d)", GetLevelFlow().currentLevel));
}

void clsGameSession::AddProbeFields() {
    GameProbe& probe = GameProbe::Get();
    probe.Add(this, "level", [] { return std::to_string(GetLevelFlow().currentLevel); });
    probe.Add(this, "money", [] { return std::to_string(GetLevelFlow().playerMoney); });
    probe.Add(this, "won", [this] { return std::to_string(levelsWon_); });
    probe.Add(this, "lost", [this] { return std::to_string(levelsLost_); });
    probe.Add(this, "collapse", [this] { return std::string(collapseNext_ ? "1" : "0"); });
    probe.Add(this, "scene", [this] {
        return std::string(GetCurrentScene() ? GetCurrentScene()->GetClassName() : "none");
    });
}
